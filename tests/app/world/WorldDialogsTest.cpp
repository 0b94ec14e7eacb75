// The open/save dialog and the world commands of the main window: what the
// dialog lists and allows, and how new, load, save as and revert answer the
// player's choices in the dialog and the questions.
#include <gtest/gtest.h>

#include <QLabel>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <deque>
#include <filesystem>
#include <optional>

#include "app/GuiTestSupport.h"
#include "app/window/StatusPanels.h"
#include "app/world/SaveLoadForm.h"
#include "app/window/TrellanForm.h"
#include "app/world/WorldCommands.h"
#include "model/World.h"
#include "text/W1251.h"

namespace trellan {
namespace {

namespace fs = std::filesystem;
using testing::GuiFixture;

std::string Utf8(const std::string& w1251) {
    return Cp1251ToUtf8(w1251);
}

class WorldDialogsTest : public ::testing::Test {
protected:
    WorldDialogsTest() {
        MakeWorld("Альфа", {"Зона.tr2"});
        MakeWorld("Бета", {});
        MakeWorld(".скрытый", {});
        testing::WriteFile(fixture.Home / "Maps/заметки.txt", "not a world");
    }

    void Start(bool createStartWorld = true) {
        fixture.CreateStartWorld = createStartWorld;
        fixture.Start();
        runner().Worlds().RunDialog = [this](SaveLoadMode mode, const std::string& proposed) {
            asked.push_back({mode, Utf8(proposed)});
            std::optional<std::string> answer;
            if (!typed.empty()) {
                if (typed.front()) answer = W1251(*typed.front());
                typed.pop_front();
            }
            return answer;
        };
    }

    void MakeWorld(const std::string& utf8, const std::vector<std::string>& files) {
        fs::create_directories(WorldPath(utf8));
        for (const std::string& file : files) testing::WriteFile(WorldPath(utf8) + "/" + file, "");
    }
    std::string WorldPath(const std::string& utf8) const { return fixture.Home / ("Maps/" + utf8); }
    bool WorldOnDisk(const std::string& utf8) const { return fs::is_directory(WorldPath(utf8)); }

    GuiRunner& runner() { return *fixture.Runner; }
    World& world() { return runner().Runtime().TheWorld(); }
    WorldCommands& commands() { return runner().Worlds(); }
    std::string OpenWorld() { return Utf8(world().CurrentWorld); }

    std::unique_ptr<SaveLoadForm> Form(SaveLoadMode mode, const std::string& proposedUtf8 = "") {
        TrellanRuntime& runtime = runner().Runtime();
        SaveLoadServices services{runtime.Home(), runtime.Storage(), runtime.Captions(), runtime.Settings(), boxes,
                                  world().CurrentWorld};
        return std::make_unique<SaveLoadForm>(services, mode, W1251(proposedUtf8));
    }

    MudRoom* AddRoom() {
        auto room = std::make_unique<MudRoom>();
        room->Tag = ++world().LastRoomNumber;
        room->Y = room->Tag;
        room->Hint = "Room";
        return world().AddRoom(std::move(room));
    }

