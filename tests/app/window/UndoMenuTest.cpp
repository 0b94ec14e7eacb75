// The Edit menu's undo and redo items in the window: texts naming the step,
// enabling, and the keys Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z, which a text field
// with the focus keeps for itself.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include "app/GuiTestSupport.h"
#include "app/map/MapPage.h"
#include "app/map/PropertyForm.h"
#include "app/map/RoomEditWiring.h"
#include "app/window/PopupMenus.h"
#include "app/window/TrellanForm.h"
#include "runtime/TrellanRuntime.h"

namespace trellan {
namespace {

using testing::GuiFixture;
using testing::Q;

class UndoMenuTest : public ::testing::Test {
protected:
    UndoMenuTest() : runner(fixture.Start()), form(runner.Form()), world(runner.Runtime().TheWorld()) {
        world.ClearZone();
        world.CurrentZone = "test";
        world.AddZoneNode("test");
        world.LoadZone();
        for (int y = 0; y < 3; ++y) {
            auto room = std::make_unique<MudRoom>();
            room->Y = y;
            room->Tag = ++world.LastRoomNumber;
            room->Hint = "Room " + std::to_string(room->Tag);
            rooms.push_back(world.AddRoom(std::move(room)));
        }
        form.show();
        QApplication::setActiveWindow(&form);
    }

    // The items as the menu shows them when opened.
    std::pair<QString, bool> Undo() {
        emit form.Menu.nEdit->aboutToShow();
        return {form.Menu.nUndo->text(), form.Menu.nUndo->isEnabled()};
    }
    std::pair<QString, bool> Redo() {
        emit form.Menu.nEdit->aboutToShow();
        return {form.Menu.nRedo->text(), form.Menu.nRedo->isEnabled()};
    }
    void CloseMenu() { emit form.Menu.nEdit->aboutToHide(); }

    void DeleteMiddleRoom() {
        world.TargetRoom = rooms[1];
        form.Popups.nDeleteRoom->trigger();
    }
    bool MiddleRoomThere() const { return world.FindRoom(0, 1, 0) != nullptr; }

    void Press(QWidget* to, int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(to, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(to, &release);
    }

    GuiFixture fixture;
    GuiRunner& runner;
    TrellanForm& form;
    World& world;
    std::vector<MudRoom*> rooms;
};

TEST_F(UndoMenuTest, TheItemsNameTheStepAndAreEnabledOnlyWithOne) {
    EXPECT_EQ(Undo(), std::make_pair(Q("Отменить"), false));
    EXPECT_EQ(Redo(), std::make_pair(Q("Повторить"), false));
    EXPECT_EQ(form.Menu.nEdit->title(), Q("Правка"));

    // Deleting a room asks nothing and is a step.
    DeleteMiddleRoom();
    EXPECT_TRUE(fixture.Boxes.Questions.empty());
    EXPECT_FALSE(MiddleRoomThere());
    EXPECT_EQ(Undo(), std::make_pair(Q("Отменить: удаление поля"), true));
    EXPECT_EQ(Redo(), std::make_pair(Q("Повторить"), false));

    form.Menu.nUndo->trigger();
    EXPECT_TRUE(MiddleRoomThere());
    EXPECT_FALSE(world.MapSaved);
    EXPECT_EQ(Undo(), std::make_pair(Q("Отменить"), false));
    EXPECT_EQ(Redo(), std::make_pair(Q("Повторить: удаление поля"), true));

    form.Menu.nRedo->trigger();
    EXPECT_FALSE(MiddleRoomThere());
    EXPECT_EQ(Undo(), std::make_pair(Q("Отменить: удаление поля"), true));
    EXPECT_EQ(Redo(), std::make_pair(Q("Повторить"), false));
    CloseMenu();
}

TEST_F(UndoMenuTest, CtrlZAndCtrlYUndoAndRedoUnlessATextFieldHasTheFocus) {
    EXPECT_EQ(form.Menu.nUndo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(form.Menu.nRedo->shortcuts(), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    DeleteMiddleRoom();
    Undo();
    CloseMenu();

    Press(&form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(MiddleRoomThere());
    Press(&form, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_FALSE(MiddleRoomThere());
    Press(&form, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(MiddleRoomThere());
    Press(&form, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(MiddleRoomThere());

    // A note being typed keeps Ctrl+Z for its own undo.
    QPlainTextEdit* note = form.Map->MemoNote;
    note->setReadOnly(false);
    note->setFocus();
    Press(note, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(MiddleRoomThere());
}

TEST_F(UndoMenuTest, ThePropertyWindowAndTheRoomMenuMakeOneStepPerCommand) {
    runner.RoomEdit().RunPropertyForm = [](PropertyForm& dialog) {
        dialog.edName->setText("Renamed");
        dialog.edAlias->setText("home");
        return true;
    };
    world.TargetRoom = rooms[0];
    form.Popups.nEditRoom->trigger();
    ASSERT_EQ(rooms[0]->Hint, "Renamed");
    EXPECT_EQ(Undo().first, Q("Отменить: свойства поля"));

    world.TargetRoom = rooms[2];
    form.Popups.shiftItems[1]->trigger();  // south
    ASSERT_NE(world.FindRoom(1, 2, 0), nullptr);
    EXPECT_EQ(Undo().first, Q("Отменить: перемещение полей"));
    CloseMenu();

    form.Menu.nUndo->trigger();
    EXPECT_EQ(world.FindRoom(1, 2, 0), nullptr);
    EXPECT_NE(world.FindRoom(0, 2, 0), nullptr);
    form.Menu.nUndo->trigger();
    // The room is the same object, its name and bookmark back.
    EXPECT_EQ(rooms[0]->Hint, "Room 1");
    EXPECT_TRUE(rooms[0]->QuickList.empty());
    EXPECT_EQ(Redo().first, Q("Повторить: свойства поля"));
    CloseMenu();
}

}  // namespace
}  // namespace trellan
