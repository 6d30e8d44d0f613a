#include "core/edit/bitmap_generators.h"

#include "core/analysis/analyse_map.h"
#include "core/edit/cell_writer.h"
#include "core/edit/random_tiles.h"
#include "core/model/map_access.h"
#include "core/model/undo.h"
#include "core/tiles/overlay_colours.h"

namespace d7 {

namespace {

// Stands for a pixel beyond the picture: neither black nor any domain's
// colour, nor a palette colour (those have no top byte set below 0xFF).
constexpr std::uint32_t kBeyondPicture = 0x01000000u;
constexpr int kLastTableADomain = 20;

std::uint32_t pixelOrBeyond(const tiles::PixelGrid& picture, int x, int y) {
    return picture.contains(x, y) ? tiles::rgbOf(picture.at(x, y)) : kBeyondPicture;
}

// Every cell was written with the sink paused: one analysis pass and one
// redraw of the whole map.
void finishWholeMap(EditorState& st) {
    AnalyseMap(st);
    if (st.sink) st.sink->mapChanged();
}

}  // namespace

int domainOfColour(std::uint32_t pixel) {
    const int d = tiles::tableAIndex(tiles::rgbOf(pixel));
    return d > kMaxDomain && d <= kLastTableADomain ? kLandWithoutDomain : d;
}

void generateFromDomainBitmap(EditorState& st, const tiles::PixelGrid& picture) {
    markMapFileChanged(st, fileOfMap(st.curMap));
    {
        SinkPause pause(st);
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) {
                const std::uint32_t p = pixelOrBeyond(picture, x, y);
                if (p == 0)
                    placeRandomSea(st, x, y, st.curMap);
                else
                    placeRandomGrass(st, x, y, st.curMap,
                                     p == kBeyondPicture ? 0 : domainOfColour(p));
            }
    }
    finishWholeMap(st);
}

void generateFromBmp64(EditorState& st,
                       const std::function<std::optional<tiles::PixelGrid>()>& askPicture) {
    pushUndo(st);
    if (const std::optional<tiles::PixelGrid> picture = askPicture())
        generateFromDomainBitmap(st, *picture);
}

void generateFromBitmap128(EditorState& st, const tiles::PixelGrid& picture) {
    markMapFileChanged(st, fileOfMap(st.curMap));
    const std::uint32_t land = st.gfx.palette.canvas[3];
    {
        SinkPause pause(st);
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) {
                if (pixelOrBeyond(picture, x - y + 32, x + y) == land)
                    placeRandomGrass(st, x, y, st.curMap);
                else
                    placeRandomSea(st, x, y, st.curMap);
            }
    }
    finishWholeMap(st);
}

}  // namespace d7
