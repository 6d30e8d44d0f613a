#include "core/edit/tile_groups.h"

#include "core/model/planes.h"

namespace d7 {

namespace {

struct Group {
    int first;
    int size;
};

// Base groups with more than one variant; every other first tile from 74 to
// 122 is a group of one.
constexpr Group kBaseGroups[] = {{6, 16}, {22, 16}, {38, 4},  {42, 4},  {46, 4}, {50, 4},
                                 {54, 2}, {56, 2},  {58, 4},  {62, 4},  {66, 4}, {70, 4},
                                 {78, 2}, {96, 4},  {100, 4}, {104, 4}, {108, 4}};

constexpr Group kRoadGroups[] = {{0, 4},  {4, 4},  {8, 4},  {12, 4}, {16, 4}, {20, 4}, {24, 1},
                                 {25, 1}, {26, 1}, {27, 1}, {28, 2}, {30, 8}, {80, 1}};

int baseGroupSize(int first) {
    for (const Group& g : kBaseGroups)
        if (g.first == first) return g.size;
    const bool single = (first >= 74 && first <= 77) || (first >= 80 && first <= 95) ||
                        (first >= 112 && first <= 122);
    return single ? 1 : 0;
}

}  // namespace

int groupSize(int tileset, int first) {
    if (tileset == tileset::kBase) return baseGroupSize(first);
    if (tileset == tileset::kRoad)
        for (const Group& g : kRoadGroups)
            if (g.first == first) return g.size;
    return 0;
}

int shortPick(Random& rng, int tileset, int first) {
    return first + rng.below(groupSize(tileset, first) - 1);
}

int halfPick(Random& rng, int tileset, int first) {
    return first + rng.below(2 * groupSize(tileset, first) - 1) / 2;
}

}  // namespace d7
