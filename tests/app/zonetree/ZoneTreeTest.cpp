// The zone tree beside the map and the room search, worked through the
// widgets: labels edited in place, the context menu, the Ctrl keys and the
// find dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>

#include "app/GuiTestSupport.h"
#include "app/map/FindRoomDialog.h"
#include "app/map/MapPage.h"
#include "app/map/RoomFinder.h"
#include "app/window/MainToolBar.h"
#include "app/window/TrellanForm.h"
#include "app/zonetree/ZoneTreeView.h"
#include "app/zonetree/ZoneTreeWiring.h"
#include "model/World.h"
#include "text/W1251.h"

namespace trellan {
namespace {

using testing::GuiFixture;

class ZoneTreeTest : public ::testing::Test {
protected:
    ZoneTreeTest()
        : runner(fixture.Start()),
          form(runner.Form()),
          world(runner.Runtime().TheWorld()),
          tree(*form.Map->TreeViewZones),
          view(runner.ZoneTree().View()) {
        form.show();
        runner.Runtime().Storage().CreateWorld("World");
        // Beta is filled first, so its rooms come first in the world's list.
        world.CurrentZone = "beta";
        world.LoadZone();
        betaTavern = AddRoom(0, 0, "Tavern", "A warm room.");
        AddRoom(0, 1, "Street", "Wet stones, a tavern sign.");
        world.CurrentZone = "Alpha";
        world.LoadZone();
        alphaHall = AddRoom(0, 0, "Hall", "High walls.");
        alphaTavern = AddRoom(1, 0, "Old tavern", "Dust.");
        AddRoom(1, 1, "Yard", "Grass.");
        world.SetRoomAlias(alphaHall, "hall");
        alphaTavern->ImageIndex = 3;
        world.SetRoomAlias(alphaTavern, "pub");
        runner.Runtime().Storage().SaveWorld();
        runner.Runtime().View().CenterOnCurrentRoom();
    }

    MudRoom* AddRoom(std::int32_t x, std::int32_t y, const std::string& name, const std::string& description) {
        auto room = std::make_unique<MudRoom>();
        room->X = x;
        room->Y = y;
        room->Tag = ++world.LastRoomNumber;
        room->Hint = name;
        room->Description = description;
        return world.AddRoom(std::move(room));
    }

    QTreeWidgetItem* Zone(const std::string& name) { return view.ZoneItem(name); }

    QStringList Children(QTreeWidgetItem* item) {
        QStringList texts;
        for (int i = 0; i < item->childCount(); ++i) texts << item->child(i)->text(0);
        return texts;
    }

    // Types `text` into the node's label editor and presses Enter.
    void EditLabel(QTreeWidgetItem* item, const QString& text) {
        view.EditLabel(item);
        auto* editor = tree.viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(editor, &enter);
        // The editor commits, then the tree takes the change, each on its turn.
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
    }

    void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &press);
    }

    std::string ZoneFile(const std::string& zone) { return runner.Runtime().Storage().ZoneFilePath(zone); }

    GuiFixture fixture;
    GuiRunner& runner;
    TrellanForm& form;
    World& world;
    QTreeWidget& tree;
    ZoneTreeView& view;
    MudRoom* betaTavern = nullptr;
    MudRoom* alphaHall = nullptr;
    MudRoom* alphaTavern = nullptr;
};

TEST_F(ZoneTreeTest, ShowsTheWorldItsZonesSortedAndTheirBookmarks) {
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(root->text(0), "World");
    // Sorted by text whatever the letter case, Cyrillic after Latin.
    EXPECT_EQ(Children(root), (QStringList{"Alpha", "beta", QString::fromUtf8("Новая зона")}));
    // The current zone shows its own picture, open; the others closed folders.
    EXPECT_EQ(Zone("Alpha")->data(0, ZoneTreeView::ImageRole).toInt(), 3);
    EXPECT_EQ(Zone("beta")->data(0, ZoneTreeView::ImageRole).toInt(), 0);
    Zone("beta")->setExpanded(true);
    EXPECT_EQ(Zone("beta")->data(0, ZoneTreeView::ImageRole).toInt(), 1);
    // Bookmarks: no picture is image 4, picture 3 is image 9.
    QTreeWidgetItem* alpha = Zone("Alpha");
    EXPECT_EQ(Children(alpha), (QStringList{"hall", "pub"}));
    EXPECT_EQ(alpha->child(0)->data(0, ZoneTreeView::ImageRole).toInt(), 4);
    EXPECT_EQ(alpha->child(1)->data(0, ZoneTreeView::ImageRole).toInt(), 9);
    // A bookmark added behind the tree's back shows after the next refresh.
    world.SetRoomAlias(betaTavern, "inn");
    runner.Runtime().View().Refresh();
    EXPECT_EQ(Children(Zone("beta")), QStringList{"inn"});
}

