// Where the editor's windows were when it last ended, kept in the
// configuration file's [Windows] section: one "left,top,width,height" line
// per window, under the window's class name (Tmainform=0,0,278,528). The
// position is the window's outer corner, as move() takes it; the size is its
// inside, as resize() takes it.
#pragma once

#include <QList>
#include <QRect>
#include <filesystem>
#include <optional>
#include <string>

#include "app/ini_file.h"
#include "ui/editor.h"

namespace d7::app {

inline constexpr const char* kWindowSection = "Windows";

// "left,top,width,height" as written; nothing when malformed or empty.
std::optional<QRect> parseWindowRect(const std::string& text);
std::string windowRectText(const QRect& rect);

// Writes every window's place into the configuration.
void storeWindowLayout(ui::Editor& ed, IniFile& ini);
// Moves (and, when it can change size, sizes) each window to its kept place,
// when that place is still reachable on one of the screens (their available
// areas); other windows stay where the default layout put them.
void restoreWindowLayout(ui::Editor& ed, const IniFile& ini, const QList<QRect>& screens);
// When the editor ends: reads the configuration again (start-up may have
// written it), stores the places and writes it. Throws FileError.
void saveWindowLayout(ui::Editor& ed, const std::filesystem::path& iniPath);

}  // namespace d7::app
