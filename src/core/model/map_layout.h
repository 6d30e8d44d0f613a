// Sizes and offsets of the game's map files. These numbers are the file
// formats: changing any of them breaks compatibility with the game.
#pragma once

#include <cstddef>

namespace d7 {

inline constexpr int kMapCount = 60;      // maps in a map set
inline constexpr int kMapFileCount = 15;  // map01.pl8 .. map15.pl8, four maps each
inline constexpr int kMapsPerFile = 4;
inline constexpr int kGrid = 64;  // cells per side
inline constexpr int kCellCount = kGrid * kGrid;

// The outside-lands and outline planes: 65 columns by 129 rows.
inline constexpr int kOutsideWidth = 65;
inline constexpr int kOutsideHeight = 129;
inline constexpr int kOutsideSize = kOutsideWidth * kOutsideHeight;  // 8385

// The minimap planes: 128 by 128.
inline constexpr int kMinimapSide = 128;
inline constexpr int kMinimapSize = kMinimapSide * kMinimapSide;  // 16384

// Map block inside k7_maps.dat: M0..M5 then the outline.
inline constexpr int kBlockSize = 6 * kCellCount + kOutsideSize;  // 32961
inline constexpr int kOutlineOffset = 0x6000;
inline constexpr std::size_t kMapStoreSize = std::size_t(kMapCount) * kBlockSize;  // 1977660

// Ext record inside a map file: Ext1..Ext5.
inline constexpr int kExt1Offset = 0x0000;
inline constexpr int kExt2Offset = 0x4000;
inline constexpr int kExt3Offset = 0x8000;
inline constexpr int kExt4Offset = 0x9000;
inline constexpr int kExt5Offset = 0xA000;
inline constexpr int kExtRecordSize = 2 * kMinimapSize + 2 * kCellCount + kOutsideSize;  // 49345

// Map file: a header the editor copies but never interprets, then four Ext records.
inline constexpr int kMapFileHeaderSize = 328;
inline constexpr std::size_t kMapFileSize =
    kMapFileHeaderSize + std::size_t(kMapsPerFile) * kExtRecordSize;  // 197708

// One map's block followed by its Ext record: the body of single-map files and of undo.
inline constexpr int kMapImageSize = kBlockSize + kExtRecordSize;  // 82306

// Domain name slots per map in the language file's domain list.
inline constexpr int kDomainSlotsPerMap = 20;
inline constexpr int kDomainListEntries = 17;  // slot 0 (land without domain) and domains 1..16

// Language file entries the editor uses.
inline constexpr int kTraderNamesEntry = 4;
inline constexpr int kDomainNamesEntry = 99;
inline constexpr int kMapNamesEntry = 100;

// Domain numbers with a meaning of their own.
inline constexpr int kNoDomain = 0;
inline constexpr int kLandWithoutDomain = 32;
inline constexpr int kMaxDomain = 16;

}  // namespace d7
