// The main window's menu tree and the popup menu of its two lists. Every
// command is a QAction whose objectName is the command's component name
// (M_SaveSnapshot, M_Map, ...); windows look them up by that name and
// connect what they implement. Commands nobody implements yet stay disabled.
#pragma once

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QString>

namespace d7::ui {

class MainMenu {
  public:
    // Builds the menu tree into bar and the list popup as a child of owner.
    MainMenu(QMenuBar* bar, QWidget* owner);

    // The command or sub-menu item of that name (null when there is none).
    QAction* action(const QString& objectName) const;
    QMenu* menu(const QString& objectName) const;
    QMenu* listPopup() const { return listPopup_; }

    // Gives the top menus their Alt letters again, in their order on the
    // bar; called after a menu was inserted among them.
    void renewAltLetters();

    // The radio groups whose items carry the check marks.
    QActionGroup* viewModeGroup() const { return viewModes_; }
    QActionGroup* seasonGroup() const { return seasons_; }
    QActionGroup* paletteGroup() const { return palettes_; }

  private:
    QMenuBar* bar_;
    QMenu* listPopup_;
    QActionGroup* viewModes_ = nullptr;
    QActionGroup* seasons_ = nullptr;
    QActionGroup* palettes_ = nullptr;
};

}  // namespace d7::ui
