#include "samplegen/map_builder.h"

#include "core/analysis/analyse_map.h"
#include "core/edit/borders.h"
#include "core/edit/cell_writer.h"
#include "core/edit/coast.h"
#include "core/edit/feature_codes.h"
#include "core/edit/placement.h"
#include "core/edit/random_tiles.h"
#include "core/edit/roads.h"
#include "core/edit/tile_groups.h"
#include "core/model/auxiliary_planes.h"
#include "core/model/map_access.h"

namespace d7::samplegen {

namespace {

constexpr int kGrassTile = 6;

void placeMountains(EditorState& st, Prompt& prompt, const MapPlan& plan) {
    for (const MountainPlan& m : plan.mountains) {
        const int tile = m.size == 3 ? kMountain3x3Index : m.type;
        placeTile(st, prompt, m.origin.x, m.origin.y, tile, m.size, TileKind::Mountains);
    }
}

// Castles and towns go through placement with its rules for 2 x 2
// buildings. The single-cell buildings and the fields stand on plain
// grassland, where placement comes down to one cell writer each; calling
// those directly spares an analysis pass per cell.
void placeBuildings(EditorState& st, Prompt& prompt, const MapPlan& plan) {
    const int n = plan.number;
    for (const DomainPlan& dp : plan.domains) {
        placeTile(st, prompt, dp.castle.x, dp.castle.y, building::kCastle, 2, TileKind::Buildings);
        placeTile(st, prompt, dp.town.x, dp.town.y, building::kTown, 2, TileKind::Buildings);
        for (Cell v : dp.villages)
            orCellFlags(st, n, v.x, v.y, flags::kVillage, tileset::kBase, 0, 0, feature::kVillage);
        const bool mine = dp.stoneKind == StoneKind::Mine;
        setCell(st, n, dp.stone.x, dp.stone.y,
                {.flags = flags::kBuilding,
                 .tileset = tileset::kTown,
                 .tile = mine ? resource::kMineTile : resource::kQuarryTile,
                 .code = mine ? feature::kMine : feature::kQuarry});
        setCell(st, n, dp.lumber.x, dp.lumber.y,
                {.flags = flags::kBuilding,
                 .tileset = tileset::kTown,
                 .tile = resource::kLumberTile,
                 .code = feature::kLumber});
        for (Cell f : dp.fields)
            setCell(st, n, f.x, f.y,
                    {.flags = flags::kField,
                     .tileset = tileset::kRoad,
                     .tile = kFieldTile,
                     .code = feature::kField});
    }
    AnalyseMap(st);
}

void placeMarkers(EditorState& st, const MapPlan& plan) {
    const int n = plan.number;
    for (const DomainPlan& dp : plan.domains) {
        if (dp.startPosition) setMarker(st, n, dp.startPosition, dp.castle.x + 1, dp.castle.y);
        const Cell o = dp.town;
        const Cell slots[3] = {{o.x + 1, o.y}, {o.x, o.y + 1}, {o.x + 1, o.y + 1}};
        for (int s = 0; s < 3; ++s)
            if (dp.traderSlots[std::size_t(s)])
                setMarker(st, n, dp.traderSlots[std::size_t(s)], slots[s].x, slots[s].y);
    }
    AnalyseMap(st);
}

}  // namespace

std::vector<std::string> buildMap(EditorState& st, const MapPlan& plan, std::uint64_t variantSeed) {
    const int n = plan.number;
    selectMap(st, n);
    st.rng.reseed(variantSeed);
    ScriptedPrompt prompt(false);

    // Land with its domains, and sea.
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x) {
            if (!plan.isLand(x, y)) {
                placeRandomSea(st, x, y, n);
                continue;
            }
            setCell(st, n, x, y,
                    {.flags = 0,
                     .tileset = 0,
                     .tile = kGrassTile,
                     .domain = plan.domainAt(x, y),
                     .code = 2});
            placeRandomGrass(st, x, y, n);
        }
    placeMountains(st, prompt, plan);
    placeBuildings(st, prompt, plan);
    for (Cell f : plan.forest) placeForest(st, f.x, f.y);
    for (Cell r : plan.roads) placeRoadTile(st, r.x, r.y, 0);
    recalcRoads(st);
    createCoast(st);
    fixAllBorders(st);
    placeMarkers(st, plan);
    createAllSubmaps(st);
    AnalyseMap(st);

    std::vector<std::string> messages;
    for (const auto& [caption, text] : prompt.messages) messages.push_back(caption + ": " + text);
    for (const auto& [caption, text] : prompt.questions) messages.push_back(caption + "? " + text);
    return messages;
}

}  // namespace d7::samplegen
