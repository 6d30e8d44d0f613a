// The feature codes the game reads from Ext4, one per cell, and the resource
// kinds a resource building's tile number stands for.
#pragma once

#include <cstdint>

namespace d7 {

namespace feature {
inline constexpr std::uint8_t kGrass = 2;
inline constexpr std::uint8_t kSea = 4;
inline constexpr std::uint8_t kTown = 5;  // a town cell without a trader number
inline constexpr std::uint8_t kLumber = 8;
inline constexpr std::uint8_t kVillage = 9;
inline constexpr std::uint8_t kForest = 10;
inline constexpr std::uint8_t kField = 13;
inline constexpr std::uint8_t kMine = 14;
inline constexpr std::uint8_t kCastle = 15;  // a castle cell without a starting position
inline constexpr std::uint8_t kQuarry = 21;
inline constexpr std::uint8_t kMarkerBase = 25;  // 25 + n: a town or castle cell carrying marker n
inline constexpr std::uint8_t kMountain3x3 = 32;
inline constexpr std::uint8_t kMountain2x2 = 40;
inline constexpr std::uint8_t kRoad = 63;
}  // namespace feature

// M2 of a resource building's cell names its kind.
namespace resource {
inline constexpr std::uint8_t kQuarryTile = 0;
inline constexpr std::uint8_t kLumberTile = 20;
inline constexpr std::uint8_t kMineTile = 30;
}  // namespace resource

// Largest marker a building part may carry: trader numbers 1..6 on towns,
// starting positions 1..5 on castles.
inline constexpr int kMaxTownMarker = 6;
inline constexpr int kMaxCastleMarker = 5;

}  // namespace d7
