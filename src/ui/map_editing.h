// Editing the map with the mouse: the seven edit types' tools, the choice
// among them through "Edittype", the controls that act on the chosen tool,
// the map's popup menu and undo. The map window forwards its mouse events
// here; everything an edit type does lives in its tool.
#pragma once

#include <QObject>
#include <QPoint>
#include <array>
#include <memory>

#include "ui/editor_context.h"
#include "ui/tools/map_tool.h"

class QPainter;

namespace d7::ui {

class Tmainform;
class Tmapform;
class Tminform;
class Ttileform;
class Ttileselectform;
class MapPopup;
class RoadTool;
class TileTool;

// The windows the editing works with.
struct EditingWindows {
    Tmainform& main;
    Tmapform& map;
    Tminform& minimap;
    Ttileselectform& tileSelector;
    Ttileform& tileViewer;
};

class MapEditing : public QObject {
    Q_OBJECT
  public:
    MapEditing(EditorContext& ctx, const EditingWindows& windows);
    ~MapEditing() override;

    EditorContext& ctx() { return ctx_; }
    EditorState& st() { return ctx_.st; }
    Tmainform& main() { return w_.main; }
    Tmapform& map() { return w_.map; }
    MapPopup& popup() { return *popup_; }

    // The tool of edit type i, and of the chosen one.
    MapTool& tool(int editType) { return *tools_[std::size_t(editType)]; }
    MapTool& current() { return tool(st().view.editType); }
    RoadTool& roadTool();
    TileTool& tileTool();

    // "Edittype": resets the controls and previews of every edit type, then
    // makes edit type i the chosen one.
    void chooseEditType(int editType);

    // The map window's mouse: a left click on a map cell, a move over any
    // cell, and the popup menu at a screen position. "Brushes" and
    // "Domains" paint each cell the mouse moves to while the button is
    // held; the release ends the drag.
    void mousePressed(QPoint cell);
    void mouseMoved(QPoint cell);
    void mouseReleased();
    void openPopup(QPoint globalPos);
    // The pointer left the map window (or the map moved away under it).
    void pointerLeft();
    // The map picture was redrawn as a whole: when the view mode or the
    // trader it shows changed, the chosen tool starts afresh (restartTool).
    void pictureRedrawn();
    // The marks of the chosen tool are dropped and its previews shown again,
    // as after another map or map set.
    void restartTool();
    // The selection layer's content for the chosen edit type.
    void paintOverlay(QPainter& painter, const render::WindowView& view);

    // The domain number of the domain list's selected entry (32 for entry 0),
    // -1 when none is selected.
    int selectedDomain() const;
    bool showBlacksmiths() const;

    // The end of every edit: the map window repainted and the minimap
    // refreshed. With wholeMap the map picture is redrawn as a whole
    // (otherwise the cell writers have already marked the changed cells'
    // areas to be drawn again).
    void finishEdit(bool wholeMap);

    // The popup's "Undo": asks for one step back in the history.
    void undo();
    // "Inspect Tile": the tile viewer shows the clicked cell and opens.
    void inspectClickedCell();

  signals:
    // A click or a drag of the mouse ended: what it changed is one step.
    void stepFinished();
    void undoRequested();

  private:
    void connectControls();
    bool dragPaints() const;

    EditorContext& ctx_;
    EditingWindows w_;
    std::array<std::unique_ptr<MapTool>, kEditTypeCount> tools_;
    std::unique_ptr<MapPopup> popup_;
    // The view the tool's marks were made on: view mode and trader.
    QPoint shownView_;
    // The cell of the drag in progress, (-1, -1) when the button is up.
    QPoint dragCell_{-1, -1};
};

}  // namespace d7::ui
