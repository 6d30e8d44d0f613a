// The editor's state: one map set, the working planes of the current map, the
// results of the analysis pass and of pathfinding, the undo record, the edit
// history, the view settings and the graphics. Created once by the application (or by a test)
// and passed by reference; there is no global state.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/analysis/analysis_tables.h"
#include "core/model/area_buffer.h"
#include "core/model/brush_mask.h"
#include "core/model/edit_history.h"
#include "core/model/map_set.h"
#include "core/model/planes.h"
#include "core/model/ports.h"
#include "core/model/random.h"
#include "core/model/set_images.h"
#include "core/tiles/graphics.h"

namespace d7 {

// viewMode values.
inline constexpr int kMapViewMode = 0;
inline constexpr int kDomainViewMode = 1;
inline constexpr int kTraderViewMode = 2;

// How the map is shown and edited (the window layer sets these).
struct ViewState {
    int zoom = 2;  // map size: 1 = 100 %, 2 = 200 %
    // The map window shows the zoom-1 picture shrunk by 2 (50 %) or 4 (25 %);
    // 1 shows the picture as drawn. See core/edit/map_scale.h.
    int shrink = 1;
    // "Fit Map": the size is chosen again whenever the map window's size changes.
    bool fitMap = false;
    int tileScale = 1;       // tile selector size: 1 or 2
    int editType = 0;        // 0 Maptiles .. 6 Pathfinding
    int selectType = 0;      // 0 Rectangle, 1 Line
    int viewMode = 0;        // 0 map, 1 domain, 2 traders
    int selectedTrader = 0;  // 0 "All", 1..6
    int routeDisplay = 0;    // 0 routes as lines, 1 as numbers
    bool showBlacksmiths = false;

    // What "Maptiles" places: the tile selector's palette (0 Base, 1 Roads,
    // 2 Mountains, 3 Buildings) and the index chosen in it, numbered as the
    // quick-selection buttons number them.
    int tileType = 0;
    int selectedTile = 0;
    // What "Brushes" covers around the mouse.
    BrushMask brush = BrushMask::centre();
};

// The language file's name when the configuration names none.
inline constexpr const char* kDefaultLangFile = "K7.ENG";

struct EditorState : MapSet, AnalysisTables, PathState {
    // Directories and the language file name (from the configuration).
    std::string gameDir;
    std::string pl8Dir;
    std::string langFile = kDefaultLangFile;
    // The directory the current map set was loaded from: where "Save" writes.
    std::string mapSetDir;

    // The buffers of the set loaded before the current one: the next load
    // reads into them, so that loading faults in no fresh pages.
    MapSet spareMapSet;
    // The images of the current set's files as they were loaded (or last
    // saved into the directory they came from): what a recovery of unsaved
    // changes is measured against. Shared, so a copy being written out
    // elsewhere stays whole while the next set loads.
    std::shared_ptr<const SetImages> loadedImages;
    // Counts the map sets loaded.
    std::uint64_t setLoads = 0;

    int curMap = 0;
    WorkingPlanes planes;
    bool mapLoaded = false;
    std::vector<std::string> curDomainNames;  // the 17 names of the current map

    // One level of undo: the current map's image before the latest edit.
    std::vector<std::uint8_t> undoBuffer = std::vector<std::uint8_t>(kMapImageSize);
    bool undoValid = false;
    // Every map's steps, for undo and redo many steps back and forth.
    EditHistory history;

    // "Copy Area" fills the clipboard; "Paste Options" turn or mirror it into
    // the transformed buffer. Neither is saved.
    AreaBuffer clipboard;
    AreaBuffer transformed;

    // routeStale[t] for traders 1..6: the route must be recomputed before it is shown.
    std::array<bool, kTraders + 1> routeStale{false, true, true, true, true, true, true};
    // RouteCells[t]: the cells trader t walks, in travel order (index 0 unused).
    std::array<std::vector<RouteCell>, kTraders + 1> RouteCells;

    ViewState view;
    tiles::Graphics gfx;
    Random rng;
    CellSink* sink = nullptr;  // where cell writers report what to redraw; may be null
};

// Fresh editor state on the heap (it is a few hundred kilobytes).
inline std::unique_ptr<EditorState> makeEditorState() {
    return std::make_unique<EditorState>();
}

}  // namespace d7
