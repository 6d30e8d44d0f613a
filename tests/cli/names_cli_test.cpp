#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_run.h"
#include "core/model/language_file.h"
#include "core/model/map_access.h"
#include "core/model/map_set_io.h"
#include "core/model/map_set_maintenance.h"
#include "support/map_builder.h"

namespace d7 {
namespace {

using test::CliRun;
using test::runCli;
using test::TempDir;
namespace fs = std::filesystem;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(NamesCli, NamesAreStoredInWindows1252AndPrintedInUtf8) {
    TempDir game, out, out2;
    test::writeMapSet(game.path(), 41, "pl8");
    const std::string alborg = "\xC3\x85lborg";  // "Ålborg" as a terminal types it
    CliRun r = runCli({"rename-map", game.path().string(), "0", alborg, out.path().string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readNameEntry(test::fileBytes(out / "K7.ENG"), 100)[0], "\xC5lborg");
    const std::vector<std::string> info = linesOf(runCli({"info", out.path().string()}).out);
    ASSERT_EQ(info.size(), 60u);
    // Padded to 11 characters, not bytes, as a plain name is.
    EXPECT_EQ(info[0].find(" 0  " + alborg + "       map01.pl8"), 0u) << info[0];

    r = runCli({"rename-domain", game.path().string(), "2", "5", "\xE2\x82\xAC-Marsh",
                out2.path().string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readNameEntry(test::fileBytes(out2 / "K7.ENG"), 99)[2 * 20 + 5], "\x80-Marsh");
}

TEST(NamesCli, ANameTheGameCannotStoreIsRefusedAndNothingIsWritten) {
    TempDir game, out;
    test::writeMapSet(game.path(), 42, "pl8");
    const std::string dir = game.path().string();
    const std::string target = (out / "set").string();
    const std::string longText(300, 'x');
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"rename-map", dir, "0", "Twelve chars", target},
          {"rename-map", dir, "0", "Kyiv \xD0\x96", target},
          {"rename-map", dir, "0", "a;b", target},
          {"rename-domain", dir, "0", "1", "Twenty-one characters", target},
          {"rename-domain", dir, "0", "1", longText, target}}) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.status, 2) << args[3];
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_NE(r.err.find("nothing written"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(out / "set")) << args[3];
    }
    // A message quotes the first 80 characters of a long name.
    const CliRun r = runCli({"rename-domain", dir, "0", "1", longText, target});
    EXPECT_NE(r.err.find('"' + std::string(80, 'x') + "...\""), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find(std::string(81, 'x')), std::string::npos);
}

TEST(NamesCli, NamesAlreadyInTheFilesPrintWholeOnOneLine) {
    TempDir game, saved;
    test::writeMapSet(game.path(), 43, "pl8");
    auto st = test::loadTestMapSet(game.path());
    setMapName(*st, std::string(300, 'L'));
    selectMap(*st, 1);
    setMapName(*st, "two\nlines\x81");
    setDomainName(*st, 1, "Ash\tford\x90");
    st->namesChanged = true;
    st->extChanged.fill(true);
    saveMapSet(*st, saved.path().string());

    const CliRun info = runCli({"info", saved.path().string()});
    ASSERT_EQ(info.status, 0) << info.err;
    const std::vector<std::string> lines = linesOf(info.out);
    ASSERT_EQ(lines.size(), 60u);
    std::string whole(300, 'L');
    whole.append("  map01.pl8 record 0");
    EXPECT_NE(lines[0].find(whole), std::string::npos);
    EXPECT_EQ(lines[1].find(" 1  two\\x0Alines\\x81  map01.pl8 record 1"), 0u) << lines[1];
    EXPECT_EQ(lines[2].find(" 2  "), 0u);

    const CliRun check = runCli({"check", saved.path().string(), "--all-maps", "clipping"});
    EXPECT_NE(check.out.find("== Map 1 two\\x0Alines\\x81 ==\n"), std::string::npos);
    const CliRun counties = runCli({"report", saved.path().string(), "1", "counties"});
    EXPECT_NE(counties.out.find("Ash?ford\\x90"), std::string::npos) << counties.out;
    const CliRun diff = runCli({"diff", game.path().string(), saved.path().string(), "--map", "1"});
    EXPECT_NE(diff.out.find("map 1 \"two\\x0Alines\\x81\":"), std::string::npos) << diff.out;
    EXPECT_NE(diff.out.find("-> \"Ash\\x09ford\\x90\"\n"), std::string::npos) << diff.out;
}

}  // namespace
}  // namespace d7
