// The main window's picture of the current brush (`selbrushicon`): a button
// that opens the brush editor, with the mouse, with Space or through
// assistive technology.
#pragma once

#include <QAbstractButton>

#include "core/model/editor_state.h"

namespace d7::ui {

class BrushIcon : public QAbstractButton {
    Q_OBJECT
  public:
    static constexpr int kSide = 75;
    BrushIcon(const EditorState& st, QWidget* parent);
    QSize sizeHint() const override { return {kSide, kSide}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const EditorState& st_;
};

}  // namespace d7::ui
