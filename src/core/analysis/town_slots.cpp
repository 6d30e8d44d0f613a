#include "core/analysis/town_slots.h"

#include <algorithm>

#include "core/analysis/analyse_map.h"
#include "core/analysis/trade_routes.h"
#include "core/edit/cell_writer.h"
#include "core/edit/geometry.h"

namespace d7 {

namespace {

constexpr const char* kStopExists = "Tradestop already exists at this Town for this Trader";
constexpr const char* kTownFull = "This Town already has 3 traderoutes. Do you want to remove one?";
constexpr const char* kNoStop = "Tradestop does not exist here for this Trader.";

// The slot cells relative to the town's main cell, for slots 1, 2 and 3.
constexpr std::array<Offset, 3> kSlotCells = {{{1, 0}, {0, 1}, {1, 1}}};

bool isDomain(int d) {
    return d >= 1 && d <= kMaxDomain;
}

const Acounty* countyOf(const EditorState& st, int d) {
    return isDomain(d) ? &st.CountyTable[std::size_t(d)] : nullptr;
}

// The town's 2 x 2 block lies on the map (a town read from a damaged file
// may sit on the last row or column, or be only a partial town).
bool blockOnMap(Point town) {
    return inMap(town.x, town.y) && inMap(town.x + 1, town.y + 1);
}

// A domain whose slots ReadTownSlots and SetTownSlots may touch.
bool hasProperTown(const EditorState& st, int d) {
    const Acounty* c = countyOf(st, d);
    if (!c || !c->used || c->towns != 1 || !blockOnMap(c->townPos)) return false;
    const Point t = c->townPos;
    const WorkingPlanes& p = st.planes;
    return (p.M0.at(t.x, t.y) & flags::kTown) && p.M3.at(t.x, t.y) == 0 && p.M5.at(t.x, t.y) == d;
}

void writeSlotCells(EditorState& st, Point town, const TownSlots& values) {
    if (!blockOnMap(town)) return;
    for (std::size_t i = 0; i < 3; ++i)
        setMarker(st, st.curMap, values[i], town.x + kSlotCells[i].dx, town.y + kSlotCells[i].dy);
}

TownSlots slotsOf(const Acounty& c) {
    return {c.tradeSlot[0], c.tradeSlot[1], c.tradeSlot[2]};
}

}  // namespace

int FirstFreeSlot(const EditorState& st, int d) {
    if (const Acounty* c = countyOf(st, d))
        for (int i = 0; i < 3; ++i)
            if (c->tradeSlot[std::size_t(i)] == 0) return i + 1;
    return -1;
}

bool HasTrader(const EditorState& st, int d, int t) {
    const Acounty* c = countyOf(st, d);
    return c && std::find(c->tradeSlot.begin(), c->tradeSlot.end(), t) != c->tradeSlot.end();
}

int UsedSlots(const EditorState& st, int d) {
    const Acounty* c = countyOf(st, d);
    return c ? int(std::count_if(c->tradeSlot.begin(), c->tradeSlot.end(),
                                 [](int s) { return s > 0; }))
             : 0;
}

void WriteSlots(EditorState& st, int d) {
    if (const Acounty* c = countyOf(st, d)) writeSlotCells(st, c->townPos, slotsOf(*c));
    AnalyseMap(st);
}

void ClearTrader(EditorState& st, int d, int t) {
    if (!HasTrader(st, d, t)) return;
    auto& slots = st.CountyTable[std::size_t(d)].tradeSlot;
    *std::find(slots.begin(), slots.end(), t) = 0;
    WriteSlots(st, d);
}

TownSlots ReadTownSlots(const EditorState& st, int d) {
    if (!hasProperTown(st, d)) return {0, 0, 0};
    const Point t = st.CountyTable[std::size_t(d)].townPos;
    TownSlots values{};
    for (std::size_t i = 0; i < 3; ++i)
        values[i] = st.planes.M4.at(t.x + kSlotCells[i].dx, t.y + kSlotCells[i].dy);
    return values;
}

void SetTownSlots(EditorState& st, int a, int b, int c, int d) {
    if (!hasProperTown(st, d)) return;
    // The order of a town's slots decides where it stands among a trader's
    // stops, so every trader it served or serves now walks a new route.
    for (int t : ReadTownSlots(st, d)) markRouteStale(st, t);
    for (int t : {a, b, c}) markRouteStale(st, t);
    writeSlotCells(st, st.CountyTable[std::size_t(d)].townPos, {a, b, c});
    AnalyseMap(st);
}

void refreshTraderView(EditorState& st) {
    if (st.view.viewMode != kTraderViewMode) return;
    ensureRouteCells(st, st.view.selectedTrader);
    if (st.sink) st.sink->mapChanged();
}

void AddTradeStop(EditorState& st, Prompt& prompt, int d, int t) {
    // Land without domain and numbers without a record have no town slots.
    if (!isDomain(d)) return;
    if (HasTrader(st, d, t)) {
        prompt.inform(kTraderouteCaption, kStopExists);
        return;
    }
    if (UsedSlots(st, d) != 3) {
        const int slot = FirstFreeSlot(st, d);
        if (slot > 0) st.CountyTable[std::size_t(d)].tradeSlot[std::size_t(slot - 1)] = t;
        markRouteStale(st, t);
        WriteSlots(st, d);
        refreshTraderView(st);
        return;
    }
    if (!prompt.askYesNo(kTraderouteCaption, kTownFull)) return;
    const TownSlots held = slotsOf(st.CountyTable[std::size_t(d)]);
    const auto choice = prompt.selectTraderoute({held.begin(), held.end()});
    if (!choice || *choice < 0 || *choice >= 3) return;
    const int removed = held[std::size_t(*choice)];
    ClearTrader(st, d, removed);
    markRouteStale(st, removed);
    markRouteStale(st, t);
    const int freed = FirstFreeSlot(st, d);
    if (freed > 0) st.CountyTable[std::size_t(d)].tradeSlot[std::size_t(freed - 1)] = t;
    WriteSlots(st, d);
    refreshTraderView(st);
}

void RemoveTradeStop(EditorState& st, Prompt& prompt, int d, int t) {
    if (!isDomain(d)) return;
    if (!HasTrader(st, d, t)) {
        prompt.inform(kTraderouteCaption, kNoStop);
        return;
    }
    ClearTrader(st, d, t);
    markRouteStale(st, t);
    refreshTraderView(st);
}

std::array<std::string, 6> switchOrderCaptions(const TownSlots& s) {
    auto digits = [&](int i, int j, int k) {
        return std::to_string(s[std::size_t(i)]) + std::to_string(s[std::size_t(j)]) +
               std::to_string(s[std::size_t(k)]);
    };
    return {"Current: " + digits(0, 1, 2),
            digits(0, 2, 1),
            digits(1, 0, 2),
            digits(1, 2, 0),
            digits(2, 0, 1),
            digits(2, 1, 0)};
}

bool applySwitchOrder(EditorState& st, int d, const std::string& caption) {
    std::string text = caption;
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    if (text.size() != 3 ||
        !std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        return false;
    if (std::stoi(text) <= 0) return false;
    SetTownSlots(st, text[0] - '0', text[1] - '0', text[2] - '0', d);
    refreshTraderView(st);
    return true;
}

}  // namespace d7
