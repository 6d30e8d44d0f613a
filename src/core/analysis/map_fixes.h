// Applying the repairs the map checks offer. Each fix first asks whether its
// remedy still applies to the map as it is now (the map may have changed
// since the report); when not, it changes nothing and says so.
#pragma once

#include <string>
#include <vector>

#include "core/analysis/map_checks.h"
#include "core/analysis/map_fix.h"

namespace d7 {

struct FixResult {
    bool applied = false;
    // "Fixed: ..." or "Not fixed (no longer applies): ..."
    std::string text;
};

// Applies one fix as one edit: the undo snapshot is taken only when the fix
// applies. Runs the analysis pass after a change.
FixResult applyFix(EditorState& st, const MapFix& fix);

// Which fix a line offering the black tiles' two applies.
enum class BlackFill { Grass, Sea };

struct FixRun {
    std::vector<std::string> applied;  // "Fixed: ..." per fix applied, in order
    CheckReport report;                // the check's report once the fixes are done
};

// "Fix All": applies the fix of every line of the check's report in order,
// then runs the check again; fixes that one round leaves possible (a black
// cell turned grassland then lacks a domain) are applied in further rounds,
// a few at most. All of it is one edit: one undo snapshot, taken only when a
// fix applies.
FixRun fixAll(EditorState& st, MapCheck check, BlackFill black = BlackFill::Grass);

// The title a report shows for a fix: "Fix: " and its description.
std::string fixTitle(const MapFix& fix);

}  // namespace d7
