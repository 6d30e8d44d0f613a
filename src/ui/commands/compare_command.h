// "Compare with Map Set..." in the "File" menu: what changed from the map set
// of another directory to the one in the editor, for the current map.
#pragma once

#include <filesystem>

namespace d7::ui {

class Editor;

void connectCompareCommand(Editor& ed);

// Loads the map set of dir beside the editor's as "Load Mapset.." would load
// it (a damaged one is refused with the same message, and nothing changes), lists the current
// map's differences in the statistics window and outlines its changed cells
// in the map window.
void compareWithMapSet(Editor& ed, const std::filesystem::path& dir);

}  // namespace d7::ui
