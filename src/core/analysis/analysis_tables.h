// The tables the analysis pass derives from the planes of the current map.
// They live in memory only; nothing here is ever written to a file.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/model/map_layout.h"

namespace d7 {

struct Point {
    std::int32_t x = -1;
    std::int32_t y = -1;
    bool isSet() const { return x != -1; }
    bool operator==(const Point&) const = default;
};

// The per-domain record. The counts are wider than a byte: a domain can hold
// more than 255 green cells, and a wrapped count would fail later checks.
struct Acounty {
    int castles = 0;
    int towns = 0;
    int quarries = 0;
    int mines = 0;
    int lumbers = 0;
    int villages = 0;
    int fields = 0;
    int greens = 0;
    bool used = false;
    Point townPos;
    Point castlePos;
    Point townRoadPos;
    Point smithPos;
    // Trader number (1..6, 0 = free) of the town's route slots 1, 2 and 3 at
    // indices 0, 1 and 2.
    std::array<std::int32_t, 3> tradeSlot{};
    std::string name;  // kept by the name handling, never touched by the pass
};

inline constexpr int kCountyRecords = 20;
inline constexpr int kTraders = 6;
inline constexpr int kStartPositions = 5;
inline constexpr int kMaxTraderStops = 21;
inline constexpr int kMaxRouteStops = 16;

struct TraderStopEntry {
    std::int32_t domain = 0;
    std::int32_t slot = 0;
    bool operator==(const TraderStopEntry&) const = default;
};

// Every town route slot that names one trader.
struct TraderStopList {
    std::int32_t count = 0;
    std::array<TraderStopEntry, kMaxTraderStops> entries{};
};

struct TraderRouteRecord {
    std::int32_t startDomain = 0;
    std::array<std::int32_t, kMaxRouteStops> stops{};
    std::int32_t startIndex = 0;
    std::int32_t stopCount = 0;
};

// One cell a trader walks. leg is the number of the leg (0 = from the first
// stop to the second, ...) or kLeadIn for the approach from the trader's
// start to its route; written as "S=12,40" or "3=20,41".
struct RouteCell {
    static constexpr int kLeadIn = -1;
    int leg = 0;
    Point cell;
    bool operator==(const RouteCell&) const = default;
};

// A 64 x 64 table indexed by cell (x, y).
template <typename T>
struct CellTable {
    std::array<T, kCellCount> values{};
    T& at(int x, int y) { return values[std::size_t(y) * kGrid + x]; }
    T at(int x, int y) const { return values[std::size_t(y) * kGrid + x]; }
    void fill(T v) { values.fill(v); }
};

using CostMatrix = CellTable<std::uint8_t>;

// Results of the analysis pass. Arrays indexed by trader, player or domain
// number keep the numbers as they are (index 0 unused).
struct AnalysisTables {
    std::array<Acounty, kCountyRecords> CountyTable{};
    std::array<std::int32_t, kStartPositions + 1> StartDomains{-1, -1, -1, -1, -1, -1};
    std::array<TraderStopList, kTraders + 1> TraderStops{};
    std::array<TraderRouteRecord, kTraders + 1> TraderRoute{};
    // DomainAdjacency[d][e] for domains 1..16.
    std::array<std::array<std::uint8_t, kMaxDomain + 1>, kMaxDomain + 1> DomainAdjacency{};
    CostMatrix MoveMatrix;
    CostMatrix RoadMoveMatrix;
    std::array<Point, kMaxDomain + 1> OldSmithPos{};
};

inline constexpr int kMaxPathPoints = 800;

// The pending cells of a distance search, kept in buckets by distance modulo
// 256. A step never costs more than 255, so every pending distance lies within
// 255 of the one being expanded and the buckets never mix two distances. Each
// cell is in at most one bucket (doubly linked through next/prev), so the
// fixed storage can hold every pending cell and nothing is ever dropped.
struct SearchQueue {
    static constexpr int kBuckets = 256;
    static constexpr std::int16_t kNone = -1;

    std::array<std::int16_t, kBuckets> head{};
    std::array<std::int16_t, kCellCount> next{};
    std::array<std::int16_t, kCellCount> prev{};
    std::array<std::int16_t, kCellCount> bucketOf{};  // kNone when not pending
    std::array<std::uint64_t, kBuckets / 64> occupied{};
    int cursor = 0;  // bucket of the distance last taken out
    int pending = 0;
};

// State of the latest distance search and path trace.
struct PathState {
    CellTable<std::int32_t> DistMatrix;
    std::array<Point, kMaxPathPoints> PathPoints{};
    int PathLength = 0;
    int searchSource = -1;    // cell index (y * 64 + x) of the latest search's source, -1 for none
    SearchQueue searchQueue;  // work space of BuildDistances, so a search allocates nothing
};

}  // namespace d7
