#include <QTest>
#include <QTextBlock>

#include "../editor_fixture.h"
#include "core/model/map_access.h"
#include "render/cell_outlines.h"

namespace d7::test {
namespace {

// The editor's game directory and a copy of it to compare with.
class CompareTest : public EditorFixture {
  protected:
    CompareTest() : other(tmp / "other") { fs::copy(game, other, fs::copy_options::recursive); }

    // Sets plane p of cell (x, y) of map 0 in the copy; returns the old value.
    int setOtherCell(int p, int x, int y, std::uint8_t value) {
        Bytes store = fileBytes(other / "k7_maps.dat");
        std::uint8_t& b = store[std::size_t(p) * kCellCount + std::size_t(y) * kGrid + x];
        const int old = b;
        b = value;
        writeBytes(other / "k7_maps.dat", store);
        return old;
    }
    QStringList compare() {
        dialogs.answer(other);
        trigger("M_CompareMapset");
        QApplication::processEvents();
        return ed->statForm().lines();
    }
    ui::Tmapform& map() { return ed->mapForm(); }

    fs::path other;
};

TEST_F(CompareTest, ACopyOfTheLoadedSetHasNoDifferences) {
    EXPECT_FALSE(action("M_CompareMapset")->isEnabled());
    load();
    ASSERT_TRUE(action("M_CompareMapset")->isEnabled());
    const QStringList lines = compare();
    ASSERT_EQ(lines.size(), 2) << lines.join("\n").toStdString();
    EXPECT_TRUE(lines[0].startsWith("changes from \"")) << lines[0].toStdString();
    EXPECT_EQ(lines[1], "map 0 \"Map 0\": no differences");
    EXPECT_FALSE(map().changeOutlines().active());
}

TEST_F(CompareTest, ChangedCellsAreListedOutlinedAndChosen) {
    const int old = setOtherCell(2, 20, 24, 99);
    setOtherCell(5, 23, 24, 99);
    load();
    const QStringList lines = compare();
    // The values go from the other directory's to the editor's.
    ASSERT_EQ(lines.size(), 4) << lines.join("\n").toStdString();
    EXPECT_EQ(lines[1], "map 0 \"Map 0\": 2 cells changed");
    EXPECT_EQ(lines[2], QString("  20,24  M2 99->%1").arg(old));
    ASSERT_TRUE(map().changeOutlines().active());
    ui::Tselectcontrol* layer = map().selectControl();
    ASSERT_TRUE(layer && layer->isVisible());
    auto outlined = [&](int x, int y) {
        const QImage shown = layer->grab().toImage();
        const QPolygon diamond = render::cellDiamond(x, y, ed->state().view.zoom)
                                     .translated(-map().scrollX(), -map().scrollY());
        EXPECT_NE(shown.pixel(diamond.boundingRect().center()), render::kChangeOutlineColour);
        return shown.pixel(diamond.point(3)) == render::kChangeOutlineColour;
    };
    EXPECT_TRUE(outlined(20, 24));
    EXPECT_FALSE(outlined(21, 24));

    // Choosing the cell line scrolls there; the outlines follow the scroll.
    const QPoint scrollBefore(map().scrollX(), map().scrollY());
    ed->statForm().Memo1->setTextCursor(
        QTextCursor(ed->statForm().Memo1->document()->findBlockByNumber(2)));
    QTest::keyClick(ed->statForm().Memo1, Qt::Key_Return);
    EXPECT_EQ(map().markedCell(), QPoint(20, 24));
    EXPECT_NE(QPoint(map().scrollX(), map().scrollY()), scrollBefore);
    EXPECT_TRUE(outlined(23, 24));

    // An edit of the map ends the outlines.
    storeBlockByte(ed->state(), 7, 1, 1, 2, 0);
    EXPECT_FALSE(map().changeOutlines().active());

    // So does choosing another map, even the same map again.
    compare();
    ASSERT_TRUE(map().changeOutlines().active());
    ed->mainForm().selectMapAndRefresh(0);
    EXPECT_FALSE(map().changeOutlines().active());
}

TEST_F(CompareTest, ADamagedSetIsRefusedAndNothingChanges) {
    setOtherCell(2, 20, 24, 99);
    load();
    compare();
    ASSERT_TRUE(map().changeOutlines().active());
    ed->statForm().close();
    Bytes store = fileBytes(other / "k7_maps.dat");
    store.resize(100);
    writeBytes(other / "k7_maps.dat", store);
    compare();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].second.find("map store is 100 bytes"), std::string::npos);
    EXPECT_FALSE(ed->statForm().isVisible());
    EXPECT_TRUE(map().changeOutlines().active());
}

}  // namespace
}  // namespace d7::test
