// The edit commands of traders, starting positions and domain numbers
// (edit -e "add-trader D T", ...), parsed and run for the edit command.
#pragma once

#include <array>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "core/model/editor_state.h"
#include "core/model/ports.h"

namespace d7::cli {

struct TraderEdit {
    enum class Op { AddTrader, RemoveTrader, SetSlots, Start, StartAt, SwitchDomain };
    Op op = Op::AddTrader;
    std::array<int, 4> v{};  // the numbers in the order they are written
    int replace = 0;         // add-trader ... replace S: S, else 0
};

// The command words as a trader edit; nothing when the first word names
// another command. Throws UsageError naming a wrong argument.
std::optional<TraderEdit> parseTraderEdit(const std::vector<std::string>& words);

// Runs the edit on the current map. Messages and questions go through
// prompt; what cannot be done on this map is said on err, and then it
// returns false.
bool runTraderEdit(EditorState& st, Prompt& prompt, const TraderEdit& e, std::ostream& err);

}  // namespace d7::cli
