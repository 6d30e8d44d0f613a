#include "ui/windows/picture_window.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace d7::ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PaintBox1"));
    setAccessibleName(QStringLiteral("Picture"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (painter_) painter_(painter);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit pointerMoved(p.x(), p.y());
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit pressed(p.x(), p.y(), event->button());
}

PictureWindow::PictureWindow(const char* objectName, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Tool), box_(new PictureBox(this)), statusBar_(new QStatusBar(this)) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(box_, 1);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        panels_[i] = new QLabel(statusBar_);
        panels_[i]->setObjectName(QStringLiteral("panel%1").arg(i));
        panels_[i]->setMinimumWidth(60);
        statusBar_->addWidget(panels_[i], i);
    }
    layout->addWidget(statusBar_);
}

QString PictureWindow::panelText(int i) const {
    return i >= 0 && i < 2 ? panels_[i]->text() : QString();
}

void PictureWindow::setPanelText(int i, const QString& text) {
    if (i >= 0 && i < 2) panels_[i]->setText(text);
}

}  // namespace d7::ui
