// The season, brightness and palette commands on the editor state, and the
// Ready state that gates all drawing.
#pragma once

#include <filesystem>

#include "core/model/editor_state.h"

namespace d7::tiles {

// A map, the palette and the tilesets are loaded: only then is anything drawn.
bool isReady(const EditorState& st);

// Loads the season's tilesets from st.pl8Dir and, when a map is loaded, has the
// map picture redrawn. Throws FileError (nothing changes then).
void selectSeason(EditorState& st, int season);

// "Bright" (dark = false) or "Dark": when the setting changes, switches the
// overlay colour sets, recomputes the palette tables and, when a map is
// loaded, has the map picture redrawn. Returns false (and does nothing) when
// the setting is already the one chosen.
bool chooseBrightness(EditorState& st, bool dark);

// "Load Palette": loads the file with the bright factor whatever the
// brightness setting shows and, when a map is loaded, has the map picture
// redrawn. Throws FileError (the previous palette stays then).
void loadPaletteFile(EditorState& st, const std::filesystem::path& path);

// Start-up's palette: "Base01.256" of st.pl8Dir. Throws FileError.
void loadDefaultPalette(EditorState& st);

}  // namespace d7::tiles
