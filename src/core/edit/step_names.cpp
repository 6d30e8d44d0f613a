#include "core/edit/step_names.h"

#include <iterator>

namespace d7::step {

std::string placement(TileKind kind, int tile) {
    static const char* const kBuildings[] = {"Quarry",  "Lumber", "Mine",
                                             "Village", "Town",   "Castle"};
    switch (kind) {
        case TileKind::Roads:
            return "Place Road";
        case TileKind::Mountains:
            return "Place Mountain";
        case TileKind::Buildings:
            if (tile >= 0 && tile < int(std::size(kBuildings)))
                return std::string("Place ") + kBuildings[tile];
            return "Place Building";
        default:
            return "Place Tile";
    }
}

}  // namespace d7::step
