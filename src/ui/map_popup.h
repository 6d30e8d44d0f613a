// The map window's popup menu: what it offers depends on the cell it was
// opened over (the latest clicked cell), the edit type and the selection.
// Items whose commands other windows provide are disabled until those
// windows connect them.
#pragma once

#include <QAction>
#include <QMenu>
#include <QPoint>
#include <QString>

namespace d7::ui {

class MapEditing;

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

    MapEditing& ed_;
    QMenu* menu_;
};

}  // namespace d7::ui
