#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/commands.h"

namespace d7 {
namespace {

// The installed manual page documents every command the tool has.
TEST(ManualPage, NamesEveryCommand) {
    std::ifstream in(std::filesystem::path(D7_SOURCE_DIR) / "data/man/d7irir-cli.1");
    ASSERT_TRUE(in) << "data/man/d7irir-cli.1 is missing";
    std::stringstream text;
    text << in.rdbuf();
    const std::string page = text.str();
    for (const cli::Command& c : cli::allCommands()) {
        std::string escaped;
        for (char ch : std::string(c.name))
            escaped += ch == '-' ? std::string("\\-") : std::string(1, ch);
        EXPECT_NE(page.find("\n.B " + escaped + " "), std::string::npos)
            << "no entry for '" << c.name << "' in d7irir-cli.1";
    }
}

}  // namespace
}  // namespace d7
