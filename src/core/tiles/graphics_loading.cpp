#include "core/tiles/graphics_loading.h"

#include "core/model/file_io.h"
#include "core/tiles/palette.h"
#include "core/tiles/tileset_file.h"

namespace d7::tiles {

std::filesystem::path gameFilePath(const std::string& dir, const std::string& name) {
    return findCaseInsensitive(dir, name).value_or(std::filesystem::path(dir) / name);
}

void loadTilesets(Graphics& gfx, const std::string& pl8Dir, int season) {
    if (season < 0 || season > 3) return;
    std::array<Tileset, kTilesetCount> loaded;
    for (int kind = 0; kind < kTilesetCount; ++kind)
        loaded[std::size_t(kind)] =
            readTilesetFile(gameFilePath(pl8Dir, tilesetFileName(kind, season)));
    gfx.tilesets = std::move(loaded);
    gfx.season = season;
    gfx.tilesetsLoaded = true;
}

void loadPalette(Graphics& gfx, const std::filesystem::path& path) {
    gfx.palette = readPaletteFile(path);
    gfx.brightness = kBrightFactor;
    gfx.paletteLoaded = true;
}

void setBrightness(Graphics& gfx, double factor) {
    computePaletteTables(gfx.palette, factor);
    gfx.brightness = factor;
}

}  // namespace d7::tiles
