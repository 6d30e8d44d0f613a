#include "ui/dialogs/traderoute_select_dialog.h"

namespace d7::ui {

Ttrselform::Ttrselform(QWidget* parent)
    : ListChoiceDialog(QStringLiteral("trbox"), QSize(97, 64), parent) {
    setObjectName(QStringLiteral("Ttrselform"));
    setWindowTitle(QStringLiteral("Select Traderoute"));
    trbox = list();
}

std::optional<int> Ttrselform::chooseTrader(const std::vector<int>& traders) {
    QStringList lines;
    for (int t : traders) lines << QString::number(t);
    return choose(lines);
}

}  // namespace d7::ui
