#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/commands.h"
#include "support/test_paths.h"

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

// The page says what a name may hold and which exit statuses differ from the rule.
TEST(ManualPage, ListsNameLimitsAndExitStatuses) {
    std::ifstream in(std::filesystem::path(D7_SOURCE_DIR) / "data/man/d7irir-cli.1");
    std::stringstream text;
    text << in.rdbuf();
    const std::string page = text.str();
    const std::size_t names = page.find("\n.SH NAMES\n");
    const std::size_t statuses = page.find("\n.SH EXIT STATUS\n");
    ASSERT_NE(names, std::string::npos);
    ASSERT_NE(statuses, std::string::npos);
    EXPECT_NE(page.find("11 characters for a map name, 20\nfor a domain name", names),
              std::string::npos);
    for (const char* command : {"check", "diff", "snapshot"})
        EXPECT_NE(page.find(std::string("\n.TP\n.B ") + command + "\n", statuses),
                  std::string::npos)
            << command;
}

}  // namespace
}  // namespace d7
