// The game's tileset files: a frame count, a directory of 16-byte entries and
// the frames' pixel data. Nothing in a tileset is trusted: every read is
// checked against the end of the file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "core/tiles/graphics.h"

namespace d7::tiles {

// Pixels of one frame's diamond: 30 rows, 2 + 6 + ... + 58 + ... + 6 + 2 bytes.
inline constexpr int kDiamondRows = 30;
inline constexpr int kDiamondBytes = 900;

// Width of diamond row r (0..29): 2, 6, .., 58, 58, .., 6, 2.
constexpr int diamondRowWidth(int r) {
    return r < 15 ? 4 * r + 2 : 58 - 4 * (r - 15);
}
// Offset of row r (0..30) in the frame data: the sum of the widths of the rows above it.
constexpr int diamondRowStart(int r) {
    return r <= 15 ? 2 * r * r : 900 - 2 * (30 - r) * (30 - r);
}
// First column of row r within the 58-pixel tile box.
constexpr int diamondRowLeft(int r) {
    return 29 - diamondRowWidth(r) / 2;
}

// Bytes per extension layer of a frame of the given Dir; 0 for the kinds
// that have no layers (0, and the unknown kinds 5 and above).
constexpr int layerBytes(int dir) {
    switch (dir) {
        case 1:
        case 2:
            return 58;
        case 3:
        case 4:
            return 30;
        default:
            return 0;
    }
}

// The directory entry of one frame.
struct FrameEntry {
    std::uint32_t dataOffset = 0;
    int dir = 0;  // kind of extension layers, 0..255 as stored
    int ex = 0;   // number of extension layers
};

// Frame k's directory entry, or nothing when k is not a frame of the tileset
// or its entry lies beyond the end of the file.
std::optional<FrameEntry> frameEntry(const Tileset& ts, int k);

// Frame k's data offset (the 32-bit value at 12 + 16k); 0 when there is no entry.
std::uint32_t frameDataOffset(const Tileset& ts, int k);

// Frame k's whole pixel data (diamond and every layer), or nothing when any
// of it lies beyond the end of the file: such a frame is drawn as an empty frame.
struct FrameData {
    FrameEntry entry;
    const std::uint8_t* pixels;  // kDiamondBytes diamond bytes, then the layers
};
std::optional<FrameData> frameData(const Tileset& ts, int k);

// A tileset from the bytes of its file.
Tileset makeTileset(std::vector<std::uint8_t> bytes);

// The file name of a tileset for a season (0..3): "base1a.pl8" is the spring base tiles.
std::string tilesetFileName(int kind, int season);

// Reads a tileset file; throws FileError when it cannot be read.
Tileset readTilesetFile(const std::filesystem::path& path);

}  // namespace d7::tiles
