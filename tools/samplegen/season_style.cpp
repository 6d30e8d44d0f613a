#include "samplegen/season_style.h"

#include <cmath>

namespace d7::samplegen {

namespace {

constexpr Ramp kAllRamps[] = {
    ramp::kSpringGrass, ramp::kSummerGrass,  ramp::kAutumnGrass, ramp::kSnow,    ramp::kSea,
    ramp::kShallows,    ramp::kSand,         ramp::kCliff,       ramp::kEarth,   ramp::kLeaves,
    ramp::kConifer,     ramp::kAutumnLeaves, ramp::kWood,        ramp::kRoofRed, ramp::kRoofSlate,
    ramp::kStone,       ramp::kWheat,        ramp::kIce,         ramp::kPlaster, ramp::kRock,
    ramp::kPloughed,
};

int roundLevel(double v) {
    return int(std::floor(v + 0.5));
}

std::uint32_t seasonSeed(const SeasonStyle& st, std::uint32_t salt) {
    return hash32(0x5EA5u, std::uint32_t(st.season), salt);
}

}  // namespace

SeasonStyle styleOf(Season s) {
    switch (s) {
        case Season::Spring:
            return {s,
                    ramp::kSpringGrass,
                    6,
                    ramp::kSand,
                    4,
                    ramp::kShallows,
                    ramp::kLeaves,
                    false,
                    false,
                    0.72};
        case Season::Summer:
            return {s,
                    ramp::kSummerGrass,
                    6,
                    ramp::kSand,
                    5,
                    ramp::kShallows,
                    ramp::kLeaves,
                    false,
                    false,
                    0.80};
        case Season::Autumn:
            return {s,
                    ramp::kAutumnGrass,
                    6,
                    ramp::kSand,
                    3,
                    ramp::kShallows,
                    ramp::kAutumnLeaves,
                    false,
                    false,
                    0.62};
        case Season::Winter:
        default:
            return {Season::Winter, ramp::kSnow,   8,    ramp::kSnow, 6,
                    ramp::kIce,     ramp::kLeaves, true, true,        0.25};
    }
}

std::uint8_t shadeWithin(std::uint8_t colour, int steps) {
    for (const Ramp& r : kAllRamps)
        if (r.contains(colour)) return r.at(colour - r.first + steps);
    return colour;
}

std::uint8_t groundColour(const SeasonStyle& st, CellPoint p, int px, int py, int variant) {
    const double patches = cellNoise(p.a, p.b, 4, seasonSeed(st, 1),
                                     hash32(seasonSeed(st, 2), std::uint32_t(variant)));
    const double tufts = cellNoise(p.a, p.b, 9, seasonSeed(st, 6),
                                   hash32(seasonSeed(st, 7), std::uint32_t(variant)));
    const double fine = hashUnit(seasonSeed(st, 3), std::uint32_t(px + 7 * variant),
                                 std::uint32_t(py), std::uint32_t(variant));
    const double spread = st.winter() ? 2.0 : 2.6;
    return st.ground.at(roundLevel(st.groundLevel + (patches - 0.5) * spread + (tufts - 0.5) * 1.8 +
                                   (fine - 0.5) * 2.2));
}

std::uint8_t groundWithDetail(const SeasonStyle& st, CellPoint p, int px, int py, int variant) {
    const std::uint8_t base = groundColour(st, p, px, py, variant);
    const double h =
        hashUnit(seasonSeed(st, 4), std::uint32_t(px), std::uint32_t(py), std::uint32_t(variant));
    const double pick =
        hashUnit(seasonSeed(st, 5), std::uint32_t(px), std::uint32_t(py), std::uint32_t(variant));
    switch (st.season) {
        case Season::Spring:
            if (h < 0.018) {
                constexpr std::uint8_t kFlowers[] = {colour::kFlowerYellow, colour::kFlowerWhite,
                                                     colour::kFlowerPink, colour::kFlowerViolet,
                                                     colour::kFlowerYellow};
                return kFlowers[int(pick * 5)];
            }
            if (h < 0.08) return shadeWithin(base, 2);
            return base;
        case Season::Summer:
            if (h < 0.015) return pick < 0.5 ? colour::kStraw : colour::kFlowerYellow;
            if (h < 0.06) return shadeWithin(base, -2);
            return base;
        case Season::Autumn:
            if (h < 0.035) return ramp::kAutumnLeaves.at(2 + int(pick * 8));
            if (h < 0.06) return shadeWithin(base, -2);
            return base;
        case Season::Winter:
        default:
            if (h < 0.012) return ramp::kSnow.at(11);
            if (h < 0.016) return pick < 0.5 ? colour::kBareBranchLight : ramp::kAutumnGrass.at(6);
            return base;
    }
}

std::uint8_t seaColour(const SeasonStyle& st, CellPoint p, int px, int py, int variant) {
    const double swell = 0.6 * cellNoise(p.a, p.b, 3, seasonSeed(st, 11),
                                         hash32(seasonSeed(st, 12), std::uint32_t(variant))) +
                         0.4 * cellNoise(p.a, p.b, 7, seasonSeed(st, 15),
                                         hash32(seasonSeed(st, 16), std::uint32_t(variant)));
    const double fine =
        hashUnit(seasonSeed(st, 13), std::uint32_t(px), std::uint32_t(py), std::uint32_t(variant));
    const int base = st.winter() ? 5 : 6;
    // Wave crests: short horizontal strokes of light water.
    const double crest = hashUnit(seasonSeed(st, 14), std::uint32_t((px + (py % 3)) / 3),
                                  std::uint32_t(py), std::uint32_t(variant));
    if (crest < 0.035 && py % 2 == 0) return ramp::kSea.at(base + 4);
    return ramp::kSea.at(roundLevel(base + (swell - 0.5) * 2.4 + (fine - 0.5) * 1.6));
}

}  // namespace d7::samplegen
