#include "ui/windows/palette_window.h"

#include <QPainter>

#include "core/tiles/graphics_commands.h"
#include "core/tiles/test_pictures.h"
#include "render/pixel_grid_image.h"

namespace d7::ui {

Tpalform::Tpalform(EditorContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Tool), ctx_(ctx), picture_(kSide, kSide, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("Tpalform"));
    setWindowTitle(QString());
    setAccessibleName(QStringLiteral("Palette"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    picture_.fill(Qt::black);
    setFixedSize(kSide, kSide);
}

void Tpalform::build() {
    if (tiles::isReady(ctx_.st))
        picture_ = render::imageOf(tiles::palettePicture(ctx_.st.gfx.palette));
}

void Tpalform::showPalette() {
    show();
    update();
}

void Tpalform::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

}  // namespace d7::ui
