// The edit command's brush: what a "Brushes" click does, for scripts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/edit/painting.h"
#include "core/model/brush_mask.h"

namespace d7::cli {

struct BrushCommand {
    int x = 0;  // the cell under the brush's centre
    int y = 0;
    BrushFill fill = BrushFill::Sea;
    int domain = 0;
    bool overwriteSea = false;
    BrushMask mask = BrushMask::centre();
};

// "brush X Y FILL [D] [sea] [mask=ROWS]", or nullopt when words[0] is not
// "brush". Throws UsageError for wrong arguments.
std::optional<BrushCommand> parseBrushCommand(const std::vector<std::string>& words);

}  // namespace d7::cli
