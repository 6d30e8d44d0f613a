// The map window's popup menu: what it offers depends on the cell it was
// opened over (the latest clicked cell), the edit type and the selection.
// "Domain Info" is the statistics window's command, which enables it.
#pragma once

#include <QAction>
#include <QMenu>
#include <QPoint>
#include <QString>
#include <functional>

#include "core/model/area_buffer.h"
#include "core/model/editor_state.h"

namespace d7::ui {

class MapEditing;
class TraderPopupItems;

class MapPopup {
  public:
    MapPopup(MapEditing& editing, QWidget* parent);

    QMenu* menu() const { return menu_; }
    // The item or sub-menu item of that objectName (null when there is none).
    QAction* action(const QString& objectName) const;

    // Shows and hides the items for the clicked cell and the selection.
    void updateItems();
    // updateItems, then the menu at a screen position.
    void open(QPoint globalPos);

  private:
    void connectItems();
    // The fixed selection's rectangle.
    CellRect selection() const;
    // Connects an item that runs command on the selection, then clears the
    // selection and ends the edit (with a full redraw for wholeMap).
    void onSelection(const char* name, std::function<void(EditorState&, const CellRect&)> command,
                     bool wholeMap = false);
    void pasteAreaClick();

    MapEditing& ed_;
    QMenu* menu_;
    TraderPopupItems* traders_;  // "Set Starting Position" and "Traderoutes"
};

}  // namespace d7::ui
