// The "View" menu.
#include <QAction>
#include <QMenu>

#include "core/analysis/trade_routes.h"
#include "core/edit/geometry.h"
#include "core/tiles/graphics_commands.h"
#include "ui/commands/command_guard.h"
#include "ui/commands/menu_commands.h"
#include "ui/editor.h"
#include "ui/tools/map_tool.h"

namespace d7::ui {

namespace {

constexpr int kMapView = 0;
constexpr int kDomainView = 1;
const char* const kTraderItems[] = {"M_TraderAll", "M_Trader1", "M_Trader2", "M_Trader3",
                                    "M_Trader4",   "M_Trader5", "M_Trader6"};
const char* const kSeasonItems[] = {"M_Spring", "M_Summer", "M_Autumn", "M_Winter"};

QAction* action(Editor& ed, const char* name) {
    return ed.mainForm().mainMenu().action(QString::fromLatin1(name));
}

void M_RefreshClick(Editor& ed) {
    EditorState& st = ed.state();
    markAllRoutesStale(st);
    ensureRouteCells(st, st.view.selectedTrader);
    ed.renderer().redrawMap();
}

void chooseView(Editor& ed, int mode, const char* item) {
    if (ed.state().view.viewMode == mode) return;
    for (const char* trader : kTraderItems) action(ed, trader)->setChecked(false);
    ed.renderer().setViewMode(mode);
    action(ed, item)->setChecked(true);
}

void chooseSeason(Editor& ed, int season) {
    EditorContext& ctx = ed.context();
    const bool loaded = runCommand(ctx.prompt, [&] { tiles::selectSeason(ctx.st, season); });
    // A season whose tilesets could not be read leaves the previous one shown.
    action(ed, kSeasonItems[ctx.st.gfx.season])->setChecked(true);
    if (loaded) ed.graphicsChanged();
}

void chooseBrightness(Editor& ed, bool dark) {
    if (!tiles::chooseBrightness(ed.state(), dark)) return;
    ed.graphicsChanged();
    ed.repaintViews();
}

// "Map Size" checks the item of the current zoom ("M_Zoom" and the size in
// per cent), whatever changed it.
void checkMapSize(Editor& ed) {
    const QString current = QStringLiteral("M_Zoom%1").arg(ed.state().view.zoom * 100);
    QMenu* size = ed.mainForm().mainMenu().menu(QStringLiteral("M_MapSize"));
    for (QAction* a : size->actions()) {
        if (a->isSeparator() || a->menu()) continue;
        a->setCheckable(true);
        a->setChecked(a->objectName() == current);
    }
}

}  // namespace

void changeZoom(Editor& ed, int zoom) {
    EditorState& st = ed.state();
    Tmapform& map = ed.mapForm();
    st.view.zoom = zoom;
    switch (st.view.editType) {
        case kMaptilesEdit: {
            // The tile cursor is drawn at the map's size.
            Ttileselectform& selector = ed.tileSelectForm();
            selector.select(selector.selectedIndex());
            break;
        }
        case kBrushesEdit:
            map.setBrushPreview(st.view.brush, zoom);
            break;
        case kDomainsEdit:
            if (const int row = ed.mainForm().ctybox->currentRow(); row >= 0)
                map.setDomainOverlay(listDomain(row), zoom);
            break;
        case kSelectEdit:
        case kPathEdit:
            map.clearSelection();
            break;
        default:
            break;
    }
    ed.renderer().redrawMap();
    map.repaintMap();
    checkMapSize(ed);
}

void connectViewCommands(Editor& ed) {
    auto on = [&ed](const char* name, auto handler) {
        QObject::connect(action(ed, name), &QAction::triggered, &ed.mainForm(), handler);
    };
    on("M_Refresh", [&ed] { M_RefreshClick(ed); });
    on("M_Map", [&ed] { chooseView(ed, kMapView, "M_Map"); });
    on("M_Domain", [&ed] { chooseView(ed, kDomainView, "M_Domain"); });
    on("M_Zoom100", [&ed] { changeZoom(ed, 1); });
    on("M_Zoom200", [&ed] { changeZoom(ed, 2); });
    for (int s = 0; s < 4; ++s) on(kSeasonItems[s], [&ed, s] { chooseSeason(ed, s); });
    on("M_PalBright", [&ed] { chooseBrightness(ed, false); });
    on("M_PalDark", [&ed] { chooseBrightness(ed, true); });
    checkMapSize(ed);
    QObject::connect(ed.mainForm().mainMenu().menu(QStringLiteral("M_MapSize")),
                     &QMenu::aboutToShow, &ed.mainForm(), [&ed] { checkMapSize(ed); });
}

}  // namespace d7::ui
