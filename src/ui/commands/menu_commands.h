// The menu commands of the main window, connected to their menu items.
#pragma once

#include <QString>
#include <string>
#include <vector>

namespace d7::ui {

class Editor;

// "File": single maps, snapshots, map sets, reset, palette and picture.
void connectFileCommands(Editor& ed);
// What the status bar says after a save: how many files went into dir, and which.
QString savedMessage(const std::string& dir, const std::vector<std::string>& files);
// The question before saving into a directory that holds no map store.
QString overlayQuestion(const std::string& dir);
// "View" > "Minimap", "Tile Selector", ...: each closable window shown again.
void connectWindowCommands(Editor& ed);
// "View": refresh, map and domain view, map size, season and brightness.
void connectViewCommands(Editor& ed);
// Traders and starting positions: "View" > "Traders", "Map Helper" >
// "Traderoutes", the "Check" menu's trader window pages, and the domain
// list popup's starting position, trader order, town values and domain
// number commands.
void connectTraderCommands(Editor& ed);
// "Test" and "Info": name lengths, the map file maintenance and "About".
void connectTestCommands(Editor& ed);
// "Map Helper": re-tiling, fills, land without domain and "Shift Map".
void connectMapHelperCommands(Editor& ed);
// The "Map Helper" commands, enabled once a map set is loaded.
const std::vector<const char*>& mapHelperCommandNames();
// The tile tools: "Tileset", the quick selection, the brush icon and the
// brush editor, "Tileset Size" and "Tile View".
void connectTileCommands(Editor& ed);

// "Map Size" (ui/commands/map_size_commands.cpp): the sizes, "Fit Map", the
// keys that step through them and Ctrl+wheel over the map.
void connectMapSizeCommands(Editor& ed);
// A size in quarters of 100 % (core/edit/map_scale.h), with what the edit
// type needs; the view origin stays, so the same cell stays at the top
// centre. A new zoom of the picture, and 100 % and 200 %, redraw it whole.
void changeMapSize(Editor& ed, int q);
// The same for zoom 1 (100 %) or 2 (200 %).
void changeZoom(Editor& ed, int zoom);

}  // namespace d7::ui
