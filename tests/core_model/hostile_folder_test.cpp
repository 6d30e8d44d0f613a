// Folders prepared by someone else: links planted where a save writes, files
// that never end or block, a size no game file has.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>

#include "core/model/file_io.h"
#include "core/model/map_set_io.h"
#include "core/model/read_limits.h"
#include "core/model/single_map_file.h"
#include "core/tiles/palette.h"
#include "core/tiles/tileset_file.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

using test::fileBytes;
using test::TempDir;
using test::writeBytes;

const Bytes kVictim{'m', 'i', 'n', 'e'};

std::vector<std::string> entriesOf(const fs::path& dir) {
    std::vector<std::string> names;
    for (auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Whatever name a save picks for its temporary file, an entry already there
// (a link to a file or a dangling one) is never opened.
TEST(HostileFolder, ATemporaryFileIsNeverCreatedThroughALink) {
    TempDir dir;
    writeBytes(dir / "victim", kVictim);
    fs::create_symlink(dir / "victim", dir / "link");
    fs::create_symlink(dir / "nowhere", dir / "dangling");
    for (const char* name : {"link", "dangling"}) {
        errno = 0;
        EXPECT_EQ(createFileExclusively(dir / name), -1) << name;
        EXPECT_EQ(errno, EEXIST) << name;
    }
    EXPECT_EQ(fileBytes(dir / "victim"), kVictim);
    EXPECT_FALSE(fs::exists(dir / "nowhere"));
}

// Links at the target, at the fixed temporary name older versions used and at
// names of the present pattern: none is written through, the target becomes
// a file of its own, and what the links name stays as it was.
TEST(HostileFolder, SavesReplaceLinksAndNeverWriteThroughThem) {
    TempDir game, out, elsewhere;
    test::writeMapSet(game.path(), 3);
    test::writeMapSet(out.path(), 4);
    auto st = test::loadTestMapSet(game.path());
    st->extChanged.fill(true);
    st->namesChanged = true;
    writeBytes(elsewhere / "victim", kVictim);
    fs::remove(out / "k7_maps.dat");
    fs::create_symlink(elsewhere / "victim", out / "k7_maps.dat");
    for (const std::string target : {"K7_MAPS.DAT", "k7_maps.dat", "K7.ENG", "map01.pl8"}) {
        fs::create_symlink(elsewhere / "victim", out / ("." + target + ".d7irir-tmp"));
        fs::create_symlink(elsewhere / "victim", out / ("." + target + ".d7irir-AbC123"));
        fs::create_symlink(elsewhere / ("made-" + target), out / ("." + target + ".d7irir-zzzzzz"));
    }
    for (int round = 0; round < 4; ++round) saveMapSet(*st, out.path().string());

    EXPECT_EQ(fileBytes(elsewhere / "victim"), kVictim);
    EXPECT_EQ(entriesOf(elsewhere.path()), std::vector<std::string>{"victim"});
    EXPECT_FALSE(fs::is_symlink(out / "k7_maps.dat"));
    EXPECT_EQ(fileBytes(out / "k7_maps.dat"), st->mapStore);
    // The leftovers of the editor's naming, old and new, are gone.
    for (const std::string& name : entriesOf(out.path()))
        EXPECT_FALSE(name.find(".d7irir-") != std::string::npos) << name;
}

TEST(HostileFolder, TemporaryFileNames) {
    EXPECT_TRUE(isTemporaryFileName(".K7.ENG.d7irir-a1B2c3"));
    EXPECT_TRUE(isTemporaryFileName(".K7.ENG.d7irir-tmp"));  // older versions' name
    EXPECT_FALSE(isTemporaryFileName("K7.ENG.d7irir-a1B2c3"));
    EXPECT_FALSE(isTemporaryFileName(".K7.ENG.d7irir-a1B2c"));
    EXPECT_FALSE(isTemporaryFileName(".K7.ENG.d7irir-a1B2c-"));
    // A directory of that name is not the editor's to remove.
    TempDir dir;
    fs::create_directory(dir / ".x.d7irir-aaaaaa");
    writeFileAtomic(dir / "x", kVictim);
    EXPECT_TRUE(fs::is_directory(dir / ".x.d7irir-aaaaaa"));
}

// Every kind of file the core reads, as a link to an endless device, as a
// FIFO and as a directory: refused at once, naming the file.
TEST(HostileFolder, EveryReaderRefusesWhatIsNoRegularFile) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir / "zero");
    fs::create_directory(dir / "directory");
    const std::vector<std::pair<const char*, std::function<void(const fs::path&)>>> readers{
        {"single map", [](const fs::path& p) { readSingleMap(p); }},
        {"tileset", [](const fs::path& p) { tiles::readTilesetFile(p); }},
        {"palette", [](const fs::path& p) { tiles::readPaletteFile(p); }},
        {"language file", [](const fs::path& p) { readWholeFile(p, kLanguageFileReadLimit); }},
    };
    for (const auto& [kind, reader] : readers) {
        for (const char* name : {"fifo", "zero", "directory"}) {
            const auto start = std::chrono::steady_clock::now();
            try {
                reader(dir / name);
                ADD_FAILURE() << kind << " read " << name;
            } catch (const FileError& e) {
                EXPECT_EQ(e.what(), (dir / name).string() + ": is not a regular file") << kind;
            }
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        }
    }
}