    static std::vector<std::string> Items(const SaveLoadForm& form) {
        std::vector<std::string> names;
        for (int i = 0; i < form.ListViewWorlds->count(); ++i)
            names.push_back(form.ListViewWorlds->item(i)->text().toStdString());
        return names;
    }
    static void Select(SaveLoadForm& form, const std::string& utf8) {
        const auto found = form.ListViewWorlds->findItems(QString::fromStdString(utf8), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        form.ListViewWorlds->setCurrentItem(found.front());
    }

    GuiFixture fixture;
    testing::RecordingDialogs& boxes = fixture.Boxes;
    // What the player types into the dialog, one entry per showing; nothing
    // is Cancel.
    std::deque<std::optional<std::string>> typed;
    std::vector<std::pair<SaveLoadMode, std::string>> asked;
};

TEST_F(WorldDialogsTest, DialogListsWorldsAndEnablesOkOnlyForAName) {
    Start();
    ASSERT_EQ(OpenWorld(), "Новый мир");

    auto load = Form(SaveLoadMode::Load, "ignored");
    EXPECT_EQ(Items(*load), (std::vector<std::string>{"Альфа", "Бета", "Новый мир"}));
    EXPECT_EQ(load->windowTitle().toStdString(), "Загрузить мир...");
    EXPECT_EQ(load->btnOk->text().toStdString(), "Загрузить");
    EXPECT_TRUE(load->EditName->text().isEmpty());
    EXPECT_FALSE(load->btnOk->isEnabled());
    EXPECT_FALSE(load->nSelect->isEnabled());
    load->EditName->setText("   ");
    EXPECT_FALSE(load->btnOk->isEnabled());
    // Choosing an item names it, and the blanks around a typed name go.
    Select(*load, "Бета");
    EXPECT_EQ(load->EditName->text().toStdString(), "Бета");
    EXPECT_TRUE(load->btnOk->isEnabled());
    EXPECT_TRUE(load->nSelect->isEnabled());
    load->EditName->setText("  Гамма ");
    EXPECT_EQ(Utf8(load->Name()), "Гамма");

    auto create = Form(SaveLoadMode::Create, "Новый мир 1");
    EXPECT_EQ(create->windowTitle().toStdString(), "Создать новый мир...");
    EXPECT_EQ(create->btnOk->text().toStdString(), "Создать");
    EXPECT_EQ(create->EditName->text().toStdString(), "Новый мир 1");
    EXPECT_TRUE(create->btnOk->isEnabled());
    auto save = Form(SaveLoadMode::Save, "Новый мир 1");
    EXPECT_EQ(save->btnOk->text().toStdString(), "Сохранить");

    // A name Windows-1251 cannot spell keeps the dialog open, name and all.
    create->EditName->setText(QString::fromUtf8("世界"));
    create->accept();
    EXPECT_EQ(create->result(), QDialog::Rejected);
    EXPECT_EQ(create->EditName->text(), QString::fromUtf8("世界"));
    EXPECT_EQ(boxes.Errors.size(), 1u);
}

TEST_F(WorldDialogsTest, ViewFollowsAndStoresListViewStyle) {
    Start();
    runner().Runtime().Settings().ListViewStyle = 1;
    auto form = Form(SaveLoadMode::Load);
    EXPECT_EQ(form->ListViewWorlds->viewMode(), QListView::IconMode);
    EXPECT_TRUE(form->nIcons->isChecked());
    form->nList->trigger();
    EXPECT_EQ(form->ListViewWorlds->viewMode(), QListView::ListMode);
    EXPECT_EQ(runner().Runtime().Settings().ListViewStyle, 2);
    EXPECT_EQ(Form(SaveLoadMode::Load)->ListViewWorlds->viewMode(), QListView::ListMode);
    form->nIcons->trigger();
    EXPECT_EQ(runner().Runtime().Settings().ListViewStyle, 1);
}

TEST_F(WorldDialogsTest, DeleteFromTheListAsksAndSparesTheOpenWorld) {
    Start();
    auto form = Form(SaveLoadMode::Load);
    Select(*form, "Бета");
    form->EditName->setText("Альфа");  // typed over: the selected world is the one asked about
    boxes.Answers = {false};
    form->DeleteSelected();
    ASSERT_EQ(boxes.Questions.size(), 1u);
    EXPECT_EQ(Utf8(boxes.Questions[0]), "Вы уверены, что хотите удалить мир <Бета>?");
    EXPECT_TRUE(WorldOnDisk("Бета"));
    EXPECT_EQ(Items(*form).size(), 3u);

    Select(*form, "Бета");
    form->DeleteSelected();  // Yes
    EXPECT_FALSE(WorldOnDisk("Бета"));
    EXPECT_EQ(Items(*form), (std::vector<std::string>{"Альфа", "Новый мир"}));

    // The open world is not deleted from under the program.
    Select(*form, "Новый мир");
    form->DeleteSelected();
    EXPECT_EQ(boxes.Questions.size(), 2u);
    EXPECT_TRUE(WorldOnDisk("Новый мир"));
}

TEST_F(WorldDialogsTest, RenameInTheListRenamesTheDirectoryOrSaysWhyNot) {
    Start();
    auto form = Form(SaveLoadMode::Load);
    const auto item = [&form](const char* utf8) {
        return form->ListViewWorlds->findItems(QString::fromUtf8(utf8), Qt::MatchExactly).value(0);
    };
    Select(*form, "Бета");
    item("Бета")->setText("Гамма");
    EXPECT_TRUE(WorldOnDisk("Гамма"));
    EXPECT_FALSE(WorldOnDisk("Бета"));
    EXPECT_EQ(form->EditName->text().toStdString(), "Гамма");
    EXPECT_TRUE(boxes.Errors.empty());

    // Onto an existing world, or to a name no directory can have: the
    // error, the old name back, nothing moved.
    item("Гамма")->setText("Альфа");
    item("Гамма")->setText("a/b");
    ASSERT_EQ(boxes.Errors.size(), 2u);
    EXPECT_EQ(Utf8(boxes.Errors[0]), "Мир <Альфа> уже существует.");
    EXPECT_NE(boxes.Errors[1].find("a/b"), std::string::npos);
    EXPECT_TRUE(WorldOnDisk("Гамма"));
    EXPECT_TRUE(fs::exists(WorldPath("Альфа") + "/Зона.tr2"));
    EXPECT_EQ(Items(*form), (std::vector<std::string>{"Альфа", "Гамма", "Новый мир"}));
    EXPECT_FALSE(item("Новый мир")->flags() & Qt::ItemIsEditable);
}

TEST_F(WorldDialogsTest, NewWorldProposesAFreeNameAndCreatesIt) {
    MakeWorld("Новый мир 1", {});
    Start();
    typed = {std::nullopt};
    runner().Form().Menu.nNewWorld->trigger();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, SaveLoadMode::Create);
    EXPECT_EQ(asked[0].second, "Новый мир 2");
    EXPECT_EQ(OpenWorld(), "Новый мир");

