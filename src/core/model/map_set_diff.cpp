#include "core/model/map_set_diff.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "core/model/map_access.h"

namespace d7 {

namespace {

// Stands in for a block or Ext record that a buffer does not hold.
const std::uint8_t* zeroBytes() {
    static const std::array<std::uint8_t, std::max(kBlockSize, kExtRecordSize)> kZero{};
    return kZero.data();
}

// Eight bytes at a time: 0x01 in each byte of the result where a and b differ.
std::uint64_t differingBytes(std::uint64_t a, std::uint64_t b) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = a ^ b;
    return (((x & kLow7) + kLow7) | x) >> 7 & 0x0101010101010101ULL;
}

std::uint64_t word(const std::uint8_t* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// The sum of wordAt(0) .. wordAt(words - 1), each a word of bytes 0 or 1.
// Up to 31 words are added bytewise before the bytes are summed (at most
// 248, so the multiplication's top byte holds the exact sum).
template <typename WordAt>
std::size_t sumOfByteFlags(std::size_t words, WordAt wordAt) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < words; i += 31) {
        std::uint64_t bytes = 0;
        for (std::size_t j = i; j < std::min(words, i + 31); ++j) bytes += wordAt(j);
        n += std::size_t((bytes * 0x0101010101010101ULL) >> 56);
    }
    return n;
}

int countChanged(const std::uint8_t* a, const std::uint8_t* b, std::size_t size) {
    // Most planes of most maps are equal; an empty record may have no bytes at all.
    if (size == 0 || std::memcmp(a, b, size) == 0) return 0;
    std::size_t n = sumOfByteFlags(
        size / 8, [&](std::size_t w) { return differingBytes(word(a + 8 * w), word(b + 8 * w)); });
    for (std::size_t i = size / 8 * 8; i < size; ++i) n += a[i] != b[i];
    return int(n);
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
    // Plane by plane first, eight cells a word, one byte of plane bits per
    // cell; then one record per changed cell.
    std::array<std::uint64_t, kCellCount / 8> changed{};
    for (int p = 0; p < 6; ++p)
        for (int w = 0; w < kCellCount / 8; ++w)
            changed[std::size_t(w)] |=
                differingBytes(word(a + p * kCellCount + 8 * w), word(b + p * kCellCount + 8 * w))
                << p;
    out.reserve(sumOfByteFlags(changed.size(),
                               [&](std::size_t w) { return differingBytes(changed[w], 0); }));
    for (int i = 0; i < kCellCount; ++i) {
        const auto bits = std::uint8_t(changed[std::size_t(i / 8)] >> (8 * (i % 8)));
        if (!bits) continue;
        CellChange& c = out.emplace_back();
        c.x = std::uint8_t(i % kGrid);
        c.y = std::uint8_t(i / kGrid);
        c.changed = bits;
        for (int p = 0; p < 6; ++p) {
            c.before[std::size_t(p)] = a[p * kCellCount + i];
            c.after[std::size_t(p)] = b[p * kCellCount + i];
        }
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
    std::array<int, kMapCount> all;
    std::iota(all.begin(), all.end(), 0);
    return compareMapSets(before, after, all);
}

MapSetDiff compareMapSets(const MapSet& before, const MapSet& after, std::span<const int> maps) {
    MapSetDiff diff;
    for (int n : maps) {
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