// The map set's own files in the game directory: the store, a map file and
// the language file each in turn a FIFO and a link to /dev/zero.
TEST(HostileFolder, LoadingAMapSetRefusesDevicesAndFifos) {
    for (const char* file : {"k7_maps.dat", "map03.pl8", "K7.ENG"}) {
        for (bool fifo : {true, false}) {
            TempDir game;
            test::writeMapSet(game.path(), 5);
            fs::remove(game / file);
            if (fifo)
                ASSERT_EQ(::mkfifo((game / file).c_str(), 0600), 0);
            else
                fs::create_symlink("/dev/zero", game / file);
            try {
                test::loadTestMapSet(game.path());
                ADD_FAILURE() << file << " was read";
            } catch (const FileError& e) {
                EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
                EXPECT_EQ(e.reason(), "is not a regular file");
            }
        }
    }
}

// A size no such file has is refused from the size alone (the files are
// sparse: nothing of them is on disk, and nothing is read).
TEST(HostileFolder, OversizedFilesAreRefusedBeforeTheyAreRead) {
    TempDir game;
    test::writeMapSet(game.path(), 5);
    fs::resize_file(game / "k7_maps.dat", 200 * kMegabyte);
    try {
        test::loadTestMapSet(game.path());
        ADD_FAILURE() << "a 200 MB map store was loaded";
    } catch (const FileError& e) {
        EXPECT_EQ(e.reason(), "is 209715200 bytes, more than the 1977660 such a file may have");
    }
    writeBytes(game / "big.k7map", {});
    fs::resize_file(game / "big.k7map", kSingleMapReadLimit + 1);
    EXPECT_THROW(readSingleMap(game / "big.k7map"), FileError);
    // A file that gives no size is read to the limit, not beyond.
    Bytes bytes;
    EXPECT_THROW(readWholeFileInto("/proc/self/maps", bytes, 16), FileError);
}

TEST(HostileFolder, MissingMapFilesAreToldAndNotWrittenUnlessEdited) {
    TempDir game, out;
    test::writeMapSet(game.path(), 6);
    fs::remove(game / "map04.pl8");
    fs::remove(game / "map11.pl8");
    auto st = test::loadTestMapSet(game.path());
    EXPECT_EQ(missingMapFilesNotice(*st),
              "Map files not found: map04.pl8, map11.pl8; blank maps stand in for them");
    saveMapSet(*st, out.path().string());
    EXPECT_FALSE(fs::exists(out / "map04.pl8"));
    EXPECT_FALSE(fs::exists(out / "map11.pl8"));

    markMapFileChanged(*st, 4);
    saveMapSet(*st, out.path().string());
    EXPECT_EQ(fileBytes(out / "map04.pl8").size(), kMapFileSize);
    EXPECT_FALSE(fs::exists(out / "map11.pl8"));
}

}  // namespace
}  // namespace d7
