#include <gtest/gtest.h>

#include "ui/name_text.h"

namespace d7::test {
namespace {

TEST(NameText, EveryByteRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += char(b);
    const QString text = ui::textFromName(all);
    EXPECT_EQ(text.size(), 255);
    EXPECT_EQ(ui::nameFromText(text), all);
    EXPECT_EQ(ui::textFromName("\x80\xE9\x9F"), QString::fromUtf8("\u20ac\u00e9\u0178"));
}

TEST(NameText, CharactersWithoutAByteHaveNoName) {
    EXPECT_FALSE(ui::nameFromText(QString::fromUtf8("Kyiv \u0416")));
    EXPECT_FALSE(ui::isNameCharacter(QChar(';')));
    EXPECT_TRUE(ui::isNameCharacter(QChar(0x20AC)));
}

}  // namespace
}  // namespace d7::test
