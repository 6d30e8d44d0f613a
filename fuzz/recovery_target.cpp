// The recovery file: read, written back the same, and applied to a set.
#include <memory>

#include "core/model/recovery_file.h"
#include "fuzz/fuzz_targets.h"
#include "fuzz/run_editors.h"

namespace d7::fuzz {

namespace {

void check(bool ok, const char* what) {
    if (!ok) throw FuzzInvariantBroken(what);
}

void appendChecksum(Bytes& file) {
    const std::uint32_t crc = checksumOf(file);
    for (int i = 0; i < 4; ++i) file.push_back(std::uint8_t(crc >> (8 * i)));
}

// The blank set changed as an editing session may change it: cells of two
// maps in the store, a record of map01.pl8, a name in the language file.
RecoverySnapshot editedBlankSet() {
    const EditorState& blank = blankMapSet();
    RecoverySnapshot now;
    takeRecoverySnapshot(blank, 1'765'000'000, now);
    now.gameDir = "/home/player/Thornvale2";
    now.mapSetDir = now.gameDir;
    now.curMap = 2;
    now.extChanged[1] = true;
    Bytes& store = now.images.images[kStoreImage];
    for (std::size_t at : {std::size_t(5), std::size_t(70), std::size_t(2 * kBlockSize + 900)})
        store[at] = 0x41;
    now.images.images[1][kMapFileHeaderSize + 17] = 3;
    return now;
}

}  // namespace

// The input is the file without its last four bytes, the checksum, which is
// put right here: a mutation then reaches the reader behind the checksum.
void recoveryFile(Input bytes) {
    Bytes file(bytes.begin(), bytes.end());
    appendChecksum(file);
    Recovery recovery;
    try {
        recovery = decodeRecovery(file, "fuzz.d7recovery");
    } catch (const FileError&) {
        return;
    }
    check(encodeRecovery(recovery) == file, "an accepted file is not written back the same");

    // Applied to the blank set (the seeds were made on it): a refusal changes
    // nothing; a recovery taken gives the sizes recorded.
    static std::unique_ptr<EditorState> st = std::make_unique<EditorState>(blankMapSet());
    const std::uint64_t serial = st->writeSerial;
    try {
        applyRecovery(*st, recovery, "fuzz.d7recovery");
    } catch (const FileError&) {
        check(st->writeSerial == serial && !hasUnsavedChanges(*st),
              "a refused recovery changed the set");
        return;
    }
    for (int i = 0; i < kSetImageCount; ++i)
        check(setImage(*st, i).size() == recovery.images[std::size_t(i)].size,
              "a recovered file has another size than recorded");
    check(st->curMap == recovery.curMap, "the recovered map is not selected");
    *st = blankMapSet();
}

std::vector<Seed> recoverySeeds(const std::filesystem::path&) {
    const RecoverySnapshot now = editedBlankSet();
    SetImages base;
    copySetImages(blankMapSet(), base);
    Bytes file = encodeRecovery(makeRecovery(base, now));
    file.resize(file.size() - 4);
    return {{"edited.d7recovery", std::move(file)}};
}

}  // namespace d7::fuzz
