// The frame of the small windows that show one picture: a paint box that
// reports the pointer and the mouse buttons, above a status bar of two panels.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <QWidget>
#include <functional>

class QPainter;

namespace d7::ui {

class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent);
    // What a paint draws (the box is black before it).
    void setPainter(std::function<void(QPainter&)> painter) { painter_ = std::move(painter); }

  signals:
    void pointerMoved(int px, int py);
    void pressed(int px, int py, Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    std::function<void(QPainter&)> painter_;
};

class PictureWindow : public QWidget {
    Q_OBJECT
  public:
    PictureWindow(const char* objectName, const QString& caption, QWidget* parent);

    PictureBox* paintBox() const { return box_; }
    QString panelText(int i) const;

  protected:
    void setPanelText(int i, const QString& text);

  private:
    PictureBox* box_;
    QStatusBar* statusBar_;
    QLabel* panels_[2];
};

}  // namespace d7::ui
