// "View" > the windows: every window that can be closed is shown again by an
// item named after it, below the view settings.
#include <QAction>
#include <QMenu>

#include "render/trader_window_picture.h"
#include "ui/commands/menu_commands.h"
#include "ui/editor.h"
#include "ui/windows/auxiliary_views.h"

namespace d7::ui {

namespace {

void bringUp(QWidget& w) {
    w.show();
    w.raise();
    w.activateWindow();
}

// Whether the window was shown before: a window with nothing to show yet
// (a report, a picture) is opened by its own command first.
bool shownBefore(const QWidget& w) {
    return w.testAttribute(Qt::WA_WState_ExplicitShowHide);
}

struct WindowItem {
    const char* name;
    const char* caption;
    QWidget* (*window)(Editor&);
    // Shows the window again; null: bringUp.
    void (*show)(Editor&);
    // Whether it can be shown now.
    bool (*available)(Editor&);
};

bool always(Editor&) {
    return true;
}
bool withMap(Editor& ed) {
    return ed.state().mapLoaded;
}

const WindowItem kWindowItems[] = {
    {"M_ShowMinimap", "Minimap", [](Editor& ed) -> QWidget* { return &ed.miniForm(); },
     [](Editor& ed) {
         bringUp(ed.miniForm());
         ed.miniForm().refresh();
     },
     withMap},
    {"M_ShowTileSelector", "Tile Selector",
     [](Editor& ed) -> QWidget* { return &ed.tileSelectForm(); }, nullptr, withMap},
    {"M_ShowTileViewer", "Tile Viewer", [](Editor& ed) -> QWidget* { return &ed.tileForm(); },
     nullptr, always},
    {"M_ShowBrushEditor", "Brush Editor",
     [](Editor& ed) -> QWidget* { return &ed.brushEditForm(); }, nullptr, always},
    {"M_ShowStatistics", "Statistics", [](Editor& ed) -> QWidget* { return &ed.statForm(); },
     [](Editor& ed) { ed.statForm().showWindow(false); },
     [](Editor& ed) { return shownBefore(ed.statForm()); }},
    {"M_ShowTraderoutes", "Traderoutes", [](Editor& ed) -> QWidget* { return &ed.traderForm(); },
     [](Editor& ed) {
         Ttraderform& w = ed.traderForm();
         if (!shownBefore(w)) w.showMode(render::TraderWindowMode::Routes);
         bringUp(w);
         w.redrawPicture();
     },
     withMap},
    {"M_ShowOutsideMap", "Outside Map",
     [](Editor& ed) -> QWidget* { return &ed.auxViews().vpaintform; }, nullptr,
     [](Editor& ed) { return withMap(ed) && shownBefore(ed.auxViews().vpaintform); }},
    {"M_ShowPlaneView", "Plane View",
     [](Editor& ed) -> QWidget* { return &ed.auxViews().viewform; }, nullptr,
     [](Editor& ed) { return shownBefore(ed.auxViews().viewform); }},
    {"M_ShowTestPicture", "Test Picture",
     [](Editor& ed) -> QWidget* { return &ed.auxViews().vertform; }, nullptr,
     [](Editor& ed) { return shownBefore(ed.auxViews().vertform); }},
};

}  // namespace

void connectWindowCommands(Editor& ed) {
    QMenu* view = ed.mainForm().mainMenu().menu(QStringLiteral("M_View"));
    view->addSeparator();
    for (const WindowItem& item : kWindowItems) {
        QAction* a = view->addAction(QString::fromLatin1(item.caption));
        a->setObjectName(QString::fromLatin1(item.name));
        a->setStatusTip(QStringLiteral("Shows the %1 window").arg(a->text()));
        QObject::connect(a, &QAction::triggered, &ed.mainForm(), [&ed, &item] {
            if (!item.available(ed)) return;
            if (item.show)
                item.show(ed);
            else
                bringUp(*item.window(ed));
        });
    }
    // Each item is enabled while its window can be shown.
    QObject::connect(view, &QMenu::aboutToShow, &ed.mainForm(), [&ed, view] {
        for (const WindowItem& item : kWindowItems)
            if (QAction* a = view->findChild<QAction*>(QString::fromLatin1(item.name)))
                a->setEnabled(item.available(ed));
    });
}

}  // namespace d7::ui
