#include "ui/tools/map_popup.h"

#include "core/edit/area_copy.h"
#include "core/edit/area_rect.h"
#include "core/edit/geometry.h"
#include "ui/commands/command_guard.h"
#include "ui/map_editing.h"
#include "ui/tools/road_tool.h"
#include "ui/tools/trader_popup.h"
#include "ui/windows/map_window.h"

namespace d7::ui {

namespace {

constexpr int kTraderView = 2;

QAction* item(QMenu* menu, const char* name, const QString& caption, bool enabled = true) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setEnabled(enabled);
    return a;
}

// A sub-menu: the QMenu and the item that opens it carry the same name.
QMenu* subMenu(QMenu* parent, const char* name, const char* caption) {
    QMenu* m = parent->addMenu(QString::fromUtf8(caption));
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
}

// The items above the trade routes' submenus.
QMenu* buildHead(QWidget* parent) {
    auto* m = new QMenu(parent);
    m->setObjectName(QStringLiteral("PopupMenu1"));
    // The county summary is the statistics window's, which enables the item.
    item(m, "P_DomainInfo", QStringLiteral("Domain Info"), false);
    item(m, "P_InspectTile", QStringLiteral("Inspect Tile"));
    item(m, "P_SelectNone", QStringLiteral("Select None"));
    item(m, "P_Undo", QStringLiteral("Undo\tCtrl+Z"));
    return m;
}

// The road tool's and the selection's items below them.
void buildTail(QMenu* m) {
    item(m, "P_SetRoadPath", QStringLiteral("Set Road"));
    m->addSeparator();
    item(m, "P_CopyArea", QStringLiteral("Copy Area"));
    item(m, "P_PasteArea", QStringLiteral("Paste Area"));
    QMenu* fill = subMenu(m, "P_FillSelection", "Fill Selection");
    item(fill, "P_FillGrass", QStringLiteral("Random Grassland"));
    item(fill, "P_FillSea", QStringLiteral("Random Sea"));
    item(fill, "P_FillForest", QStringLiteral("Random Forest"));
    item(fill, "P_FillBlack", QStringLiteral("Black"));
    item(m, "P_SetRoadLine", QStringLiteral("Set Road"));
    QMenu* domains = subMenu(m, "P_Domains", "Domains");
    item(domains, "P_SetDomain", QStringLiteral("Set Domain"));
    item(domains, "P_SetDomainKeep", QStringLiteral("Set Domain (no overwrite)"));
    item(domains, "P_SetNomansland", QStringLiteral("Set Nomansland"));
    item(domains, "P_SetNoDomain", QStringLiteral("Set to No Domain"));
    item(m, "P_RemoveRoads", QStringLiteral("Remove Roads"));
}

}  // namespace

MapPopup::MapPopup(MapEditing& editing, QWidget* parent) : ed_(editing), menu_(buildHead(parent)) {
    // Starting positions and trade stops show in the domain list and, in
    // the trader view, on the map picture.
    traders_ = new TraderPopupItems(
        ed_.ctx(), menu_, [this] { ed_.finishEdit(ed_.st().view.viewMode == kTraderView); });
    buildTail(menu_);
    connectItems();
}

QAction* MapPopup::action(const QString& objectName) const {
    return menu_->findChild<QAction*>(objectName);
}

CellRect MapPopup::selection() const {
    const SelectionRect& r = ed_.map().selRect();
    return CellRect::spanning(r.start.x(), r.start.y(), r.end.x(), r.end.y());
}

void MapPopup::onSelection(const char* name,
                           std::function<void(EditorState&, const CellRect&)> command,
                           bool wholeMap) {
    QObject::connect(action(QString::fromLatin1(name)), &QAction::triggered, menu_,
                     [this, command = std::move(command), wholeMap] {
                         const CellRect r = selection();
                         runCommand(ed_.ctx().prompt, [&] { command(ed_.st(), r); });
                         ed_.map().clearSelection();
                         ed_.finishEdit(wholeMap);
                     });
}

