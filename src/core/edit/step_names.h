// The names of the edit history's steps, as the user reads them in the
// "Edit" menu and the history window. The editor and the command-line tool
// name the same command the same way.
#pragma once

#include <string>

#include "core/edit/placement.h"

namespace d7::step {

inline constexpr const char* kPaintDomain = "Paint Domain";
inline constexpr const char* kBrush = "Brush";
inline constexpr const char* kPasteArea = "Paste Area";
inline constexpr const char* kPasteSpecial = "Paste Special";
inline constexpr const char* kSetRoad = "Set Road";
inline constexpr const char* kFillSelection = "Fill Selection";
inline constexpr const char* kSetDomain = "Set Domain";
inline constexpr const char* kRemoveRoads = "Remove Roads";
inline constexpr const char* kFillAll = "Fill All";
inline constexpr const char* kFillBlack = "Fill Black";
inline constexpr const char* kLandWithoutDomain = "Set Land without Domain to 32";
inline constexpr const char* kShiftMap = "Shift Map";
inline constexpr const char* kRecalcRoads = "Recalculate Road connections";
inline constexpr const char* kCreateCliffs = "Create Cliffs";
inline constexpr const char* kSetBordertiles = "Set Bordertiles at Domain Edges";
inline constexpr const char* kCreateAllSubmaps = "Create and Set all Submaps";
inline constexpr const char* kOutsideFromMap = "Create Outside Map from Map";
inline constexpr const char* kMaskFromMap = "Create Minimap Domain Mask from Map";
inline constexpr const char* kMinimapFromMask = "Set Minimap Image from Domain Mask";
inline constexpr const char* kOutlineFromOutside = "Set Basic Outline Map from Outside Map";
inline constexpr const char* kGenerateFromBmp = "Generate from BMP";
inline constexpr const char* kAddTraderoute = "Add Traderoute";
inline constexpr const char* kRemoveTraderoute = "Remove Traderoute";
inline constexpr const char* kTownSlots = "Set Townvalues";
inline constexpr const char* kStartingPosition = "Starting Position";
inline constexpr const char* kSwitchDomainNr = "Switch Domain Nr";

// "Place Town", "Place Mountain", ...: a click of "Maptiles" with palette
// index tile of kind chosen.
std::string placement(TileKind kind, int tile);

}  // namespace d7::step
