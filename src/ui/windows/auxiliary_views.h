// The windows that show the auxiliary planes and test pictures, created
// together after the main windows, and the menu commands that use them.
#pragma once

#include "ui/windows/outside_paint_window.h"
#include "ui/windows/palette_window.h"
#include "ui/windows/plane_view_window.h"
#include "ui/windows/test_view_window.h"

namespace d7::ui {

class Editor;

struct AuxiliaryViews {
    explicit AuxiliaryViews(EditorContext& ctx)
        : palform(ctx), viewform(ctx), vertform(ctx), vpaintform(ctx) {}
    Tpalform palform;
    Tviewform viewform;
    Tvertform vertform;
    Tvpaintform vpaintform;
};

// "Extras", "Map Helper" > "Create Land and Domains from BMP" and the hidden
// generators, and the pictures and views of "Test".
void connectExtrasCommands(Editor& ed);
// Enables those that need a map once a map set is loaded.
void updateExtrasCommandStates(Editor& ed);

}  // namespace d7::ui
