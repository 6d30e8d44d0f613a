// Every kind of step of the edit history, on a map of the sample game: the
// command, its step, then undo and redo. After the undo the whole state (the
// images, the working planes, the names, the analysis tables and the routes)
// is byte for byte the one before the command, after the redo the one after.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "core/analysis/domain_renumber.h"
#include "core/analysis/pathfinding.h"
#include "core/analysis/start_positions.h"
#include "core/analysis/town_slots.h"
#include "core/analysis/trade_routes.h"
#include "core/edit/area_copy.h"
#include "core/edit/area_rect.h"
#include "core/edit/bitmap_generators.h"
#include "core/edit/borders.h"
#include "core/edit/coast.h"
#include "core/edit/painting.h"
#include "core/edit/placement.h"
#include "core/edit/roads.h"
#include "core/edit/whole_map.h"
#include "core/model/auxiliary_planes.h"
#include "core/model/game_paths.h"
#include "core/model/history_steps.h"
#include "core/model/map_access.h"
#include "core/model/map_reset.h"
#include "core/model/map_set_io.h"
#include "core/model/map_set_maintenance.h"
#include "core/model/single_map_file.h"
#include "core/tiles/test_pictures.h"
#include "support/map_builder.h"
#include "support/test_paths.h"

namespace d7 {
namespace {

constexpr int kMap = 7;

// The state as named parts, each as bytes, so that a difference names its part.
using Parts = std::vector<std::pair<std::string, std::string>>;

template <typename T>
void putValue(std::ostringstream& out, const T& v) {
    out.write(reinterpret_cast<const char*>(&v), sizeof v);
}

// The routes are those the state gives: the editor recomputes them after an
// undo or redo, and some edits leave them to the trader view's refresh.
Parts stateOf(EditorState& st) {
    markAllRoutesStale(st);
    ensureAllRouteCells(st);
    Parts parts;
    auto bytes = [&](const std::string& name, const auto& b) {
        parts.emplace_back(name, std::string(b.begin(), b.end()));
    };
    auto names = [&](const std::string& name, const std::vector<std::string>& list) {
        std::string all;
        for (const std::string& s : list) all += s + '\n';
        parts.emplace_back(name, all);
    };
    bytes("map store", st.mapStore);
    for (int f = 1; f <= kMapFileCount; ++f)
        bytes("map file " + std::to_string(f), st.extStreams[std::size_t(f)]);
    bytes("language file", st.langStream);
    for (int p = 0; p < 6; ++p) bytes("M" + std::to_string(p), st.planes.cellPlane(p).bytes);
    bytes("Outline", st.planes.Outline.bytes);
    bytes("Ext1", st.planes.Ext1.bytes);
    bytes("Ext2", st.planes.Ext2.bytes);
    bytes("Ext3", st.planes.Ext3.bytes);
    bytes("Ext4", st.planes.Ext4.bytes);
    bytes("Ext5", st.planes.Ext5.bytes);
    names("map names", st.mapNames);
    names("domain names", st.domainNames);
    names("trader names", st.traderNames);
    names("current domain names", st.curDomainNames);
    std::ostringstream tables;
    for (const Acounty& c : st.CountyTable) {
        for (int v : {c.castles, c.towns, c.quarries, c.mines, c.lumbers, c.villages, c.fields,
                      c.greens, int(c.used)})
            putValue(tables, v);
        for (const Point& p : {c.townPos, c.castlePos, c.townRoadPos, c.smithPos})
            putValue(tables, p);
        putValue(tables, c.tradeSlot);
        tables << c.name << '\n';
    }
    parts.emplace_back("county table", tables.str());
    auto table = [&](const std::string& name, auto write) {
        std::ostringstream out;
        write(out);
        parts.emplace_back(name, out.str());
    };
    table("starting positions", [&](auto& out) { putValue(out, st.StartDomains); });
    table("trader stops", [&](auto& out) {
        for (const TraderStopList& l : st.TraderStops) putValue(out, l);
    });
    table("trader routes", [&](auto& out) {
        for (const TraderRouteRecord& r : st.TraderRoute) putValue(out, r);
    });
    table("domain adjacency", [&](auto& out) { putValue(out, st.DomainAdjacency); });
    table("move matrices", [&](auto& out) {
        putValue(out, st.MoveMatrix);
        putValue(out, st.RoadMoveMatrix);
    });
    table("route cells", [&](auto& out) {
        for (const auto& cells : st.RouteCells)
            for (const RouteCell& c : cells) putValue(out, c);
    });
    return parts;
}

void expectSame(const Parts& actual, const Parts& expected, const char* when) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_TRUE(actual[i].second == expected[i].second)
            << actual[i].first << " differs " << when;
}

// The first cell of plain grassland of the map with three such cells right
// and below it.
Point plainCell(const EditorState& st) {
    const WorkingPlanes& p = st.planes;
    for (int y = 6; y < kGrid - 6; ++y)
        for (int x = 6; x < kGrid - 6; ++x) {
            bool plain = true;
            for (int k = 0; k < 9; ++k)
                plain = plain && p.M0.at(x + k % 3, y + k / 3) == 0 &&
                        p.M1.at(x + k % 3, y + k / 3) == 0 &&
                        p.M5.at(x + k % 3, y + k / 3) == p.M5.at(x, y) && p.M5.at(x, y) >= 1 &&
                        p.M5.at(x, y) <= kMaxDomain;
            if (plain) return {x, y};
        }
    return {};
}

// The first domain with a town, and the trader that does not stop there.
int townDomain(const EditorState& st) {
    for (int d = 1; d <= kMaxDomain; ++d)
        if (st.CountyTable[std::size_t(d)].towns > 0) return d;
    return 0;
}

struct StepCase {
    const char* name;
    std::function<void(EditorState&, Prompt&, const fs::path&)> run;
};

const std::vector<StepCase>& cases() {
    using St = EditorState;
    using Pr = Prompt;
    using Dir = fs::path;
    static const std::vector<StepCase> all = {
        {"Place Town",
         [](St& st, Pr& p, const Dir&) {
             const Point c = plainCell(st);
             placeTile(st, p, c.x, c.y, building::kTown, 2, TileKind::Buildings);
         }},
        {"Place Tile",
         [](St& st, Pr& p, const Dir&) {
             placeTile(st, p, plainCell(st).x, plainCell(st).y, 40, 1, TileKind::Base);
         }},
        {"Paint Domain",
         [](St& st, Pr&, const Dir&) {
             const Point c = plainCell(st);
             paintCellDomain(st, c.x, c.y, st.planes.M5.at(c.x, c.y) % kMaxDomain + 1);
         }},
        {"Brush",
         [](St& st, Pr&, const Dir&) {
             BrushMask full;
             full.cells.fill(1);
             applyBrush(st, 20, 20, full, BrushFill::Forest, 0, false);
         }},
        {"Fill Selection",
         [](St& st, Pr&, const Dir&) {
             fillRect(st, FillKind::Sea, {10, 10, 20, 16});
         }},
        {"Black",
         [](St& st, Pr&, const Dir&) {
             blackRect(st, {30, 30, 34, 33});
         }},
        {"Set Domain",
         [](St& st, Pr&, const Dir&) {
             setDomainRect(st, 3, true, {12, 12, 30, 40});
         }},
        {"Remove Roads",
         [](St& st, Pr&, const Dir&) {
             removeRoadsRect(st, {0, 0, 63, 63});
         }},
        {"Set Road line",
         [](St& st, Pr&, const Dir&) {
             setRoadLine(st, {14, 20, 40, 20});
         }},
        {"Paste Area",
         [](St& st, Pr&, const Dir&) {
             copyArea(st, {5, 5, 15, 15});
             pasteArea(st, 30, 30, st.clipboard);
         }},
        {"Paste Special",
         [](St& st, Pr&, const Dir&) {
             copyArea(st, {20, 20, 30, 28});
             pasteSpecial(st, 8, 34, st.clipboard);
         }},
        {"Fill All", [](St& st, Pr&, const Dir&) { fillMap(st, FillKind::Sea); }},
        {"Fill Black",
         [](St& st, Pr&, const Dir&) {
             blackRect(st, {2, 2, 40, 40});
             fillBlack(st, FillKind::Grass);
         }},
        {"Set Land without Domain to 32",
         [](St& st, Pr&, const Dir&) {
             setDomainRect(st, kNoDomain, true, {10, 10, 40, 40});
             setLandWithoutDomain(st);
         }},
        {"Shift Map",
         [](St& st, Pr& p, const Dir&) { shiftMap(st, p, 5, ShiftDirection::YMinus); }},
        {"Recalculate Road connections",
         [](St& st, Pr&, const Dir&) {
             setRoadLine(st, {14, 21, 40, 21});
             recalcRoads(st);
         }},
        {"Create Cliffs",
         [](St& st, Pr&, const Dir&) {
             fillRect(st, FillKind::Sea, {20, 20, 26, 26});
             createCoast(st);
         }},
        {"Set Bordertiles",
         [](St& st, Pr&, const Dir&) {
             setDomainRect(st, 2, true, {20, 20, 26, 26});
             fixAllBorders(st);
         }},
        {"Set Road",
         [](St& st, Pr&, const Dir&) {
             const Point c = plainCell(st);
             BuildDistances(st, st.MoveMatrix, c.x, c.y, false);
             if (TraceRoad(st, c.x + 2, c.y + 2, false) >= 0) setRoadPath(st);
         }},
        {"Rename Domain", [](St& st, Pr&, const Dir&) { setDomainName(st, 2, "Longer New Name"); }},
        {"Rename Map", [](St& st, Pr&, const Dir&) { setMapName(st, "Isle"); }},
        {"Add Traderoute",
         [](St& st, Pr& p, const Dir&) {
             const int d = townDomain(st);
             for (int t = 1; t <= kTraders; ++t)
                 if (!HasTrader(st, d, t)) return AddTradeStop(st, p, d, t);
         }},
        {"Remove Traderoute",
         [](St& st, Pr& p, const Dir&) {
             const int d = townDomain(st);
             for (int t = 1; t <= kTraders; ++t)
                 if (HasTrader(st, d, t)) return RemoveTradeStop(st, p, d, t);
         }},
        {"Set Townvalues",
         [](St& st, Pr&, const Dir&) { SetTownSlots(st, 1, 2, 3, townDomain(st)); }},
        {"Starting Position",
         [](St& st, Pr& p, const Dir&) { setStartingPosition(st, p, 2, townDomain(st)); }},
        {"Switch Domain Nr", [](St& st, Pr&, const Dir&) { switchDomainNumbers(st, 1, 2); }},
        {"Reset Current Map", [](St& st, Pr& p, const Dir&) { resetCurrentMap(st, p); }},
        {"Load Single Map",
         [](St& st, Pr&, const Dir& dir) {
             selectMap(st, 3);
             saveSingleMap(st, dir / "other.map");
             selectMap(st, kMap);
             loadSingleMap(st, dir / "other.map");
         }},
        {"Create and Set all Submaps", [](St& st, Pr&, const Dir&) { createAllSubmaps(st); }},
        {"Outside Map",
         [](St& st, Pr&, const Dir&) {
             fillRect(st, FillKind::Sea, {0, 0, 30, 30});
             createOutsideMapFromMap(st);
         }},
        {"Outline",
         [](St& st, Pr&, const Dir&) {
             const std::uint8_t v = st.planes.Ext5.at(30, 60) > 3 ? 1 : 9;
             st.planes.Ext5.at(30, 60) = v;
             extByte(st, v, 30, 60, kExt5, st.curMap);
             setOutlineFromOutsideMap(st);
         }},
        {"Domain Mask",
         [](St& st, Pr&, const Dir&) {
             setDomainRect(st, 4, true, {0, 0, 30, 30});
             createDomainMaskFromMap(st);
         }},
        {"Minimap Image", [](St& st, Pr&, const Dir&) { setMinimapImageFromMask(st); }},
        {"Paint on Outside Map",
         [](St& st, Pr&, const Dir&) { clickOutsidePoint(st, 3, 3, PointerButton::Left); }},
        {"Generate from BMP",
         [](St& st, Pr&, const Dir&) {
             generateFromDomainBitmap(st, tiles::domainPalettePicture());
         }},
        // The command leaves the working Ext planes as they were until the
        // map is selected again; redo reloads them from the new file.
        {"Recreate Extstream",
         [](St& st, Pr&, const Dir&) {
             recreateExtstream(st);
             reloadCurrentMap(st);
         }},
        {"Refill Extstream 64",
         [](St& st, Pr&, const Dir&) {
             fillRect(st, FillKind::Forest, {3, 3, 9, 9});
             refillExt64(st);
             reloadCurrentMap(st);  // the codes go to the file, not the working Ext4
         }},
    };
    return all;
}

TEST(HistoryRoundTrip, EveryKindOfStepUndoesAndRedoesByteForByte) {
    const std::string sample = D7_SAMPLE_DIR;
    for (const StepCase& c : cases()) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        auto st = loadMapSetOf(sample, sample, defaultPl8Dir(sample), kDefaultLangFile);
        st->rng.reseed(11);
        ScriptedPrompt prompt(true);
        selectMap(*st, kMap);
        const Parts before = stateOf(*st);
        c.run(*st, prompt, dir.path());
        ASSERT_TRUE(recordStep(*st, c.name)) << "the command changed nothing";
        EXPECT_EQ(undoStepName(*st), c.name);
        const Parts after = stateOf(*st);

        ASSERT_TRUE(undoStep(*st));
        expectSame(stateOf(*st), before, "after the undo");
        // Back at the point the set was loaded in: nothing to save.
        EXPECT_FALSE(hasUnsavedChanges(*st));
        EXPECT_EQ(redoStepName(*st), c.name);

        ASSERT_TRUE(redoStep(*st));
        expectSame(stateOf(*st), after, "after the redo");
        EXPECT_TRUE(hasUnsavedChanges(*st));
        EXPECT_FALSE(redoStep(*st));
    }
}

}  // namespace
}  // namespace d7
