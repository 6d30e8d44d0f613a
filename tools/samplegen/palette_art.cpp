#include "samplegen/palette_art.h"

#include <cmath>

namespace d7::samplegen {

namespace {

using Rgb = std::array<double, 3>;  // 0..63

struct Single {
    int index;
    Rgb rgb;
};

// The fixed colours. Unlisted indices below 32 are not used by the art.
constexpr Single kSingles[] = {
    {0, {0, 0, 0}},      {1, {60, 12, 12}},   {2, {62, 38, 4}},    {3, {20, 42, 14}},
    {4, {8, 20, 46}},    {5, {58, 54, 10}},   {6, {40, 34, 20}},   {7, {40, 14, 48}},
    {8, {8, 50, 54}},    {9, {12, 13, 16}},   {10, {12, 22, 10}},  {11, {24, 40, 16}},
    {12, {28, 45, 18}},  {13, {60, 30, 44}},  {14, {6, 36, 30}},   {15, {36, 22, 10}},
    {16, {48, 48, 48}},  {17, {3, 3, 4}},     {18, {10, 10, 12}},  {19, {60, 60, 57}},
    {20, {60, 8, 60}},   {21, {30, 60, 10}},  {22, {6, 12, 30}},   {23, {58, 46, 8}},
    {24, {42, 3, 8}},    {25, {62, 20, 22}},  {26, {10, 18, 50}},  {27, {56, 8, 8}},
    {28, {62, 52, 22}},  {29, {42, 42, 44}},  {30, {7, 7, 12}},    {31, {54, 61, 63}},
    {56, {63, 0, 0}},    {57, {63, 63, 0}},   {58, {0, 63, 63}},   {59, {63, 0, 63}},
    {60, {0, 63, 0}},    {61, {0, 0, 63}},    {62, {63, 40, 0}},   {63, {63, 63, 63}},
    {240, {60, 12, 10}}, {241, {62, 58, 12}}, {242, {62, 62, 60}}, {243, {42, 22, 56}},
    {244, {62, 38, 48}}, {245, {26, 38, 62}}, {246, {62, 36, 6}},  {247, {54, 50, 30}},
    {248, {22, 17, 13}}, {249, {34, 27, 20}}, {250, {14, 22, 10}}, {251, {48, 6, 16}},
    {252, {2, 6, 16}},   {253, {56, 62, 63}}, {254, {63, 56, 30}}, {255, {34, 40, 50}},
};

// A ramp through anchor colours spaced evenly from its first to its last shade.
struct RampSpec {
    Ramp ramp;
    std::vector<Rgb> anchors;
};

const std::vector<RampSpec>& rampSpecs() {
    static const std::vector<RampSpec> ramps = {
        {ramp::kSpringGrass, {{10, 24, 6}, {22, 42, 10}, {40, 58, 22}}},
        {ramp::kSummerGrass, {{20, 26, 6}, {36, 42, 12}, {54, 54, 24}}},
        {ramp::kAutumnGrass, {{18, 15, 6}, {36, 29, 10}, {52, 42, 20}}},
        {ramp::kSnow, {{28, 32, 42}, {46, 50, 58}, {63, 63, 63}}},
        {ramp::kSea, {{2, 8, 24}, {8, 22, 44}, {22, 42, 58}}},
        {ramp::kShallows, {{10, 30, 42}, {36, 56, 58}}},
        {ramp::kSand, {{34, 27, 14}, {60, 54, 36}}},
        {ramp::kCliff, {{16, 12, 9}, {32, 26, 20}, {50, 44, 36}}},
        {ramp::kEarth, {{18, 11, 5}, {34, 24, 12}, {50, 40, 24}}},
        {ramp::kLeaves, {{4, 14, 4}, {14, 32, 8}, {36, 54, 16}}},
        {ramp::kConifer, {{2, 9, 6}, {8, 22, 12}, {18, 34, 20}}},
        {ramp::kAutumnLeaves, {{30, 6, 2}, {56, 26, 4}, {62, 44, 8}, {62, 58, 18}}},
        {ramp::kWood, {{12, 7, 3}, {28, 18, 8}, {46, 32, 16}}},
        {ramp::kRoofRed, {{22, 5, 3}, {44, 14, 8}, {60, 30, 18}}},
        {ramp::kRoofSlate, {{8, 10, 14}, {20, 24, 30}, {38, 42, 48}}},
        {ramp::kStone, {{10, 10, 10}, {32, 32, 31}, {58, 58, 56}}},
        {ramp::kWheat, {{36, 24, 6}, {54, 42, 12}, {63, 58, 28}}},
        {ramp::kIce, {{8, 14, 24}, {28, 38, 50}, {50, 58, 62}}},
        {ramp::kPlaster, {{32, 28, 22}, {50, 46, 38}, {62, 60, 54}}},
        {ramp::kRock, {{12, 11, 11}, {28, 26, 25}, {48, 46, 44}}},
        {ramp::kPloughed, {{9, 5, 2}, {20, 12, 6}, {36, 24, 13}}},
    };
    return ramps;
}

Rgb lerp(const Rgb& a, const Rgb& b, double t) {
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

std::array<Rgb, 256> buildPalette() {
    std::array<Rgb, 256> p{};
    for (const Single& s : kSingles) p[std::size_t(s.index)] = s.rgb;
    for (const RampSpec& r : rampSpecs()) {
        const int n = r.ramp.size;
        const int segments = int(r.anchors.size()) - 1;
        for (int i = 0; i < n; ++i) {
            const double t = n > 1 ? double(i) / (n - 1) * segments : 0.0;
            const int seg = std::min(int(t), segments - 1);
            p[std::size_t(r.ramp.first + i)] =
                lerp(r.anchors[std::size_t(seg)], r.anchors[std::size_t(seg + 1)], t - seg);
        }
    }
    return p;
}

std::uint8_t to6(double v) {
    const long r = std::lround(v);
    return std::uint8_t(r < 0 ? 0 : r > 63 ? 63 : r);
}

}  // namespace

std::uint8_t Ramp::atFraction(double t) const {
    return at(int(std::floor(t * size)));
}

std::vector<std::uint8_t> makePaletteFile() {
    const auto p = buildPalette();
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kPaletteBytes);
    for (const Rgb& c : p)
        for (double v : c) bytes.push_back(to6(v));
    return bytes;
}

std::array<std::uint8_t, 3> paletteColour(int index) {
    const auto bytes = makePaletteFile();
    const std::size_t i = std::size_t(index & 0xFF) * 3;
    return {std::uint8_t(bytes[i] * 4), std::uint8_t(bytes[i + 1] * 4),
            std::uint8_t(bytes[i + 2] * 4)};
}

}  // namespace d7::samplegen
