#include "core/edit/cell_writer.h"

#include "core/analysis/analyse_map.h"
#include "core/edit/feature_codes.h"
#include "core/edit/geometry.h"
#include "core/edit/random_tiles.h"
#include "core/edit/tile_groups.h"
#include "core/model/map_access.h"

namespace d7 {

namespace {

bool fitsByte(int v) {
    return v >= 0 && v <= 0xFF;
}

// Writes one byte of a map block plane through to the store and, for the
// current map, the working plane.
void putBlockByte(EditorState& st, int n, int plane, int x, int y, int value) {
    const auto v = std::uint8_t(value);
    storeBlockByte(st, v, x, y, plane, n);
    if (n == st.curMap) st.planes.cellPlane(plane).at(x, y) = v;
}

void putExtCellByte(EditorState& st, int n, int ext, int x, int y, int value) {
    const auto v = std::uint8_t(value);
    extByte(st, v, x, y, ext, n);
    if (n == st.curMap) (ext == kExt3 ? st.planes.Ext3 : st.planes.Ext4).at(x, y) = v;
}

void markChanged(EditorState& st, int n) {
    markMapFileChanged(st, fileOfMap(n));
}

CellSink* sinkFor(const EditorState& st, int n) {
    return n == st.curMap ? st.sink : nullptr;
}

}  // namespace

bool isDomainNumber(int d) {
    return (d >= 0 && d <= kMaxDomain) || d == kLandWithoutDomain;
}

std::uint8_t cellByte(const EditorState& st, int n, int plane, int x, int y) {
    if (!inMap(x, y) || plane < 0 || plane > 5) return 0;
    if (n == st.curMap) return st.planes.cellPlane(plane).at(x, y);
    if (!isMapNumber(n)) return 0;
    const std::size_t at =
        blockOffset(n) + std::size_t(plane) * kCellCount + std::size_t(y) * kGrid + std::size_t(x);
    return at < st.mapStore.size() ? st.mapStore[at] : 0;
}

void setCell(EditorState& st, int n, int x, int y, const CellContent& c) {
    if (!inMap(x, y) || !isMapNumber(n)) return;
    if (!fitsByte(c.flags) || !fitsByte(c.tileset) || !fitsByte(c.tile) || !fitsByte(c.part) ||
        !fitsByte(c.marker) || !fitsByte(c.code) ||
        !(c.domain == kKeepDomain || fitsByte(c.domain)))
        return;
    markChanged(st, n);
    putBlockByte(st, n, 0, x, y, c.flags);
    putBlockByte(st, n, 1, x, y, c.tileset);
    putBlockByte(st, n, 2, x, y, c.tile);
    putBlockByte(st, n, 3, x, y, c.part);
    putBlockByte(st, n, 4, x, y, c.marker);
    putExtCellByte(st, n, kExt4, x, y, c.code);
    if (c.domain != kKeepDomain) {
        putBlockByte(st, n, 5, x, y, c.domain);
        putExtCellByte(st, n, kExt3, x, y, c.domain);
    }
    if (CellSink* sink = sinkFor(st, n)) sink->cellChanged(x, y);
}

void orCellFlags(EditorState& st, int n, int x, int y, int bits, int tileset, int part, int marker,
                 int code) {
    if (!inMap(x, y) || !isMapNumber(n)) return;
    if (!fitsByte(bits) || !fitsByte(tileset) || !fitsByte(part) || !fitsByte(marker) ||
        !fitsByte(code))
        return;
    markChanged(st, n);
    putBlockByte(st, n, 0, x, y, cellByte(st, n, 0, x, y) | bits);
    putBlockByte(st, n, 1, x, y, tileset);
    putBlockByte(st, n, 3, x, y, part);
    putBlockByte(st, n, 4, x, y, marker);
    putExtCellByte(st, n, kExt4, x, y, code);
    if (CellSink* sink = sinkFor(st, n)) sink->buildingPieceChanged(x, y, std::uint8_t(bits));
}

void writeCellDomain(EditorState& st, int x, int y, int domain, int n, bool overwriteSea) {
    if (!inMap(x, y)) return;
    const int m0 = cellByte(st, n, 0, x, y);
    const bool sea = m0 == flags::kSea;
    if (!isMapNumber(n) || !isDomainNumber(domain) || (sea && !overwriteSea)) return;
    const bool black = m0 == 0 && cellByte(st, n, 1, x, y) == tileset::kBase &&
                       cellByte(st, n, 2, x, y) < kFirstGrassTile;
    if (black || sea) placeRandomGrass(st, x, y, n);
    markChanged(st, n);
    putBlockByte(st, n, 5, x, y, domain);
    putExtCellByte(st, n, kExt3, x, y, domain);
    if (CellSink* sink = sinkFor(st, n)) sink->cellChanged(x, y);
}

void setCellDomain(EditorState& st, int x, int y, int domain, int n, bool overwriteSea) {
    if (!inMap(x, y)) return;
    writeCellDomain(st, x, y, domain, n, overwriteSea);
    AnalyseMap(st);
}

void setMarker(EditorState& st, int n, int v, int x, int y) {
    if (!inMap(x, y) || !isMapNumber(n) || v < 0 || v > kMaxTownMarker) return;
    markChanged(st, n);
    putBlockByte(st, n, 4, x, y, v);
    if (v != 0) {
        putExtCellByte(st, n, kExt4, x, y, feature::kMarkerBase + v);
        return;
    }
    // Clearing the number: the cell gets the code placement gives an unmarked part.
    const int m0 = cellByte(st, n, 0, x, y);
    const int m1 = cellByte(st, n, 1, x, y);
    if ((m0 & flags::kBuilding) && (m1 & 0x0C) != 0x0C)
        putExtCellByte(st, n, kExt4, x, y, feature::kCastle);
    else if (m0 & flags::kTown)
        putExtCellByte(st, n, kExt4, x, y, feature::kTown);
}

}  // namespace d7
