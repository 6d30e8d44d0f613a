#include "ui/dialogs/dialog_buttons.h"

namespace d7::ui {

DialogButtons makeOkCancelButtons(QWidget* dialog) {
    auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
    ok->setObjectName(QStringLiteral("bt_ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("bt_cancel"));
    cancel->setAutoDefault(false);
    return {ok, cancel};
}

}  // namespace d7::ui
