// The brush editor: a 5 x 5 field on which the left mouse button sets cells
// and the right one clears them, "Clear", and "Set as Brush", which makes
// the field the brush of the "Brushes" edit type. From the keyboard, Tab
// reaches each cell and Space switches it; the arrow keys scroll the map.
#pragma once

#include <QAbstractButton>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>

#include "core/model/brush_mask.h"

namespace d7::ui {

class Tbreditform;

// The field: white, black grid lines, a black square for every set cell.
class BrushField : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSide = 150;
    BrushField(Tbreditform& form, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    Tbreditform& form_;
};

// One cell of the field as the keyboard and assistive technology reach it:
// a check button over the cell that draws only its focus frame (the mouse
// goes through it to the field).
class BrushCell : public QAbstractButton {
    Q_OBJECT
  public:
    BrushCell(int x, int y, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

class Tbreditform : public QWidget {
    Q_OBJECT
  public:
    explicit Tbreditform(QWidget* parent = nullptr);

    const BrushMask& mask() const { return mask_; }
    // Sets (on) or clears cell (x, y); nothing for a cell outside the field.
    void setCell(int x, int y, bool on);
    // "Clear": every cell cleared.
    void clearClick();
    // A mouse button pressed at (px, py) on the field.
    void fieldPressed(Qt::MouseButton button, int px, int py);

    QPushButton* bt_clear;
    QPushButton* bt_setbrush;
    BrushField* field() const { return field_; }
    BrushCell* cell(int x, int y) const { return cells_[std::size_t(5 * x + y)]; }

    // Where the arrow keys go (the map window).
    void setKeyTarget(std::function<void(int key)> forwardKey) {
        forwardKey_ = std::move(forwardKey);
    }

  signals:
    // "Set as Brush" with the field's cells.
    void setAsBrush(const BrushMask& mask);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool forwardArrowKey(QKeyEvent* event);
    void changed();

    BrushMask mask_;
    BrushField* field_;
    std::array<BrushCell*, kBrushSide * kBrushSide> cells_{};
    std::function<void(int)> forwardKey_;
};

}  // namespace d7::ui
