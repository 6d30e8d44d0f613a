// Whatever the edits, the map picture must be what a full redraw of the same
// map draws, pixel for pixel: random sequences of every kind of edit on the
// sample game's maps, in every view, at both zooms, with and without the
// blacksmiths, each edit followed by the comparison with a fresh renderer.
// The shrunk picture the map window shows at 50 % or 25 %, kept at either
// zoom, must likewise be the fresh zoom-1 picture shrunk.
#include <gtest/gtest.h>

#include <QPoint>
#include <sstream>
#include <string>
#include <vector>

#include "core/analysis/pathfinding.h"
#include "core/edit/area_copy.h"
#include "core/edit/area_rect.h"
#include "core/edit/painting.h"
#include "core/edit/placement.h"
#include "core/edit/roads.h"
#include "core/model/game_paths.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/undo.h"
#include "core/tiles/graphics_commands.h"
#include "core/tiles/graphics_loading.h"
#include "render/map_renderer.h"
#include "render/shrunk_picture.h"
#include "support/test_paths.h"

namespace d7 {
namespace {

class EditSequence {
  public:
    EditSequence(unsigned seed, int map)
        : rng_(seed), seed_(seed), map_(map), shrink_(2 + 2 * (seed % 2)) {
        st_->gameDir = D7_SAMPLE_DIR;
        st_->pl8Dir = defaultPl8Dir(st_->gameDir);
        tiles::loadDefaultPalette(*st_);
        loadMapSet(*st_, st_->gameDir);
        selectMap(*st_, map);
        tiles::loadTilesets(st_->gfx, st_->pl8Dir, 0);
        st_->view.showBlacksmiths = true;
        st_->sink = &edited_;
        edited_.redrawMap();
    }

    bool loaded() const { return tiles::isReady(*st_); }

    // One view change now and then (as the View menu and the blacksmiths'
    // check box do, with a full redraw), a window's worth of the picture
    // drawn or not, then one edit.
    void step() {
        if (rng_.below(4) == 0) changeView();
        if (rng_.below(2) == 0) {
            const int ox = rng_.below(kGrid), oy = rng_.below(kGrid);
            edited_.windowImage(ox, oy, 1160, 900, rng_.below(2) == 0 ? shrink_ : 1);
        }
        edit();
    }

    // Empty when the edited picture is the full redraw's; else where they differ.
    std::string difference() {
        fresh_.redrawMap();
        const auto want = fresh_.pixels();
        const auto got = edited_.pixels();
        if (edited_.zoom() != fresh_.zoom()) return "the picture's zoom is not the view's";
        std::size_t differing = 0, first = want.size();
        for (std::size_t i = 0; i < want.size(); ++i) {
            if (want[i] == got[i]) continue;
            if (differing++ == 0) first = i;
        }
        if (differing == 0) return shrunkDifference();
        std::ostringstream out;
        out << differing << " pixels differ, the first at (" << first % std::size_t(fresh_.width())
            << ", " << first / std::size_t(fresh_.width()) << ")";
        return out.str();
    }

    // Empty when the shrunk picture is the fresh zoom-1 picture shrunk: as a
    // window that shows the whole map at zoom 1 shows it, and as it is kept
    // (edits at zoom 2 too leave parts of it stale).
    std::string shrunkDifference() {
        if (edited_.zoom() == 1) edited_.windowImage(0, 0, 2000, 1000, shrink_);
        const QImage& got =
            edited_.zoom() == 1 ? edited_.shrunkPicture() : edited_.shrunkPicture(shrink_);
        // The trader view makes it from the picture, at zoom 1 only.
        if (got.isNull()) return {};
        ViewState& v = st_->view;
        const int zoom = v.zoom;
        v.zoom = 1;
        fresh_.redrawMap();
        const QImage want = render::shrunkImage(fresh_.picture(), shrink_);
        v.zoom = zoom;
        if (got == want) return {};
        return "the picture shrunk by " + std::to_string(shrink_) + " differs";
    }

    std::string history() const {
        std::ostringstream out;
        out << "seed " << seed_ << ", map " << map_ << ":";
        for (const std::string& s : log_) out << "\n  " << s;
        return out.str();
    }

  private:
    int cell() { return rng_.below(kGrid); }
    // Where an edit goes: often a blacksmith's cell, which moves it to a cell
    // the edit did not touch.
    QPoint place() {
        const Acounty& county = st_->CountyTable[std::size_t(1 + rng_.below(kMaxDomain))];
        if (rng_.below(2) == 0 && county.used && inMap(county.smithPos.x, county.smithPos.y))
            return {county.smithPos.x, county.smithPos.y};
        return {cell(), cell()};
    }
    void note(std::string s) { log_.push_back(std::move(s)); }
    static std::string cellText(int x, int y) {
        return std::to_string(x) + "," + std::to_string(y);
    }
    static std::string at(int x, int y) { return " at " + cellText(x, y); }

    void changeView() {
        ViewState& v = st_->view;
        // Zoom 2 is four times the pixels to compare: one view in four.
        v.zoom = rng_.below(4) == 0 ? 2 : 1;
        v.viewMode = rng_.below(3);
        v.selectedTrader = rng_.below(kTraders + 1);
        v.routeDisplay = rng_.below(2);
        v.showBlacksmiths = rng_.below(4) != 0;
        note("view " + std::to_string(v.viewMode) + " zoom " + std::to_string(v.zoom) + " trader " +
             std::to_string(v.selectedTrader) + " routes " + std::to_string(v.routeDisplay) +
             (v.showBlacksmiths ? " blacksmiths" : ""));
        edited_.redrawMap();
    }