    AddRoom();
    typed = {"Гамма"};
    EXPECT_TRUE(commands().NewWorld());
    EXPECT_EQ(OpenWorld(), "Гамма");
    EXPECT_NE(runner().Form().windowTitle().toStdString().find("[Гамма."), std::string::npos);
}

TEST_F(WorldDialogsTest, NewWorldOverAnExistingOneAsksAndLoadsOnYes) {
    Start();
    typed = {"Альфа", "Альфа"};
    boxes.Answers = {false, true};
    EXPECT_TRUE(commands().NewWorld());
    ASSERT_EQ(boxes.Questions.size(), 2u);
    EXPECT_EQ(Utf8(boxes.Questions[0]), "Мир <Альфа> уже существует. Загрузить его?");
    // No shows the dialog again with the name as typed.
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].second, "Альфа");
    EXPECT_EQ(OpenWorld(), "Альфа");
    EXPECT_EQ(Utf8(world().CurrentZone), "Зона");
}

TEST_F(WorldDialogsTest, RefusedNameIsExplainedAndChangesNothing) {
    Start();
    AddRoom();
    typed = {"a/b", std::nullopt};
    EXPECT_FALSE(commands().NewWorld());
    ASSERT_EQ(boxes.Errors.size(), 1u);
    EXPECT_NE(Utf8(boxes.Errors[0]).find("<a/b>"), std::string::npos);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].second, "a/b");
    EXPECT_EQ(OpenWorld(), "Новый мир");
    EXPECT_EQ(world().AllRooms().size(), 1u);
    EXPECT_FALSE(fs::exists(fixture.Home / "Maps/a"));

    typed = {".."};
    commands().SaveWorldAs();
    EXPECT_EQ(boxes.Errors.size(), 2u);
    EXPECT_EQ(OpenWorld(), "Новый мир");
}

TEST_F(WorldDialogsTest, SaveAsAsksBeforeOverwritingAnotherWorld) {
    Start();
    AddRoom();
    typed = {"Альфа", "Альфа"};
    boxes.Answers = {false, true};
    commands().SaveWorldAs();
    ASSERT_EQ(boxes.Questions.size(), 2u);
    EXPECT_EQ(Utf8(boxes.Questions[0]), "Мир <Альфа> уже существует. Перезаписать его?");
    EXPECT_EQ(asked[0].first, SaveLoadMode::Save);
    EXPECT_EQ(asked[1].second, "Альфа");
    EXPECT_EQ(OpenWorld(), "Альфа");
    EXPECT_TRUE(world().MapSaved);

    // Under its own name it is a plain save, no question.
    typed = {"Альфа"};
    commands().SaveWorldAs();
    EXPECT_EQ(boxes.Questions.size(), 2u);
}

