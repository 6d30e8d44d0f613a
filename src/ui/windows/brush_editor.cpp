#include "ui/windows/brush_editor.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyleOptionFocusRect>
#include <QVBoxLayout>

#include "render/brush_pictures.h"
#include "ui/accessibility.h"

namespace d7::ui {

namespace {

constexpr int kCell = render::kBrushFieldCell;
constexpr int kButtonPanelHeight = 32;

bool isArrowKey(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

}  // namespace

BrushField::BrushField(Tbreditform& form, QWidget* parent) : QWidget(parent), form_(form) {
    setObjectName(QStringLiteral("PaintBox1"));
    setAccessibleRole(this, QAccessible::Grouping);
    setFixedSize(kSide, kSide + 1);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Brush cells"));
}

void BrushField::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(0, 0, render::makeBrushGridImage(form_.mask(), kCell, true));
}

void BrushField::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    form_.fieldPressed(event->button(), p.x(), p.y());
}

BrushCell::BrushCell(int x, int y, QWidget* parent) : QAbstractButton(parent) {
    setObjectName(QStringLiteral("cell_%1_%2").arg(x).arg(y));
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(QStringLiteral("Cell %1, %2").arg(x).arg(y));
    setGeometry(x * kCell, y * kCell, kCell, kCell);
}

void BrushCell::paintEvent(QPaintEvent*) {
    if (!hasFocus()) return;
    QPainter painter(this);
    // Drawn in grey so that it shows on white and on black cells alike.
    painter.setPen(QPen(Qt::gray, 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(2, 2, -3, -3));
}

Tbreditform::Tbreditform(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("Tbreditform"));
    setWindowTitle(QStringLiteral("Brush Editor"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* buttons = new QWidget(this);
    buttons->setFixedHeight(kButtonPanelHeight);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(4, 4, 4, 4);
    bt_clear = new QPushButton(QStringLiteral("Clear"), buttons);
    bt_clear->setObjectName(QStringLiteral("bt_clear"));
    bt_setbrush = new QPushButton(QStringLiteral("Set as Brush"), buttons);
    bt_setbrush->setObjectName(QStringLiteral("bt_setbrush"));
    row->addWidget(bt_clear);
    row->addWidget(bt_setbrush);
    layout->addWidget(buttons);
    field_ = new BrushField(*this, this);
    layout->addWidget(field_);
    for (int y = 0; y < kBrushSide; ++y)
        for (int x = 0; x < kBrushSide; ++x) {
            auto* c = new BrushCell(x, y, field_);
            c->installEventFilter(this);
            cells_[std::size_t(5 * x + y)] = c;
            connect(c, &QAbstractButton::toggled, this,
                    [this, x, y](bool on) { setCell(x, y, on); });
        }
    connect(bt_clear, &QPushButton::clicked, this, &Tbreditform::clearClick);
    connect(bt_setbrush, &QPushButton::clicked, this, [this] { emit setAsBrush(mask_); });
    for (QPushButton* b : {bt_clear, bt_setbrush}) b->installEventFilter(this);
    setFixedSize(BrushField::kSide, kButtonPanelHeight + BrushField::kSide + 1);
}

void Tbreditform::setCell(int x, int y, bool on) {
    if (!BrushMask::contains(x, y) || mask_.at(x, y) == on) return;
    mask_.set(x, y, on);
    changed();
}

void Tbreditform::clearClick() {
    mask_.clear();
    changed();
}

void Tbreditform::fieldPressed(Qt::MouseButton button, int px, int py) {
    if (px < 0 || py < 0) return;
    const int x = px / kCell, y = py / kCell;
    if (button == Qt::LeftButton)
        setCell(x, y, true);
    else if (button == Qt::RightButton)
        setCell(x, y, false);
}

void Tbreditform::changed() {
    for (int x = 0; x < kBrushSide; ++x)
        for (int y = 0; y < kBrushSide; ++y) {
            BrushCell* c = cell(x, y);
            const QSignalBlocker block(c);
            c->setChecked(mask_.at(x, y));
        }
    field_->update();
}

bool Tbreditform::forwardArrowKey(QKeyEvent* event) {
    if (!isArrowKey(event->key()) || (event->modifiers() & ~Qt::KeypadModifier)) return false;
    if (forwardKey_) forwardKey_(event->key());
    return true;
}

void Tbreditform::keyPressEvent(QKeyEvent* event) {
    if (forwardArrowKey(event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool Tbreditform::eventFilter(QObject* watched, QEvent* event) {
    // The arrow keys scroll the map rather than move between the buttons and cells.
    if (event->type() == QEvent::KeyPress && forwardArrowKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

}  // namespace d7::ui
