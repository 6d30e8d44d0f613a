// The recovery file: a Recovery (recovery.h) as bytes. Little-endian:
//   "D7IRIR RECOVERY\n", format version (u32), the time of the last change
//   (i64), the current map (u32), the change flags (u32: bit 0 the names,
//   bit n map file n), the game directory and the set's directory (each a
//   u32 length and the bytes), then for each of the 17 images its size and
//   CRC-32 as loaded and after the changes (u64, u32, u64, u32), the number
//   of ranges (u32) and each range's offset, bytes removed and bytes put in
//   (three u64) with those bytes; last the CRC-32 of everything before it.
// Every number is checked against what the images allow before anything is
// read, so a damaged or hostile file is refused whole.
#pragma once

#include <cstdint>
#include <span>

#include "core/model/recovery.h"

namespace d7 {

Bytes encodeRecovery(const Recovery& recovery);

// Reads a recovery file's bytes; throws FileError(file, what is wrong).
Recovery decodeRecovery(std::span<const std::uint8_t> bytes, const fs::path& file);

}  // namespace d7
