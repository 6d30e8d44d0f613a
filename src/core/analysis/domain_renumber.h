// "Switch Domain Nr...": two domain numbers change places on the current map.
#pragma once

#include "core/model/editor_state.h"

namespace d7 {

// Every cell of domain s gets t and every cell of t gets s (through
// setCellDomain, so sea cells keep their number and black cells become
// grassland), and the two county names change places. s is a domain 1..16,
// t a domain list entry 0..16 taken as a number (0: the cells without
// domain). The map picture is redrawn once at the end. False, and nothing
// changed, for other numbers.
bool switchDomainNumbers(EditorState& st, int s, int t);

}  // namespace d7