TEST_F(ZoneTreeTest, RenamingAZoneLabelRenamesTheZoneOrPutsTheLabelBack) {
    EditLabel(Zone("Alpha"), "Gamma");
    EXPECT_EQ(world.CurrentZone, "Gamma");
    EXPECT_TRUE(std::filesystem::exists(ZoneFile("Gamma")));
    EXPECT_EQ(Children(tree.topLevelItem(0)), (QStringList{"beta", "Gamma", QString::fromUtf8("Новая зона")}));
    EXPECT_EQ(Children(Zone("Gamma")), (QStringList{"hall", "pub"}));
    EXPECT_TRUE(fixture.Boxes.Errors.empty());

    // Onto a zone that exists: refused with a message, the label stays.
    EditLabel(Zone("Gamma"), "beta");
    EXPECT_EQ(fixture.Boxes.Errors.size(), 1u);
    ASSERT_NE(Zone("Gamma"), nullptr);
    EXPECT_EQ(Zone("Gamma")->text(0), "Gamma");
    EXPECT_EQ(world.RoomsOfZone("beta").size(), 2u);
}

TEST_F(ZoneTreeTest, RenamingABookmarkLabelChangesTheRoomsAlias) {
    world.MapSaved = true;
    EditLabel(view.BookmarkItem(alphaHall), QString::fromUtf8("Зал"));
    EXPECT_EQ(alphaHall->QuickList, W1251("Зал"));
    EXPECT_FALSE(world.MapSaved);
    EXPECT_EQ(world.FindRoomByAlias(W1251("Зал")), alphaHall);
    EXPECT_EQ(Children(Zone("Alpha")), (QStringList{"pub", QString::fromUtf8("Зал")}));
}

TEST_F(ZoneTreeTest, TheMenuShowsItemsByLevelAndLocksAZone) {
    PopupMenus& menus = form.Popups;
    tree.setCurrentItem(tree.topLevelItem(0));
    ASSERT_TRUE(runner.ZoneTree().PrepareMenu());
    EXPECT_TRUE(menus.nnNewWorld->isVisible());
    EXPECT_TRUE(menus.nnNewZone->isVisible());
    EXPECT_FALSE(menus.nnLockZone->isVisible());
    EXPECT_FALSE(menus.nnShowOnMap->isVisible());

    tree.setCurrentItem(Zone("beta"));
    ASSERT_TRUE(runner.ZoneTree().PrepareMenu());
    EXPECT_FALSE(menus.nnNewWorld->isVisible());
    EXPECT_TRUE(menus.nnRenameZone->isVisible());
    EXPECT_FALSE(menus.nnLockZone->isChecked());
    menus.nnLockZone->trigger();
    EXPECT_EQ(world.LockedZones, std::vector<std::string>{"beta"});
    EXPECT_EQ(Zone("beta")->data(0, ZoneTreeView::StateRole).toInt(), 5);
    ASSERT_TRUE(runner.ZoneTree().PrepareMenu());
    EXPECT_TRUE(menus.nnLockZone->isChecked());
    menus.nnLockZone->trigger();
    EXPECT_EQ(Zone("beta")->data(0, ZoneTreeView::StateRole).toInt(), -1);
    EXPECT_FALSE(menus.nnLockZone->isChecked());

    // Bookmarks: the clipboard walks need a current room elsewhere, and a
    // death trap never offers a walk.
    tree.setCurrentItem(view.BookmarkItem(alphaTavern));
    world.CurrentRoom = alphaHall;
    ASSERT_TRUE(runner.ZoneTree().PrepareMenu());
    EXPECT_FALSE(menus.nnRenameZone->isVisible());
    EXPECT_TRUE(menus.nnShowOnMap->isVisible());
    EXPECT_TRUE(menus.nnSpeedWalkNTD->isVisible());
    EXPECT_FALSE(menus.nnSpeedWalk->isVisible());  // tracing is off
    alphaTavern->DT = true;
    ASSERT_TRUE(runner.ZoneTree().PrepareMenu());
    EXPECT_FALSE(menus.nnSpeedWalkNTD->isVisible());
    EXPECT_FALSE(menus.nnSpeedWalkNT->isVisible());
}

