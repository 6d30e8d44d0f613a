#include "ui/windows/minimap_window.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "core/tiles/overlay_colours.h"
#include "ui/accessibility.h"

namespace d7::ui {

namespace {

constexpr int kCellPixels = 4;

int cellOf(int p) {
    return std::clamp(p / kCellPixels, 0, kGrid - 1);
}

}  // namespace

QImage minimapImage(const EditorState& st) {
    QImage cells(kGrid, kGrid, QImage::Format_RGB32);
    const int set = st.gfx.colourSets.domain;
    for (int y = 0; y < kGrid; ++y) {
        auto* row = reinterpret_cast<QRgb*>(cells.scanLine(y));
        for (int x = 0; x < kGrid; ++x) {
            const int d = st.planes.M5.at(x, y);
            row[x] = d == kNoDomain ? 0xFF000000u : tiles::pixelOf(tiles::overlayColour(d, set));
        }
    }
    return cells.scaled(kGrid * kCellPixels, kGrid * kCellPixels);
}

MinimapBox::MinimapBox(EditorContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("minimapbox"));
    setAccessibleRole(this, QAccessible::Graphic);
    setAccessibleName(QStringLiteral("Minimap picture"));
    setAccessibleDescription(QStringLiteral("The domains of the map; a click moves the map there"));
    setFixedSize(kSide, kSide);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void MinimapBox::setViewOutline(const QPolygonF& cells) {
    if (cells == outline_) return;
    outline_ = cells;
    update();
}

void MinimapBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, minimapImage(ctx_.st));
    if (outline_.isEmpty()) return;
    // The view as it lies on the cells: a diamond-shaped outline, since the
    // window's edges run diagonally across the rows and columns. Dark under
    // light, to be seen on every domain colour.
    QPolygonF shown;
    for (const QPointF& c : outline_) shown << c * kCellPixels;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawPolygon(shown);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawPolygon(shown);
}

void MinimapBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit pointerMoved(p.x(), p.y());
    // Dragging moves the map window along.
    if (event->buttons() & Qt::LeftButton) emit clicked(p.x(), p.y());
}

void MinimapBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint p = event->position().toPoint();
    emit clicked(p.x(), p.y());
}

Tminform::Tminform(EditorContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      ctx_(ctx),
      box_(new MinimapBox(ctx, this)),
      statusBar_(new QStatusBar(this)) {
    setObjectName(QStringLiteral("Tminform"));
    setWindowTitle(QStringLiteral("Minimap"));
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(box_);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        panels_[i] = new QLabel(statusBar_);
        panels_[i]->setObjectName(QStringLiteral("panel%1").arg(i));
        statusBar_->addWidget(panels_[i], i == 0 ? 0 : 1);
    }
    // The window is as wide as the picture; long plane texts are cut off
    // rather than widening it.
    panels_[0]->setFixedWidth(64);
    panels_[1]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar_->setFixedHeight(20);
    layout->addWidget(statusBar_);
    setFixedSize(MinimapBox::kSide, MinimapBox::kSide + 20);
    connect(box_, &MinimapBox::pointerMoved, this, &Tminform::showPointer);
    connect(box_, &MinimapBox::clicked, this, &Tminform::clickAt);
}

QString Tminform::panelText(int i) const {
    return i >= 0 && i < 2 ? panels_[i]->text() : QString();
}

void Tminform::refresh() {
    box_->update();
}

void Tminform::showPointer(int px, int py) {
    const int x = cellOf(px), y = cellOf(py);
    panels_[0]->setText(QStringLiteral("X:%1 Y:%2").arg(x).arg(y));
    const WorkingPlanes& p = ctx_.st.planes;
    QString planes;
    for (int i = 0; i < 6; ++i) {
        if (i) planes += QLatin1Char(' ');
        planes += QStringLiteral("M%1: %2").arg(i).arg(p.cellPlane(i).at(x, y));
    }
    panels_[1]->setText(planes);
}

void Tminform::clickAt(int px, int py) {
    if (scrollTo_) scrollTo_(cellOf(px), cellOf(py));
}

void Tminform::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Up:
        case Qt::Key_Right:
        case Qt::Key_Down:
            if (forwardKey_) forwardKey_(event->key());
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace d7::ui
