// The six items of "Switch Order" (map popup) and "Switch Trader Order"
// (domain list popup): "Current: abc" for the town's slots, then the other
// five orders of the three digits.
#pragma once

#include <QAction>
#include <QMenu>
#include <array>
#include <functional>

#include "ui/editor_context.h"

namespace d7::ui {

using OrderItems = std::array<QAction*, 6>;

// Adds the six items (objectNames prefix + "123", "132", ...) with a
// separator after the first, captioned as at the start ("123", "132", ...)
// and disabled until they are connected.
OrderItems addOrderItems(QMenu* menu, const char* prefix);

// The six items of a menu made by addOrderItems.
OrderItems orderItemsOf(const QMenu* menu);

// Captions the items for domain d's town slots.
void relabelOrderItems(const OrderItems& items, const EditorState& st, int d);

// Connects the items: choosing one gives domain domainOf()'s town that
// order (SetTownSlots), and in the trader view redraws the map.
void connectOrderItems(const OrderItems& items, EditorContext& ctx, QObject* owner,
                       std::function<int()> domainOf);

}  // namespace d7::ui
