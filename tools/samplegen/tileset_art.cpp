#include "samplegen/tileset_art.h"

namespace d7::samplegen {

std::vector<Frame> tilesetFrames(TilesetKind kind, Season season) {
    const SeasonStyle style = styleOf(season);
    switch (kind) {
        case TilesetKind::Base:
            return baseFrames(style);
        case TilesetKind::Roads:
            return roadFrames(style);
        case TilesetKind::Mountains:
            return mountainFrames(style);
        case TilesetKind::Towns:
            return townFrames(style);
        case TilesetKind::Castles:
        default:
            return castleFrames(style);
    }
}

std::string tilesetFileName(TilesetKind kind, Season season) {
    constexpr const char* kStems[kTilesetKinds] = {"base1", "roads1", "mtns1", "town1", "castle1"};
    return std::string(kStems[int(kind)]) + char('a' + int(season)) + ".pl8";
}

std::vector<std::uint8_t> tilesetFile(TilesetKind kind, Season season) {
    return makeTilesetFile(tilesetFrames(kind, season));
}

}  // namespace d7::samplegen
