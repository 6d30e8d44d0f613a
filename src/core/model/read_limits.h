// The most bytes the editor reads of each kind of file. The map store and the
// map files have fixed sizes; the others get generous caps, far above what
// the game's own files hold, so that a link to an endless device or a huge
// file in a shared folder is refused before it is read.
#pragma once

#include <cstddef>

#include "core/model/map_layout.h"

namespace d7 {

inline constexpr std::size_t kMegabyte = 1024 * 1024;

inline constexpr std::size_t kMapStoreReadLimit = kMapStoreSize;
inline constexpr std::size_t kMapFileReadLimit = kMapFileSize;
// The language file and a tileset. (A bitmap may have what a picture of
// 4096 x 4096 pixels needs: render/bitmap_reading.cpp.)
inline constexpr std::size_t kLanguageFileReadLimit = 64 * kMegabyte;
inline constexpr std::size_t kTilesetReadLimit = 64 * kMegabyte;
// A single map file (.k7map: one map and its names) and the word list names.txt.
inline constexpr std::size_t kSingleMapReadLimit = 16 * kMegabyte;
inline constexpr std::size_t kWordListReadLimit = 16 * kMegabyte;
// The palette and the editor's D7Irir.ini.
inline constexpr std::size_t kPaletteReadLimit = kMegabyte;
inline constexpr std::size_t kIniReadLimit = kMegabyte;
// A recovery file: at most every byte of a map set, and a megabyte of
// bookkeeping.
inline constexpr std::size_t kRecoveryReadLimit =
    kMapStoreSize + kMapFileCount * kMapFileSize + kLanguageFileReadLimit + kMegabyte;

}  // namespace d7
