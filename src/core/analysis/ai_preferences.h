// The editor's estimate of where the computer players expand first, and the
// climate the game gives each domain number.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include "core/model/editor_state.h"

namespace d7 {

// The domain a player holding the mask's domains is expected to take next
// from domain `from`: among the used domains outside the mask that border on
// one of it, the lowest score max(|dx|, |dy|) between the two towns, plus 40
// for another player's start and minus 10 for an odd number; the lower number
// on ties. 0 when there is none or `from` is not a used domain.
int Prefer(const EditorState& st, int from, std::initializer_list<int> mask);

struct AiPreference {
    int start = 0;   // the start domain
    int first = 0;   // 0 when none
    int second = 0;  // 0 when none
};

// The two preferences of the player with starting position k (1..5); all 0
// when k has no start domain.
AiPreference aiPreferences(const EditorState& st, int k);

enum class ClimateSeason { Summer = 0, Winter = 1 };

// The climate value of domain number d in the season.
int climateValue(int d, ClimateSeason season);

// The nine climate values from warmest to coldest, their legend colours
// (0xRRGGBB), and the range of domain numbers that has the value in the
// season ("0..3", "4,5", "6..9", "10,11" or "12+"; nullptr when none has).
inline constexpr int kClimateValueCount = 9;
struct ClimateLegendRow {
    int value;
    std::uint32_t rgb;
};
extern const std::array<ClimateLegendRow, kClimateValueCount> kClimateLegend;
const char* climateRangeText(int value, ClimateSeason season);
// The legend colour of a climate value (white for a value not in the legend).
std::uint32_t climateColour(int value);

}  // namespace d7
