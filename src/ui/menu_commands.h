// The menu commands of the main window, connected to their menu items.
#pragma once

#include <vector>

namespace d7::ui {

class Editor;

// "File": single maps, snapshots, map sets, reset, palette and picture.
void connectFileCommands(Editor& ed);
// "View": refresh, map and domain view, map size, season and brightness.
void connectViewCommands(Editor& ed);
// "Test" and "Info": name lengths, the map file maintenance and "About".
void connectTestCommands(Editor& ed);
// "Map Helper": re-tiling, fills, land without domain and "Shift Map".
void connectMapHelperCommands(Editor& ed);
// The "Map Helper" commands, enabled once a map set is loaded.
const std::vector<const char*>& mapHelperCommandNames();

// "Map Size": the new zoom, with what the edit type needs, and a full redraw;
// the view origin stays, so the same cell stays at the top centre.
void changeZoom(Editor& ed, int zoom);

}  // namespace d7::ui
