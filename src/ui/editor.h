// The editor: its state, the map picture and every window, created once in
// a fixed order and wired together. The application creates one; tests
// create as many as they like, each with its own prompt and dialogs.
#pragma once

#include <QRect>
#include <filesystem>
#include <memory>

#include "core/model/editor_state.h"
#include "render/map_renderer.h"
#include "ui/about_dialog.h"
#include "ui/editor_context.h"
#include "ui/main_window.h"
#include "ui/map_window.h"
#include "ui/minimap_window.h"
#include "ui/name_dialog.h"
#include "ui/stat_form.h"

namespace d7::ui {

struct AuxiliaryViews;

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
    AuxiliaryViews& auxViews() { return *auxViews_; }

    // After the map picture changed as a whole: the map window, the minimap
    // and the domain list show it again.
    void repaintViews();
    // After a map set was loaded: the map list, map 0, the first items of
    // both lists, the picture and the map window.
    void showLoadedMapSet();
    // Enables the commands that need a map set once one is loaded.
    void updateCommandStates();

    // Puts the windows side by side inside the available screen area.
    void placeWindows(const QRect& available);

  private:
    std::unique_ptr<EditorState> st_;
    render::MapRenderer renderer_;
    EditorContext ctx_;
    // The windows, in the order they are created.
    std::unique_ptr<Tmainform> mainform_;
    std::unique_ptr<Tminform> minform_;
    std::unique_ptr<Tmapform> mapform_;
    std::unique_ptr<Tstatform> statform_;
    std::unique_ptr<Tnchform> nchform_;
    std::unique_ptr<Taboutform> aboutform_;
    std::unique_ptr<AuxiliaryViews> auxViews_;
};

}  // namespace d7::ui
