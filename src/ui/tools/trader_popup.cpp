#include "ui/tools/trader_popup.h"

#include "core/analysis/start_positions.h"
#include "core/analysis/town_slots.h"
#include "core/edit/geometry.h"

namespace d7::ui {

namespace {

QMenu* subMenu(QMenu* parent, const char* name, const char* caption) {
    QMenu* m = parent->addMenu(QString::fromLatin1(caption));
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

template <std::size_t N>
void addNumbered(QMenu* menu, const char* prefix, std::array<QAction*, N>& items) {
    for (std::size_t i = 0; i < N; ++i) {
        items[i] = menu->addAction(QString::number(i + 1));
        items[i]->setObjectName(QString::fromLatin1(prefix) + QString::number(i + 1));
    }
}

}  // namespace

TraderPopupItems::TraderPopupItems(EditorContext& ctx, QMenu* popup, std::function<void()> changed)
    : QObject(popup), ctx_(ctx), changed_(std::move(changed)) {
    p_SetStartPos = subMenu(popup, "p_SetStartPos", "Set Starting Position");
    addNumbered(p_SetStartPos, "p_StartPos", startItems);
    p_Traderoutes = subMenu(popup, "p_Traderoutes", "Traderoutes");
    p_AddTraderoute = subMenu(p_Traderoutes, "p_AddTraderoute", "Add Traderoute");
    addNumbered(p_AddTraderoute, "p_AddTrader", addItems);
    p_RemoveTraderoute = subMenu(p_Traderoutes, "p_RemoveTraderoute", "Remove Traderoute");
    addNumbered(p_RemoveTraderoute, "p_RemoveTrader", removeItems);
    p_SwitchOrder = subMenu(p_Traderoutes, "p_SwitchOrder", "Switch Order");
    p_SwitchOrder->menuAction()->setVisible(false);
    orderItems = addOrderItems(p_SwitchOrder, "p_Order");

    EditorState& st = ctx_.st;
    for (std::size_t i = 0; i < startItems.size(); ++i)
        connect(startItems[i], &QAction::triggered, this, [this, &st, i] {
            setStartAt(st, x_, y_, int(i) + 1);
            if (changed_) changed_();
        });
    for (std::size_t i = 0; i < addItems.size(); ++i) {
        const int t = int(i) + 1;
        connect(addItems[i], &QAction::triggered, this, [this, &st, t] {
            AddTradeStop(st, ctx_.prompt, cellDomain(), t);
            if (changed_) changed_();
        });
        connect(removeItems[i], &QAction::triggered, this, [this, &st, t] {
            RemoveTradeStop(st, ctx_.prompt, cellDomain(), t);
            if (changed_) changed_();
        });
    }
    connectOrderItems(orderItems, ctx_, this, [this] { return cellDomain(); });
}

int TraderPopupItems::cellDomain() const {
    return inMap(x_, y_) ? ctx_.st.planes.M5.at(x_, y_) : kNoDomain;
}

void TraderPopupItems::prepare(int x, int y) {
    x_ = x;
    y_ = y;
    const EditorState& st = ctx_.st;
    const bool town = inMap(x, y) && (st.planes.M0.at(x, y) & flags::kTown);
    p_SetStartPos->menuAction()->setVisible(isCastle(st.planes, x, y));
    p_Traderoutes->menuAction()->setVisible(town);
    const int d = cellDomain();
    for (std::size_t i = 0; i < removeItems.size(); ++i)
        removeItems[i]->setVisible(town && HasTrader(st, d, int(i) + 1));
    relabelOrderItems(orderItems, st, d);
}

}  // namespace d7::ui
