// The picture of the "Traderoutes" window: the current map's domains, towns
// and roads at 6 pixels per cell, flat (View 1) or isometric (View 2), for
// its three modes.
#pragma once

#include <QImage>

#include "core/analysis/ai_preferences.h"
#include "core/model/editor_state.h"

namespace d7::render {

enum class TraderWindowMode { Routes = 1, AiPreferences = 2, Climate = 3 };
enum class TraderWindowView { Flat = 0, Isometric = 1 };

inline constexpr int kTraderPictureSide = 6 * 64;

struct TraderPictureOptions {
    TraderWindowMode mode = TraderWindowMode::Routes;
    TraderWindowView view = TraderWindowView::Isometric;
    int trader = 0;      // Routes: the selected trader, 0 for none
    AiPreference prefs;  // AiPreferences: the start domain and its preferences
    ClimateSeason season = ClimateSeason::Summer;  // Climate
};

// The 384 x 384 picture, with the labels "S", "1" and "2" of the
// AiPreferences mode.
QImage traderWindowPicture(const EditorState& st, const TraderPictureOptions& options);

// The cell under a point of the picture (may lie off the grid).
Point traderPictureCell(TraderWindowView view, int px, int py);

}  // namespace d7::render
