#include "ui/select_control.h"

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

void Tselectcontrol::paintEvent(QPaintEvent*) {
    if (!paint_) return;
    QPainter painter(this);
    painter.setPen(pen_);
    painter.setBrush(Qt::NoBrush);
    paint_(painter);
}

}  // namespace d7::ui
