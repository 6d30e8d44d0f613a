#include "core/analysis/ai_preferences.h"

#include <algorithm>
#include <cstdlib>

namespace d7 {

namespace {

constexpr int kNoScore = 128;
constexpr int kOtherStartPenalty = 40;
constexpr int kOddBonus = 10;

bool isDomain(int d) {
    return d >= 1 && d <= kMaxDomain;
}

bool isStartDomain(const EditorState& st, int d) {
    for (int k = 1; k <= kStartPositions; ++k)
        if (st.StartDomains[std::size_t(k)] == d) return true;
    return false;
}

// The domain numbers that share a climate, and their values in summer and winter.
struct ClimateBand {
    int first;  // the lowest number of the band
    const char* range;
    int summer;
    int winter;
};
constexpr ClimateBand kBands[] = {{0, "0..3", 4, 0},
                                  {4, "4,5", 2, -2},
                                  {6, "6..9", -8, -4},
                                  {10, "10,11", 0, -6},
                                  {12, "12+", -12, -10}};

const ClimateBand& bandOf(int d) {
    const ClimateBand* band = &kBands[0];
    for (const ClimateBand& b : kBands)
        if (d >= b.first) band = &b;
    return *band;
}

int seasonValue(const ClimateBand& b, ClimateSeason season) {
    return season == ClimateSeason::Summer ? b.summer : b.winter;
}

}  // namespace

const std::array<ClimateLegendRow, kClimateValueCount> kClimateLegend = {{{4, 0xFFD700},
                                                                          {2, 0xFFFF00},
                                                                          {0, 0x00FF00},
                                                                          {-2, 0x00FFFF},
                                                                          {-4, 0x00BFFF},
                                                                          {-6, 0x1E90FF},
                                                                          {-8, 0x0000FF},
                                                                          {-10, 0x0000CD},
                                                                          {-12, 0x00008B}}};

int Prefer(const EditorState& st, int from, std::initializer_list<int> mask) {
    if (!isDomain(from) || !st.CountyTable[std::size_t(from)].used) return 0;
    const Point home = st.CountyTable[std::size_t(from)].townPos;
    int best = kNoScore, result = 0;
    for (int i = 1; i <= kMaxDomain; ++i) {
        const Acounty& c = st.CountyTable[std::size_t(i)];
        if (!c.used || std::find(mask.begin(), mask.end(), i) != mask.end()) continue;
        const bool borders = std::any_of(mask.begin(), mask.end(), [&](int m) {
            return isDomain(m) && st.DomainAdjacency[std::size_t(i)][std::size_t(m)] != 0;
        });
        if (!borders) continue;
        int score = std::max(std::abs(home.x - c.townPos.x), std::abs(home.y - c.townPos.y));
        if (isStartDomain(st, i)) score += kOtherStartPenalty;
        if (i % 2 == 1) score -= kOddBonus;
        if (score < best) {
            best = score;
            result = i;
        }
    }
    return result;
}

AiPreference aiPreferences(const EditorState& st, int k) {
    if (k < 1 || k > kStartPositions) return {};
    const int s = st.StartDomains[std::size_t(k)];
    if (!isDomain(s)) return {};
    AiPreference p{s, Prefer(st, s, {s}), 0};
    if (p.first != 0) p.second = Prefer(st, p.first, {s, p.first});
    return p;
}

int climateValue(int d, ClimateSeason season) {
    return seasonValue(bandOf(d), season);
}

const char* climateRangeText(int value, ClimateSeason season) {
    for (const ClimateBand& b : kBands)
        if (seasonValue(b, season) == value) return b.range;
    return nullptr;
}

std::uint32_t climateColour(int value) {
    for (const ClimateLegendRow& row : kClimateLegend)
        if (row.value == value) return row.rgb;
    return 0xFFFFFF;
}

}  // namespace d7
