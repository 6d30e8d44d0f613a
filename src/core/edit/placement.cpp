#include "core/edit/placement.h"

#include <array>

#include "core/analysis/analyse_map.h"
#include "core/edit/cell_writer.h"
#include "core/edit/feature_codes.h"
#include "core/edit/geometry.h"
#include "core/edit/objects.h"
#include "core/edit/random_tiles.h"
#include "core/edit/tile_groups.h"
#include "core/model/undo.h"

namespace d7 {

namespace {

constexpr const char* kTownCaption = "Town";
constexpr const char* kCastleCaption = "Castle";
constexpr const char* kVillageCaption = "Village";
constexpr const char* kNotOneDomain =
    "Unable to place here (Not on nomansland or multiple domains)";
constexpr const char* kNotGreen = "Unable to place here (Base field needs to be green)";
constexpr const char* kReplaceTown = "A town already exists for this domain. Replace it?";
constexpr const char* kReplaceCastle = "A castle already exists for this domain. Replace it?";

// What a road-tileset tile means when it is placed by hand; other tiles place nothing.
struct RoadTileMeaning {
    int first;
    int last;
    int flags;
    int code;
};
constexpr RoadTileMeaning kRoadTileMeanings[] = {
    {0, 29, flags::kRoad, feature::kRoad},
    {30, 37, flags::kUnpassable, feature::kForest},
    {38, 40, flags::kBorder, feature::kGrass},
    {41, 45, flags::kUnpassable | flags::kBorder, feature::kForest},
    {46, 78, flags::kRoad | flags::kBorder, feature::kRoad},
    {kFieldTile, kFieldTile, flags::kField, feature::kField},
    {81, 83, flags::kField | flags::kBorder, feature::kField},
};

constexpr std::array<Offset, 4> kBlock2x2 = {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}};

bool fits(int x, int y, int size) {
    return x >= 0 && x <= kGrid - size && y >= 0 && y <= kGrid - size;
}

// The record of domain d, or null for numbers the table does not hold.
const Acounty* countyOf(const EditorState& st, int d) {
    return d >= 0 && d < kCountyRecords ? &st.CountyTable[std::size_t(d)] : nullptr;
}

// The number an old building part carries, 0 unless it is a valid one.
int markerAt(const EditorState& st, int x, int y, int maxMarker) {
    if (!inMap(x, y)) return 0;
    const int m = st.planes.M4.at(x, y);
    return m >= 1 && m <= maxMarker ? m : 0;
}

int markedCode(int marker, int unmarkedCode) {
    return marker != 0 ? feature::kMarkerBase + marker : unmarkedCode;
}

void placeBaseTile(EditorState& st, int x, int y, int tile) {
    clearObjectCells(st, x, y);
    // Every tile from 22 up, coast included, makes the cell sea.
    if (tile < kFirstSeaTile)
        setCell(st, st.curMap, x, y,
                {.flags = 0, .tileset = tileset::kBase, .tile = tile, .code = feature::kGrass});
    else
        setCell(st, st.curMap, x, y,
                {.flags = flags::kSea,
                 .tileset = tileset::kBase,
                 .tile = tile,
                 .domain = kNoDomain,
                 .code = feature::kSea});
}

void placeRoadTileByHand(EditorState& st, int x, int y, int tile) {
    clearObjectCells(st, x, y);
    for (const RoadTileMeaning& m : kRoadTileMeanings)
        if (tile >= m.first && tile <= m.last) {
            setCell(st, st.curMap, x, y,
                    {.flags = m.flags, .tileset = tileset::kRoad, .tile = tile, .code = m.code});
            return;
        }
}

void placeMountain(EditorState& st, int x, int y, int tile, int size) {
    clearObjectCells(st, x, y);
    if (!fits(x, y, size) || tile < 0) return;
    const int w = tile < kMountain3x3Index ? 2 : 3;
    for (int j = 0; j < w; ++j)
        for (int i = 0; i < w; ++i)
            if (i != 0 || j != 0) clearObjectCells(st, x + i, y + j);
    for (int j = 0; j < w; ++j)
        for (int i = 0; i < w; ++i) {
            const int part = i + w * j;
            const bool big = w == 3;
            setCell(st, st.curMap, x + i, y + j,
                    {.flags = flags::kUnpassable,
                     .tileset = tileset::kMountain,
                     .tile = big ? kMountain3x3Tiles[std::size_t(part)]
                                 : 4 * tile + kMountain2x2PartTiles[std::size_t(part)],
                     .part = part,
                     .marker = 0,
                     .domain = kKeepDomain,
                     .code = big ? feature::kMountain3x3 : feature::kMountain2x2});
        }
}

void placeResource(EditorState& st, int x, int y, int tile, int code) {
    clearObjectCells(st, x, y);
    setCell(st, st.curMap, x, y,
            {.flags = flags::kBuilding, .tileset = tileset::kTown, .tile = tile, .code = code});
}

void placeVillage(EditorState& st, Prompt& prompt, int x, int y) {
    if (!inMap(x, y)) return;
    const int m0 = st.planes.M0.at(x, y);
    if (m0 == 0 || m0 == flags::kBorder)
        orCellFlags(st, st.curMap, x, y, flags::kVillage, tileset::kBase, 0, 0, feature::kVillage);
    else
        prompt.inform(kVillageCaption, kNotGreen);
}

// The domain of a 2 x 2 building at (x, y), or -1 (after the refusal message)
// when the block straddles domains or lies on land without domain.
int buildingDomain(EditorState& st, Prompt& prompt, int x, int y, const char* caption) {
    const int d = st.planes.M5.at(x, y);
    if (d == kLandWithoutDomain || blockDomainCount(st.planes, x, y) != 1) {
        prompt.inform(caption, kNotOneDomain);
        return -1;
    }
    return d;
}

void placeTown(EditorState& st, Prompt& prompt, int x, int y, int size) {
    if (!fits(x, y, size)) return;
    const int d = buildingDomain(st, prompt, x, y, kTownCaption);
    if (d < 0) return;
    // Trader numbers of route slots 1..3 (parts 1..3), carried over from a replaced town.
    std::array<int, 4> markers{};
    const Acounty* county = countyOf(st, d);
    if (county && county->towns == 1) {
        if (!prompt.askYesNo(kTownCaption, kReplaceTown)) return;
        const Point old = county->townPos;
        for (int part = 1; part < 4; ++part)
            markers[std::size_t(part)] =
                markerAt(st, old.x + kBlock2x2[std::size_t(part)].dx,
                         old.y + kBlock2x2[std::size_t(part)].dy, kMaxTownMarker);
        // A town that moves changes the routes of the traders it serves.
        if (old.x != x || old.y != y)
            for (int part = 1; part < 4; ++part)
                if (markers[std::size_t(part)] != 0)
                    st.routeStale[std::size_t(markers[std::size_t(part)])] = true;
        clearObjectCells(st, old.x, old.y);
    }
    for (Offset o : kBlock2x2) clearObjectCells(st, x + o.dx, y + o.dy);
    // Part 0 is the town proper; its other parts carry the trader numbers.
    for (int part = 0; part < 4; ++part) {
        const Offset o = kBlock2x2[std::size_t(part)];
        const int marker = markers[std::size_t(part)];
        setCell(st, st.curMap, x + o.dx, y + o.dy,
                {.flags = flags::kTown,
                 .tileset = tileset::kTown,
                 .tile = kTownPartTiles[std::size_t(part)],
                 .part = part,
                 .marker = marker,
                 .domain = kKeepDomain,
                 .code = markedCode(marker, feature::kTown)});
    }
}

void placeCastle(EditorState& st, Prompt& prompt, int x, int y, int size) {
    if (!fits(x, y, size)) return;
    const int d = buildingDomain(st, prompt, x, y, kCastleCaption);
    if (d < 0) return;
    // The starting position of a replaced castle moves to the new one.
    int start = 0;
    const Acounty* county = countyOf(st, d);
    if (county && county->castles == 1) {
        if (!prompt.askYesNo(kCastleCaption, kReplaceCastle)) return;
        const Point old = county->castlePos;
        start = markerAt(st, old.x + 1, old.y, kMaxCastleMarker);
        clearObjectCells(st, old.x, old.y);
    }
    for (Offset o : kBlock2x2) clearObjectCells(st, x + o.dx, y + o.dy);
    for (Offset o : kBlock2x2) placeRandomGrass(st, x + o.dx, y + o.dy, st.curMap);
    for (int part = 0; part < 4; ++part) {
        const Offset o = kBlock2x2[std::size_t(part)];
        const int marker = part == 1 ? start : 0;
        orCellFlags(st, st.curMap, x + o.dx, y + o.dy, flags::kBuilding, tileset::kBase, part,
                    marker, markedCode(marker, feature::kCastle));
    }
}

void placeBuilding(EditorState& st, Prompt& prompt, int x, int y, int tile, int size) {
    switch (tile) {
        case building::kQuarry:
            placeResource(st, x, y, resource::kQuarryTile, feature::kQuarry);
            break;
        case building::kLumber:
            placeResource(st, x, y, resource::kLumberTile, feature::kLumber);
            break;
        case building::kMine:
            placeResource(st, x, y, resource::kMineTile, feature::kMine);
            break;
        case building::kVillage:
            placeVillage(st, prompt, x, y);
            break;
        case building::kTown:
            placeTown(st, prompt, x, y, size);
            break;
        case building::kCastle:
            placeCastle(st, prompt, x, y, size);
            break;
        default:
            break;
    }
}

}  // namespace

int footprintOf(TileKind kind, int tile) {
    switch (kind) {
        case TileKind::Mountains:
            return tile >= kMountain3x3Index ? 3 : 2;
        case TileKind::Buildings:
            return tile == building::kTown || tile == building::kCastle ? 2 : 1;
        default:
            return 1;
    }
}

void placeTile(EditorState& st, Prompt& prompt, int x, int y, int tile, int size, TileKind kind) {
    pushUndo(st);
    // Anything but a mountain placed on a mountain first turns the whole
    // mountain into grassland. This leaves the domain counts the town and
    // castle rules read unchanged, so no analysis pass is needed before them.
    if (isMountain(st.planes, x, y) && kind != TileKind::Mountains)
        resetObjectCells(st, st.curMap, x, y, objectSize(st.planes, x, y));
    switch (kind) {
        case TileKind::Base:
            placeBaseTile(st, x, y, tile);
            break;
        case TileKind::Roads:
            placeRoadTileByHand(st, x, y, tile);
            break;
        case TileKind::Mountains:
            placeMountain(st, x, y, tile, size);
            break;
        case TileKind::Buildings:
            placeBuilding(st, prompt, x, y, tile, size);
            break;
    }
    AnalyseMap(st);
}

}  // namespace d7
