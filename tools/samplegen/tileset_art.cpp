#include "samplegen/tileset_art.h"

namespace d7::samplegen {

std::vector<Frame> tilesetFrames(int kind, Season season) {
    const SeasonStyle style = styleOf(season);
    switch (kind) {
        case tiles::kBaseTiles:
            return baseFrames(style);
        case tiles::kRoadTiles:
            return roadFrames(style);
        case tiles::kMountainTiles:
            return mountainFrames(style);
        case tiles::kTownTiles:
            return townFrames(style);
        case tiles::kCastleTiles:
        default:
            return castleFrames(style);
    }
}

std::vector<std::uint8_t> tilesetFile(int kind, Season season) {
    return makeTilesetFile(tilesetFrames(kind, season));
}

}  // namespace d7::samplegen
