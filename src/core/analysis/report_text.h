// What every text report of the editor is made of: lines of Windows-1252
// bytes, and the names they quote, made safe to stand inside one line.
#pragma once

#include <string>
#include <vector>

#include "core/model/editor_state.h"

namespace d7 {

// The lines of one report, in order, as the statistics window shows them.
using ReportLines = std::vector<std::string>;

// The county name of domain d as a report quotes it: records 0..19 of
// CountyTable, record 0 for the land without domain (32), nothing for any
// other number. Names come from shared files, so a control byte (a line
// break would split the report line) is shown as "?".
std::string countyName(const EditorState& st, int d);

// Trader t's name: entry t - 1 of the trader name list, or "Trader t" when
// the list is shorter; made safe like a county name.
std::string traderName(const EditorState& st, int t);

// The name with every control byte replaced by "?".
std::string oneLineText(std::string text);

}  // namespace d7
