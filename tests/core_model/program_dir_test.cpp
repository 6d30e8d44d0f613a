#include <gtest/gtest.h>

#include <cstdlib>

#include "core/model/program_dir.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

using test::TempDir;
using test::writeBytes;
namespace fs = std::filesystem;

// Sets XDG_DATA_HOME for one test and puts the old value back.
class XdgDataHome {
  public:
    explicit XdgDataHome(const fs::path& dir) {
        if (const char* old = std::getenv("XDG_DATA_HOME")) old_ = old;
        ::setenv("XDG_DATA_HOME", dir.c_str(), 1);
    }
    ~XdgDataHome() {
        if (old_.empty())
            ::unsetenv("XDG_DATA_HOME");
        else
            ::setenv("XDG_DATA_HOME", old_.c_str(), 1);
    }

  private:
    std::string old_;
};

TEST(ProgramDir, InstalledProgramKeepsItsFilesPerUserEvenWhereItCouldWrite) {
    TempDir prefix, data;
    const XdgDataHome xdg(data.path());
    const fs::path bin = prefix.path() / "bin";
    fs::create_directories(bin);
    // Without its data directory it is a program in a folder of its own.
    EXPECT_TRUE(installedDataDir(bin).empty());
    EXPECT_EQ(defaultProgramDir(bin), bin);

    fs::create_directories(prefix.path() / "share" / "d7irir");
    writeBytes(prefix.path() / "share" / "d7irir" / "names.txt", {'a', '\n'});
    EXPECT_EQ(installedDataDir(bin), prefix.path() / "share" / "d7irir");
    EXPECT_EQ(defaultProgramDir(bin), data.path() / "d7irir");
    // Only a bin directory beside share/ counts as installed.
    EXPECT_TRUE(installedDataDir(prefix.path()).empty());
}

}  // namespace
}  // namespace d7
