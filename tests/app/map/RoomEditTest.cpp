// Editing rooms in the main window: the room menu's items for the room
// under the pointer and their commands, the properties dialog, its list of
// cross links with the questions about the partner room, and the note box.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include "app/GuiTestSupport.h"
#include "app/map/AutomapForm.h"
#include "app/map/AutomapList.h"
#include "app/map/MapPage.h"
#include "app/map/NoteBox.h"
#include "app/map/PropertyForm.h"
#include "app/map/RoomEditWiring.h"
#include "app/map/RoomPopup.h"
#include "app/window/TrellanForm.h"
#include "text/W1251.h"

namespace trellan {
namespace {

using testing::GuiFixture;

class RoomEditTest : public ::testing::Test {
protected:
    RoomEditTest()
        : runner(fixture.Start()), form(runner.Form()), world(runner.Runtime().TheWorld()), menus(form.Popups) {
        world.ClearZone();
        world.CurrentZone = "test";
        world.AddZoneNode("test");
        world.LoadZone();
    }

    MudRoom* AddRoom(std::int32_t x, std::int32_t y, std::int32_t l = 0) {
        auto room = std::make_unique<MudRoom>();
        room->X = x;
        room->Y = y;
        room->L = l;
        room->Tag = ++world.LastRoomNumber;
        room->Hint = "Room " + std::to_string(room->Tag);
        return world.AddRoom(std::move(room));
    }

    MudRoom* AddElsewhere(const std::string& zone, std::int32_t tag) {
        auto room = std::make_unique<MudRoom>();
        room->Tag = tag;
        room->Y = tag;
        return world.AddLoadedRoom(zone, std::move(room));
    }

    // The named items the menu offers now.
    std::vector<std::string> Offered() {
        std::vector<std::string> names;
        for (QAction* action : menus.PopupMap->actions()) {
            if (action->isVisible() && !action->isSeparator()) names.push_back(action->objectName().toStdString());
        }
        return names;
    }

    void Target(MudRoom* room) {
        world.TargetRoom = room;
        runner.RoomEdit().Popup().Prepare();
    }

    void Edit(const std::function<bool(PropertyForm&)>& inDialog) {
        runner.RoomEdit().RunPropertyForm = inDialog;
        menus.nEditRoom->trigger();
    }

    static std::string Phrase(const char* utf8) { return W1251(utf8); }

    GuiFixture fixture;
    GuiRunner& runner;
    TrellanForm& form;
    World& world;
    PopupMenus& menus;
};

TEST_F(RoomEditTest, ACorridorCellOffersOnlyDeleteCorridorWhichRemovesTheWholeCorridor) {
    MudRoom* west = AddRoom(0, 0);
    MudRoom* east = AddRoom(0, 3);
    ASSERT_TRUE(runner.Runtime().Links().SetLink(west, east, "e"));
    Target(world.FindRoom(0, 1, 0));
    EXPECT_EQ(Offered(), std::vector<std::string>{"nDeleteLink"});

    menus.nDeleteLink->trigger();
    EXPECT_EQ(world.FindRoom(0, 2, 0), nullptr);
    EXPECT_FALSE(west->ChE);

    // A room is offered everything but that item, the speedwalk only with a
    // current room elsewhere.
    Target(west);
    const std::vector<std::string> offered = Offered();
    EXPECT_EQ(std::count(offered.begin(), offered.end(), "nDeleteLink"), 0);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), "nDeleteRoom"), 1);
    EXPECT_EQ(std::count(offered.begin(), offered.end(), "nSpeedWalkNT"), 0);
    world.CurrentRoom = east;
    Target(west);
    EXPECT_TRUE(menus.nSpeedWalkNT->isVisible());
    EXPECT_FALSE(menus.nSpeedWalk->isVisible());  // tracing is off
    west->DT = true;
    Target(west);
    EXPECT_FALSE(menus.nSpeedWalkNT->isVisible());
}

