#include "ui/windows/plane_view_window.h"

#include <QPainter>

#include "core/model/plane_bitmaps.h"
#include "core/tiles/graphics_commands.h"
#include "render/pixel_grid_image.h"

namespace d7::ui {

Tviewform::Tviewform(EditorContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("Tviewform"));
    setWindowTitle(QStringLiteral("View"));
    setAccessibleName(QStringLiteral("View"));
}

void Tviewform::loadPlane(ViewPlane plane) {
    plane_ = plane;
    const WorkingPlanes& p = ctx_.st.planes;
    const tiles::Palette& palette = ctx_.st.gfx.palette;
    switch (plane) {
        case ViewPlane::DomainMask:
            picture_ =
                render::imageOf(planeToPicture(p.Ext1.bytes, kMinimapSide, kMinimapSide, palette));
            break;
        case ViewPlane::MinimapImage:
            picture_ =
                render::imageOf(planeToPicture(p.Ext2.bytes, kMinimapSide, kMinimapSide, palette));
            break;
        case ViewPlane::DomainCopy:
            picture_ = render::imageOf(planeToPicture(p.Ext3.bytes, kGrid, kGrid, palette));
            break;
    }
    fitToPicture();
    update();
}

void Tviewform::setFactor(int factor) {
    factor_ = factor;
    fitToPicture();
}

void Tviewform::reloadIfVisible() {
    if (isVisible()) loadPlane(plane_);
}

void Tviewform::fitToPicture() {
    if (picture_.width() >= 1) setFixedSize(picture_.size() * factor_);
}

void Tviewform::paintEvent(QPaintEvent*) {
    if (!tiles::isReady(ctx_.st) || picture_.width() < 1) return;
    QPainter painter(this);
    if (factor_ == 1)
        painter.drawImage(0, 0, picture_);
    else
        painter.drawImage(rect(), picture_);
}

}  // namespace d7::ui
