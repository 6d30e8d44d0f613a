#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "../editor_fixture.h"
#include "core/edit/area_rect.h"
#include "core/model/map_access.h"
#include "ui/commands/menu_commands.h"

namespace d7::test {
namespace {

class MapHelperMenu : public EditorFixture {
  protected:
    EditorState& st() { return ed->state(); }
    int m0(int x, int y) { return st().planes.M0.at(x, y); }
    // Counts the cells whose M0 is v.
    int cellsWithFlags(int v) {
        int n = 0;
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) n += m0(x, y) == v;
        return n;
    }
    // The working planes are what the map store holds for the current map.
    void expectWrittenThrough() {
        for (int p = 0; p < 6; ++p)
            ASSERT_TRUE(std::equal(
                st().planes.cellPlane(p).bytes.begin(), st().planes.cellPlane(p).bytes.end(),
                st().mapStore.begin() +
                    std::ptrdiff_t(blockOffset(st().curMap) + std::size_t(p) * kCellCount)))
                << "plane " << p;
    }
    // Answers the "Distance" question with text, then triggers the shift.
    void shift(const char* item, const QString& text, bool ok = true) {
        whenModal([text, ok](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Distance");
            QTest::keyClicks(dialog->findChild<QLineEdit*>("ed_distance"), text);
            QTest::mouseClick(dialog->findChild<QPushButton*>(ok ? "bt_ok" : "bt_cancel"),
                              Qt::LeftButton);
        });
        trigger(item);
    }
    std::vector<std::uint32_t> picture() {
        const auto px = ed->renderer().pixels();
        return {px.begin(), px.end()};
    }
};

TEST_F(MapHelperMenu, EveryCommandChangesTheMapAndItsPicture) {
    for (const char* name : ui::mapHelperCommandNames()) EXPECT_FALSE(action(name)->isEnabled());
    load();
    for (const char* name : ui::mapHelperCommandNames()) EXPECT_TRUE(action(name)->isEnabled());

    auto before = picture();
    trigger("M_FillAllSea");
    EXPECT_EQ(cellsWithFlags(flags::kSea), kCellCount);
    EXPECT_TRUE(st().undoValid);
    EXPECT_NE(picture(), before);

    blackRect(st(), CellRect{0, 0, 9, 9});
    trigger("M_FillBlackGrass");
    EXPECT_EQ(cellsWithFlags(0), 100);
    trigger("M_SetNomansland");
    EXPECT_EQ(st().planes.M5.at(9, 9), kLandWithoutDomain);
    EXPECT_EQ(st().planes.M5.at(10, 10), 0);

    // The re-tiling commands take no undo snapshot.
    st().undoValid = false;
    before = picture();
    trigger("M_CreateCliffs");
    EXPECT_TRUE(st().planes.M2.at(10, 5) >= 38);  // sea with land to its left is coast
    trigger("M_SetBordertiles");
    trigger("M_RecalcRoads");
    EXPECT_FALSE(st().undoValid);
    EXPECT_NE(picture(), before);

    blackRect(st(), CellRect{20, 20, 20, 20});
    trigger("M_FillBlackSea");
    EXPECT_EQ(m0(20, 20), flags::kSea);
    trigger("M_FillAllGrass");
    EXPECT_EQ(cellsWithFlags(0), kCellCount);
    expectWrittenThrough();
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(MapHelperMenu, ShiftMapAsksHowFarAndWarnsOutsideOneTo63) {
    load();
    trigger("M_FillAllGrass");
    shift("M_ShiftXPlus", "10");
    for (int y = 0; y < kGrid; ++y) ASSERT_EQ(m0(9, y) + st().planes.M2.at(9, y), 0);
    EXPECT_NE(st().planes.M2.at(10, 0), 0);
    shift("M_ShiftYMinus", "10");
    EXPECT_EQ(st().planes.M2.at(30, 54), 0);
    shift("M_ShiftXMinus", "63");
    EXPECT_EQ(st().planes.M2.at(1, 0), 0);
    shift("M_ShiftYPlus", "1");
    expectWrittenThrough();
    EXPECT_TRUE(prompt.messages.empty());

    const Bytes store = st().mapStore;
    for (const QString& bad : {QString("0"), QString("64"), QString("far")}) {
        shift("M_ShiftYPlus", bad);
        EXPECT_EQ(prompt.messages.back(),
                  (std::pair<std::string, std::string>{"Warning", "Only positive values<64!"}));
    }
    EXPECT_EQ(prompt.messages.size(), 3u);
    shift("M_ShiftYPlus", "5", false);
    EXPECT_EQ(st().mapStore, store);
}

}  // namespace
}  // namespace d7::test
