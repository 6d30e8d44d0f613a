// What a report line points at, so that choosing the line can show it on the
// map: a domain ("Domain 3 Ashby", "3 - Ashby", "3: 17", "County: 3 ...",
// "domain 3 name ...") or a cell ("Missing Domain definition at (12,40)",
// "12,40", "... at 12,40.", "- X: 12 Y: 40", "12,40  M0 0->64 ...").
#pragma once

#include <string_view>

namespace d7 {

struct ReportTarget {
    enum Kind { None, Domain, Cell };
    Kind kind = None;
    int domain = 0;  // 1..16 for Domain
    int x = -1;      // the cell (0..63 each) for Cell
    int y = -1;
};

// The domain or cell the line names, or None. A line that begins with
// "Domain" or "County:" and a number names that domain whatever follows (the
// county name may hold anything); otherwise a cell on the grid wins over a
// leading domain number. Numbers outside 1..16 and cells off the grid name
// nothing.
ReportTarget reportLineTarget(std::string_view line);

}  // namespace d7
