// A town's three trade-route slots and the commands that add a town to a
// trader's route or take it off. A town whose main cell is (x, y) keeps slot 1
// in M4 of (x + 1, y), slot 2 in M4 of (x, y + 1) and slot 3 in M4 of
// (x + 1, y + 1); the analysis pass mirrors them into the domain's tradeSlot.
//
// Every operation takes a domain number; the town is that domain's townPos.
// Numbers other than the domains 1..16 have no town and are left alone.
#pragma once

#include <array>
#include <string>

#include "core/model/editor_state.h"
#include "core/model/ports.h"

namespace d7 {

inline constexpr const char* kTraderouteCaption = "Traderoute";

using TownSlots = std::array<int, 3>;

// The first of tradeSlot 1..3 that is free, as 1..3; -1 when all are taken.
int FirstFreeSlot(const EditorState& st, int d);
// Whether any of the domain's slots names trader t.
bool HasTrader(const EditorState& st, int d, int t);
// How many of the domain's slots name a trader.
int UsedSlots(const EditorState& st, int d);
// Writes the three tradeSlot values into the town's slot cells (through
// setMarker) and runs the analysis pass. A domain without a town position
// writes nothing.
void WriteSlots(EditorState& st, int d);
// Frees the first slot that names trader t and writes the slots back;
// nothing when t is not there.
void ClearTrader(EditorState& st, int d, int t);

// The M4 values of the town's slot cells; (0, 0, 0) unless the domain is used
// and has exactly one town whose main cell has the Town bit, part 0 and this
// domain, with the whole 2 x 2 block on the map.
TownSlots ReadTownSlots(const EditorState& st, int d);
// Under the same conditions, writes a, b, c into the slot cells and runs the
// analysis pass; otherwise nothing. Values outside 0..6 are not written. The
// traders of the old and the new slots are marked stale.
void SetTownSlots(EditorState& st, int a, int b, int c, int d);

// Adds the domain's town to trader t's route: into a free slot, or, when all
// three are taken and the user agrees, into the slot of the trader chosen in
// "Select Traderoute". Messages and questions go through prompt. The traders
// whose routes change are marked stale; in the trader view the shown route
// is rebuilt and the map redrawn.
void AddTradeStop(EditorState& st, Prompt& prompt, int d, int t);
// Takes the domain's town off trader t's route, or says that it is not on it.
void RemoveTradeStop(EditorState& st, Prompt& prompt, int d, int t);

// After a change of the slots: in the trader view the selected trader's route
// is rebuilt when stale and the whole map is redrawn.
void refreshTraderView(EditorState& st);

// "Switch Order": the captions of its six items for a town's slots a, b, c:
// "Current: abc", then acb, bac, bca, cab and cba.
std::array<std::string, 6> switchOrderCaptions(const TownSlots& slots);
// Chooses an item of "Switch Order": the caption without its menu hotkey
// marker, when it is three characters that read as a number above 0, gives
// the new slots 1, 2, 3 digit by digit (SetTownSlots), and in the trader view
// the map is redrawn. Returns whether the caption named an order.
bool applySwitchOrder(EditorState& st, int d, const std::string& caption);

}  // namespace d7
