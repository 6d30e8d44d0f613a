// The main window: the map list, the domain list of the current map, the
// editing controls, the status bar and the menus. It stays on top of the
// other windows and passes the map window's keys on to it.
#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <functional>
#include <memory>

#include "ui/commands/main_menu.h"
#include "ui/editor_context.h"
#include "ui/widgets/brush_icon.h"
#include "ui/widgets/radio_group.h"

namespace d7::ui {

class Tmapform;
class Tminform;
class Tnchform;

class Tmainform : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 278;
    static constexpr int kClientHeight = 508;

    explicit Tmainform(EditorContext& ctx, QWidget* parent = nullptr);
    ~Tmainform() override;

    // The windows created after this one that it works with.
    void attachWindows(Tmapform* mapform, Tminform* minform, Tnchform* nchform);

    MainMenu& mainMenu() { return *menu_; }

    // The controls, under their component names.
    QListWidget* mapbox;
    QListWidget* ctybox;
    RadioGroup* rd_editt;
    RadioGroup* rd_selsub;
    RadioGroup* rd_editor;
    QFrame* brushpanel;
    BrushIcon* selbrushicon;
    RadioGroup* rd_brushfill;
    RadioGroup* rd_paste;
    QCheckBox* cb_ovsea;
    QTabWidget* quickcontrol;
    QCheckBox* cb_seldist;
    QCheckBox* cb_dist;
    QCheckBox* cb_smith;
    QPushButton* bt_setroad;
    QCheckBox* cb_roadstretch;
    QStatusBar* StatusBar1;

    // Fills the map list from the map names (selection on item 0).
    void fillMapList();
    // Makes map n current and refreshes the lists and windows.
    void selectMapAndRefresh(int n);
    // Rebuilds the domain list from the current map's names; selection on item sel.
    void rebuildDomainList(int sel);
    // Gives the map window the focus and hands it the key.
    void forwardKey(int key);
    // The status bar texts for the cell under the mouse in the map window.
    void showCellInfo(int x, int y);
    QString statusPanelText(int i) const;
    int statusDomain() const { return statusDomain_; }
    bool nameDialogOpen() const { return nameDialogOpen_; }

    // The domain list's click, double-click and the lists' popup.
    void ctyboxClick();
    void ctyboxDblClick(int row);
    void openListPopup(QListWidget* list, QPoint globalPos);
    // "Change Name" for the list the popup was opened over.
    void changeNameClick();

    // Repaints the domain list (colours, names or starting positions
    // changed) and renews what assistive technology reads for each entry.
    void repaintDomainList();

    // Asked before the window closes; returning false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }

  signals:
    // The first showing: start-up loading follows.
    void firstShown();
    // The main window was closed: the program ends.
    void closed();
    // A map was made current and the windows show it.
    void mapRefreshed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls(QWidget* client);
    void buildStatusBar();
    void mapboxRowChanged(int row);
    void syncMapListSelection();
    void updatePopupItems(bool overDomainList);
    void describeDomainItems();

    EditorContext& ctx_;
    std::unique_ptr<MainMenu> menu_;
    Tmapform* mapform_ = nullptr;
    Tminform* minform_ = nullptr;
    Tnchform* nchform_ = nullptr;
    QLabel* panels_[3];
    QListWidget* popupList_ = nullptr;
    std::function<bool()> closeGuard_;
    int statusDomain_ = 0;
    bool nameDialogOpen_ = false;
    bool shownOnce_ = false;
};

}  // namespace d7::ui
