#include "support/tileset_builder.h"

#include <fstream>
#include <stdexcept>

#include "core/tiles/palette.h"
#include "core/tiles/tileset_file.h"

namespace d7::test {

namespace {

void writeFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + path.string());
}

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

}  // namespace

FrameSpec solidFrame(std::uint8_t diamondIndex, std::uint8_t dir, std::uint8_t ex,
                     std::uint8_t layerIndex) {
    FrameSpec f;
    f.dir = dir;
    f.ex = ex;
    f.diamond.assign(900, diamondIndex);
    f.layers.assign(std::size_t(ex) * std::size_t(tiles::layerBytes(dir)), layerIndex);
    return f;
}

Bytes makeTilesetFile(const std::vector<FrameSpec>& frames) {
    Bytes b(8 + 16 * frames.size(), 0);
    b[0] = 0x4B;  // bytes the editor does not read
    b[1] = 0x37;
    b[2] = std::uint8_t(frames.size());
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const std::size_t entry = 8 + 16 * k;
        put32(b, entry, 0xDEAD0000u + std::uint32_t(k));
        put32(b, entry + 4, std::uint32_t(b.size()));
        b[entry + 12] = frames[k].dir;
        b[entry + 13] = frames[k].ex;
        b.insert(b.end(), frames[k].diamond.begin(), frames[k].diamond.end());
        b.insert(b.end(), frames[k].layers.begin(), frames[k].layers.end());
    }
    return b;
}

std::array<std::uint8_t, 3> testPaletteEntry(int index) {
    if (index == 0) return {10, 20, 30};
    return {std::uint8_t((index % 4) * 21), std::uint8_t((index * 29) % 64),
            std::uint8_t(index / 4)};
}

Bytes makeTestPaletteFile() {
    Bytes b;
    for (int i = 0; i < 256; ++i) {
        auto e = testPaletteEntry(i);
        b.insert(b.end(), e.begin(), e.end());
    }
    return b;
}

std::uint32_t testPixel(int index, double factor) {
    auto e = testPaletteEntry(index);
    return tiles::pixelOf(std::uint32_t(tiles::scaleComponent(e[0], factor)) << 16 |
                          std::uint32_t(tiles::scaleComponent(e[1], factor)) << 8 |
                          tiles::scaleComponent(e[2], factor));
}

Bytes makeTestTileset(int kind, int season) {
    const bool tall =
        kind == tiles::kMountainTiles || kind == tiles::kTownTiles || kind == tiles::kCastleTiles;
    std::vector<FrameSpec> frames;
    for (int k = 0; k < kTestFrames; ++k) {
        FrameSpec f = tall ? solidFrame(0, 2, kTestLayers, layerMark(kind)) : solidFrame(0);
        for (int r = 0; r < tiles::kDiamondRows; ++r) {
            const std::uint8_t mark = r < 15 ? frameMark(k) : kindMark(kind, season);
            for (int j = 0; j < tiles::diamondRowWidth(r); ++j)
                f.diamond[std::size_t(tiles::diamondRowStart(r) + j)] = mark;
        }
        frames.push_back(std::move(f));
    }
    return makeTilesetFile(frames);
}

void writeTestGraphics(const fs::path& dir) {
    fs::create_directories(dir);
    writeFile(dir / "Base01.256", makeTestPaletteFile());
    for (int season = 0; season < 4; ++season)
        for (int kind = 0; kind < tiles::kTilesetCount; ++kind)
            writeFile(dir / tiles::tilesetFileName(kind, season), makeTestTileset(kind, season));
}

void installTestGraphics(tiles::Graphics& gfx, int season) {
    gfx.palette = tiles::makePalette(makeTestPaletteFile());
    gfx.paletteLoaded = true;
    gfx.brightness = tiles::kBrightFactor;
    for (int kind = 0; kind < tiles::kTilesetCount; ++kind)
        gfx.tilesets[std::size_t(kind)] = tiles::makeTileset(makeTestTileset(kind, season));
    gfx.season = season;
    gfx.tilesetsLoaded = true;
}

}  // namespace d7::test
