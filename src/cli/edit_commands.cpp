// edit: scripted editing of one map or of every map of a map set, through the
// same operations the map window uses.
#include <array>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <ostream>
#include <sstream>

#include "cli/area_edit_commands.h"
#include "cli/brush_command.h"
#include "cli/commands.h"
#include "cli/game_session.h"
#include "cli/stream_prompt.h"
#include "cli/submap_edit_commands.h"
#include "cli/trader_commands.h"
#include "core/analysis/pathfinding.h"
#include "core/edit/borders.h"
#include "core/edit/cell_writer.h"
#include "core/edit/coast.h"
#include "core/edit/painting.h"
#include "core/edit/placement.h"
#include "core/edit/roads.h"
#include "core/edit/step_names.h"
#include "core/model/history_steps.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"

namespace d7::cli {

namespace {

enum class EditOp {
    Place,
    Domain,
    RecalcRoads,
    CreateCliffs,
    FixBorders,
    RoadPath,
    Area,
    Submap,
    Brush,
    Trader
};

struct EditCommand {
    EditOp op = EditOp::Place;
    std::array<int, 4> v{};  // place: X Y TILE; domain: X Y D; road-path: SX SY TX TY
    TileKind kind = TileKind::Base;
    bool straight = false;
    AreaCommand area;
    MapAction action;  // submap commands
    BrushCommand brush;
    TraderEdit trader;
    std::string step;  // the name of the history step it records
};

// The step each command records: the name of its menu item or mouse action.
struct StepName {
    const char* word;
    const char* step;
};
constexpr StepName kStepNames[] = {
    {"domain", step::kPaintDomain},
    {"recalc-roads", step::kRecalcRoads},
    {"create-cliffs", step::kCreateCliffs},
    {"fix-borders", step::kSetBordertiles},
    {"road-path", step::kSetRoad},
    {"brush", step::kBrush},
    {"paste", step::kPasteArea},
    {"paste-special", step::kPasteSpecial},
    {"fill", step::kFillSelection},
    {"domain-rect", step::kSetDomain},
    {"remove-roads", step::kRemoveRoads},
    {"road-line", step::kSetRoad},
    {"fill-map", step::kFillAll},
    {"fill-black", step::kFillBlack},
    {"land-without-domain", step::kLandWithoutDomain},
    {"shift", step::kShiftMap},
    {"create-submaps", step::kCreateAllSubmaps},
    {"outside-from-map", step::kOutsideFromMap},
    {"outline-from-outside", step::kOutlineFromOutside},
    {"mask-from-map", step::kMaskFromMap},
    {"minimap-from-mask", step::kMinimapFromMask},
    {"generate-from-bmp", step::kGenerateFromBmp},
    {"add-trader", step::kAddTraderoute},
    {"remove-trader", step::kRemoveTraderoute},
    {"set-slots", step::kTownSlots},
    {"start", step::kStartingPosition},
    {"start-at", step::kStartingPosition},
    {"switch-domain", step::kSwitchDomainNr},
};

std::string stepNameOf(const std::string& word) {
    for (const StepName& s : kStepNames)
        if (word == s.word) return s.step;
    return kUnnamedStep;
}

struct PaletteName {
    const char* name;
    TileKind kind;
    int lastIndex;  // the palette's highest index
};
// The tile selector's palettes: 18 rows of seven base tiles, 12 rows of road
// tiles, mountains 0..4 and 6, buildings 0..5.
constexpr PaletteName kPalettes[] = {{"base", TileKind::Base, 125},
                                     {"roads", TileKind::Roads, 83},
                                     {"mountains", TileKind::Mountains, kMountain3x3Index},
                                     {"buildings", TileKind::Buildings, building::kCastle}};

std::vector<std::string> splitWords(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

EditCommand parsePlace(const std::vector<std::string>& w) {
    if (w.size() != 5) throw UsageError("place needs X Y base|roads|mountains|buildings TILE");
    EditCommand c;
    c.op = EditOp::Place;
    c.v[0] = parseInt(w[1], "X", 0, kGrid - 1);
    c.v[1] = parseInt(w[2], "Y", 0, kGrid - 1);
    for (const PaletteName& p : kPalettes) {
        if (w[3] != p.name) continue;
        c.kind = p.kind;
        c.v[2] = parseInt(w[4], "TILE", 0, p.lastIndex);
        if (p.kind == TileKind::Mountains && c.v[2] == 5)
            throw UsageError("mountain TILE is 0 to 4 (2 x 2) or 6 (3 x 3), not 5");
        return c;
    }
    throw UsageError("unknown tileset '" + w[3] + "' (base, roads, mountains or buildings)");
}

EditCommand parseWords(const std::vector<std::string>& w) {
    const std::string& name = w[0];
    auto noArguments = [&](EditOp op) {
        if (w.size() != 1) throw UsageError(name + " takes no arguments");
        EditCommand c;
        c.op = op;
        return c;
    };
    if (name == "place") return parsePlace(w);
    if (name == "recalc-roads") return noArguments(EditOp::RecalcRoads);
    if (name == "create-cliffs") return noArguments(EditOp::CreateCliffs);
    if (name == "fix-borders") return noArguments(EditOp::FixBorders);
    if (name == "domain") {
        if (w.size() != 4) throw UsageError("domain needs X Y D");
        EditCommand c;
        c.op = EditOp::Domain;
        c.v[0] = parseInt(w[1], "X", 0, kGrid - 1);
        c.v[1] = parseInt(w[2], "Y", 0, kGrid - 1);
        c.v[2] = parseDomain(w[3]);
        return c;
    }
    if (name == "road-path") {
        const bool straight = w.size() == 6 && w[5] == "straight";
        if (w.size() != 5 && !straight) throw UsageError("road-path needs SX SY TX TY [straight]");
        EditCommand c;
        c.op = EditOp::RoadPath;
        const char* what[4] = {"SX", "SY", "TX", "TY"};
        for (std::size_t i = 0; i < 4; ++i) c.v[i] = parseInt(w[i + 1], what[i], 0, kGrid - 1);
        c.straight = straight;
        return c;
    }
    if (auto area = parseAreaCommand(w)) return {.op = EditOp::Area, .area = *area};
    if (auto brush = parseBrushCommand(w)) return {.op = EditOp::Brush, .brush = *brush};
    if (auto action = parseSubmapCommand(w)) {
        EditCommand c;
        c.op = EditOp::Submap;
        c.action = std::move(*action);
        return c;
    }
    if (auto trader = parseTraderEdit(w)) return {.op = EditOp::Trader, .trader = *trader};
    throw UsageError("unknown edit command '" + name + "'");
}

EditCommand parseCommand(const std::string& text) {
    const std::vector<std::string> w = splitWords(text);
    if (w.empty()) throw UsageError("empty command");
    EditCommand c = parseWords(w);
    c.step = c.op == EditOp::Place ? step::placement(c.kind, c.v[2]) : stepNameOf(w[0]);
    return c;
}

std::uint64_t parseSeed(const std::string& text) {
    std::uint64_t seed = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
    if (ec != std::errc() || ptr != text.data() + text.size())
        throw UsageError("--seed must be a non-negative number, not '" + text + "'");
    return seed;
}

// Returns false when the command was refused and said so on err (messages
// through prompt are counted by the prompt).
bool runCommand(EditorState& st, Prompt& prompt, const EditCommand& c, std::ostream& err) {
    switch (c.op) {
        case EditOp::Place:
            placeTile(st, prompt, c.v[0], c.v[1], c.v[2], footprintOf(c.kind, c.v[2]), c.kind);
            break;
        case EditOp::Domain:
            // As the "Domains" click: sea keeps its domain, and undo can take it back.
            paintCellDomain(st, c.v[0], c.v[1], c.v[2]);
            break;
        case EditOp::RecalcRoads:
            recalcRoads(st);
            break;
        case EditOp::CreateCliffs:
            createCoast(st);
            break;
        case EditOp::FixBorders:
            fixAllBorders(st);
            break;
        case EditOp::RoadPath:
            BuildDistances(st, st.RoadMoveMatrix, c.v[0], c.v[1], false);
            if (TraceRoad(st, c.v[2], c.v[3], c.straight) < 0 || st.PathLength <= 0) {
                err << "d7irir-cli edit: map " << st.curMap << ": no road path from (" << c.v[0]
                    << ", " << c.v[1] << ") to (" << c.v[2] << ", " << c.v[3] << ")\n";
                return false;
            }
            setRoadPath(st);
            break;
        case EditOp::Area:
            runAreaCommand(st, prompt, c.area);
            break;
        case EditOp::Submap:
            c.action(st);
            break;
        case EditOp::Brush: {
            const BrushCommand& b = c.brush;
            applyBrush(st, b.x - 2, b.y - 2, b.mask, b.fill, b.domain, b.overwriteSea);
            break;
        }
        case EditOp::Trader:
            return runTraderEdit(st, prompt, c.trader, err);
    }
    return true;
}

}  // namespace

int runEdit(const std::vector<std::string>& words, std::ostream&, std::ostream& err) {
    Args args(words,
              {{kPl8Option, "--map", "--seed", "--answer", "-e"}, {"--all-maps", "--keep-going"}});
    args.expectCount(2);
    const std::string& dir = args.at(0, "DIR");
    const std::string& outDir = args.at(1, "OUT");
    const bool allMaps = args.has("--all-maps");
    if (allMaps && args.has("--map")) throw UsageError("--map and --all-maps exclude each other");
    const int map = parseInt(args.value("--map").value_or("0"), "--map", 0, kMapCount - 1);
    const std::string answer = args.value("--answer").value_or("no");
    if (answer != "yes" && answer != "no") throw UsageError("--answer must be yes or no");

    // Every command is checked before anything is loaded or changed.
    std::vector<EditCommand> commands;
    for (const std::string& text : args.values("-e")) {
        try {
            commands.push_back(parseCommand(text));
        } catch (const UsageError& e) {
            throw UsageError("-e '" + text + "': " + e.what());
        }
    }
    if (commands.empty()) throw UsageError("no edit command (-e CMD)");
    const std::uint64_t seed =
        args.has("--seed")
            ? parseSeed(*args.value("--seed"))
            : std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count());

    auto st = openGameDir(dir, args);
    st->rng.reseed(seed);
    StreamPrompt prompt(err, answer == "yes");
    const bool keepGoing = args.has("--keep-going");
    for (int n = allMaps ? 0 : map; n <= (allMaps ? kMapCount - 1 : map); ++n) {
        selectMap(*st, n);
        for (const EditCommand& c : commands) {
            const int messages = prompt.messages();
            const bool done = runCommand(*st, prompt, c, err);
            // Each command is one step of the map's history (undo and redo
            // move in it and record none).
            recordStep(*st, c.step);
            if (keepGoing || (done && prompt.messages() == messages)) continue;
            err << "d7irir-cli edit: a command was refused; nothing saved (--keep-going saves "
                   "all the same)\n";
            return 1;
        }
    }
    saveMapSet(*st, outDir);
    return 0;
}

}  // namespace d7::cli