TEST_F(RoomEditTest, DoorItemsFollowTheExitsAndToggleTheDoor) {
    MudRoom* room = AddRoom(0, 0);
    world.SetRoomExits(room, "N S", ExitWords::Defaults());
    room->ChN = true;
    Target(room);
    // north, south, east, west, up, down
    const bool shown[] = {true, true, false, false, false, false};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(menus.doorItems[i]->isVisible(), shown[i]) << i;
    EXPECT_FALSE(menus.doorItems[0]->isChecked());
    // Linked north: no room or corridor can be added that way.
    EXPECT_FALSE(menus.addRoomItems[0]->isEnabled());
    EXPECT_TRUE(menus.addRoomItems[1]->isEnabled());
    EXPECT_FALSE(menus.longItems[0]->isEnabled());

    menus.doorItems[0]->trigger();
    EXPECT_EQ(room->Exits(), "(N) S");
    EXPECT_EQ(room->ExitState(Direction::North), ExitStatus::ClosedDoor);
    Target(room);
    EXPECT_TRUE(menus.doorItems[0]->isChecked());
    menus.doorItems[0]->trigger();
    EXPECT_EQ(room->Exits(), "N S");
}

TEST_F(RoomEditTest, CrossLinksGiveShowZoneMergeAndNewZoneItems) {
    MudRoom* room = AddRoom(0, 0);
    room->ChN = true;  // with an entry: merge
    room->ChE = true;  // without one: a new zone
    room->AutoMaps = {"A|" + Phrase("на север") + "|5", "B|" + Phrase("на юг") + "|0",
                      "C|" + Phrase("вверх") + "|2|open", "|" + Phrase("вниз") + "|3",
                      "E|" + Phrase("на запад") + "|4"};
    Target(room);
    const RoomPopup& popup = runner.RoomEdit().Popup();
    EXPECT_TRUE(popup.ShowZoneItem(0)->isVisible());
    EXPECT_EQ(popup.ShowZoneItem(0)->text().toStdString(), "Показать <A> на север #5");
    EXPECT_FALSE(popup.ShowZoneItem(1)->isVisible());  // number 0: only loads the zone
    EXPECT_TRUE(popup.ShowZoneItem(2)->isVisible());
    EXPECT_FALSE(popup.ShowZoneItem(3)->isVisible());  // no zone
    EXPECT_TRUE(menus.showZoneSeparator->isVisible());
    const std::vector<std::string> offered = Offered();
    EXPECT_EQ(std::count_if(offered.begin(), offered.end(),
                            [](const std::string& name) { return name.rfind("nShowZone", 0) == 0; }),
              2);  // the fifth entry is past the four items

    EXPECT_TRUE(menus.mergeItems[0]->isVisible());
    EXPECT_EQ(menus.mergeItems[0]->text().toStdString(), "<A> (на север)");
    EXPECT_FALSE(menus.mergeItems[2]->isVisible());
    EXPECT_TRUE(menus.newZoneItems[2]->isVisible());  // east
    EXPECT_FALSE(menus.newZoneItems[0]->isVisible());
    EXPECT_TRUE(menus.nStartNewZone->isEnabled());

    room->AutoMaps.clear();
    Target(room);
    EXPECT_FALSE(menus.showZoneSeparator->isVisible());
    EXPECT_FALSE(menus.nMerge->isEnabled());
}

TEST_F(RoomEditTest, MarksAndPicturesToggleEachOther) {
    MudRoom* room = AddRoom(0, 0);
    room->DT = true;
    room->ImageIndex = 1;
    Target(room);
    EXPECT_TRUE(menus.nDT->isChecked());
    menus.nAgro->trigger();
    EXPECT_FALSE(room->DT);
    EXPECT_TRUE(room->Agro);
    EXPECT_EQ(room->ImageIndex, 3);
    Target(room);
    menus.nAgro->trigger();
    EXPECT_FALSE(room->Agro);
    EXPECT_EQ(room->ImageIndex, 0);

    const auto pick = [&](int value) {
        Target(room);
        auto* button =
            runner.RoomEdit().Popup().PictureGrid()->findChild<QToolButton*>(QStringLiteral("nPicture%1").arg(value));
        ASSERT_NE(button, nullptr) << value;
        button->click();
    };
    pick(2);
    EXPECT_TRUE(room->FlyDT);
    EXPECT_FALSE(room->DT || room->Agro || room->NoStep);
    EXPECT_EQ(room->ImageIndex, 2);
    pick(7);
    EXPECT_FALSE(room->DT || room->FlyDT || room->Agro || room->NoStep);
    EXPECT_EQ(room->ImageIndex, 7);
    // The "no picture" item leaves no picture rather than a picture -1.
    pick(-1);
    EXPECT_EQ(room->ImageIndex, 0);
    EXPECT_FALSE(world.MapSaved);
}

