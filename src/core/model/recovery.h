// Recovery of unsaved changes: the bytes in which the map set in memory
// differs from its files as they were loaded, with the size and checksum of
// each file then and of each image now. Written out while the user edits
// (recovery_file.h, recovery_store.h), it gives the edits back after the
// editor died: the set is loaded again, checked to be the one the changes
// were made on, and the changes are applied.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/model/editor_state.h"
#include "core/model/file_io.h"
#include "core/model/set_images.h"

namespace d7 {

// Whether an image i of a set may have size bytes: the map store its
// fixed size, a map file its size or none, the language file what is read.
bool isSetImageSize(int i, std::uint64_t size);

// CRC-32 (the checksum of zip and png files).
std::uint32_t checksumOf(std::span<const std::uint8_t> bytes);

// At offset of the image as loaded, removed bytes were replaced by bytes.
struct RecoveryRange {
    std::uint64_t offset = 0;
    std::uint64_t removed = 0;
    Bytes bytes;
};

struct RecoveryImage {
    // The image as loaded, which the ranges apply to.
    std::uint64_t baseSize = 0;
    std::uint32_t baseChecksum = 0;
    // The image after the ranges.
    std::uint64_t size = 0;
    std::uint32_t checksum = 0;
    // In rising order, none overlapping another.
    std::vector<RecoveryRange> ranges;
};

struct Recovery {
    std::string gameDir;
    std::string mapSetDir;       // where the set was loaded from
    std::int64_t changedAt = 0;  // when the last change recovered was seen (time_t)
    int curMap = 0;
    std::array<bool, kMapFileCount + 1> extChanged{};
    bool namesChanged = false;
    std::array<RecoveryImage, kSetImageCount> images;
};

// What a recovery is made of on the editor's side: the set's state and a
// copy of its images, taken in a millisecond or two, so that the work of
// comparing and writing can be done elsewhere.
struct RecoverySnapshot {
    std::string gameDir;
    std::string mapSetDir;
    std::int64_t changedAt = 0;
    int curMap = 0;
    std::array<bool, kMapFileCount + 1> extChanged{};
    bool namesChanged = false;
    SetImages images;
};

// Copies st's state and images into snapshot (reusing its memory).
void takeRecoverySnapshot(const EditorState& st, std::int64_t changedAt,
                          RecoverySnapshot& snapshot);

// The changes that turn base (the images as loaded) into now.
Recovery makeRecovery(const SetImages& base, const RecoverySnapshot& now);

// The files (by name) whose images in loaded differ from those the recovery
// was made against: none when the changes may be applied.
std::vector<std::string> recoveryBaseMismatches(const MapSet& loaded, const Recovery& recovery,
                                                const std::string& langFile);

// Applies the changes to st, whose images are the files as loaded, with no
// changes since: the images become those of the recovery, byte for byte,
// with its change flags, its current map selected, and unsaved changes
// (the edit history starts anew from there). Everything is checked first:
// on a mismatch, a range outside its image or a result that is not a valid
// set it throws FileError naming file, and st is as it was.
void applyRecovery(EditorState& st, const Recovery& recovery, const fs::path& file);

}  // namespace d7
