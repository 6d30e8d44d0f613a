// The "View" menu.
#include <QAction>
#include <QMenu>

#include "core/analysis/trade_routes.h"
#include "core/edit/geometry.h"
#include "core/tiles/graphics_commands.h"
#include "ui/commands/command_guard.h"
#include "ui/commands/menu_commands.h"
#include "ui/editor.h"

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

}  // namespace

void connectViewCommands(Editor& ed) {
    auto on = [&ed](const char* name, auto handler) {
        QObject::connect(action(ed, name), &QAction::triggered, &ed.mainForm(), handler);
    };
    on("M_Refresh", [&ed] { M_RefreshClick(ed); });
    on("M_Map", [&ed] { chooseView(ed, kMapView, "M_Map"); });
    on("M_Domain", [&ed] { chooseView(ed, kDomainView, "M_Domain"); });
    connectMapSizeCommands(ed);
    for (int s = 0; s < 4; ++s) on(kSeasonItems[s], [&ed, s] { chooseSeason(ed, s); });
    on("M_PalBright", [&ed] { chooseBrightness(ed, false); });
    on("M_PalDark", [&ed] { chooseBrightness(ed, true); });
}

}  // namespace d7::ui
