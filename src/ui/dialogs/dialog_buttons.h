// The OK and Cancel buttons every dialog of the editor has.
#pragma once

#include <QPushButton>

namespace d7::ui {

struct DialogButtons {
    QPushButton* ok;
    QPushButton* cancel;
};

// "OK" (the default button, objectName bt_ok) and "Cancel" (bt_cancel) as
// children of dialog; the caller places them and connects what they do.
DialogButtons makeOkCancelButtons(QWidget* dialog);

}  // namespace d7::ui
