// The commands of traders and starting positions in the main window's menus
// and in the popup of its domain list.
#include <QAction>

#include "core/analysis/domain_renumber.h"
#include "core/analysis/start_positions.h"
#include "core/analysis/town_slots.h"
#include "core/analysis/trade_routes.h"
#include "ui/commands/menu_commands.h"
#include "ui/commands/switch_order_menu.h"
#include "ui/editor.h"
#include "ui/name_text.h"

namespace d7::ui {

namespace {

using render::TraderWindowMode;

const char* const kTraderItems[] = {"M_TraderAll", "M_Trader1", "M_Trader2", "M_Trader3",
                                    "M_Trader4",   "M_Trader5", "M_Trader6"};
constexpr int kLinesDisplay = 0;
constexpr int kNumbersDisplay = 1;

QAction* action(Editor& ed, const char* name) {
    return ed.mainForm().mainMenu().action(QString::fromLatin1(name));
}

int selectedDomainRow(Editor& ed) {
    return ed.mainForm().ctybox->currentRow();
}

// "All" and "1" to "6": the trader view of that trader (0: all).
void chooseTrader(Editor& ed, int t) {
    EditorState& st = ed.state();
    st.view.selectedTrader = t;
    action(ed, kTraderItems[t])->setChecked(true);
    st.view.viewMode = kTraderViewMode;
    ensureRouteCells(st, t);
    ed.renderer().redrawMap();
    action(ed, "M_Traders")->setChecked(true);
}

void chooseRouteDisplay(Editor& ed, int display) {
    EditorState& st = ed.state();
    action(ed, display == kLinesDisplay ? "M_AsLines" : "M_AsNumbers")->setChecked(true);
    if (st.view.routeDisplay == display) return;
    st.view.routeDisplay = display;
    if (st.view.viewMode == kTraderViewMode && st.view.selectedTrader > 0)
        ed.renderer().redrawMap();
}

void startPositionClick(Editor& ed, int k) {
    setStartingPosition(ed.state(), ed.context().prompt, k, selectedDomainRow(ed));
    ed.mainForm().repaintDomainList();
}

void setTownvaluesClick(Editor& ed) {
    EditorState& st = ed.state();
    const int d = selectedDomainRow(ed);
    if (d < 1) {
        ed.context().prompt.inform("Towns", "Invalid County Nr!");
        return;
    }
    if (auto chosen = ed.townValuesForm().askSlots(ReadTownSlots(st, d))) {
        SetTownSlots(st, (*chosen)[0], (*chosen)[1], (*chosen)[2], d);
        ed.renderer().redrawMap();
    }
}

void switchDomainClick(Editor& ed) {
    EditorState& st = ed.state();
    const int source = selectedDomainRow(ed);
    // The popup offers the command for the domains 1..16 only.
    if (source < 1 || source > kMaxDomain) return;
    const auto target = ed.domainSelectForm().chooseTarget(source);
    if (!target || !switchDomainNumbers(st, source, *target)) return;
    QListWidget* list = ed.mainForm().ctybox;
    for (int row : {source, *target})
        if (QListWidgetItem* item = list->item(row))
            item->setText(shownName(st.curDomainNames[std::size_t(row)]));
    ed.repaintViews();
}

}  // namespace

void connectTraderCommands(Editor& ed) {
    auto on = [&ed](const char* name, auto handler) {
        QAction* a = action(ed, name);
        a->setEnabled(true);
        QObject::connect(a, &QAction::triggered, &ed.mainForm(), handler);
    };
    for (int t = 0; t <= kTraders; ++t) on(kTraderItems[t], [&ed, t] { chooseTrader(ed, t); });
    on("M_AsLines", [&ed] { chooseRouteDisplay(ed, kLinesDisplay); });
    on("M_AsNumbers", [&ed] { chooseRouteDisplay(ed, kNumbersDisplay); });
    on("M_Traderoutes", [&ed] { ed.traderForm().showMode(TraderWindowMode::Routes); });
    on("M_AIPreferences", [&ed] { ed.traderForm().showMode(TraderWindowMode::AiPreferences); });
    on("M_ClimateZones", [&ed] { ed.traderForm().showMode(TraderWindowMode::Climate); });

    for (int k = 1; k <= kStartPositions; ++k) {
        const QByteArray name = "P_StartPos" + QByteArray::number(k);
        on(name.constData(), [&ed, k] { startPositionClick(ed, k); });
    }
    const QMenu* order = ed.mainForm().mainMenu().menu(QStringLiteral("P_SwitchTraderOrder"));
    connectOrderItems(orderItemsOf(order), ed.context(), &ed.mainForm(),
                      [&ed] { return selectedDomainRow(ed); });
    on("P_SetTownvalues", [&ed] { setTownvaluesClick(ed); });
    on("P_SwitchDomainNr", [&ed] { switchDomainClick(ed); });
}

}  // namespace d7::ui
