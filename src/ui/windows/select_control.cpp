#include "ui/windows/select_control.h"

#include <QPainter>

namespace d7::ui {

namespace {
// Cream: visible on sea, grass and snow alike.
constexpr QRgb kSelectionPen = 0xFFFFFBF0;
}  // namespace

Tselectcontrol::Tselectcontrol(QWidget* parent, std::function<void(QPainter&)> paint)
    : QWidget(parent), pen_(kSelectionPen), paint_(std::move(paint)) {
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

void Tselectcontrol::setPictureView(int q, QPoint scroll) {
    if (q == size_ && scroll == scroll_) return;
    size_ = q;
    scroll_ = scroll;
    if (changes_) update();
}

void Tselectcontrol::paintEvent(QPaintEvent*) {
    // Changed cells, a marked cell and the chosen tool's marks; nothing else:
    // the layer stays transparent.
    QPainter painter(this);
    if (changes_) changes_->paint(painter, size_, scroll_);
    if (!marked_.isEmpty()) {
        painter.setPen(QPen(pen_, 2));
        painter.drawPolygon(marked_);
    }
    painter.setPen(pen_);
    painter.setBrush(Qt::NoBrush);
    if (paint_) paint_(painter);
}

}  // namespace d7::ui
