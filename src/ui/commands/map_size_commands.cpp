// "View" > "Map Size": the four sizes and "Fit Map", the keys that step
// through them and Ctrl+wheel over the map.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <initializer_list>

#include "core/edit/geometry.h"
#include "core/edit/map_scale.h"
#include "ui/commands/menu_commands.h"
#include "ui/editor.h"
#include "ui/tools/map_tool.h"

namespace d7::ui {

namespace {

struct SizeItem {
    int size;
    const char* name;
};
constexpr SizeItem kSizeItems[] = {{kQuarterSize, "M_Zoom25"},
                                   {kHalfSize, "M_Zoom50"},
                                   {kFullSize, "M_Zoom100"},
                                   {kDoubleSize, "M_Zoom200"}};
constexpr const char* kFitItem = "M_ZoomFit";

QAction* action(Editor& ed, const char* name) {
    return ed.mainForm().mainMenu().action(QString::fromLatin1(name));
}

// The checked item: "Fit Map" while it is chosen, else the size shown.
void showCheckedSize(Editor& ed) {
    const ViewState& view = ed.state().view;
    if (view.fitMap) {
        action(ed, kFitItem)->setChecked(true);
        return;
    }
    const int q = mapSizeOf(view);
    for (const SizeItem& item : kSizeItems)
        if (item.size == q) action(ed, item.name)->setChecked(true);
}

// The previews that follow the pointer, made again at the new size.
void rebuildPreviews(Editor& ed) {
    EditorState& st = ed.state();
    Tmapform& map = ed.mapForm();
    switch (st.view.editType) {
        case kMaptilesEdit: {
            // The tile cursor is drawn at the map's size.
            Ttileselectform& selector = ed.tileSelectForm();
            selector.select(selector.selectedIndex());
            break;
        }
        case kBrushesEdit:
            map.setBrushPreview(st.view.brush, st.view.zoom);
            break;
        case kDomainsEdit:
            if (const int row = ed.mainForm().ctybox->currentRow(); row >= 0)
                map.setDomainOverlay(listDomain(row), st.view.zoom);
            break;
        case kSelectEdit:
        case kPathEdit:
            map.clearSelection();
            break;
        default:
            break;
    }
}

// The size q; the picture is drawn again when its zoom changes, and at 100 %
// and 200 % always (as choosing them always did). 50 % and 25 % show the
// shrunk pictures as they are, which no zoom change makes afresh.
void showMapSize(Editor& ed, int q) {
    EditorState& st = ed.state();
    setMapSize(st.view, q);
    rebuildPreviews(ed);
    showCheckedSize(ed);
    if (q >= kFullSize || ed.renderer().zoom() != st.view.zoom) ed.renderer().showZoom();
    ed.mapForm().repaintMap();
}

// The view origin that keeps the point of the map under window point at
// where it is.
void zoomAbout(Editor& ed, int step, QPoint at) {
    Tmapform& map = ed.mapForm();
    const int q = steppedMapSize(map.mapSize(), step);
    if (q == map.mapSize()) return;
    const CellSpacePoint p =
        shownPixelToCellSpace(at.x() + map.scrollX(), at.y() + map.scrollY(), map.mapSize());
    const Point origin = originKeepingPoint(p, at.x(), at.y(), map.mapbox()->width(), q);
    ed.state().view.fitMap = false;
    map.scrollTo(origin.x, origin.y);
    showMapSize(ed, q);
}

void fitMapToWindow(Editor& ed) {
    Tmapform& map = ed.mapForm();
    const int q = fitMapSize(map.mapbox()->width(), map.mapbox()->height());
    const bool changed = q != map.mapSize() || map.originX() != 0 || map.originY() != 0;
    ed.state().view.fitMap = true;
    if (!changed) {
        showCheckedSize(ed);
        return;
    }
    map.scrollTo(0, 0);
    showMapSize(ed, q);
}

// Keys that step the size about the middle of the window, in both windows
// the user edits from.
void addZoomKeys(Editor& ed, int step, std::initializer_list<QKeySequence> keys) {
    for (QWidget* window :
         {static_cast<QWidget*>(&ed.mainForm()), static_cast<QWidget*>(&ed.mapForm())})
        for (const QKeySequence& key : keys) {
            auto* shortcut = new QShortcut(key, window);
            QObject::connect(shortcut, &QShortcut::activated, window, [&ed, step] {
                zoomAbout(ed, step, ed.mapForm().mapbox()->rect().center());
            });
        }
}

}  // namespace

void changeZoom(Editor& ed, int zoom) {
    changeMapSize(ed, zoom == 2 ? kDoubleSize : kFullSize);
}

void changeMapSize(Editor& ed, int q) {
    if (!isMapSize(q)) return;
    ed.state().view.fitMap = false;
    showMapSize(ed, q);
}

void connectMapSizeCommands(Editor& ed) {
    for (const SizeItem& item : kSizeItems) {
        const int q = item.size;
        QObject::connect(action(ed, item.name), &QAction::triggered, &ed.mainForm(),
                         [&ed, q] { changeMapSize(ed, q); });
    }
    QObject::connect(action(ed, kFitItem), &QAction::triggered, &ed.mainForm(),
                     [&ed] { fitMapToWindow(ed); });
    Tmapform& map = ed.mapForm();
    QObject::connect(&map, &Tmapform::boxResized, &ed.mainForm(), [&ed] {
        if (ed.state().view.fitMap) fitMapToWindow(ed);
    });
    QObject::connect(&map, &Tmapform::zoomRequested, &ed.mainForm(),
                     [&ed](int step, QPoint at) { zoomAbout(ed, step, at); });
    addZoomKeys(ed, 1,
                {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    addZoomKeys(ed, -1, {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    showCheckedSize(ed);
    // Whatever changed the size (a loaded ini, a test, a command), the menu
    // checks the size shown when it opens.
    QObject::connect(ed.mainForm().mainMenu().menu(QStringLiteral("M_MapSize")),
                     &QMenu::aboutToShow, &ed.mainForm(), [&ed] { showCheckedSize(ed); });
}

}  // namespace d7::ui
