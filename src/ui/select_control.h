// The transparent layer in front of the map picture that draws the area
// selection, paste and path previews. It never takes mouse input: clicks and
// moves reach the picture below it.
#pragma once

#include <QColor>
#include <QPolygon>
#include <QWidget>

namespace d7::ui {

class Tselectcontrol : public QWidget {
    Q_OBJECT
  public:
    explicit Tselectcontrol(QWidget* parent);
    QColor penColour() const { return pen_; }

    // Outlines one cell (its diamond, in this layer's coordinates) until
    // clearMark; an empty polygon marks nothing.
    void markCell(const QPolygon& diamond);
    void clearMark();
    const QPolygon& markedCell() const { return marked_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor pen_;
    QPolygon marked_;
};

}  // namespace d7::ui