void MapPopup::connectItems() {
    auto on = [this](const char* name, auto handler) {
        QObject::connect(action(QString::fromLatin1(name)), &QAction::triggered, menu_, handler);
    };
    on("P_SelectNone", [this] { ed_.map().clearSelection(); });
    on("P_InspectTile", [this] { ed_.inspectClickedCell(); });
    on("P_Undo", [this] { ed_.undo(); });
    on("P_SetRoadPath", [this] { ed_.roadTool().setRoad(); });
    on("P_PasteArea", [this] { pasteAreaClick(); });

    onSelection("P_CopyArea", copyArea);
    auto fill = [](FillKind kind) {
        return [kind](EditorState& st, const CellRect& r) { fillRect(st, kind, r); };
    };
    onSelection("P_FillGrass", fill(FillKind::Grass));
    onSelection("P_FillSea", fill(FillKind::Sea));
    onSelection("P_FillForest", fill(FillKind::Forest));
    onSelection("P_FillBlack", blackRect);
    onSelection("P_SetRoadLine", [](EditorState& st, const CellRect& r) { setRoadLine(st, r); });
    onSelection("P_RemoveRoads", removeRoadsRect, true);
    auto domain = [this](int fixed, bool overwrite) {
        // A fixed domain, or the domain list's (read when the item is chosen).
        return [this, fixed, overwrite](EditorState& st, const CellRect& r) {
            setDomainRect(st, fixed >= 0 ? fixed : ed_.selectedDomain(), overwrite, r);
        };
    };
    onSelection("P_SetDomain", domain(-1, true));
    onSelection("P_SetDomainKeep", domain(-1, false));
    onSelection("P_SetNomansland", domain(kLandWithoutDomain, false));
    onSelection("P_SetNoDomain", domain(kNoDomain, false));
}

void MapPopup::pasteAreaClick() {
    EditorState& st = ed_.st();
    const QPoint c = ed_.map().clickedCell();
    // The last column and row stay free, as they always have for this command.
    if (!pasteAreaFits(st.clipboard, c.x(), c.y())) return;
    runCommand(ed_.ctx().prompt, [&] { pasteArea(st, c.x(), c.y(), st.clipboard); });
    ed_.map().clearSelection();
    ed_.finishEdit(true);
}

void MapPopup::updateItems() {
    const EditorState& st = ed_.st();
    const Tmapform& map = ed_.map();
    const QPoint c = map.clickedCell();
    const bool onMap = inMap(c.x(), c.y());
    const int editType = st.view.editType;
    const int state = map.selState();
    const bool selecting = editType == kSelectEdit;
    const bool fixed = selecting && state == 2;
    const SelectionRect& r = map.selRect();

    auto show = [this](const char* name, bool visible) {
        action(QString::fromLatin1(name))->setVisible(visible);
    };
    const int domain = onMap ? st.planes.M5.at(c.x(), c.y()) : 0;
    show("P_DomainInfo", onMap && domain != kNoDomain && domain != kLandWithoutDomain);
    show("P_SelectNone", selecting && state > 0);
    show("P_Undo", st.history.map(st.curMap).canUndo());
    traders_->prepare(c.x(), c.y());
    show("P_SetRoadPath", editType == kRoadEdit && state == 2 && ed_.roadTool().pathLength() > 0);
    show("P_CopyArea", fixed);
    show("P_FillSelection", fixed);
    show("P_SetRoadLine", fixed && (r.start.x() == r.end.x() || r.start.y() == r.end.y()));
    show("P_PasteArea", st.clipboard.valid);
    const int listed = ed_.selectedDomain();
    show("P_Domains", fixed && listed >= 0);
    action(QStringLiteral("P_SetDomain"))
        ->setText(QStringLiteral("Set Domain to (%1)").arg(listed));
    action(QStringLiteral("P_SetDomainKeep"))
        ->setText(QStringLiteral("Set Domain to (%1) (no overwrite)").arg(listed));
    show("P_RemoveRoads", selecting && state > 0);
}

void MapPopup::open(QPoint globalPos) {
    updateItems();
    menu_->popup(globalPos);
}

}  // namespace d7::ui
