// The sample game's palette "Base01.256": 256 entries of red, green and blue
// (0..63 each), laid out as fixed single colours and shade ramps. The art of
// the tilesets names colours through the constants and ramps here.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace d7::samplegen {

// Single colours with a meaning of their own. Indices 1..16 double as the
// domain colours of the flat domain pictures; 3 and 4 are land and sea for
// the bitmap tools; 6/22 are the outline, 9 the outside lands, 10..12 and 63
// the minimap image.
namespace colour {
inline constexpr std::uint8_t kBlack = 0;
inline constexpr std::uint8_t kLand = 3;
inline constexpr std::uint8_t kSea = 4;
inline constexpr std::uint8_t kOutlineLand = 6;
inline constexpr std::uint8_t kOutside = 9;
inline constexpr std::uint8_t kMinimapHalo = 10;
inline constexpr std::uint8_t kMinimapLandA = 11;
inline constexpr std::uint8_t kMinimapLandB = 12;
inline constexpr std::uint8_t kNearBlack = 17;
inline constexpr std::uint8_t kDarkGrey = 18;
inline constexpr std::uint8_t kOffWhite = 19;
inline constexpr std::uint8_t kOutlineSea = 22;
inline constexpr std::uint8_t kGold = 23;
inline constexpr std::uint8_t kBorderDark = 24;
inline constexpr std::uint8_t kBorderLight = 25;
inline constexpr std::uint8_t kFlagBlue = 26;
inline constexpr std::uint8_t kFlagRed = 27;
inline constexpr std::uint8_t kWindowLight = 28;
inline constexpr std::uint8_t kSmoke = 29;
inline constexpr std::uint8_t kWindowDark = 30;
inline constexpr std::uint8_t kGlint = 31;
// Bright marker colours.
inline constexpr std::uint8_t kMarkRed = 56;
inline constexpr std::uint8_t kMarkYellow = 57;
inline constexpr std::uint8_t kMarkCyan = 58;
inline constexpr std::uint8_t kMarkMagenta = 59;
inline constexpr std::uint8_t kMarkGreen = 60;
inline constexpr std::uint8_t kMarkBlue = 61;
inline constexpr std::uint8_t kMarkOrange = 62;
inline constexpr std::uint8_t kMinimapEdge = 63;  // white
// Small details.
inline constexpr std::uint8_t kFlowerRed = 240;
inline constexpr std::uint8_t kFlowerYellow = 241;
inline constexpr std::uint8_t kFlowerWhite = 242;
inline constexpr std::uint8_t kFlowerViolet = 243;
inline constexpr std::uint8_t kFlowerPink = 244;
inline constexpr std::uint8_t kFlowerBlue = 245;
inline constexpr std::uint8_t kLeafOrange = 246;
inline constexpr std::uint8_t kStraw = 247;
inline constexpr std::uint8_t kBareBranch = 248;
inline constexpr std::uint8_t kBareBranchLight = 249;
inline constexpr std::uint8_t kMoss = 250;
inline constexpr std::uint8_t kBerry = 251;
inline constexpr std::uint8_t kDeepWater = 252;
inline constexpr std::uint8_t kFoam = 253;
inline constexpr std::uint8_t kLamp = 254;
inline constexpr std::uint8_t kSnowShadow = 255;
}  // namespace colour

// A run of shades from dark (level 0) to light (level size - 1).
struct Ramp {
    std::uint8_t first;
    std::uint8_t size;
    // The shade at level, clamped to the ramp.
    constexpr std::uint8_t at(int level) const {
        return std::uint8_t(first + (level < 0 ? 0 : level >= size ? size - 1 : level));
    }
    // The shade at t in [0, 1] (clamped).
    std::uint8_t atFraction(double t) const;
    constexpr bool contains(int index) const { return index >= first && index < first + size; }
};

namespace ramp {
inline constexpr Ramp kSpringGrass{32, 12};
inline constexpr Ramp kSummerGrass{44, 12};
inline constexpr Ramp kAutumnGrass{64, 12};
inline constexpr Ramp kSnow{76, 12};
inline constexpr Ramp kSea{88, 12};
inline constexpr Ramp kShallows{100, 8};
inline constexpr Ramp kSand{108, 8};
inline constexpr Ramp kCliff{116, 8};
inline constexpr Ramp kEarth{124, 8};
inline constexpr Ramp kLeaves{132, 12};
inline constexpr Ramp kConifer{144, 8};
inline constexpr Ramp kAutumnLeaves{152, 12};
inline constexpr Ramp kWood{164, 8};
inline constexpr Ramp kRoofRed{172, 8};
inline constexpr Ramp kRoofSlate{180, 8};
inline constexpr Ramp kStone{188, 12};
inline constexpr Ramp kWheat{200, 8};
inline constexpr Ramp kIce{208, 8};
inline constexpr Ramp kPlaster{216, 8};
inline constexpr Ramp kRock{224, 8};
inline constexpr Ramp kPloughed{232, 8};
}  // namespace ramp

inline constexpr std::size_t kPaletteBytes = 768;

// The 768 bytes of the palette file.
std::vector<std::uint8_t> makePaletteFile();

// The colour of an index as 8-bit red, green, blue (the file's 6-bit values
// times four), for previews and for tests that look at the art.
std::array<std::uint8_t, 3> paletteColour(int index);

}  // namespace d7::samplegen
