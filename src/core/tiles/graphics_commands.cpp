#include "core/tiles/graphics_commands.h"

#include "core/tiles/graphics_loading.h"
#include "core/tiles/overlay_colours.h"
#include "core/tiles/palette.h"

namespace d7::tiles {

namespace {

void redrawIfMapLoaded(EditorState& st) {
    if (st.mapLoaded && st.sink) st.sink->mapChanged();
}

}  // namespace

bool isReady(const EditorState& st) {
    return st.mapLoaded && st.gfx.paletteLoaded && st.gfx.tilesetsLoaded;
}

void selectSeason(EditorState& st, int season) {
    if (season < 0 || season > 3) return;
    loadTilesets(st.gfx, st.pl8Dir, season);
    redrawIfMapLoaded(st);
}

bool chooseBrightness(EditorState& st, bool dark) {
    if (st.gfx.dark == dark) return false;
    st.gfx.dark = dark;
    st.gfx.colourSets = dark ? darkColourSets() : brightColourSets();
    setBrightness(st.gfx, dark ? kDarkFactor : kBrightFactor);
    redrawIfMapLoaded(st);
    return true;
}

void loadPaletteFile(EditorState& st, const std::filesystem::path& path) {
    loadPalette(st.gfx, path);
    redrawIfMapLoaded(st);
}

void loadDefaultPalette(EditorState& st) {
    loadPalette(st.gfx, gameFilePath(st.pl8Dir, kDefaultPaletteName));
}

}  // namespace d7::tiles
