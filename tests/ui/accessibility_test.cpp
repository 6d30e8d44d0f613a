#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/model/map_access.h"
#include "editor_fixture.h"

namespace d7::test {
namespace {

QAccessibleInterface* accessible(QObject* o) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(o);
    EXPECT_NE(iface, nullptr);
    return iface;
}

class AccessibilityTest : public EditorFixture {
  protected:
    ui::Tmainform& main() { return ed->mainForm(); }
    QRadioButton* editItem(int i) { return main().rd_editt->button(i); }
};

TEST_F(AccessibilityTest, ListsPicturesAndWindowsSayWhatTheyAre) {
    load();
    EXPECT_EQ(accessible(main().mapbox)->text(QAccessible::Name), "Maplist (Kingdoms)");
    EXPECT_EQ(accessible(main().ctybox)->text(QAccessible::Name), "Domains in Map");
    EXPECT_EQ(accessible(main().brushpanel)->text(QAccessible::Name), "Brush");
    QAccessibleInterface* icon = accessible(main().selbrushicon);
    EXPECT_EQ(icon->role(), QAccessible::Button);
    EXPECT_FALSE(icon->text(QAccessible::Name).isEmpty());
    QAccessibleInterface* picture = accessible(ed->mapForm().mapbox());
    EXPECT_EQ(picture->role(), QAccessible::Graphic);
    EXPECT_FALSE(picture->text(QAccessible::Name).isEmpty());
    for (QWidget* w :
         std::initializer_list<QWidget*>{&ed->mapForm(), &ed->miniForm(), &ed->tileSelectForm(),
                                         &ed->tileForm(), &ed->brushEditForm()})
        EXPECT_EQ(accessible(w)->role(), QAccessible::Window) << w->objectName().toStdString();

    // A status panel is read by its text; its description says what the text is about.
    ed->mapForm().cellHovered(5, 6);
    QLabel* panel = main().StatusBar1->findChild<QLabel*>(QStringLiteral("panel1"));
    QAccessibleInterface* panelIface = accessible(panel);
    EXPECT_EQ(panelIface->text(QAccessible::Name), "Y: 6");
    EXPECT_FALSE(panelIface->text(QAccessible::Description).isEmpty());
}

TEST_F(AccessibilityTest, DomainEntriesReadLikeTheirRows) {
    load();
    EditorState& st = ed->state();
    st.StartDomains[2] = 3;
    st.StartDomains[4] = 3;
    main().repaintDomainList();
    QAccessibleInterface* list = accessible(main().ctybox);
    QAccessibleInterface* row3 = list->child(3);
    ASSERT_NE(row3, nullptr);
    EXPECT_EQ(row3->text(QAccessible::Name),
              "3, start of player 2, 4, " + main().ctybox->item(3)->text());
    EXPECT_EQ(list->child(0)->text(QAccessible::Name), "32, " + main().ctybox->item(0)->text());
}

TEST_F(AccessibilityTest, EveryControlOfTheMainWindowTakesTheKeyboardFocus) {
    load();
    int controls = 0;
    for (QAbstractButton* b : main().findChildren<QAbstractButton*>()) {
        if (b->objectName().startsWith(QStringLiteral("qt_"))) continue;  // Qt's own parts
        // A radio group's items are reached through its one Tab stop.
        const bool radio = qobject_cast<QRadioButton*>(b) != nullptr;
        EXPECT_TRUE(b->focusPolicy() & (radio ? Qt::ClickFocus : Qt::TabFocus))
            << b->objectName().toStdString();
        EXPECT_FALSE(accessible(b)->text(QAccessible::Name).isEmpty())
            << b->objectName().toStdString();
        ++controls;
    }
    EXPECT_GT(controls, 40);
    EXPECT_TRUE(main().quickcontrol->focusPolicy() & Qt::TabFocus);
}

TEST_F(AccessibilityTest, TabAndArrowsChooseAnEditTypeAsAClickDoes) {
    load();
    QApplication::setActiveWindow(&main());
    main().mapbox->setFocus();
    // Tab reaches the edit types, the arrow keys "Roadtool", without a mouse.
    for (int i = 0; i < 60 && !main().rd_editt->isAncestorOf(QApplication::focusWidget()); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(main().rd_editt->isAncestorOf(QApplication::focusWidget()));
    for (int i = 0; i < 10 && QApplication::focusWidget() != editItem(5); ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    ASSERT_EQ(QApplication::focusWidget(), editItem(5));
    EXPECT_EQ(ed->state().view.editType, 5);
    EXPECT_TRUE(main().bt_setroad->isVisible());
    EXPECT_FALSE(ed->tileSelectForm().isVisible());
    // The map keys still go to the map window.
    ed->mapForm().scrollTo(10, 10);
    QTest::keyClick(editItem(5), Qt::Key_S);
    EXPECT_EQ(ed->mapForm().originX(), 11);
}

TEST_F(AccessibilityTest, AccessibilityActionsRunTheRadioGroupsHandlers) {
    load();
    QAccessibleActionInterface* road = accessible(editItem(5))->actionInterface();
    ASSERT_NE(road, nullptr);
    road->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(ed->state().view.editType, 5);
    EXPECT_TRUE(main().bt_setroad->isVisible());

    QAccessibleActionInterface* brushes = accessible(editItem(3))->actionInterface();
    brushes->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(ed->state().view.editType, 3);
    EXPECT_TRUE(main().rd_brushfill->isVisible());
    EXPECT_FALSE(main().bt_setroad->isVisible());
    // Setting an item from code runs nothing.
    main().rd_editt->setItemIndex(1);
    EXPECT_EQ(ed->state().view.editType, 3);
}

}  // namespace
}  // namespace d7::test
