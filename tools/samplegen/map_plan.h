// The plan of one sample kingdom map: land and sea, the domains, and where
// every building, field, forest, mountain and road goes, with the starting
// positions and the traders' town slots. Planning is pure computation on
// these tables; map_builder.h turns a plan into a map through the editor's
// own operations.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/model/map_layout.h"
#include "core/model/random.h"

namespace d7::samplegen {

struct Cell {
    int x = -1, y = -1;
    bool valid() const { return x >= 0; }
    bool operator==(const Cell&) const = default;
};

constexpr int cellIndex(int x, int y) {
    return y * kGrid + x;
}
constexpr bool onGrid(int x, int y) {
    return x >= 0 && x < kGrid && y >= 0 && y < kGrid;
}

// What a planned cell holds.
enum class Use : std::uint8_t {
    Sea,
    Free,  // grassland
    Ring,  // grassland beside a castle or town that only a road may take
    Keep,  // grassland that must stay empty (the blacksmith's place)
    Mountain,
    Forest,
    Field,
    Village,
    Resource,
    Castle,
    Town,
    Road,
};

template <typename T>
using CellGrid = std::array<T, kCellCount>;

enum class StoneKind : int { Quarry = 0, Mine = 2 };  // as the building palette numbers them

struct MountainPlan {
    Cell origin;
    int size = 2;  // 2 or 3
    int type = 0;  // 0..3 for a 2 x 2 mountain
};

struct DomainPlan {
    int number = 0;  // 1..16
    int component = 0;
    Cell castle, town;  // top-left cells of the 2 x 2 blocks
    std::array<Cell, 4> villages;
    Cell lumber, stone;
    StoneKind stoneKind = StoneKind::Quarry;
    std::vector<Cell> fields;
    Cell smith;                        // kept free beside a field
    std::array<int, 3> traderSlots{};  // trader numbers of slots 1..3
    int startPosition = 0;             // 1..5 on five castles, else 0
};

struct MapPlan {
    int number = 0;
    int style = 0;
    int wantedDomains = 6;            // the terrain gets fewer when its land is small
    CellGrid<std::uint8_t> domain{};  // 0 for sea, 1..16
    CellGrid<Use> use{};
    std::vector<DomainPlan> domains;  // domain d at index d - 1
    std::vector<MountainPlan> mountains;
    std::vector<Cell> forest;
    std::vector<Cell> roads;                     // in the order they were laid
    std::vector<std::vector<Cell>> traderTowns;  // per trader 0..5: the domains' town cells

    int domainCount() const { return int(domains.size()); }
    std::uint8_t domainAt(int x, int y) const { return domain[std::size_t(cellIndex(x, y))]; }
    Use useAt(int x, int y) const { return use[std::size_t(cellIndex(x, y))]; }
    bool isLand(int x, int y) const { return useAt(x, y) != Use::Sea; }
};

// Plans map number n of the sample map set for the seed. attempt selects
// another plan for the same map when an earlier one could not be built.
MapPlan planMap(std::uint64_t seed, int n, int attempt);

// Parts of planning, exposed for the generator's own tests.
namespace planning {
// Land and sea, and the domains on the land; false when the land does not
// hold enough domains of a usable size.
bool planTerrain(MapPlan& plan, Random& rng);
// Castles, towns, villages, mountains, resources, fields and the blacksmiths'
// places; false when a domain has no room for them.
bool planBuildings(MapPlan& plan, Random& rng);
// Roads from every castle to its town and between the towns of neighbouring
// domains; false when a connection cannot be made.
bool planRoads(MapPlan& plan);
// Forest clusters and the woodcutters beside them.
bool planForests(MapPlan& plan, Random& rng);
// Starting positions on five castles and the six traders' town slots.
bool planTraders(MapPlan& plan, Random& rng);

// Domains whose cells touch orthogonally.
std::vector<std::vector<bool>> domainNeighbours(const MapPlan& plan);
// The trader starts the analysis pass derives from the planned town slots
// (index 1..6; 0 = none).
std::array<int, 7> traderStarts(const MapPlan& plan);
}  // namespace planning

}  // namespace d7::samplegen
