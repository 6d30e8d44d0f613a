#include "core/model/map_set_diff.h"

#include <algorithm>
#include <cstring>

#include "core/model/map_access.h"

namespace d7 {

namespace {

// Stands in for a block or Ext record that a buffer does not hold.
const std::uint8_t* zeroBytes() {
    static const std::array<std::uint8_t, std::max(kBlockSize, kExtRecordSize)> kZero{};
    return kZero.data();
}

int countChanged(const std::uint8_t* a, const std::uint8_t* b, std::size_t size) {
    int n = 0;
    for (std::size_t i = 0; i < size; ++i) n += a[i] != b[i];
    return n;
}

const std::string& item(const std::vector<std::string>& list, std::size_t i) {
    static const std::string kEmpty;
    return i < list.size() ? list[i] : kEmpty;
}

void noteName(std::vector<NameChange>& out, NameChange::Kind kind, int index,
              const std::string& before, const std::string& after) {
    if (before != after) out.push_back({kind, index, before, after});
}

void compareCells(const std::uint8_t* a, const std::uint8_t* b, std::vector<CellChange>& out) {
    if (std::memcmp(a, b, 6 * kCellCount) == 0) return;
    for (int i = 0; i < kCellCount; ++i) {
        CellChange c;
        for (int p = 0; p < 6; ++p) {
            c.before[std::size_t(p)] = a[p * kCellCount + i];
            c.after[std::size_t(p)] = b[p * kCellCount + i];
            if (c.before[std::size_t(p)] != c.after[std::size_t(p)]) c.changed |= 1 << p;
        }
        if (!c.changed) continue;
        c.x = std::uint8_t(i % kGrid);
        c.y = std::uint8_t(i / kGrid);
        out.push_back(c);
    }
}

}  // namespace

bool MapDiff::empty() const {
    return cells.empty() && names.empty() &&
           std::all_of(auxBytes.begin(), auxBytes.end(), [](int n) { return n == 0; });
}

MapDiff compareMap(const MapSet& before, const MapSet& after, int n) {
    MapDiff d;
    d.map = n;
    d.name = item(after.mapNames, std::size_t(n));

    const std::uint8_t* blockA = mapBlock(before, n);
    const std::uint8_t* blockB = mapBlock(after, n);
    blockA = blockA ? blockA : zeroBytes();
    blockB = blockB ? blockB : zeroBytes();
    compareCells(blockA, blockB, d.cells);
    d.auxBytes[kAuxOutline] =
        countChanged(blockA + kOutlineOffset, blockB + kOutlineOffset, kOutsideSize);

    const std::uint8_t* recordA = mapExtRecord(before, n);
    const std::uint8_t* recordB = mapExtRecord(after, n);
    recordA = recordA ? recordA : zeroBytes();
    recordB = recordB ? recordB : zeroBytes();
    constexpr std::pair<int, int> kExtPlanes[] = {{kExt1Offset, kMinimapSize},
                                                  {kExt2Offset, kMinimapSize},
                                                  {kExt3Offset, kCellCount},
                                                  {kExt4Offset, kCellCount},
                                                  {kExt5Offset, kOutsideSize}};
    for (int e = 0; e < 5; ++e) {
        const auto [offset, size] = kExtPlanes[e];
        d.auxBytes[std::size_t(kAuxExt1 + e)] =
            countChanged(recordA + offset, recordB + offset, std::size_t(size));
    }

    noteName(d.names, NameChange::kMap, n, item(before.mapNames, std::size_t(n)), d.name);
    for (int k = 0; k < kDomainListEntries; ++k)
        noteName(d.names, NameChange::kDomain, k, domainNameSlot(before, n, k),
                 domainNameSlot(after, n, k));
    return d;
}

MapSetDiff compareMapSets(const MapSet& before, const MapSet& after) {
    MapSetDiff diff;
    for (int n = 0; n < kMapCount; ++n) {
        MapDiff d = compareMap(before, after, n);
        if (!d.empty()) diff.maps.push_back(std::move(d));
    }
    for (int t = 1; t <= kTraders; ++t)
        noteName(diff.traderNames, NameChange::kTrader, t,
                 item(before.traderNames, std::size_t(t - 1)),
                 item(after.traderNames, std::size_t(t - 1)));
    for (int i = 1; i <= kMapFileCount; ++i) {
        const Bytes& a = before.extStreams[std::size_t(i)];
        const Bytes& b = after.extStreams[std::size_t(i)];
        const std::size_t common = std::min({a.size(), b.size(), std::size_t(kMapFileHeaderSize)});
        const int header = countChanged(a.data(), b.data(), common);
        if (header != 0 || a.size() != b.size())
            diff.mapFiles.push_back({i, header, a.size(), b.size()});
    }
    return diff;
}

}  // namespace d7