TEST_F(RoomEditTest, TheDialogRemovesACorridorForWAndOnlyTheFlagForU) {
    MudRoom* west = AddRoom(0, 0);
    MudRoom* room = AddRoom(0, 3);
    MudRoom* above = AddRoom(0, 3, 1);
    ASSERT_TRUE(runner.Runtime().Links().SetLink(room, west, "w"));
    room->ChU = above->ChD = true;
    world.TargetRoom = room;
    bool bookmarked = false;
    runner.RoomEdit().BookmarkAdded = [&](MudRoom* added) { bookmarked = added == room; };
    Edit([&](PropertyForm& dialog) {
        EXPECT_TRUE(dialog.windowTitle().startsWith(QString::fromUtf8("Свойства поля #"))) << dialog.windowTitle().toStdString();
        EXPECT_EQ(dialog.PageControl->currentIndex(), 0);
        EXPECT_EQ(dialog.edChecked->text(), "WU");
        dialog.edChecked->setText("S");
        EXPECT_TRUE(dialog.Preview().ChS);
        EXPECT_FALSE(dialog.Preview().ChW);
        dialog.memoDescription->setPlainText("Line one\nLine two\n\n");
        dialog.edAlias->setText("home");
        // A mark and the picture list follow each other.
        dialog.cbAgro->setChecked(true);
        EXPECT_EQ(dialog.cbPicture->currentIndex(), 3);
        dialog.cbPicture->setCurrentIndex(1);
        EXPECT_TRUE(dialog.cbDT->isChecked());
        EXPECT_FALSE(dialog.cbAgro->isChecked());
        return true;
    });
    EXPECT_EQ(world.FindRoom(0, 1, 0), nullptr);
    EXPECT_EQ(world.FindRoom(0, 2, 0), nullptr);
    EXPECT_FALSE(west->ChE);
    EXPECT_FALSE(room->ChW);
    EXPECT_FALSE(room->ChU);
    EXPECT_TRUE(above->ChD);  // no corridor was touched up there
    EXPECT_TRUE(room->ChS);   // a letter added sets only the flag
    EXPECT_EQ(world.FindRoom(1, 3, 0), nullptr);
    EXPECT_EQ(room->Description, "Line one\r\nLine two");
    EXPECT_TRUE(room->DT);
    EXPECT_EQ(room->ImageIndex, 1);
    EXPECT_EQ(room->QuickList, "home");
    EXPECT_EQ(world.FindRoomByAlias("home"), room);
    EXPECT_TRUE(bookmarked);

    // Cancel keeps the room as it was.
    Edit([&](PropertyForm& dialog) {
        dialog.edName->setText("Renamed");
        dialog.edChecked->setText("");
        return false;
    });
    EXPECT_EQ(room->Hint, "Room 2");
    EXPECT_TRUE(room->ChS);
}

TEST_F(RoomEditTest, AddingACrossLinkAsksForTheOppositeLinkAndStaysOnCancel) {
    MudRoom* room = AddRoom(0, 0);
    MudRoom* partner = AddElsewhere("other", 5);
    world.TargetRoom = room;
    fixture.Boxes.Answer = true;
    Edit([&](PropertyForm& dialog) {
        auto* add = dialog.lvAutomap->findChild<QAction*>("NAdd");
        // A room that does not exist: the error, nothing added.
        dialog.Automaps().RunAutomap = [&](AutomapForm& automap) {
            EXPECT_EQ(automap.NumberText(), "0");
            automap.SetFields("other", "", Phrase("на север"), "9");
            return true;
        };
        add->trigger();
        EXPECT_EQ(fixture.Boxes.Errors, std::vector<std::string>{W1251("Комната #9 не найдена в зоне <other>.")});
        EXPECT_EQ(dialog.lvAutomap->topLevelItemCount(), 0);

        dialog.Automaps().RunAutomap = [&](AutomapForm& automap) {
            automap.SetFields("other", "", Phrase("на север"), "5");
            return true;
        };
        add->trigger();
        EXPECT_EQ(dialog.lvAutomap->topLevelItemCount(), 1);
        EXPECT_EQ(dialog.edChecked->text(), "N");
        EXPECT_EQ(dialog.Preview().AutoMaps, std::vector<std::string>{"other|" + Phrase("на север") + "|5|"});
        return false;
    });
    EXPECT_EQ(fixture.Boxes.Questions,
              std::vector<std::string>{W1251("Установить новый встречный линк из зоны <other>, Комната #5?")});
    EXPECT_EQ(room->AutoMaps, std::vector<std::string>{"other|" + Phrase("на север") + "|5"});
    EXPECT_TRUE(room->ChN);
    EXPECT_EQ(partner->AutoMaps, std::vector<std::string>{"test|" + Phrase("на юг") + "|1"});
    EXPECT_TRUE(partner->ChS);
}

