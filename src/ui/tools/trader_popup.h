// The map popup's "Set Starting Position" and "Traderoutes" submenus, built
// into the map window's popup menu, and what they do for the clicked cell.
#pragma once

#include <QMenu>
#include <QObject>
#include <array>
#include <functional>

#include "ui/commands/switch_order_menu.h"
#include "ui/editor_context.h"

namespace d7::ui {

class TraderPopupItems : public QObject {
    Q_OBJECT
  public:
    // Adds the submenus to popup. changed runs after each command (the
    // caller repaints what shows starting positions and trade stops).
    TraderPopupItems(EditorContext& ctx, QMenu* popup, std::function<void()> changed);

    // On opening the popup over cell (x, y): "Set Starting Position" shows
    // on a castle cell, "Traderoutes" on a town cell, each "Remove
    // Traderoute" item only for a trader the town serves; the hidden "Switch
    // Order" is captioned with the town's slots.
    void prepare(int x, int y);

    QMenu* p_SetStartPos;
    QMenu* p_Traderoutes;
    QMenu* p_AddTraderoute;
    QMenu* p_RemoveTraderoute;
    QMenu* p_SwitchOrder;
    std::array<QAction*, 5> startItems{};
    std::array<QAction*, 6> addItems{};
    std::array<QAction*, 6> removeItems{};
    OrderItems orderItems{};

  private:
    int cellDomain() const;

    EditorContext& ctx_;
    std::function<void()> changed_;
    int x_ = -1;
    int y_ = -1;
};

}  // namespace d7::ui
