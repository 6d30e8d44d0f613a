#include <gtest/gtest.h>

#include <string>

#include "core/model/file_io.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

// A buffer kept from an earlier, longer file holds exactly the new file, and
// no more memory than it needs; a file that gives no size (as the system's
// own files do) is read to its end all the same.
TEST(FileIo, ReadsExactlyTheFileIntoAKeptBufferOrOneOfUnknownSize) {
    test::TempDir dir;
    test::writeBytes(dir.path() / "long", Bytes(70000, 7));
    test::writeBytes(dir.path() / "short", Bytes(300, 9));
    Bytes buffer;
    readWholeFileInto(dir.path() / "long", buffer, 1 << 20);
    EXPECT_EQ(buffer, Bytes(70000, 7));
    EXPECT_EQ(buffer.capacity(), 70000u);
    readWholeFileInto(dir.path() / "short", buffer, 1 << 20);
    EXPECT_EQ(buffer, Bytes(300, 9));

    readWholeFileInto("/proc/self/status", buffer, 1 << 20);
    const std::string status(buffer.begin(), buffer.end());
    EXPECT_EQ(status.rfind("Name:", 0), 0u);
    EXPECT_NE(status.find("\nVmPeak:"), std::string::npos);
}

}  // namespace
}  // namespace d7
