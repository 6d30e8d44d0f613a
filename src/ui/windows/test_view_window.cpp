#include "ui/windows/test_view_window.h"

#include <QLayout>
#include <QPainter>

#include "core/tiles/test_pictures.h"
#include "render/pixel_grid_image.h"

namespace d7::ui {

Tvertform::Tvertform(EditorContext& ctx, QWidget* parent)
    : PictureWindow("Tvertform", QStringLiteral("Test"), parent), ctx_(ctx) {
    paintBox()->setMinimumSize(kPaintWidth, kPaintHeight);
    adjustSize();
    paintBox()->setPainter([this](QPainter& painter) { painter.drawImage(0, 0, picture_); });
    connect(paintBox(), &PictureBox::pointerMoved, this, [this](int px, int py) {
        setPanelText(0, QStringLiteral("X: %1").arg(px));
        setPanelText(1, QStringLiteral("y: %1").arg(py));
    });
}

void Tvertform::showPicture(TestPicture kind) {
    show();
    layout()->activate();  // the paint area has its size before the picture is built
    const int w = paintBox()->width(), h = paintBox()->height();
    EditorState& st = ctx_.st;
    switch (kind) {
        case TestPicture::Vertex:
            picture_ = render::imageOf(tiles::vertexPicture(st, w, h));
            break;
        case TestPicture::Domain:
            picture_ = render::imageOf(tiles::domainPicture(st, w, h));
            break;
        case TestPicture::Edge:
            picture_ = render::imageOf(tiles::edgePicture(st, w, h));
            break;
    }
    paintBox()->update();
}

}  // namespace d7::ui
