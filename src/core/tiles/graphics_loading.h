// Loading the season's tilesets and the palette into the graphics, and
// recomputing the palette's colour tables for a brightness factor.
#pragma once

#include <filesystem>
#include <string>

#include "core/tiles/graphics.h"

namespace d7::tiles {

// The palette start-up loads from the .pl8 directory.
inline constexpr const char* kDefaultPaletteName = "Base01.256";

// The file name in dir under whatever letter case it exists (dir/name when it
// does not, so that reading it reports the missing file).
std::filesystem::path gameFilePath(const std::string& dir, const std::string& name);

// Loads the five tilesets of the season (0..3) from pl8Dir. All five are read
// before any is replaced: when one cannot be read, FileError names it and the
// graphics keep the tilesets (and season) they had, so the map never shows a
// mixture of two seasons.
void loadTilesets(Graphics& gfx, const std::string& pl8Dir, int season);

// Reads a palette file and computes its tables with the bright factor 3.0;
// throws FileError and keeps the previous palette when it cannot be read.
void loadPalette(Graphics& gfx, const std::filesystem::path& path);

// Recomputes both palette tables from the palette in memory.
void setBrightness(Graphics& gfx, double factor);

}  // namespace d7::tiles
