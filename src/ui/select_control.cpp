#include "ui/select_control.h"

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

void Tselectcontrol::paintEvent(QPaintEvent*) {
    // Nothing is selected or previewed yet: the layer stays fully transparent.
}

}  // namespace d7::ui
