// The minimap: the domains of the current map, one 4 x 4 square per cell,
// with the outline of the part the map window shows, the planes of the cell
// under the pointer, a click or drag to move the map window there, and the
// arrow keys passed on to the map window.
#pragma once

#include <QImage>
#include <QLabel>
#include <QPolygonF>
#include <QStatusBar>
#include <QWidget>
#include <functional>

#include "ui/editor_context.h"

namespace d7::ui {

// The minimap's picture: 256 x 256, cell (x, y) a 4 x 4 square at (4x, 4y)
// in the domain colour of its M5 (0 black; a number beyond the colour set,
// such as 32, white).
QImage minimapImage(const EditorState& st);

class MinimapBox : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSide = 256;
    MinimapBox(EditorContext& ctx, QWidget* parent);

    // The map window's view in cell space, drawn over the domains (its
    // corners four pixels a cell); empty draws none.
    void setViewOutline(const QPolygonF& cells);
    const QPolygonF& viewOutline() const { return outline_; }

  signals:
    void pointerMoved(int px, int py);
    void clicked(int px, int py);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    EditorContext& ctx_;
    QPolygonF outline_;
};

class Tminform : public QWidget {
    Q_OBJECT
  public:
    explicit Tminform(EditorContext& ctx, QWidget* parent = nullptr);

    MinimapBox* paintBox() const { return box_; }
    QString panelText(int i) const;
    // The outline of the map window's view (see MinimapBox).
    void setViewOutline(const QPolygonF& cells) { box_->setViewOutline(cells); }
    // Repaints the picture from the current planes.
    void refresh();

    // Where a click makes the map window go, and where arrow keys go.
    void setScrollTarget(std::function<void(int x, int y)> scrollTo) {
        scrollTo_ = std::move(scrollTo);
    }
    void setKeyTarget(std::function<void(int key)> forwardKey) {
        forwardKey_ = std::move(forwardKey);
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showPointer(int px, int py);
    void clickAt(int px, int py);

    EditorContext& ctx_;
    MinimapBox* box_;
    QStatusBar* statusBar_;
    QLabel* panels_[2];
    std::function<void(int, int)> scrollTo_;
    std::function<void(int)> forwardKey_;
};

}  // namespace d7::ui