TEST_F(WorldDialogsTest, RevertAsksOnlyWhenChangesWouldBeLost) {
    Start();
    AddRoom();
    boxes.Answers = {false};
    runner().Form().Menu.nUndoMap->trigger();
    ASSERT_EQ(boxes.Questions.size(), 1u);
    EXPECT_EQ(Utf8(boxes.Questions[0]), "Отменить все несохранённые изменения мира <Новый мир>?");
    EXPECT_EQ(world().AllRooms().size(), 1u);

    commands().RevertWorld();  // Yes
    EXPECT_EQ(world().AllRooms().size(), 0u);
    EXPECT_TRUE(world().MapSaved);

    commands().RevertWorld();
    EXPECT_EQ(boxes.Questions.size(), 2u);
}

TEST_F(WorldDialogsTest, LoadOpensTheChosenWorldAndKeepsTheOldOneWhenItIsMissing) {
    Start();
    AddRoom();
    typed = {std::nullopt, "Нет такого", "Альфа"};
    commands().LoadWorld();
    EXPECT_EQ(asked[0].first, SaveLoadMode::Load);
    EXPECT_EQ(asked[0].second, "");
    EXPECT_EQ(OpenWorld(), "Новый мир");
    // Changes are saved before the dialog shows.
    EXPECT_TRUE(world().MapSaved);

    commands().LoadWorld();
    ASSERT_EQ(boxes.Errors.size(), 1u);
    EXPECT_EQ(Utf8(boxes.Errors[0]), "Не найден мир <Нет такого>. Загрузка невозможна.");
    EXPECT_EQ(OpenWorld(), "Новый мир");

    commands().LoadWorld();
    EXPECT_EQ(OpenWorld(), "Альфа");
}

TEST_F(WorldDialogsTest, FirstActivationWithoutAWorldAsksForOne) {
    Start(false);
    EXPECT_TRUE(world().CurrentWorld.empty());
    typed = {"Гамма"};
    runner().Form().EnsureFirstActivation();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].first, SaveLoadMode::Create);
    EXPECT_EQ(OpenWorld(), "Гамма");
    EXPECT_TRUE(WorldOnDisk("Гамма"));
}

TEST_F(WorldDialogsTest, FirstActivationCancelledStillGivesTheMapAHome) {
    Start(false);
    runner().Runtime().Log().SetActive(true);
    typed = {std::nullopt};
    runner().Form().EnsureFirstActivation();
    EXPECT_EQ(OpenWorld(), "Новый мир");
    EXPECT_TRUE(WorldOnDisk("Новый мир"));
    // The player is told what was made, and where.
    const std::string made = Utf8(runner().Form().Status->Text(StatusPanels::PanelCount - 1));
    EXPECT_NE(made.find("Создан мир \"Новый мир\""), std::string::npos) << made;
    EXPECT_NE(made.find(WorldPath("Новый мир")), std::string::npos) << made;
    EXPECT_EQ(Utf8(runner().Runtime().Log().Lines().back()), made);
}

TEST_F(WorldDialogsTest, TheDialogSaysWhatAWorldIsOnlyWhenNoneIsOpen) {
    Start(false);
    auto first = Form(SaveLoadMode::Create, "Новый мир");
    EXPECT_FALSE(first->lblWhatIsAWorld->isHidden());
    EXPECT_TRUE(first->lblWhatIsAWorld->text().contains(testing::Q("Без мира карта не сохраняется")));
    world().CurrentWorld = W1251("Альфа");
    EXPECT_TRUE(Form(SaveLoadMode::Create, "Новый мир 1")->lblWhatIsAWorld->isHidden());
    EXPECT_TRUE(Form(SaveLoadMode::Load)->lblWhatIsAWorld->isHidden());
}

}  // namespace
}  // namespace trellan
