// The transparent layer in front of the map picture that draws the area
// selection, paste and path previews. It never takes mouse input: clicks and
// moves reach the picture below it. Repainting it never redraws the map
// picture; the window only copies the picture's visible block again.
#pragma once

#include <QColor>
#include <QPolygon>
#include <QWidget>
#include <functional>

#include "ui/windows/change_outlines.h"

class QPainter;

namespace d7::ui {

class Tselectcontrol : public QWidget {
    Q_OBJECT
  public:
    // paint draws the layer's content with the layer's pen and font.
    Tselectcontrol(QWidget* parent, std::function<void(QPainter&)> paint);
    QColor penColour() const { return pen_; }

    // Outlines one cell (its diamond, in this layer's coordinates) until
    // clearMark; an empty polygon marks nothing.
    void markCell(const QPolygon& diamond);
    void clearMark();
    const QPolygon& markedCell() const { return marked_; }

    // The changed cells of a comparison, drawn under everything else; the
    // layer shows the map at size q (quarters of 100 %) with the shown
    // picture's pixel scroll at its top-left.
    void setChangeOutlines(ChangeOutlines* outlines) { changes_ = outlines; }
    void setPictureView(int q, QPoint scroll);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor pen_;
    std::function<void(QPainter&)> paint_;
    QPolygon marked_;
    ChangeOutlines* changes_ = nullptr;
    int size_ = 4;
    QPoint scroll_;
};

}  // namespace d7::ui
