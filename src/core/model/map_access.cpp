#include "core/model/map_access.h"

#include <algorithm>
#include <cstring>

#include "core/analysis/analyse_map.h"
#include "core/model/history_steps.h"

namespace d7 {

namespace {

struct ExtPlaneLayout {
    int offset;
    int width;
    int height;
};

constexpr ExtPlaneLayout kExtLayout[5] = {
    {kExt1Offset, kMinimapSide, kMinimapSide},
    {kExt2Offset, kMinimapSide, kMinimapSide},
    {kExt3Offset, kGrid, kGrid},
    {kExt4Offset, kGrid, kGrid},
    {kExt5Offset, kOutsideWidth, kOutsideHeight},
};

bool hasBlock(const MapSet& set, int n) {
    return mapBlock(set, n) != nullptr;
}

std::uint8_t* extRecord(EditorState& st, int n) {
    return const_cast<std::uint8_t*>(mapExtRecord(st, n));
}

const std::uint8_t* extRecord(const EditorState& st, int n) {
    return mapExtRecord(st, n);
}

void markChanged(EditorState& st, int n) {
    if (isMapNumber(n)) markMapFileChanged(st, fileOfMap(n));
}

}  // namespace

const std::uint8_t* mapBlock(const MapSet& set, int n) {
    if (!isMapNumber(n) || set.mapStore.size() < blockOffset(n) + kBlockSize) return nullptr;
    return set.mapStore.data() + blockOffset(n);
}

const std::uint8_t* mapExtRecord(const MapSet& set, int n) {
    if (!isMapNumber(n)) return nullptr;
    const Bytes& stream = set.extStreams[std::size_t(fileOfMap(n))];
    if (stream.size() < extRecordOffset(n) + kExtRecordSize) return nullptr;
    return stream.data() + extRecordOffset(n);
}

void storeBlockByte(EditorState& st, std::uint8_t value, int x, int y, int plane, int n) {
    if (plane < 0 || plane > 5 || !CellPlane::contains(x, y) || !hasBlock(st, n)) return;
    markMapStoreChanged(st);
    st.mapStore[blockOffset(n) + std::size_t(plane) * kCellCount + std::size_t(y) * kGrid + x] =
        value;
}

void storeOutlineByte(EditorState& st, std::uint8_t value, int column, int row, int n) {
    if (!OutsidePlane::contains(column, row) || !hasBlock(st, n)) return;
    markMapStoreChanged(st);
    st.mapStore[blockOffset(n) + kOutlineOffset + std::size_t(row) * kOutsideWidth + column] =
        value;
}

void extByte(EditorState& st, std::uint8_t value, int x, int y, int ext, int n) {
    if (ext < 0 || ext > 4 || !isMapNumber(n)) return;
    markChanged(st, n);
    const ExtPlaneLayout& layout = kExtLayout[ext];
    if (x < 0 || x >= layout.width || y < 0 || y >= layout.height) return;
    if (std::uint8_t* record = extRecord(st, n))
        record[layout.offset + std::size_t(y) * layout.width + x] = value;
}

void setOutsidePoint(EditorState& st, std::uint8_t value, int column, int row, int n) {
    if (!OutsidePlane::contains(column, row) || !isMapNumber(n)) return;
    markChanged(st, n);
    st.planes.Ext5.at(column, row) = value;
    extByte(st, value, column, row, kExt5, n);
    std::uint8_t outline = value > 3 ? 22 : 6;
    st.planes.Outline.at(column, row) = outline;
    storeOutlineByte(st, outline, column, row, n);
}

void clearMap(EditorState& st, int n) {
    markMapStoreChanged(st);
    if (hasBlock(st, n))
        std::fill_n(st.mapStore.begin() + std::ptrdiff_t(blockOffset(n)), kBlockSize, 0);
    if (std::uint8_t* record = extRecord(st, n)) std::fill_n(record, kExtRecordSize, 0);
}

void writeExtPlaneBack(EditorState& st, int n, int which) {
    std::uint8_t* record = extRecord(st, n);
    if (!record || (which != 0 && which != 1)) return;
    markMapFileChanged(st, fileOfMap(n));
    const MinimapPlane& plane = which == 0 ? st.planes.Ext1 : st.planes.Ext2;
    std::memcpy(record + (which == 0 ? kExt1Offset : kExt2Offset), plane.bytes.data(),
                kMinimapSize);
}

void writeOutsideBack(EditorState& st, int n) {
    for (int row = 0; row < kOutsideHeight; ++row)
        for (int column = 0; column < kOutsideWidth; ++column)
            extByte(st, st.planes.Ext5.at(column, row), column, row, kExt5, n);
}

void writeOutlineBack(EditorState& st, int n) {
    if (!hasBlock(st, n)) return;
    markMapStoreChanged(st);
    std::memcpy(st.mapStore.data() + blockOffset(n) + kOutlineOffset,
                st.planes.Outline.bytes.data(), kOutsideSize);
}

void readMapImage(const EditorState& st, int n, std::uint8_t* image) {
    std::memset(image, 0, kMapImageSize);
    if (hasBlock(st, n)) std::memcpy(image, st.mapStore.data() + blockOffset(n), kBlockSize);
    if (const std::uint8_t* record = extRecord(st, n))
        std::memcpy(image + kBlockSize, record, kExtRecordSize);
}

void reloadCurrentMap(EditorState& st) {
    const int n = st.curMap;
    if (hasBlock(st, n)) {
        const std::uint8_t* block = st.mapStore.data() + blockOffset(n);
        for (int p = 0; p < 6; ++p)
            std::memcpy(st.planes.cellPlane(p).bytes.data(), block + p * kCellCount, kCellCount);
        std::memcpy(st.planes.Outline.bytes.data(), block + kOutlineOffset, kOutsideSize);
    }
    // A map file that is empty keeps the previous map's Ext planes.
    if (const std::uint8_t* record = extRecord(st, n)) {
        std::memcpy(st.planes.Ext1.bytes.data(), record + kExt1Offset, kMinimapSize);
        std::memcpy(st.planes.Ext2.bytes.data(), record + kExt2Offset, kMinimapSize);
        std::memcpy(st.planes.Ext3.bytes.data(), record + kExt3Offset, kCellCount);
        std::memcpy(st.planes.Ext4.bytes.data(), record + kExt4Offset, kCellCount);
        std::memcpy(st.planes.Ext5.bytes.data(), record + kExt5Offset, kOutsideSize);
    }
    st.mapLoaded = true;
    AnalyseMap(st);
}

const std::string& domainNameSlot(const MapSet& set, int n, int k) {
    static const std::string kEmpty;
    std::size_t slot = std::size_t(n) * kDomainSlotsPerMap + std::size_t(k);
    return slot < set.domainNames.size() ? set.domainNames[slot] : kEmpty;
}

void selectMap(EditorState& st, int n) {
    if (!isMapNumber(n)) return;
    st.undoValid = false;
    // The history measures steps on the current map: what changed on the
    // map before is a step of its own, and the new map is measured afresh.
    const bool otherMap = st.history.baseMap != n;
    if (otherMap) recordStep(st, kUnnamedStep);
    st.curMap = n;
    if (otherMap) takeHistoryBase(st);
    st.curDomainNames.clear();
    for (int k = 0; k < kDomainListEntries; ++k) {
        st.curDomainNames.push_back(domainNameSlot(st, n, k));
        st.CountyTable[std::size_t(k)].name = st.curDomainNames.back();
    }
    // Every trade route belongs to the map before.
    std::fill(st.routeStale.begin() + 1, st.routeStale.end(), true);
    reloadCurrentMap(st);
}

}  // namespace d7