    CellRect rect(int most) {
        const int x = cell(), y = cell();
        return CellRect::spanning(x, y, x + rng_.below(most), y + rng_.below(most));
    }
    std::string rectText(const CellRect& r) {
        return " " + std::to_string(r.left) + "," + std::to_string(r.top) + ".." +
               std::to_string(r.right) + "," + std::to_string(r.bottom);
    }
    int domain() {
        const int d = rng_.below(kMaxDomain + 2);
        return d == kMaxDomain + 1 ? kLandWithoutDomain : d;
    }

    void edit() {
        switch (rng_.below(10)) {
            case 0:
            case 1:
            case 2:
                return placeSomething();
            case 3: {
                const QPoint p = place();
                const int x = p.x(), y = p.y(), d = domain();
                note("domain " + std::to_string(d) + at(x, y));
                paintCellDomain(*st_, x, y, d);
                return;
            }
            case 4: {
                BrushMask mask;
                for (auto& c : mask.cells) c = std::uint8_t(rng_.below(2));
                const auto fill = BrushFill(rng_.below(7));
                const QPoint p = place();
                const int x = p.x() - 2, y = p.y() - 2, d = domain();
                const bool overSea = rng_.below(2) == 0;
                note("brush fill " + std::to_string(int(fill)) + " domain " + std::to_string(d) +
                     (overSea ? " over sea" : "") + at(x, y));
                applyBrush(*st_, x, y, mask, fill, d, overSea);
                return;
            }
            case 5:
                return layRoadPath();
            case 6:
            case 7:
                return areaCommand();
            case 8:
                return paste();
            default:
                note("undo");
                undoLastEdit(*st_);
                edited_.redrawMap();  // as the map window's undo does
                return;
        }
    }

    void placeSomething() {
        static constexpr int kLastIndex[4] = {122, 83, 6, 5};
        const auto kind = TileKind(rng_.below(4));
        int tile = rng_.below(kLastIndex[int(kind)] + 1);
        if (kind == TileKind::Mountains && tile == 5) tile = kMountain3x3Index;
        const QPoint p = place();
        const int x = p.x(), y = p.y();
        note("place kind " + std::to_string(int(kind)) + " tile " + std::to_string(tile) +
             at(x, y));
        placeTile(*st_, prompt_, x, y, tile, footprintOf(kind, tile), kind);
    }

    void layRoadPath() {
        const int sx = cell(), sy = cell(), tx = cell(), ty = cell();
        const bool straight = rng_.below(2) == 0;
        note("road path from " + cellText(sx, sy) + " to " + cellText(tx, ty) +
             (straight ? " straight" : ""));
        BuildDistances(*st_, st_->RoadMoveMatrix, sx, sy, false);
        if (TraceRoad(*st_, tx, ty, straight) > 0) setRoadPath(*st_);
    }

    void areaCommand() {
        const CellRect r = rect(8);
        switch (rng_.below(6)) {
            case 0:
            case 1: {
                const auto kind = FillKind(rng_.below(3));
                note("fill " + std::to_string(int(kind)) + rectText(r));
                return fillRect(*st_, kind, r);
            }
            case 2:
                note("black" + rectText(r));
                return blackRect(*st_, r);
            case 3: {
                const int d = domain();
                note("domains " + std::to_string(d) + rectText(r));
                return setDomainRect(*st_, d, rng_.below(2) == 0, r);
            }
            case 4:
                note("remove roads" + rectText(r));
                removeRoadsRect(*st_, r);
                edited_.redrawMap();  // as the map popup does
                return;
            default: {
                const CellRect line = rng_.below(2) == 0
                                          ? CellRect{r.left, r.top, r.right, r.top}
                                          : CellRect{r.left, r.top, r.left, r.bottom};
                note("road line" + rectText(line));
                setRoadLine(*st_, line);
                return;
            }
        }
    }

    void paste() {
        const CellRect from = rect(6);
        copyArea(*st_, from);
        const int turn = rng_.below(6);
        if (turn > 0) transformArea(*st_, AreaTransform(turn));
        const AreaBuffer& area = turn > 0 ? st_->transformed : st_->clipboard;
        const int x = cell(), y = cell();
        note("paste special" + rectText(from) + " turned " + std::to_string(turn) + at(x, y));
        if (areaFits(area, x, y)) pasteSpecial(*st_, x, y, area);
    }

    std::unique_ptr<EditorState> st_ = makeEditorState();
    render::MapRenderer edited_{*st_};
    render::MapRenderer fresh_{*st_};
    ScriptedPrompt prompt_{true};
    Random rng_;
    unsigned seed_;
    int map_;
    std::vector<std::string> log_;
    int shrink_;
};

TEST(EditedPicture, AnySequenceOfEditsLeavesTheFullRedrawsPicture) {
    struct Run {
        unsigned seed;
        int map;
    };
    for (const Run run : {Run{1, 0}, Run{2, 7}, Run{3, 22}, Run{4, 41}}) {
        EditSequence edits(run.seed, run.map);
        ASSERT_TRUE(edits.loaded()) << "the sample game did not load";
        for (int i = 0; i < 12; ++i) {
            edits.step();
            const std::string difference = edits.difference();
            ASSERT_TRUE(difference.empty()) << difference << " after\n" << edits.history();
        }
    }
}

}  // namespace
}  // namespace d7
