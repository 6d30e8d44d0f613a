#include "core/model/recovery.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

#include "core/model/edit_history.h"
#include "core/model/language_file.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/read_limits.h"

namespace d7 {

std::string setImageFileName(int i, const std::string& langFile) {
    if (i == kStoreImage) return kMapStoreName;
    if (i == kLanguageSetImage) return langFile;
    return mapFileName(i);
}

bool isSetImageSize(int i, std::uint64_t size) {
    if (i == kStoreImage) return size == kMapStoreSize;
    if (i == kLanguageSetImage) return size <= kLanguageFileReadLimit;
    return size == 0 || size == kMapFileSize;
}

std::uint32_t checksumOf(std::span<const std::uint8_t> bytes) {
    // zlib takes at most 4 GB a call.
    uLong crc = crc32(0L, Z_NULL, 0);
    const std::uint8_t* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const std::size_t n = std::min<std::size_t>(left, std::numeric_limits<uInt>::max());
        crc = crc32(crc, p, uInt(n));
        p += n;
        left -= n;
    }
    return std::uint32_t(crc);
}

void takeRecoverySnapshot(const EditorState& st, std::int64_t changedAt,
                          RecoverySnapshot& snapshot) {
    snapshot.gameDir = st.gameDir;
    snapshot.mapSetDir = st.mapSetDir;
    snapshot.changedAt = changedAt;
    snapshot.curMap = st.curMap;
    snapshot.extChanged = st.extChanged;
    snapshot.namesChanged = st.namesChanged;
    copySetImages(st, snapshot.images);
}

Recovery makeRecovery(const SetImages& base, const RecoverySnapshot& now) {
    Recovery r;
    r.gameDir = now.gameDir;
    r.mapSetDir = now.mapSetDir;
    r.changedAt = now.changedAt;
    r.curMap = now.curMap;
    r.extChanged = now.extChanged;
    r.namesChanged = now.namesChanged;
    for (std::size_t i = 0; i < std::size_t(kSetImageCount); ++i) {
        const Bytes& before = base.images[i];
        const Bytes& after = now.images.images[i];
        RecoveryImage& image = r.images[i];
        image.baseSize = before.size();
        image.baseChecksum = checksumOf(before);
        image.size = after.size();
        image.checksum = image.baseSize == image.size && before == after ? image.baseChecksum
                                                                         : checksumOf(after);
        for (const ByteChange& c : diffBytes(before, after)) {
            const auto bytes = c.after();
            image.ranges.push_back({c.offset, c.beforeSize, Bytes(bytes.begin(), bytes.end())});
        }
    }
    return r;
}

std::vector<std::string> recoveryBaseMismatches(const MapSet& loaded, const Recovery& recovery,
                                                const std::string& langFile) {
    std::vector<std::string> files;
    for (int i = 0; i < kSetImageCount; ++i) {
        const Bytes& image = setImage(loaded, i);
        const RecoveryImage& r = recovery.images[std::size_t(i)];
        if (image.size() != r.baseSize || checksumOf(image) != r.baseChecksum)
            files.push_back(setImageFileName(i, langFile));
    }
    return files;
}

namespace {

// The image the ranges make of base; throws FileError(file) when a range
// lies outside base or the result is not the one recorded.
Bytes applyRanges(const Bytes& base, const RecoveryImage& image, const fs::path& file,
                  const std::string& name) {
    const auto refuse = [&](const std::string& why) {
        throw FileError(file, "changes of " + name + ": " + why);
    };
    Bytes out;
    out.reserve(std::size_t(image.size));
    std::uint64_t from = 0;
    for (const RecoveryRange& range : image.ranges) {
        if (range.offset < from || range.offset > base.size() ||
            range.removed > base.size() - range.offset)
            refuse("a range lies outside the file or overlaps another");
        if (out.size() + (range.offset - from) + range.bytes.size() > image.size)
            refuse("the changes make it larger than recorded");
        out.insert(out.end(), base.begin() + std::ptrdiff_t(from),
                   base.begin() + std::ptrdiff_t(range.offset));
        out.insert(out.end(), range.bytes.begin(), range.bytes.end());
        from = range.offset + range.removed;
    }
    if (out.size() + (base.size() - from) != image.size) refuse("the size is not the one recorded");
    out.insert(out.end(), base.begin() + std::ptrdiff_t(from), base.end());
    if (checksumOf(out) != image.checksum) refuse("the checksum is not the one recorded");
    return out;
}

void checkRecoveredSet(const SetImages& images, const fs::path& file, const std::string& langFile) {
    for (int i = 0; i < kSetImageCount; ++i) {
        const std::size_t size = images.images[std::size_t(i)].size();
        if (!isSetImageSize(i, size))
            throw FileError(file, "the recovered " + setImageFileName(i, langFile) + " is " +
                                      std::to_string(size) + " bytes");
    }
    if (const auto problem = languageFileProblem(images.images[kLanguageSetImage]))
        throw FileError(file, "the recovered " + langFile + ": " + *problem);
}

}  // namespace

void applyRecovery(EditorState& st, const Recovery& recovery, const fs::path& file) {
    if (!isMapNumber(recovery.curMap)) throw FileError(file, "no such map number");
    const auto mismatches = recoveryBaseMismatches(st, recovery, st.langFile);
    if (!mismatches.empty()) {
        std::string names;
        for (const std::string& name : mismatches) names += (names.empty() ? "" : ", ") + name;
        throw FileError(file, "the files changed since the changes were made: " + names);
    }
    SetImages result;
    for (int i = 0; i < kSetImageCount; ++i)
        result.images[std::size_t(i)] =
            applyRanges(setImage(st, i), recovery.images[std::size_t(i)], file,
                        setImageFileName(i, st.langFile));
    checkRecoveredSet(result, file, st.langFile);

    for (int i = 0; i < kSetImageCount; ++i)
        std::swap(setImage(st, i), result.images[std::size_t(i)]);
    st.extChanged = recovery.extChanged;
    st.extChanged[0] = false;
    st.namesChanged = recovery.namesChanged;
    readNameLists(st);
    st.unsavedWrites = std::max<std::uint64_t>(st.unsavedWrites, 1);
    ++st.writeSerial;
    // No step holds the recovered changes: undo cannot reach the files' state.
    st.history.clear();
    st.history.strayWrites = true;
    selectMap(st, recovery.curMap);
}

}  // namespace d7
