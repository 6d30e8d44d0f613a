#include <gtest/gtest.h>

#include <algorithm>

#include "app/window_layout.h"
#include "core/model/file_io.h"
#include "support/map_builder.h"
#include "support/scripted_dialogs.h"

namespace d7::test {
namespace {

const QRect kScreen(0, 0, 1920, 1080);

class WindowLayoutTest : public testing::Test {
  protected:
    std::unique_ptr<ui::Editor> newEditor() {
        auto ed = std::make_unique<ui::Editor>(prompt, dialogs, tmp.path());
        ed->placeWindows(kScreen);
        return ed;
    }
    TempDir tmp;
    ScriptedPrompt prompt;
    ScriptedFileDialogs dialogs;
};

TEST_F(WindowLayoutTest, EveryWindowComesBackWhereItWasThroughTheIni) {
    auto first = newEditor();
    first->statForm().move(50, 60);
    first->statForm().resize(500, 400);
    first->mapForm().move(300, 20);
    first->mainForm().move(10, 600);
    const QSize mainSize = first->mainForm().size();
    const fs::path ini = tmp / "D7Irir.ini";
    writeBytes(ini, Bytes{'[', 'P', 'a', 't', 'h', ']', '\n', 'p', 'l', '8', '=', 'x', '\n'});
    app::saveWindowLayout(*first, ini);
    const IniFile saved = IniFile::load(ini);
    EXPECT_EQ(saved.value("Windows", "Tstatform"), "50,60,500,400");
    EXPECT_EQ(saved.value("Path", "pl8"), "x");  // the rest of the file stays
    EXPECT_EQ(saved.value("Windows", "Tmainform").rfind("10,600,", 0), 0u);
    const std::string text = saved.text();
    EXPECT_EQ(std::count(text.begin(), text.end(), '='), 13);  // 12 windows

    first.reset();
    auto second = newEditor();
    const QPoint defaultMinimap = second->miniForm().pos();
    app::restoreWindowLayout(*second, saved, {kScreen});
    EXPECT_EQ(second->statForm().pos(), QPoint(50, 60));
    EXPECT_EQ(second->statForm().size(), QSize(500, 400));
    EXPECT_EQ(second->mapForm().pos(), QPoint(300, 20));
    EXPECT_EQ(second->mainForm().pos(), QPoint(10, 600));
    EXPECT_EQ(second->mainForm().size(), mainSize);  // a fixed size stays
    EXPECT_EQ(second->miniForm().pos(), defaultMinimap);
}

TEST_F(WindowLayoutTest, PlacesOffEveryScreenOrUnreadableFallBackToTheDefaultLayout) {
    auto ed = newEditor();
    const QPoint mapDefault = ed->mapForm().pos(), miniDefault = ed->miniForm().pos();
    const QPoint statDefault = ed->statForm().pos();
    const IniFile ini(
        "[Windows]\nTmapform=2500,100,800,600\nTminform=1,2,x,4\nTstatform=40,50,3000,2000\n");
    app::restoreWindowLayout(*ed, ini, {kScreen});
    EXPECT_EQ(ed->mapForm().pos(), mapDefault);  // a screen that is gone
    EXPECT_EQ(ed->miniForm().pos(), miniDefault);
    EXPECT_NE(statDefault, QPoint(40, 50));
    EXPECT_EQ(ed->statForm().pos(), QPoint(40, 50));
    EXPECT_EQ(ed->statForm().size(), kScreen.size());  // no larger than the screen
}

TEST(WindowRectText, ReadsOnlyFourNumbersWithPositiveSizes) {
    EXPECT_EQ(app::parseWindowRect("-10, 20,300,400"), QRect(-10, 20, 300, 400));
    EXPECT_EQ(app::windowRectText(QRect(-10, 20, 300, 400)), "-10,20,300,400");
    for (const char* bad : {"", "1,2,3", "1,2,3,4,5", "1,2,0,4", "1,2,3,-4", "a,b,c,d", "1,2,3,4x"})
        EXPECT_FALSE(app::parseWindowRect(bad)) << bad;
}

}  // namespace
}  // namespace d7::test
