// "Select Traderoute": which of a full town's three traders gives up its slot.
#pragma once

#include <optional>
#include <vector>

#include "ui/dialogs/list_choice_dialog.h"

namespace d7::ui {

class Ttrselform : public ListChoiceDialog {
    Q_OBJECT
  public:
    explicit Ttrselform(QWidget* parent = nullptr);

    QListWidget* trbox;

    // Lists the trader numbers; the index of the chosen one, or nothing.
    std::optional<int> chooseTrader(const std::vector<int>& traders);
};

}  // namespace d7::ui
