#include "ui/commands/switch_order_menu.h"

#include "core/analysis/town_slots.h"

namespace d7::ui {

OrderItems addOrderItems(QMenu* menu, const char* prefix) {
    static constexpr const char* kOrders[6] = {"123", "132", "213", "231", "312", "321"};
    OrderItems items{};
    for (std::size_t i = 0; i < items.size(); ++i) {
        QAction* a = menu->addAction(QString::fromLatin1(kOrders[i]));
        a->setObjectName(QString::fromLatin1(prefix) + QString::fromLatin1(kOrders[i]));
        a->setEnabled(false);  // until connectOrderItems
        items[i] = a;
        if (i == 0) menu->addSeparator();
    }
    return items;
}

OrderItems orderItemsOf(const QMenu* menu) {
    OrderItems items{};
    std::size_t n = 0;
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && n < items.size()) items[n++] = a;
    return items;
}

void relabelOrderItems(const OrderItems& items, const EditorState& st, int d) {
    const auto captions = switchOrderCaptions(ReadTownSlots(st, d));
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i]->setText(QString::fromStdString(captions[i]));
}

void connectOrderItems(const OrderItems& items, EditorContext& ctx, QObject* owner,
                       std::function<int()> domainOf) {
    for (QAction* a : items) {
        a->setEnabled(true);
        QObject::connect(a, &QAction::triggered, owner, [&ctx, a, domainOf] {
            applySwitchOrder(ctx.st, domainOf(), a->text().toStdString());
        });
    }
}

}  // namespace d7::ui
