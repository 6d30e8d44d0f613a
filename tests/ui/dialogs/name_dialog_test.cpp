#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

#include "ui/dialogs/name_dialog.h"

namespace d7::test {
namespace {

class NameDialogTest : public testing::Test {
  protected:
    explicit NameDialogTest(std::string_view words = "[Prefixes]\nAsh\nBram\n[Suffixes]\nford\n") {
        generator.load(words);
    }
    // Shows the dialog, lets act() work in it, and returns the result.
    std::optional<std::string> ask(int length, bool random, std::function<void()> act) {
        QTimer::singleShot(0, [&] {
            act();
            if (dialog.isVisible()) dialog.reject();
        });
        return dialog.askName(length, random);
    }

    NameGenerator generator;
    Random rng{3};
    ScriptedPrompt prompt;
    ui::Tnchform dialog{generator, rng, prompt};
};

TEST_F(NameDialogTest, RandomComposesFromTheWordListsAndShowsTheRerolls) {
    const auto name = ask(20, true, [&] {
        EXPECT_TRUE(dialog.bt_gen->isVisible());
        EXPECT_FALSE(dialog.genpanel->isVisible());
        EXPECT_EQ(dialog.height(), 158);
        QTest::mouseClick(dialog.bt_gen, Qt::LeftButton);
        EXPECT_TRUE(dialog.genpanel->isVisible());
        const QString text = dialog.ed_name->text();
        EXPECT_TRUE(text == "Ashford" || text == "Bramford") << text.toStdString();
        for (int i = 0; i < 8; ++i) QTest::mouseClick(dialog.bt_pre, Qt::LeftButton);
        QTest::keyClick(dialog.ed_name, Qt::Key_Return);
    });
    ASSERT_TRUE(name);
    EXPECT_TRUE(*name == "Ashford" || *name == "Bramford") << *name;
}

TEST_F(NameDialogTest, TypingGoesOnInTheFieldAfterRandomAndReroll) {
    ask(20, true, [&] {
        QTest::mouseClick(dialog.bt_gen, Qt::LeftButton);
        EXPECT_EQ(dialog.focusWidget(), dialog.ed_name);
        QTest::mouseClick(dialog.bt_suf, Qt::LeftButton);
        EXPECT_EQ(dialog.focusWidget(), dialog.ed_name);
    });
}

TEST_F(NameDialogTest, TheFieldSaysWhatIsLeftAndRefusesWhatWouldNotFitRatherThanCutIt) {
    const auto name = ask(11, false, [&] {
        EXPECT_EQ(dialog.lb_left->text(), "11 characters left");
        QTest::keyClicks(dialog.ed_name, "Thornmere");
        EXPECT_EQ(dialog.lb_left->text(), "2 characters left");
        dialog.ed_name->insert(" Isles");  // pasted: refused as a whole, not cut to " I"
        EXPECT_EQ(dialog.ed_name->text(), "Thornmere");
        QTest::keyClicks(dialog.ed_name, " Is");
        EXPECT_EQ(dialog.ed_name->text(), "Thornmere I");
        EXPECT_TRUE(dialog.lb_left->text().startsWith("No characters left"));
        EXPECT_TRUE(dialog.lb_left->text().contains("map name of at most 11"));
        QTest::keyClick(dialog.ed_name, Qt::Key_Return);
    });
    EXPECT_EQ(name, "Thornmere I");
}

TEST_F(NameDialogTest, MapNamesAreNeverRandom) {
    ask(11, false, [&] {
        EXPECT_FALSE(dialog.bt_gen->isVisible());
        EXPECT_EQ(dialog.height(), 125);
        EXPECT_EQ(dialog.nameLimit(), 11);
    });
}

TEST_F(NameDialogTest, SemicolonsAreSwallowedAndTheFieldStartsEmpty) {
    const auto first = ask(20, true, [&] {
        QTest::keyClicks(dialog.ed_name, "a;b");
        EXPECT_EQ(dialog.ed_name->text(), "ab");
        dialog.ed_name->insert("c;d");  // a pasted separator is refused as a whole
        EXPECT_EQ(dialog.ed_name->text(), "ab");
        QTest::keyClick(dialog.ed_name, Qt::Key_Return);
    });
    EXPECT_EQ(first, "ab");
    const auto second = ask(20, true, [&] {
        EXPECT_EQ(dialog.ed_name->text(), "");
        QTest::keyClicks(dialog.ed_name, "x");
        QTest::keyClick(dialog.ed_name, Qt::Key_Escape);
    });
    EXPECT_FALSE(second);
}

TEST_F(NameDialogTest, CharactersOutsideTheCodePageCannotBeTyped) {
    const auto name = ask(20, true, [&] {
        for (QChar c : QString::fromUtf8("\u20ac5 \u0416")) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(dialog.ed_name, &press);
        }
        QTest::keyClick(dialog.ed_name, Qt::Key_Return);
    });
    EXPECT_EQ(name,
              "\x80"
              "5 ");
}

class NameDialogWithoutSuffixes : public NameDialogTest {
  protected:
    NameDialogWithoutSuffixes() : NameDialogTest("[Prefixes]\nAsh\n") {}
};

TEST_F(NameDialogWithoutSuffixes, NeverOffersRandom) {
    ask(20, true, [&] { EXPECT_FALSE(dialog.bt_gen->isVisible()); });
}

}  // namespace
}  // namespace d7::test
