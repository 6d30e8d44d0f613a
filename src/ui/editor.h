// The editor: its state, the map picture and every window, created once in
// a fixed order and wired together. The application creates one; tests
// create as many as they like, each with its own prompt and dialogs.
#pragma once

#include <QRect>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/model/editor_state.h"
#include "render/map_renderer.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/domain_select_dialog.h"
#include "ui/dialogs/name_dialog.h"
#include "ui/dialogs/town_values_dialog.h"
#include "ui/editor_context.h"
#include "ui/map_editing.h"
#include "ui/windows/brush_editor.h"
#include "ui/windows/main_window.h"
#include "ui/windows/map_window.h"
#include "ui/windows/minimap_window.h"
#include "ui/windows/stat_form.h"
#include "ui/windows/tile_select_window.h"
#include "ui/windows/tile_view_window.h"
#include "ui/windows/trader_window.h"

namespace d7::ui {

struct AuxiliaryViews;
class EditHistoryUi;
class EditorRecovery;

class Editor {
  public:
    Editor(Prompt& prompt, FileDialogs& dialogs, std::filesystem::path programDir);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    EditorState& state() { return *st_; }
    render::MapRenderer& renderer() { return renderer_; }
    EditorContext& context() { return ctx_; }

    Tmainform& mainForm() { return *mainform_; }
    Tminform& miniForm() { return *minform_; }
    Tmapform& mapForm() { return *mapform_; }
    Tstatform& statForm() { return *statform_; }
    Tnchform& nameForm() { return *nchform_; }
    Taboutform& aboutForm() { return *aboutform_; }
    MapEditing& editing() { return *editing_; }
    AuxiliaryViews& auxViews() { return *auxViews_; }
    Ttileform& tileForm() { return *tileform_; }
    Ttileselectform& tileSelectForm() { return *tileselectform_; }
    Tbreditform& brushEditForm() { return *breditform_; }
    Ttvform& townValuesForm() { return *tvform_; }
    Ttraderform& traderForm() { return *traderform_; }
    Tdomselectform& domainSelectForm() { return *domselectform_; }
    EditHistoryUi& history() { return *history_; }
    EditorRecovery& recovery() { return *recovery_; }

    // After the map picture changed as a whole: the map window, the minimap
    // and the domain list show it again.
    void repaintViews();
    // After a map set was loaded: the map list, map 0, the first items of
    // both lists, the picture and the map window.
    void showLoadedMapSet();
    // Enables the commands that need a map set once one is loaded.
    void updateCommandStates();

    // Start-up's tile tools: the palettes at the tile scale, the default
    // brush, the "Base" palette with tile 0 chosen, and the tile selector shown.
    void prepareTileTools();
    // The tilesets, the brightness or the palette changed: the tile palettes
    // are built again, the selector shows them (with the tile chosen again
    // in "Maptiles"), and the tile viewer follows.
    void graphicsChanged();
    // The current brush: the brush icon and the map window's preview follow.
    void setBrush(const BrushMask& mask);
    // Chooses index i of palette type in the tile selector, as the "Tileset"
    // group and the quick-selection buttons do.
    void selectTile(int type, int index);

    // Puts the windows side by side inside the available screen area.
    void placeWindows(const QRect& available);
    // Every top-level window whose place the configuration keeps, each with
    // its class name as objectName.
    std::vector<QWidget*> layoutWindows();

  private:
    std::unique_ptr<EditorState> st_;
    render::MapRenderer renderer_;
    EditorContext ctx_;
    // The windows, in the order they are created.
    std::unique_ptr<Tmainform> mainform_;
    std::unique_ptr<Ttileform> tileform_;
    std::unique_ptr<Tminform> minform_;
    std::unique_ptr<Tmapform> mapform_;
    std::unique_ptr<Tstatform> statform_;
    std::unique_ptr<Ttileselectform> tileselectform_;
    std::unique_ptr<Tnchform> nchform_;
    std::unique_ptr<Tbreditform> breditform_;
    std::unique_ptr<Ttvform> tvform_;
    std::unique_ptr<Ttraderform> traderform_;
    std::unique_ptr<Tdomselectform> domselectform_;
    std::unique_ptr<Taboutform> aboutform_;
    // The mouse editing of the map window, wired to the windows above.
    std::unique_ptr<MapEditing> editing_;
    std::unique_ptr<AuxiliaryViews> auxViews_;
    // The edit history's menu, keys and window, wired to everything above.
    std::unique_ptr<EditHistoryUi> history_;
    // The recovery file of unsaved changes (kept once the application starts it).
    std::unique_ptr<EditorRecovery> recovery_;
    // Steps of the renderer's idle work, each when the event loop has
    // nothing else to do.
    QTimer idleWork_;
};

}  // namespace d7::ui
