#include <gtest/gtest.h>

#include "core/model/name_list.h"

namespace d7 {
namespace {

using Names = std::vector<std::string>;

TEST(NameList, SplitsAtSemicolonsOnly) {
    EXPECT_EQ(splitNameList("Ash;Bram ford;;x"), (Names{"Ash", "Bram ford", "", "x"}));
    EXPECT_EQ(splitNameList(""), Names{});
    EXPECT_EQ(splitNameList("a;"), (Names{"a", ""}));
    EXPECT_EQ(splitNameList(";"), (Names{"", ""}));
    EXPECT_EQ(splitNameList("  spaced  "), Names{"  spaced  "});
}

TEST(NameList, QuotedItemsKeepDelimitersAndDoubledQuotes) {
    EXPECT_EQ(splitNameList("\"a;b\";c"), (Names{"a;b", "c"}));
    EXPECT_EQ(splitNameList("\"say \"\"hi\"\"\""), Names{"say \"hi\""});
    // An unterminated quote runs to the end of the text.
    EXPECT_EQ(splitNameList("\"open;end"), Names{"open;end"});
}

TEST(NameList, JoinQuotesOnlyWhereNeeded) {
    EXPECT_EQ(joinNameList({"a", "b c", ""}), "a;b c;");
    EXPECT_EQ(joinNameList({"x;y", "q\"q"}), "\"x;y\";\"q\"\"q\"");
    EXPECT_EQ(joinNameList({}), "");
    EXPECT_EQ(joinNameList({""}), "\"\"");
}

TEST(NameList, JoinThenSplitRoundTrips) {
    const std::vector<Names> lists = {
        {"a"},
        {""},
        {"", ""},
        {"a", "", "b"},
        {"\"quoted\"", "semi;colon", "trail;"},
        {"\xE9t\xE9", "\x80\xFF"},
        {"a\"", "\"", ";"},
    };
    for (const auto& list : lists) EXPECT_EQ(splitNameList(joinNameList(list)), list);
}

}  // namespace
}  // namespace d7
