#include "ui/tools/domain_tool.h"

#include "core/edit/painting.h"
#include "ui/map_editing.h"
#include "ui/windows/map_window.h"

namespace d7::ui {

void DomainTool::activate() {
    ed_.map().hideOverlay();
    // Without a chosen domain there is nothing to preview.
    if (const int d = ed_.selectedDomain(); d >= 0)
        ed_.map().setDomainOverlay(d, ed_.st().view.zoom);
}

void DomainTool::mousePress(QPoint cell) {
    const int d = ed_.selectedDomain();
    if (d < 0 || !paintCellDomain(ed_.st(), cell.x(), cell.y(), d)) return;
    ed_.finishEdit(false);
}

}  // namespace d7::ui
