#include "core/edit/borders.h"

#include "core/analysis/analyse_map.h"
#include "core/edit/cell_writer.h"
#include "core/edit/feature_codes.h"
#include "core/edit/geometry.h"
#include "core/edit/random_tiles.h"
#include "core/edit/tile_groups.h"

namespace d7 {

namespace {

constexpr int kBorderedGrass = 38;   // 38..40
constexpr int kBorderedForest = 41;  // 41, 42 (s = 1); 43, 44 (s = 2); 45 (s = 3)
constexpr int kBorderedRoad = 46;    // 46..78, three per road group
constexpr int kBorderedField = 81;   // 81..83
constexpr int kLastBorderedRoad = 78;

// Whether the edge towards neighbour (nx, ny) is a domain edge for cell (x, y).
bool isDomainEdge(const WorkingPlanes& p, int x, int y, int nx, int ny) {
    if (p.M0.at(nx, ny) == flags::kSea || p.M5.at(nx, ny) == p.M5.at(x, y)) return false;
    return !(isForest(p, x, y) && p.M1.at(nx, ny) == tileset::kMountain);
}

// The plain road groups in the order of their bordered tiles (46, 49, ...).
constexpr int kBorderedRoadGroups[] = {0, 4, 8, 12, 16, 20, 24, 25, 26, 27, 28};

}  // namespace

int borderSides(const WorkingPlanes& p, int x, int y) {
    if (!inMap(x, y)) return 0;
    int s = 0;
    if (x > 0 && isDomainEdge(p, x, y, x - 1, y)) s = 2;
    if (y > 0 && isDomainEdge(p, x, y, x, y - 1)) s += 1;
    return s;
}

bool canCarryBorder(const WorkingPlanes& p, int x, int y) {
    if (!inMap(x, y)) return false;
    const int m0 = p.M0.at(x, y);
    if ((m0 == 0 && p.M2.at(x, y) >= kFirstGrassTile) || m0 == flags::kBorder) return true;
    return isRoad(p, x, y) || isForest(p, x, y) || isField(p, x, y) || isCastle(p, x, y) ||
           isVillage(p, x, y);
}

int borderBase(int family, int tile) {
    if (family == 0)
        return tile >= kFirstGrassTile && tile < kFirstSeaTile ? kBorderedGrass : kNoBorderTile;
    if (family != 1) return kNoBorderTile;
    if (tile >= 0 && tile <= 23) return kBorderedRoad + 3 * (tile / 4);  // groups 0..20
    if (tile >= 24 && tile <= 27) return 64 + 3 * (tile - 24);
    if (tile == 28 || tile == 29) return 76;
    if (tile >= kForestGroup && tile <= kForestGroup + 7) return kBorderedForest;
    if (tile == kFieldTile) return kBorderedField;
    return kNoBorderTile;
}

int borderOf(int tile) {
    if (tile >= kBorderedGrass && tile <= 40) return tile - 37;
    if (tile == 41 || tile == 42) return 1;
    if (tile == 43 || tile == 44) return 2;
    if (tile == 45) return 3;
    if (tile >= kBorderedRoad && tile <= kLastBorderedRoad) return (tile - kBorderedRoad) % 3 + 1;
    if (tile >= kBorderedField && tile <= 83) return tile - 80;
    return 0;
}

int plainGroupOf(int tile) {
    if (tile >= kBorderedForest && tile <= 45) return kForestGroup;
    if (tile >= kBorderedRoad && tile <= kLastBorderedRoad)
        return kBorderedRoadGroups[(tile - kBorderedRoad) / 3];
    if (tile >= kBorderedField && tile <= 83) return kFieldTile;
    return -1;
}

void addBorder(EditorState& st, int x, int y, int s) {
    if (!inMap(x, y) || s < 1 || s > 3) return;
    const WorkingPlanes& p = st.planes;
    const int m0 = p.M0.at(x, y), m2 = p.M2.at(x, y);
    const int part = p.M3.at(x, y), marker = p.M4.at(x, y), code = p.Ext4.at(x, y);
    // One bordered tile of the road tileset; nothing when the tile has no
    // bordered variant (base kNoBorderTile).
    auto bordered = [&](int newFlags, int base, int newPart, int newMarker, int newCode) {
        if (base == kNoBorderTile) return;
        setCell(st, st.curMap, x, y,
                {.flags = newFlags,
                 .tileset = tileset::kRoad,
                 .tile = base + s - 1,
                 .part = newPart,
                 .marker = newMarker,
                 .domain = kKeepDomain,
                 .code = newCode});
    };
    switch (m0) {
        case 0:
            bordered(flags::kBorder, borderBase(0, m2), part, marker, feature::kGrass);
            break;
        case flags::kRoad:
            bordered(flags::kRoad | flags::kBorder, borderBase(1, m2), 0, 0, feature::kRoad);
            break;
        case flags::kUnpassable:
            if (p.M1.at(x, y) == tileset::kRoad) {
                // Forest has two variants for each single side (the second
                // one in a third of the cases) and one for both sides.
                const int r = st.rng.below(3) / 2;
                const int tile = s == 1 ? 41 + r : s == 2 ? 43 + r : 45;
                setCell(st, st.curMap, x, y,
                        {.flags = flags::kUnpassable | flags::kBorder,
                         .tileset = tileset::kRoad,
                         .tile = tile,
                         .domain = kKeepDomain,
                         .code = feature::kForest});
            }
            break;
        case flags::kVillage:
            bordered(flags::kVillage | flags::kBorder, borderBase(0, m2), part, marker, code);
            break;
        case flags::kField:
            bordered(flags::kField | flags::kBorder, borderBase(1, m2), 0, 0, feature::kField);
            break;
        case flags::kBuilding:
            bordered(flags::kBuilding | flags::kBorder, borderBase(0, m2), part, marker, code);
            break;
        default:
            break;
    }
}

void removeBorder(EditorState& st, int x, int y) {
    if (!inMap(x, y)) return;
    const WorkingPlanes& p = st.planes;
    const int m2 = p.M2.at(x, y);
    const int part = p.M3.at(x, y), marker = p.M4.at(x, y), code = p.Ext4.at(x, y);
    switch (p.M0.at(x, y)) {
        case flags::kBorder:
            placeRandomGrass(st, x, y, st.curMap);
            break;
        case flags::kRoad | flags::kBorder:
            if (const int g = plainGroupOf(m2); g >= 0) placeRoadTile(st, x, y, g);
            break;
        case flags::kUnpassable | flags::kBorder:
            if (p.M1.at(x, y) == tileset::kRoad) placeForest(st, x, y);
            break;
        case flags::kVillage | flags::kBorder:
        case flags::kBuilding | flags::kBorder:
            setCell(st, st.curMap, x, y,
                    {.flags = p.M0.at(x, y) & ~flags::kBorder,
                     .tileset = tileset::kBase,
                     .tile = shortPick(st.rng, tileset::kBase, kFirstGrassTile),
                     .part = part,
                     .marker = marker,
                     .domain = kKeepDomain,
                     .code = code});
            break;
        case flags::kField | flags::kBorder:
            setCell(st, st.curMap, x, y,
                    {.flags = flags::kField,
                     .tileset = tileset::kRoad,
                     .tile = kFieldTile,
                     .domain = kKeepDomain,
                     .code = feature::kField});
            break;
        default:
            break;
    }
}

void fixBorder(EditorState& st, int x, int y) {
    if (!inMap(x, y)) return;
    const int s = borderSides(st.planes, x, y);
    if (s == 0) {
        if (isBorder(st.planes, x, y)) removeBorder(st, x, y);
        return;
    }
    if (!canCarryBorder(st.planes, x, y)) return;
    if (isBorder(st.planes, x, y) && borderOf(st.planes.M2.at(x, y)) != s) removeBorder(st, x, y);
    if (!isBorder(st.planes, x, y)) addBorder(st, x, y, s);
}

void fixAllBorders(EditorState& st) {
    {
        SinkPause pause(st);
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) fixBorder(st, x, y);
    }
    AnalyseMap(st);
    if (st.sink) st.sink->mapChanged();
}

}  // namespace d7
