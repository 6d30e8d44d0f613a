#include "ui/commands/main_menu.h"

#include <initializer_list>

#include "ui/commands/switch_order_menu.h"

namespace d7::ui {

namespace {

// How an item starts: hidden items exist without being shown, and commands
// that are not implemented yet are disabled until their window connects them.
enum ItemFlag : unsigned {
    kEnabled = 1u << 0,
    kHidden = 1u << 1,
    kChecked = 1u << 2,
};

void applyFlags(QAction* a, unsigned flags) {
    a->setEnabled(flags & kEnabled);
    if (flags & kHidden) a->setVisible(false);
    if (flags & kChecked) {
        a->setCheckable(true);
        a->setChecked(true);
    }
}

QAction* item(QMenu* menu, const char* name, const char* caption, unsigned flags = 0,
              const char* hint = nullptr) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    if (hint) a->setStatusTip(QString::fromUtf8(hint));
    applyFlags(a, flags);
    return a;
}

// A sub-menu: the QMenu and the item that opens it carry the same name.
QMenu* subMenu(QMenu* parent, const char* name, const char* caption, unsigned flags = kEnabled,
               const char* hint = nullptr) {
    QMenu* m = parent->addMenu(QString::fromUtf8(caption));
    m->setObjectName(QString::fromLatin1(name));
    QAction* a = m->menuAction();
    a->setObjectName(QString::fromLatin1(name));
    if (hint) a->setStatusTip(QString::fromUtf8(hint));
    if (flags & kHidden) a->setVisible(false);
    return m;
}

// The caption with an Alt+letter key: its first letter that no menu before
// it took ("&File", "&View", ... "E&xtras" after "&Edit").
QString withMnemonic(const QMenuBar* bar, const QString& caption) {
    QString taken;
    for (const QAction* a : bar->actions()) {
        const QString text = a->text();
        if (const qsizetype amp = text.indexOf(QLatin1Char('&')); amp >= 0 && amp + 1 < text.size())
            taken += text.at(amp + 1).toLower();
    }
    for (qsizetype i = 0; i < caption.size(); ++i)
        if (caption.at(i).isLetter() && !taken.contains(caption.at(i).toLower()))
            return caption.left(i) + QLatin1Char('&') + caption.mid(i);
    return caption;
}

QMenu* topMenu(QMenuBar* bar, const char* name, const char* caption, bool hidden = false) {
    QMenu* m = bar->addMenu(withMnemonic(bar, QString::fromUtf8(caption)));
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    if (hidden) m->menuAction()->setVisible(false);
    return m;
}

QActionGroup* radioGroup(QObject* owner, std::initializer_list<QAction*> actions,
                         bool noneChecked = false) {
    auto* group = new QActionGroup(owner);
    // A group that may show no check mark: the trader items lose theirs when
    // the map or domain view is chosen.
    group->setExclusionPolicy(noneChecked ? QActionGroup::ExclusionPolicy::ExclusiveOptional
                                          : QActionGroup::ExclusionPolicy::Exclusive);
    for (QAction* a : actions) {
        a->setCheckable(true);
        group->addAction(a);
    }
    return group;
}

void buildFileMenu(QMenuBar* bar) {
    QMenu* m = topMenu(bar, "M_File", "File");
    item(m, "M_LoadSingleMap", "Load Single Map...", kEnabled);
    item(m, "M_SaveSingleMap", "Save Single Map..", kEnabled);
    item(m, "M_SaveSnapshot", "Save Snapshot", kEnabled);
    item(m, "M_LoadLastSnapshot", "Load Last Snapshot", kEnabled);
    item(m, "M_LoadMapset", "Load Mapset..", kEnabled);
    item(m, "M_Save", "Save", kEnabled, "Saves the map set into the directory it was loaded from")
        ->setShortcut(QKeySequence::Save);
    item(m, "M_SaveMapset", "Save Mapset...", kEnabled);
    item(m, "M_CompareMapset", "Compare with Map Set...", kEnabled,
         "Lists and outlines what changed on this map from the map set of another directory");
    item(m, "M_ResetMap", "Reset Current Map", kEnabled);
    item(m, "M_LoadPalette", "Load Palette", kEnabled | kHidden);
    item(m, "M_SaveBMP", "Save BMP", kEnabled);
    item(m, "M_ExportMapstats", "Export Mapstats", kHidden);
}

void buildViewMenu(QMenuBar* bar, QActionGroup*& viewModes, QActionGroup*& seasons,
                   QActionGroup*& palettes) {
    QMenu* m = topMenu(bar, "M_View", "View");
    item(m, "M_Refresh", "Refresh", kEnabled,
         "Redraws the map (removes artifacts, updates traderoute display)");
    QAction* map = item(m, "M_Map", "Map", kEnabled);
    QAction* domain = item(m, "M_Domain", "Domain", kEnabled);
    QMenu* traders = subMenu(m, "M_Traders", "Traders");
    QAction* all = item(traders, "M_TraderAll", "All");
    QAction* t1 = item(traders, "M_Trader1", "1");
    QAction* t2 = item(traders, "M_Trader2", "2");
    QAction* t3 = item(traders, "M_Trader3", "3");
    QAction* t4 = item(traders, "M_Trader4", "4");
    QAction* t5 = item(traders, "M_Trader5", "5");
    QAction* t6 = item(traders, "M_Trader6", "6");
    radioGroup(traders, {all, t1, t2, t3, t4, t5, t6}, true);
    QAction* lines = item(traders, "M_AsLines", "As Lines");
    QAction* numbers = item(traders, "M_AsNumbers", "As Numbers");
    radioGroup(traders, {lines, numbers});
    lines->setChecked(true);
    viewModes = radioGroup(m, {map, domain, traders->menuAction()});
    map->setChecked(true);

    QMenu* size = subMenu(m, "M_MapSize", "Map Size");
    radioGroup(
        size, {item(size, "M_Zoom25", "25%", kEnabled), item(size, "M_Zoom50", "50%", kEnabled),
               item(size, "M_Zoom100", "100%", kEnabled), item(size, "M_Zoom200", "200%", kEnabled),
               item(size, "M_ZoomFit", "Fit Map", kEnabled)});
    QMenu* tileSize = subMenu(m, "M_TilesetSize", "Tileset Size");
    item(tileSize, "M_TileScale100", "100%");
    item(tileSize, "M_TileScale200", "200%");

    QMenu* season = subMenu(m, "M_Season", "Season");
    QAction* spring = item(season, "M_Spring", "Spring", kEnabled);
    seasons = radioGroup(season, {spring, item(season, "M_Summer", "Summer", kEnabled),
                                  item(season, "M_Autumn", "Autumn", kEnabled),
                                  item(season, "M_Winter", "Winter", kEnabled)});
    spring->setChecked(true);

    QMenu* palette = subMenu(m, "M_Palette", "Palette");
    QAction* bright = item(palette, "M_PalBright", "Bright", kEnabled);
    palettes = radioGroup(palette, {bright, item(palette, "M_PalDark", "Dark", kEnabled)});
    bright->setChecked(true);
}

void buildCheckMenu(QMenuBar* bar) {
    QMenu* m = topMenu(bar, "M_Check", "Check");
    item(m, "M_CheckMap", "Check Map for errors");
    item(m, "M_CheckPathfinding", "Check Pathfinding");
    item(m, "M_CheckClipping", "Check Map for Clipping");
    item(m, "M_CheckSubmaps", "Check Submaps");
    item(m, "M_AIPreferences", "Possible AI preferences (experimental)");
    item(m, "M_ClimateZones", "Climate Zones");
    QMenu* stats = subMenu(m, "M_Statistics", "Statistics", kHidden);
    item(stats, "M_StatTraders", "Traders");
    item(stats, "M_StatTownDistances", "Town-to-Town distances (adjacent)");
    QMenu* lists = subMenu(m, "M_Lists", "Lists");
    item(lists, "M_ListCounties", "Counties", kHidden);
    item(lists, "M_ListTownvals", "Townvals", kHidden);
    item(lists, "M_ListTraders", "Traders", kHidden);
    item(lists, "M_ListAdjDoms", "Adj Doms", kHidden);
    item(lists, "M_ListRoadside", "Roadside", kHidden);
    item(lists, "M_ListBlacksmiths", "Blacksmiths", kHidden);
    item(lists, "M_ListTownDistances", "Town distances");
    item(lists, "M_ListTraderoute", "Traderoute");
    QMenu* paths = subMenu(m, "M_PathfindingViews", "Pathfinding", kHidden);
    item(paths, "M_MoveMatrix", "MoveMatrix");
    item(paths, "M_DistMatrix", "DistMatrix");
    item(paths, "M_ShrtPath", "ShrtPath");
    item(paths, "M_TownAdjroadpos", "TownAdjroadpos");
    item(paths, "M_RoadMoveMatrix", "RoadMoveMatrix");
    item(paths, "M_RDistM", "RDistM");
}

void buildTestMenu(QMenuBar* bar) {
    QMenu* m = topMenu(bar, "M_Test", "Test", true);
    item(m, "M_CreateTestmap", "Create and save Testmap");
    item(m, "M_CreateVertmap", "Create Vertmap", kHidden);
    item(m, "M_CreateVDommap", "Create VDommap", kHidden);
    item(m, "Vertmap1", "Vertmap");
    item(m, "Dommap1", "Dommap");
    item(m, "Edgemap1", "Edgemap");
    item(m, "ViewDommap1", "View Dommap", kHidden);
    item(m, "viewEdgemap1", "view Edgemap");
    item(m, "ViewDom641", "View Dom64");
    item(m, "M_NameLength", "NameLength", kEnabled);
    // These four have never done anything; they stay as they were.
    item(m, "M_TradersQ", "Traders?", kEnabled);
    item(m, "M_Route", "Route", kEnabled);
    item(m, "M_TestAIPreferences", "AI Preferences (experimental)", kEnabled | kHidden);
    item(m, "M_BorderStats", "Border Stats", kEnabled);
    item(m, "M_RecreateExtstream", "Recreate Extstream", kEnabled);
    item(m, "M_RefillExt64", "Refill Extstream 64 from Map", kEnabled);
    item(m, "M_SetHeader", "Set Header", kEnabled);
}

void buildMapHelperMenu(QMenuBar* bar) {
    QMenu* m = topMenu(bar, "M_MapHelper", "Map Helper");
    item(m, "M_Traderoutes", "Traderoutes");
    item(m, "M_CreateCliffs", "Create Cliffs");
    item(m, "M_SetBordertiles", "Set Bordertiles at Domain Edges");
    item(m, "M_RecalcRoads", "Recalculate Road connections");
    QMenu* black = subMenu(m, "M_FillBlack", "Fill Black");
    item(black, "M_FillBlackGrass", "With Grassland");
    item(black, "M_FillBlackSea", "With Sea");
    QMenu* all = subMenu(m, "M_FillAll", "Fill All");
    item(all, "M_FillAllGrass", "With Grassland");
    item(all, "M_FillAllSea", "With Sea");
    item(m, "M_SetNomansland", "Set Land without Domain to 32");
    item(m, "M_SwitchDomains", "Switch Domains...", kEnabled | kHidden);
    item(m, "M_CopyMapset", "Copy Mapset over...", kEnabled | kHidden,
         "Copies a mapset over another mapset.");
    QMenu* shift = subMenu(m, "M_ShiftMap", "Shift Map");
    item(shift, "M_ShiftXPlus", "X+");
    item(shift, "M_ShiftXMinus", "X-");
    item(shift, "M_ShiftYPlus", "Y+");
    item(shift, "M_ShiftYMinus", "Y-");
    QMenu* fromBmp = subMenu(m, "M_LandFromBMP", "Create Land and Domains from BMP");
    item(fromBmp, "ExportDomainmap64Palette1", "Export Palette for Domains");
    item(fromBmp, "M_GenerateFromBMP64", "Generate from BMP 64x64 with Domains");
    item(m, "M_GenerateFromBitmap", "Generate from Bitmap", kHidden);
    item(m, "M_GenerateFromBitmap128", "Generate from Bitmap 128", kHidden);
}

void buildExtrasMenu(QMenuBar* bar) {
    QMenu* m = topMenu(bar, "M_Extras", "Extras");
    item(m, "Palette1", "Show Palette", kHidden);
    item(m, "ileview1", "Tile View", kHidden);
    item(m, "M_CreateAllSubmaps", "Create and Set all Submaps");
    QMenu* outside =
        subMenu(m, "M_OutsideMap", "Map of Outside Lands", kEnabled,
                "Map that fills out beyond the borders of the Rhombus of the normal map.");
    item(outside, "M_OutsideCreate", "Create from Map");
    item(outside, "M_OutsideExport", "Export as Bitmap");
    item(outside, "M_OutsideImport", "Import from Bitmap");
    item(m, "M_Paintonoutside", "Paint on Outside Map");
    item(m, "M_SetOutlineFromOutside", "Set Basic Outline Map from Outside Map");
    QMenu* mask = subMenu(m, "M_MinimapMask", "Minimap Domain Mask", kEnabled,
                          "The invisible mask behind the Minimap that determines the borders.");
    item(mask, "M_MaskCreate", "Create from Map");
    item(mask, "M_MaskExport", "Export as Bitmap");
    item(mask, "M_MaskImport", "Import from Bitmap");
    item(m, "M_SetMinimapImage", "Set Minimap Image from Domain Mask");
    QMenu* view = subMenu(m, "M_ExtrasView", "View");
    item(view, "M_ViewMMDomainMask", "Minimap Domain Mask");
    item(view, "M_ViewMMImage", "Minimap Image");
}

void buildInfoMenu(QMenuBar* bar) {
    QMenu* m = topMenu(bar, "M_Info", "Info", true);
    item(m, "M_About", "About", kEnabled);
}

QMenu* buildListPopup(QWidget* owner) {
    auto* m = new QMenu(owner);
    m->setObjectName(QStringLiteral("PopupMenu1"));
    item(m, "P_ChangeName", "Change Name", kEnabled);
    QMenu* start = subMenu(m, "P_StartingPosition", "Starting Position");
    for (int p = 1; p <= 5; ++p) {
        const QByteArray name = "P_StartPos" + QByteArray::number(p);
        item(start, name.constData(), QByteArray::number(p).constData());
    }
    addOrderItems(subMenu(m, "P_SwitchTraderOrder", "Switch Trader Order", kHidden), "P_Order");
    item(m, "P_SetTownvalues", "Set Townvalues", kHidden);
    item(m, "P_SwitchDomainNr", "Switch Domain Nr...", kHidden);
    return m;
}

}  // namespace

MainMenu::MainMenu(QMenuBar* bar, QWidget* owner) : bar_(bar) {
    buildFileMenu(bar);
    buildViewMenu(bar, viewModes_, seasons_, palettes_);
    buildCheckMenu(bar);
    buildTestMenu(bar);
    buildMapHelperMenu(bar);
    buildExtrasMenu(bar);
    buildInfoMenu(bar);
    listPopup_ = buildListPopup(owner);
}

void MainMenu::renewAltLetters() {
    const QList<QAction*> top = bar_->actions();
    for (QAction* a : top) a->setText(a->text().remove(QLatin1Char('&')));
    for (QAction* a : top) {
        const QString caption = a->text();
        a->setText(QString());
        a->setText(withMnemonic(bar_, caption));
    }
}

QAction* MainMenu::action(const QString& objectName) const {
    if (QAction* a = bar_->findChild<QAction*>(objectName)) return a;
    return listPopup_->findChild<QAction*>(objectName);
}

QMenu* MainMenu::menu(const QString& objectName) const {
    if (QMenu* m = bar_->findChild<QMenu*>(objectName)) return m;
    if (listPopup_->objectName() == objectName) return listPopup_;
    return listPopup_->findChild<QMenu*>(objectName);
}

}  // namespace d7::ui
