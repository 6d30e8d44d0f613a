#include <QMouseEvent>
#include <QTest>

#include "core/model/auxiliary_planes.h"
#include "core/model/map_access.h"
#include "core/model/plane_bitmaps.h"
#include "editor_fixture.h"
#include "render/bitmap_reading.h"
#include "ui/auxiliary_views.h"

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
        return st().gfx.palette.canvas[std::size_t(index)] | 0xFF000000u;
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
    auto built = st().planes;
    buildOutline(st());
    EXPECT_EQ(st().planes.Outline, built.Outline);
    EXPECT_TRUE(st().extChanged[1]);

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

TEST_F(ExtrasTest, PlanesTravelThroughBitmapFilesAndBadOnesChangeNothing) {
    trigger("M_MaskCreate");
    const MinimapPlane mask = st().planes.Ext1;
    dialogs.answer(tmp / "mask.bmp");
    trigger("M_MaskExport");
    EXPECT_EQ(dialogs.asked.back(), "save Bitmap|*.bmp");
    st().planes.Ext1.fill(0);
    st().planes.Ext2.fill(0);
    dialogs.answer(tmp / "mask.bmp");
    trigger("M_MaskImport");
    EXPECT_EQ(st().planes.Ext1, mask);
    EXPECT_EQ(prompt.questions.back().second, "Create Minimap Image from Domain Mask?");
    EXPECT_NE(st().planes.Ext2, MinimapPlane{});

    // A 128 x 128 picture as the outside map: refused, the outline rebuilt all the same.
    st().planes.Outline.fill(0);
    dialogs.answer(tmp / "mask.bmp");
    trigger("M_OutsideImport");
    EXPECT_EQ(prompt.messages.back(),
              std::make_pair(std::string("Import"), std::string(kOutsideSizeMessage)));
    EXPECT_NE(st().planes.Outline.at(0, 0), 0);

    writeBytes(tmp / "bad.bmp", Bytes{'B', 'M', 0, 0});
    const std::size_t asked = prompt.questions.size(), said = prompt.messages.size();
    st().planes.Ext1.fill(7);
    dialogs.answer(tmp / "bad.bmp");
    trigger("M_MaskImport");
    ASSERT_EQ(prompt.messages.size(), said + 1);
    EXPECT_NE(prompt.messages.back().second.find((tmp / "bad.bmp").string()), std::string::npos);
    EXPECT_EQ(prompt.questions.size(), asked + 1);  // only the question before the file
    EXPECT_EQ(st().planes.Ext1.at(3, 3), 7);
}

TEST_F(ExtrasTest, ThePainterTurnsPointsWithTheMouse) {
    trigger("M_Paintonoutside");
    ui::Tvpaintform& painter = views().vpaintform;
    ASSERT_TRUE(painter.isVisible());
    EXPECT_EQ(painter.paintBox()->size(), QSize(260, 516));
    OutsidePlane& p = st().planes.Ext5;
    p.at(10, 20) = 2;
    p.at(11, 20) = 4;
    QTest::mouseClick(painter.paintBox(), Qt::LeftButton, {}, QPoint(41, 81));
    QTest::mouseClick(painter.paintBox(), Qt::LeftButton, {}, QPoint(46, 83));
    EXPECT_EQ(p.at(10, 20), 2);
    EXPECT_EQ(p.at(11, 20), 3);
    QTest::mouseClick(painter.paintBox(), Qt::RightButton, {}, QPoint(47, 80));
    EXPECT_EQ(p.at(11, 20), 4);
    move(painter.paintBox(), QPoint(47, 80));
    EXPECT_EQ(painter.panelText(0), "X: 11");
    EXPECT_EQ(painter.panelText(1), "Y: 20");
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
        EXPECT_EQ(view.picture().size(), QSize(64, 64));
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
    const fs::path strip = tmp / "domains.bmp";
    dialogs.answer(strip);
    trigger("ExportDomainmap64Palette1");
    dialogs.answer(strip);
    trigger("M_GenerateFromBMP64");
    EXPECT_EQ(st().planes.M5.at(4, 3 * 9 + 1), 9);
    EXPECT_EQ(st().planes.M0.at(4, 3 * 9 + 1), 0);
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
    EXPECT_EQ(test.panelText(0), "X: 5");
    EXPECT_EQ(test.panelText(1), "y: 7");
    dialogs.answer(tmp / "test.bmp");
    trigger("M_CreateTestmap");
    EXPECT_EQ(render::readBitmapFile(tmp / "test.bmp").pixels[1 * 128 + 32], canvas(3));

    views().palform.build();
    trigger("Palette1");
    EXPECT_TRUE(views().palform.isVisible());
    EXPECT_EQ(views().palform.picture().pixel(15, 15), st().gfx.palette.pixel[17]);
}

}  // namespace
}  // namespace d7::test
