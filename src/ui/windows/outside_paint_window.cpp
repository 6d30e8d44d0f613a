#include "ui/windows/outside_paint_window.h"

#include <QPainter>

#include "core/model/auxiliary_planes.h"
#include "core/model/plane_bitmaps.h"
#include "render/pixel_grid_image.h"

namespace d7::ui {

Tvpaintform::Tvpaintform(EditorContext& ctx, QWidget* parent)
    : PictureWindow("Tvpaintform", QStringLiteral("vpaintform"), parent), ctx_(ctx) {
    paintBox()->setAccessibleName(QStringLiteral("Outside map"));
    paintBox()->setFixedSize(kOutsideWidth * kPointPixels, kOutsideHeight * kPointPixels);
    paintBox()->setPainter([this](QPainter& painter) { paintPoints(painter); });
    connect(paintBox(), &PictureBox::pointerMoved, this, [this](int px, int py) {
        setPanelText(0, QStringLiteral("X: %1").arg(px / kPointPixels));
        setPanelText(1, QStringLiteral("Y: %1").arg(py / kPointPixels));
    });
    connect(paintBox(), &PictureBox::pressed, this, &Tvpaintform::clickAt);
}

void Tvpaintform::paintPoints(QPainter& painter) {
    // Each point a 4 x 4 square: the plane's picture enlarged without smoothing.
    const EditorState& st = ctx_.st;
    const QImage points = render::imageOf(
        planeToPicture(st.planes.Ext5.bytes, kOutsideWidth, kOutsideHeight, st.gfx.palette));
    painter.drawImage(QRect(0, 0, kOutsideWidth * kPointPixels, kOutsideHeight * kPointPixels),
                      points);
}

void Tvpaintform::clickAt(int px, int py, Qt::MouseButton button) {
    if (!ctx_.st.mapLoaded) return;
    const PointerButton b = button == Qt::LeftButton    ? PointerButton::Left
                            : button == Qt::RightButton ? PointerButton::Right
                                                        : PointerButton::Other;
    clickOutsidePoint(ctx_.st, px / kPointPixels, py / kPointPixels, b);
    paintBox()->update();
}

}  // namespace d7::ui
