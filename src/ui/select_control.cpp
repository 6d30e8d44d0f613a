#include "ui/select_control.h"

#include <QPainter>

namespace d7::ui {

namespace {
// Cream: visible on sea, grass and snow alike.
constexpr QRgb kSelectionPen = 0xFFFFFBF0;
}  // namespace

Tselectcontrol::Tselectcontrol(QWidget* parent) : QWidget(parent), pen_(kSelectionPen) {
    setObjectName(QStringLiteral("Tselectcontrol"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

void Tselectcontrol::markCell(const QPolygon& diamond) {
    marked_ = diamond;
    update();
}

void Tselectcontrol::clearMark() {
    if (marked_.isEmpty()) return;
    marked_.clear();
    update();
}

void Tselectcontrol::setPictureView(int z, QPoint scroll) {
    if (z == zoom_ && scroll == scroll_) return;
    zoom_ = z;
    scroll_ = scroll;
    if (changes_) update();
}

void Tselectcontrol::paintEvent(QPaintEvent*) {
    // Apart from changed cells and a marked cell the layer stays fully transparent.
    QPainter painter(this);
    if (changes_) changes_->paint(painter, zoom_, scroll_);
    if (marked_.isEmpty()) return;
    painter.setPen(QPen(pen_, 2));
    painter.drawPolygon(marked_);
}

}  // namespace d7::ui
