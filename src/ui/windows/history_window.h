// The "History" window: the current map's steps in order, the present one
// selected, the steps undone greyed and the saved point marked. Choosing a
// line (click, or Enter on it) asks to go back or forward to it.
#pragma once

#include <QListWidget>
#include <QWidget>

#include "core/model/editor_state.h"

namespace d7::ui {

class Thistoryform : public QWidget {
    Q_OBJECT
  public:
    Thistoryform(const EditorState& st, QWidget* parent);

    QListWidget* list() const { return list_; }
    // Shows the current map's history again (cheap while hidden: nothing).
    void refresh();

  signals:
    // Line position was chosen: 0 the state before the first step kept,
    // k the state after step k.
    void positionChosen(int position);
    void shownChanged(bool shown);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    const EditorState& st_;
    QListWidget* list_;
};

// The text of line position of map history h.
QString historyLineText(const MapHistory& h, std::size_t position);

}  // namespace d7::ui
