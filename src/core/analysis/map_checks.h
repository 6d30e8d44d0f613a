// The three map checks: the current map against the rules of the game, as
// report lines. None of them changes the map.
#pragma once

#include <string_view>

#include <vector>

#include "core/analysis/map_fix.h"
#include "core/analysis/report_text.h"

namespace d7 {

struct CheckReport {
    ReportLines lines;
    // Lines that report a broken rule (everything but the headings, the
    // domain name lines and "Ok." / "None.").
    int findings = 0;
    // The repairs offered, in the order of their lines.
    std::vector<OfferedFix> fixes;
};

// "Check Map for errors": runs the analysis pass, then tests the starting
// positions, the contents of every used domain and the cells of the map.
CheckReport checkMapErrors(EditorState& st);

// "Check Pathfinding": whether each used domain's town reaches the towns of
// its neighbours by road. Reads the latest analysis pass; overwrites the
// distance field and path of the latest search.
CheckReport checkPathfinding(EditorState& st);

// "Check Map for Clipping": villages and mines with a field directly west or
// north of them.
CheckReport checkClipping(const EditorState& st);

// "Check Submaps": whether the minimap mask and image, the outline and the
// outside map are what the map's planes give.
CheckReport checkSubmaps(const EditorState& st);

enum class MapCheck { Errors, Pathfinding, Clipping, Submaps };

// The check of that kind.
CheckReport runMapCheck(EditorState& st, MapCheck check);

// The kind a command-line word names ("errors", "pathfinding", "clipping",
// "submaps").
bool mapCheckFromName(std::string_view name, MapCheck& check);

// Longest road walk between neighbouring towns that the game handles well.
inline constexpr int kLongestTownRoad = 150;

}  // namespace d7
