#include "ui/tools/brush_tool.h"

#include "core/edit/painting.h"
#include "ui/map_editing.h"
#include "ui/windows/main_window.h"
#include "ui/windows/map_window.h"

namespace d7::ui {

void BrushTool::activate() {
    ed_.map().brushimage()->show();
    ed_.map().brushimage()->raise();
}

void BrushTool::mousePress(QPoint cell) {
    Tmainform& main = ed_.main();
    const auto fill = BrushFill(main.rd_brushfill->itemIndex());
    // The brush's centre cell (2, 2) is the clicked cell.
    if (!applyBrush(ed_.st(), cell.x() - 2, cell.y() - 2, ed_.st().view.brush, fill,
                    ed_.selectedDomain(), main.cb_ovsea->isChecked()))
        return;
    ed_.finishEdit(false);
}

}  // namespace d7::ui
