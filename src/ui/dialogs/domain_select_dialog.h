// "Switch Domain": the domain list again, to choose the number a domain
// changes places with.
#pragma once

#include "core/model/editor_state.h"
#include "ui/dialogs/list_choice_dialog.h"

namespace d7::ui {

class Tdomselectform : public ListChoiceDialog {
    Q_OBJECT
  public:
    Tdomselectform(const EditorState& st, QWidget* parent = nullptr);

    QListWidget* dombox;

    // Shows the current map's domain list under the caption "Switch Domain
    // s to:"; the chosen entry (its index is the target number), or nothing.
    std::optional<int> chooseTarget(int source);

  private:
    const EditorState& st_;
};

}  // namespace d7::ui