TEST_F(RoomEditTest, DeletingACrossLinkRemovesOnlyThePartnersExactOppositeEntry) {
    MudRoom* room = AddRoom(0, 0);  // number 1
    room->ChN = true;
    room->AutoMaps = {"other|" + Phrase("на север") + "|5"};
    MudRoom* partner = AddElsewhere("other", 5);
    partner->ChS = true;
    partner->AutoMaps = {"test|" + Phrase("на юг") + "|12", "test|" + Phrase("на юг") + "|1"};
    world.TargetRoom = room;
    Edit([&](PropertyForm& dialog) {
        dialog.lvAutomap->setCurrentItem(dialog.lvAutomap->topLevelItem(0));
        dialog.lvAutomap->findChild<QAction*>("NDel")->trigger();
        EXPECT_EQ(dialog.lvAutomap->topLevelItemCount(), 0);
        EXPECT_EQ(dialog.edChecked->text(), "");
        return false;
    });
    EXPECT_EQ(fixture.Boxes.Questions,
              (std::vector<std::string>{W1251("Удалить линк в зону <other>?"),
                                        W1251("Удалить старый встречный линк из зоны <other>, Комната #5?")}));
    EXPECT_TRUE(room->AutoMaps.empty());
    EXPECT_FALSE(room->ChN);
    EXPECT_EQ(partner->AutoMaps, std::vector<std::string>{"test|" + Phrase("на юг") + "|12"});
    EXPECT_FALSE(partner->ChS);
}

TEST_F(RoomEditTest, TheCrossLinkDialogEnablesItsFieldsByTheirRules) {
    AutomapForm automap(runner.Runtime().Captions(), runner.Runtime().Mapping().DirectionPhrases, {"b", "a"});
    EXPECT_EQ(automap.NumberText(), "0");
    EXPECT_EQ(automap.cbZone->itemText(0), "a");
    EXPECT_FALSE(automap.btnOk->isEnabled());
    automap.SetFields("a", "", W1251("войти"), "0");
    EXPECT_TRUE(automap.btnOk->isEnabled());
    EXPECT_FALSE(automap.edCommand->isEnabled());  // a portal word sends no command
    automap.SetFields("", "open door", Phrase("на север"), "0");
    EXPECT_TRUE(automap.edCommand->isEnabled());
    EXPECT_TRUE(automap.btnOk->isEnabled());
    automap.SetFields("", "", Phrase("на север"), "0");
    EXPECT_FALSE(automap.btnOk->isEnabled());
    // At most four characters, a digit or a sign first.
    automap.edRoom->clear();
    automap.edRoom->insert("12345");
    EXPECT_EQ(automap.NumberText(), "1234");
    automap.edRoom->clear();
    automap.edRoom->insert("a1");
    EXPECT_EQ(automap.NumberText(), "");
    automap.edRoom->setText("-");
    EXPECT_FALSE(automap.Number().has_value());
}

TEST_F(RoomEditTest, TheNoteBoxEditsTheCurrentRoomsNoteAfterADoubleClick) {
    MudRoom* room = AddRoom(0, 0);
    room->Note = "old";
    world.CurrentRoom = room;
    form.Map->SetNoteVisible(true);
    form.show();
    QApplication::setActiveWindow(&form);
    QPlainTextEdit* memo = form.Map->MemoNote;
    NoteBox& note = runner.RoomEdit().Note();

    memo->setFocus();
    EXPECT_FALSE(memo->hasFocus());  // not while it only shows the note
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(memo->viewport(), &click);
    EXPECT_TRUE(note.Editing());
    EXPECT_FALSE(memo->isReadOnly());
    memo->setPlainText("first\nsecond");

    QKeyEvent ctrlEnter(QEvent::KeyPress, Qt::Key_Return, Qt::ControlModifier, "\n");
    QApplication::sendEvent(memo, &ctrlEnter);
    QApplication::processEvents();
    EXPECT_FALSE(note.Editing());
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_EQ(room->Note, "first\r\nsecond");
    EXPECT_FALSE(world.MapSaved);
    form.hide();
}

}  // namespace
}  // namespace trellan
