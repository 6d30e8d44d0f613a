#include <QMouseEvent>
#include <QTest>

#include "../editor_fixture.h"
#include "core/model/auxiliary_planes.h"
#include "ui/windows/auxiliary_views.h"

namespace d7::test {
namespace {

class ExtrasTest : public EditorFixture {
  protected:
    void SetUp() override {
        load();
        ed->mainForm().selectMapAndRefresh(2);
    }
    EditorState& st() { return ed->state(); }
    ui::AuxiliaryViews& views() { return ed->auxViews(); }
    std::uint32_t canvas(int index) {
        return 0xFF000000u | st().gfx.palette.canvas[std::size_t(index)];
    }
    static void move(QWidget* w, QPoint p) {
        QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
};

TEST_F(ExtrasTest, SubmapCommandsAskTheirQuestionsAndWriteThePlanes) {
    trigger("M_CreateAllSubmaps");
    EXPECT_TRUE(prompt.questions.empty());
    const WorkingPlanes built = st().planes;
    st().planes.M0.fill(4);
    prompt.setAnswer(false);
    trigger("M_OutsideCreate");
    EXPECT_EQ(prompt.questions.back().first, "Outside Map");
    EXPECT_EQ(st().planes.Ext5, built.Ext5);
    prompt.setAnswer(true);
    trigger("M_OutsideCreate");
    EXPECT_EQ(st().planes.Ext5.at(32, 1), 4);
    EXPECT_EQ(st().planes.Outline, built.Outline);  // the outline waits for its own command
    trigger("M_SetOutlineFromOutside");
    EXPECT_EQ(st().planes.Outline.at(32, 1), 22);
}

TEST_F(ExtrasTest, TheMaskTravelsThroughABitmapFileAndABadFileChangesNothing) {
    trigger("M_MaskCreate");
    const MinimapPlane mask = st().planes.Ext1;
    dialogs.answer(tmp / "mask.bmp");
    trigger("M_MaskExport");
    st().planes.Ext1.fill(0);
    st().planes.Ext2.fill(0);
    dialogs.answer(tmp / "mask.bmp");
    trigger("M_MaskImport");
    EXPECT_EQ(dialogs.asked.back(), "open Bitmap|*.bmp");
    EXPECT_EQ(st().planes.Ext1, mask);
    EXPECT_NE(st().planes.Ext2, MinimapPlane{});  // Yes to building the image

    writeBytes(tmp / "bad.bmp", Bytes{'B', 'M', 0, 0});
    const std::size_t asked = prompt.questions.size();
    dialogs.answer(tmp / "bad.bmp");
    trigger("M_MaskImport");
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].second.find((tmp / "bad.bmp").string()), std::string::npos);
    EXPECT_EQ(prompt.questions.size(), asked + 1);  // only the question before the file
    EXPECT_EQ(st().planes.Ext1, mask);
}

TEST_F(ExtrasTest, ThePainterTurnsPointsWithTheMouse) {
    trigger("M_Paintonoutside");
    ui::Tvpaintform& painter = views().vpaintform;
    ASSERT_TRUE(painter.isVisible());
    EXPECT_EQ(painter.paintBox()->size(), QSize(260, 516));
    st().planes.Ext5.at(10, 20) = 2;
    st().planes.Ext5.at(11, 20) = 4;
    QTest::mouseClick(painter.paintBox(), Qt::LeftButton, {}, QPoint(41, 81));
    QTest::mouseClick(painter.paintBox(), Qt::LeftButton, {}, QPoint(46, 83));
    EXPECT_EQ(st().planes.Ext5.at(10, 20), 2);
    EXPECT_EQ(st().planes.Ext5.at(11, 20), 3);
    move(painter.paintBox(), QPoint(47, 80));
    EXPECT_EQ(painter.panelText(0) + painter.panelText(1), "X: 11Y: 20");
}

TEST_F(ExtrasTest, TheViewerKeepsTheFactorOfTheMinimapViews) {
    ui::Tviewform& view = views().viewform;
    trigger("M_ViewMMImage");
    ASSERT_TRUE(view.isVisible());
    EXPECT_EQ(view.size(), QSize(256, 256));
    EXPECT_EQ(view.picture().pixel(5, 9), canvas(st().planes.Ext2.at(5, 9)));
    trigger("M_ViewMMDomainMask");
    st().planes.M5.fill(0);
    trigger("M_MaskCreate");  // an open viewer shows the new mask
    EXPECT_EQ(view.picture().pixel(64, 64), canvas(0));
    view.hide();
    bool shown = false;
    whenModal([&](QWidget* modal) {
        shown = modal == &view;
        EXPECT_EQ(view.size(), QSize(128, 128));
        EXPECT_EQ(view.picture().pixel(3, 7), canvas(st().planes.Ext3.at(3, 7)));
        modal->close();
    });
    trigger("ViewDom641");
    EXPECT_TRUE(shown);
}

TEST_F(ExtrasTest, MapsGrowFromThePaintedDomainPalette) {
    trigger("M_GenerateFromBMP64");  // cancelled: the undo record is taken all the same
    EXPECT_TRUE(st().undoValid);
    dialogs.answer(tmp / "domains.bmp");
    trigger("ExportDomainmap64Palette1");
    dialogs.answer(tmp / "domains.bmp");
    trigger("M_GenerateFromBMP64");
    EXPECT_EQ(st().planes.M5.at(4, 3 * 9 + 1), 9);
    EXPECT_EQ(st().planes.M0.at(20, 20), 4);
    EXPECT_EQ(st().CountyTable[16].greens, 30);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(ExtrasTest, TestPicturesAndThePaletteShowInTheirWindows) {
    st().planes.M5.fill(0);
    st().planes.M5.at(0, 0) = 3;
    trigger("Dommap1");
    ui::Tvertform& test = views().vertform;
    ASSERT_TRUE(test.isVisible());
    EXPECT_EQ(test.picture().size(), test.paintBox()->size());
    EXPECT_EQ(test.picture().pixel(32, 1), 0xFF808000u);  // table A colour 3
    move(test.paintBox(), QPoint(5, 7));
    EXPECT_EQ(test.panelText(0) + test.panelText(1), "X: 5y: 7");
    views().palform.build();
    trigger("Palette1");
    EXPECT_TRUE(views().palform.isVisible());
    EXPECT_EQ(views().palform.picture().pixel(15, 15), st().gfx.palette.pixel[17]);
}

}  // namespace
}  // namespace d7::test
