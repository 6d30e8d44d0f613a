#include "ui/dialogs/domain_select_dialog.h"

#include "ui/name_text.h"
#include "ui/widgets/domain_list_delegate.h"

namespace d7::ui {

Tdomselectform::Tdomselectform(const EditorState& st, QWidget* parent)
    : ListChoiceDialog(QStringLiteral("dombox"), QSize(174, 169), parent), st_(st) {
    setObjectName(QStringLiteral("Tdomselectform"));
    setWindowTitle(QStringLiteral("Switch Domain"));
    dombox = list();
    // Drawn like the domain list, without the players who start there.
    dombox->setItemDelegate(new DomainListDelegate(st, false, dombox));
    dombox->setUniformItemSizes(true);
}

std::optional<int> Tdomselectform::chooseTarget(int source) {
    setWindowTitle(QStringLiteral("Switch Domain %1 to:").arg(source));
    QStringList lines;
    for (const std::string& name : st_.curDomainNames) lines << shownName(name);
    return choose(lines);
}

}  // namespace d7::ui
