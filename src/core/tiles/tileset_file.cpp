#include "core/tiles/tileset_file.h"

#include "core/model/file_io.h"
#include "core/model/read_limits.h"

namespace d7::tiles {

namespace {

constexpr std::size_t kFrameCountOffset = 2;
constexpr std::size_t kDirectoryOffset = 8;
constexpr std::size_t kEntrySize = 16;

std::uint32_t read32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

constexpr const char* kStems[kTilesetCount] = {"base1", "roads1", "mtns1", "town1", "castle1"};

}  // namespace

std::optional<FrameEntry> frameEntry(const Tileset& ts, int k) {
    // Frames beyond the count are not frames: their "entries" would be pixel
    // data of other frames read as a directory.
    if (k < 0 || k >= ts.frameCount) return std::nullopt;
    const std::size_t at = kDirectoryOffset + kEntrySize * std::size_t(k);
    if (at + kEntrySize > ts.data.size()) return std::nullopt;
    return FrameEntry{read32(ts.data, at + 4), ts.data[at + 12], ts.data[at + 13]};
}

std::uint32_t frameDataOffset(const Tileset& ts, int k) {
    auto e = frameEntry(ts, k);
    return e ? e->dataOffset : 0;
}

std::optional<FrameData> frameData(const Tileset& ts, int k) {
    auto e = frameEntry(ts, k);
    if (!e) return std::nullopt;
    const std::size_t size = ts.data.size();
    const std::size_t need = std::size_t(kDiamondBytes) + std::size_t(e->ex) * layerBytes(e->dir);
    if (e->dataOffset > size || size - e->dataOffset < need) return std::nullopt;
    return FrameData{*e, ts.data.data() + e->dataOffset};
}

Tileset makeTileset(std::vector<std::uint8_t> bytes) {
    Tileset ts;
    ts.frameCount = bytes.size() > kFrameCountOffset ? bytes[kFrameCountOffset] : 0;
    ts.data = std::move(bytes);
    return ts;
}

std::string tilesetFileName(int kind, int season) {
    if (kind < 0 || kind >= kTilesetCount || season < 0 || season > 3) return {};
    return std::string(kStems[kind]) + char('a' + season) + ".pl8";
}

Tileset readTilesetFile(const std::filesystem::path& path) {
    return makeTileset(readWholeFile(path, kTilesetReadLimit));
}

}  // namespace d7::tiles
