#include "samplegen/map_plan.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "samplegen/raster.h"

namespace d7::samplegen {

namespace {
constexpr int kMapStyles = 5;
constexpr int kAttempts = 400;
}  // namespace

MapPlan planMap(std::uint64_t seed, int n, int attempt) {
    for (int a = attempt; a < attempt + kAttempts; ++a) {
        Random rng(hash32(std::uint32_t(seed), std::uint32_t(seed >> 32), std::uint32_t(n),
                          std::uint32_t(a)));
        MapPlan plan;
        plan.number = n;
        plan.style = (n + a / 8) % kMapStyles;
        // Every count from 6 to 16 occurs; a map that cannot hold its count tries fewer.
        plan.wantedDomains = std::max(6, 6 + (n * 7) % 11 - (a - attempt) / 6);
        if (planning::planTerrain(plan, rng) && planning::planBuildings(plan, rng) &&
            planning::planRoads(plan) && planning::planForests(plan, rng) &&
            planning::planTraders(plan, rng))
            return plan;
    }
    throw std::runtime_error("no plan found for map " + std::to_string(n));
}

}  // namespace d7::samplegen