TEST_F(ZoneTreeTest, CtrlArrowsMoveTheViewWithinTheBarsRange) {
    ViewState& state = runner.Runtime().View();
    int refreshes = 0;
    std::function<void()> repaint = state.RepaintRequested;
    state.RepaintRequested = [&] {
        ++refreshes;
        if (repaint) repaint();
    };
    state.DX = state.Bounds.MaxX;
    state.Refresh();
    const int bottom = state.DX;
    refreshes = 0;

    Key(&tree, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(state.DX, bottom);
    EXPECT_EQ(refreshes, 1);
    Key(&tree, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(state.DX, bottom - 1);

    // Plain arrows move within the tree, not the map.
    tree.setFocus();
    tree.setCurrentItem(tree.topLevelItem(0));
    const int row = state.DX;
    Key(&tree, Qt::Key_Down, Qt::NoModifier);
    EXPECT_EQ(state.DX, row);
    EXPECT_NE(tree.currentItem(), tree.topLevelItem(0));

    // With the tree hidden the small tree takes the keys, with the same effect.
    form.ToggleTree();
    ASSERT_EQ(form.Map->KeyTarget(), form.Map->TreeViewAux);
    Key(form.Map->TreeViewAux, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(state.DX, row + 1);
    state.RepaintRequested = repaint;
}

TEST_F(ZoneTreeTest, CtrlWithTheKeypadsPlusIsTheTreesLevelKeyNotTheMapsZoom) {
    // With the levels swapped the keypad's Ctrl+plus and Ctrl+minus are the
    // tree's: the tree claims them before the zoom items' shortcuts see them.
    for (bool swapped : {true, false}) {
        runner.Runtime().Settings().SwapUpDown = swapped;
        for (int key : {Qt::Key_Plus, Qt::Key_Minus}) {
            QKeyEvent keypad(QEvent::ShortcutOverride, key, Qt::ControlModifier | Qt::KeypadModifier);
            keypad.ignore();
            QApplication::sendEvent(&tree, &keypad);
            EXPECT_EQ(keypad.isAccepted(), swapped) << key;
            QKeyEvent main(QEvent::ShortcutOverride, key, Qt::ControlModifier);
            main.ignore();
            QApplication::sendEvent(&tree, &main);
            EXPECT_FALSE(main.isAccepted()) << "the main keyboard's Ctrl+plus zooms";
        }
    }
}

class RoomSearchDialogTest : public ZoneTreeTest {
protected:
    FindRoomDialog& Open(QAction* item) {
        item->trigger();
        FindRoomDialog* dialog = runner.ZoneTree().Finder().Dialog();
        EXPECT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        return *dialog;
    }
};

TEST_F(RoomSearchDialogTest, FindNextWalksTheMatchesThenStartsOver) {
    MainToolBar& bar = *form.Map->ToolBar;
    FindRoomDialog& dialog = Open(bar.nFindByName);
    EXPECT_FALSE(dialog.BtnFindNext->isEnabled()) << "nothing to search for yet";
    dialog.EditFindWhat->setText("TAVERN");
    ASSERT_TRUE(dialog.BtnFindNext->isEnabled());

    // The first match is in the other zone: it is shown, centred and marked.
    dialog.BtnFindNext->click();
    EXPECT_EQ(world.CurrentZone, "beta");
    EXPECT_EQ(world.ShownZone(), "beta");
    EXPECT_TRUE(betaTavern->Checked);
    EXPECT_EQ(runner.Runtime().View().DX, betaTavern->X);
    EXPECT_EQ(Zone("beta")->data(0, ZoneTreeView::ImageRole).toInt(), 3);

    dialog.BtnFindNext->click();
    EXPECT_EQ(world.CurrentZone, "Alpha");
    EXPECT_TRUE(alphaTavern->Checked);
    EXPECT_TRUE(fixture.Boxes.Errors.empty());

    dialog.BtnFindNext->click();
    ASSERT_EQ(fixture.Boxes.Errors.size(), 1u);
    EXPECT_EQ(fixture.Boxes.Errors[0], W1251("Поле не найдено."));

    // By description, from the first room again.
    Open(bar.nFindByDesc);
    dialog.EditFindWhat->setText("tavern sign");
    dialog.BtnFindNext->click();
    EXPECT_EQ(runner.Runtime().View().DY, 1);
    EXPECT_EQ(fixture.Boxes.Errors.size(), 1u);
}

TEST_F(RoomSearchDialogTest, ClosingTheSearchReturnsToThePlayersRoomAndReleasesTheButton) {
    MainToolBar& bar = *form.Map->ToolBar;
    world.CurrentRoom = alphaHall;
    FindRoomDialog& dialog = Open(bar.nFindByName);
    dialog.EditFindWhat->setText("TAVERN");
    dialog.BtnFindNext->click();
    ASSERT_EQ(world.ShownZone(), "beta");
    auto* button = qobject_cast<QToolButton*>(bar.widgetForAction(bar.tbFind));
    ASSERT_NE(button, nullptr);
    button->setDown(true);

    dialog.reject();
    EXPECT_EQ(world.ShownZone(), "Alpha");
    EXPECT_EQ(runner.Runtime().View().DL, alphaHall->L);
    EXPECT_FALSE(button->isDown());
}

}  // namespace
}  // namespace trellan
