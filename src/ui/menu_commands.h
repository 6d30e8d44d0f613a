// The menu commands of the main window, connected to their menu items.
#pragma once

namespace d7::ui {

class Editor;

// "File": single maps, snapshots, map sets, reset, palette and picture.
void connectFileCommands(Editor& ed);
// "View": refresh, map and domain view, map size, season and brightness.
void connectViewCommands(Editor& ed);
// "Test" and "Info": name lengths, the map file maintenance and "About".
void connectTestCommands(Editor& ed);
// The tile tools: "Tileset", the quick selection, the brush icon and the
// brush editor, "Tileset Size" and "Tile View".
void connectTileCommands(Editor& ed);

// "Map Size": the new zoom, with what the edit type needs, and a full redraw;
// the view origin stays, so the same cell stays at the top centre.
void changeZoom(Editor& ed, int zoom);

}  // namespace d7::ui
