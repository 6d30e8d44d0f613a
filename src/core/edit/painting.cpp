#include "core/edit/painting.h"

#include "core/edit/cell_writer.h"
#include "core/edit/geometry.h"
#include "core/model/undo.h"

namespace d7 {

bool paintCellDomain(EditorState& st, int x, int y, int domain) {
    const bool domainNumber = (domain >= 0 && domain <= kMaxDomain) || domain == kLandWithoutDomain;
    if (!inMap(x, y) || !domainNumber || st.planes.M0.at(x, y) == flags::kSea) return false;
    pushUndo(st);
    setCellDomain(st, x, y, domain, st.curMap, false);
    return true;
}

}  // namespace d7
