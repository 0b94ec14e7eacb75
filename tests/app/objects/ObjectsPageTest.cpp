// The objects page through its widgets: the tree following the base, drag
// and drop, the description box, the tree's keys and popup, find and replace.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/GuiTestSupport.h"
#include "app/objects/ObjectsFindDialog.h"
#include "app/objects/ObjectsFinder.h"
#include "app/objects/ObjectsPage.h"
#include "app/objects/ObjectsWiring.h"
#include "app/window/TrellanForm.h"
#include "objects/ObjectsBase.h"
#include "text/W1251.h"

namespace trellan {
namespace {

using testing::GuiFixture;
using testing::Q;
using testing::ReadFile;
using testing::WriteFile;

// Предметы / Оружие / {Меч, Щит}, Мобы / Волк.
const char* const kObjectsFile =
    "<Trellan v. 2.5.3 (Win2K Server fix)>\r\n"
    "<node>\r\nПредметы\r\n0\r\n<end node>\r\n"
    "<node>\r\nОружие\r\n1\r\n<end node>\r\n"
    "<node>\r\nМеч\r\n2\r\nОстрый меч.\r\nМеч рубит.\r\n<end node>\r\n"
    "<node>\r\nЩит\r\n2\r\nКрепкий щит\r\n<end node>\r\n"
    "<node>\r\nМобы\r\n0\r\n<end node>\r\n"
    "<node>\r\nВолк\r\n1\r\nСерый волк, меч в зубах\r\n<end node>\r\n";

// The items as "a(b,c),d" in UTF-8.
std::string Shape(const QTreeWidgetItem* parent) {
    std::string shape;
    for (int i = 0; i < parent->childCount(); ++i) {
        if (i > 0) shape += ",";
        const QTreeWidgetItem* item = parent->child(i);
        shape += item->text(0).toStdString();
        if (item->childCount() > 0) shape += "(" + Shape(item) + ")";
    }
    return shape;
}

// The same of the base's nodes.
std::string Shape(const std::vector<std::unique_ptr<ObjectNode>>& nodes) {
    std::string shape;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (i > 0) shape += ",";
        shape += Cp1251ToUtf8(nodes[i]->Caption);
        if (nodes[i]->HasChildren()) shape += "(" + Shape(nodes[i]->Children()) + ")";
    }
    return shape;
}

void Press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &press);
}

std::vector<std::string> Lines(std::initializer_list<const char*> utf8) {
    std::vector<std::string> lines;
    for (const char* line : utf8) lines.push_back(W1251(line));
    return lines;
}

struct ObjectsPageFixture : GuiFixture {
    ObjectsPageFixture() {
        GuiRunner& runner = Start();
        form = &runner.Form();
        page = form->Objects;
        tree = page->TreeViewObjects;
        box = page->MemoObjects;
        base = &runner.Runtime().Objects();
        const std::string world = Home / "Maps/objects-world";
        WriteFile(world + "/objects.dat", W1251(kObjectsFile));
        base->OpenWorld(world);
        form->show();
        page->SetTreeWidth(320);
        form->PageControl->setCurrentWidget(page);
        page->tbExpand->trigger();
        QApplication::processEvents();
    }

    QTreeWidgetItem* Item(std::initializer_list<const char*> path) const {
        QTreeWidgetItem* item = tree->invisibleRootItem();
        for (const char* caption : path) {
            QTreeWidgetItem* next = nullptr;
            for (int i = 0; i < item->childCount() && next == nullptr; ++i) {
                if (item->child(i)->text(0) == Q(caption)) next = item->child(i);
            }
            if (next == nullptr) return nullptr;
            item = next;
        }
        return item;
    }
    ObjectNode* Node(std::initializer_list<const char*> path) const { return ObjectsTreeWidget::NodeOf(Item(path)); }
    std::string TreeShape() const { return Shape(tree->invisibleRootItem()); }
    std::string BaseShape() const { return Shape(base->Tree().TopLevel()); }
    void Select(std::initializer_list<const char*> path) { tree->setCurrentItem(Item(path)); }
    void TypeAtEnd(const char* utf8) {
        box->moveCursor(QTextCursor::End);
        box->insertPlainText(Q(utf8));
    }

    TrellanForm* form = nullptr;
    ObjectsPage* page = nullptr;
    ObjectsTreeWidget* tree = nullptr;
    QPlainTextEdit* box = nullptr;
    ObjectsBase* base = nullptr;
};

TEST(ObjectsPageTest, TheTreeShowsTheBaseAndDropsFollowBothRules) {
    ObjectsPageFixture f;
    EXPECT_EQ(f.TreeShape(), "Предметы(Оружие(Меч,Щит)),Мобы(Волк)");

    // To the right of a caption: the first child.
    const QRect wolf = f.tree->CaptionRect(f.Item({"Мобы", "Волк"}));
    EXPECT_TRUE(f.tree->DropAt(f.Item({"Предметы", "Оружие", "Щит"}), QPoint(wolf.right() + 30, wolf.center().y())));
    EXPECT_EQ(f.BaseShape(), "Предметы(Оружие(Меч)),Мобы(Волк(Щит))");
    EXPECT_EQ(f.TreeShape(), f.BaseShape());

    // On a caption: before that node, as its sibling.
    const QRect items = f.tree->CaptionRect(f.Item({"Предметы"}));
    EXPECT_TRUE(f.tree->DropAt(f.Item({"Мобы"}), items.center()));
    EXPECT_EQ(f.BaseShape(), "Мобы(Волк(Щит)),Предметы(Оружие(Меч))");
    EXPECT_EQ(f.TreeShape(), f.BaseShape());

    // Never into its own subtree or onto itself; below the last item is no node.
    const QRect sword = f.tree->CaptionRect(f.Item({"Предметы", "Оружие", "Меч"}));
    EXPECT_FALSE(f.tree->DropAt(f.Item({"Предметы"}), sword.center()));
    EXPECT_FALSE(f.tree->DropAt(f.Item({"Предметы"}), QPoint(sword.right() + 30, sword.center().y())));
    EXPECT_FALSE(f.tree->DropAt(f.Item({"Мобы"}), QPoint(5, f.tree->viewport()->height() - 2)));
    EXPECT_EQ(f.BaseShape(), "Мобы(Волк(Щит)),Предметы(Оружие(Меч))");
    EXPECT_EQ(f.TreeShape(), f.BaseShape());
    EXPECT_FALSE(f.base->ObjectsUnchanged());

    // Discarding reads the file again.
    f.page->tbDiscard->trigger();
    EXPECT_EQ(f.TreeShape(), "Предметы(Оружие(Меч,Щит)),Мобы(Волк)");
    EXPECT_TRUE(f.base->ObjectsUnchanged());
}

TEST(ObjectsPageTest, TheBoxIsStoredOnSelectionChangeAndKeepsNoneApartFromEmpty) {
    ObjectsPageFixture f;
    f.Select({"Предметы", "Оружие", "Меч"});
    EXPECT_EQ(f.box->toPlainText(), Q("Острый меч.\nМеч рубит."));
    EXPECT_EQ(f.base->LoreNode(), f.Node({"Предметы", "Оружие", "Меч"}));
    f.TypeAtEnd("\nТретья строка");

    f.Select({"Предметы", "Оружие"});
    EXPECT_EQ(*f.Node({"Предметы", "Оружие", "Меч"})->Description, Lines({"Острый меч.", "Меч рубит.", "Третья строка"}));
    EXPECT_FALSE(f.base->ObjectsUnchanged());

    // Looked at and left: still no description. Emptied by the user: an
    // empty one.
    EXPECT_TRUE(f.box->toPlainText().isEmpty());
    f.Select({"Предметы"});
    EXPECT_FALSE(f.Node({"Предметы", "Оружие"})->HasDescription());
    EXPECT_FALSE(f.Node({"Предметы"})->HasDescription());
    f.Select({"Мобы", "Волк"});
    f.box->selectAll();
    f.box->textCursor().removeSelectedText();
    f.Select({"Мобы"});
    ASSERT_TRUE(f.Node({"Мобы", "Волк"})->HasDescription());
    EXPECT_TRUE(f.Node({"Мобы", "Волк"})->Description->empty());

    // Leaving the box stores it too; the save button stores what is typed.
    f.Select({"Предметы", "Оружие", "Щит"});
    f.TypeAtEnd(" и лёгкий");
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(f.box, &leave);
    EXPECT_EQ(*f.Node({"Предметы", "Оружие", "Щит"})->Description, Lines({"Крепкий щит и лёгкий"}));
    f.TypeAtEnd("\nНе забыть");
    f.page->tbSaveObjects->trigger();
    EXPECT_NE(ReadFile(f.base->WorldObjectsFile()).find(W1251("и лёгкий\r\nНе забыть\r\n<end node>")),
              std::string::npos);
    EXPECT_TRUE(f.base->ObjectsUnchanged());
}

TEST(ObjectsPageTest, KeysAddRenameAndDeleteNodesAndThePopupFollowsTheSelection) {
    ObjectsPageFixture f;
    PopupMenus& popup = f.form->Popups;
    f.Select({"Предметы", "Оружие"});
    EXPECT_TRUE(popup.nSort->isEnabled());
    EXPECT_TRUE(popup.nDeleteNode->isEnabled());
    // Not connected to the MUD: nothing can be told.
    EXPECT_FALSE(popup.nGroupTell->isEnabled());

    // Insert: a last child, selected, its caption being edited.
    Press(f.tree, Qt::Key_Insert);
    EXPECT_EQ(f.BaseShape(), "Предметы(Оружие(Меч,Щит,)),Мобы(Волк)");
    EXPECT_TRUE(f.tree->Editing());
    ObjectNode* added = f.base->LoreNode();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Parent(), f.Node({"Предметы", "Оружие"}));
    EXPECT_FALSE(added->HasDescription());
    // Enter while editing commits the caption and adds nothing.
    auto* editor = f.tree->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(Q("Лук"));
    Press(editor, Qt::Key_Return);
    QApplication::processEvents();  // the editor commits on the next turn
    EXPECT_EQ(added->Caption, W1251("Лук"));
    EXPECT_EQ(f.TreeShape(), "Предметы(Оружие(Меч,Щит,Лук)),Мобы(Волк)");
    EXPECT_FALSE(popup.nSort->isEnabled());

    // Enter: a sibling of the selected node.
    Press(f.tree, Qt::Key_Return);
    EXPECT_EQ(f.BaseShape(), "Предметы(Оружие(Меч,Щит,Лук,)),Мобы(Волк)");

    // Delete: the node and its subtree, without asking; nothing is shown.
    f.Select({"Предметы", "Оружие"});
    Press(f.tree, Qt::Key_Delete);
    EXPECT_EQ(f.BaseShape(), "Предметы,Мобы(Волк)");
    EXPECT_EQ(f.TreeShape(), f.BaseShape());
    EXPECT_EQ(f.base->LoreNode(), nullptr);
    EXPECT_TRUE(f.box->isReadOnly());
    EXPECT_FALSE(popup.nDeleteNode->isEnabled());
    Press(f.tree, Qt::Key_Delete);
    EXPECT_EQ(f.BaseShape(), "Предметы,Мобы(Волк)");
    EXPECT_TRUE(f.Boxes.Errors.empty());
}

TEST(ObjectsPageTest, FindNextSelectsEachMatchInTheBoxThenStartsAgain) {
    ObjectsPageFixture f;
    f.form->PageControl->setCurrentIndex(0);
    f.form->Popups.nSearch->trigger();
    ObjectsFindDialog* dialog = f.Runner->ObjectsPageWiring().Finder().FindDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    dialog->FindEdit->setText(Q("МЕЧ"));

    struct Expected {
        std::initializer_list<const char*> node;
        int start;
        const char* text;
    };
    const Expected rounds[] = {{{"Предметы", "Оружие", "Меч"}, 7, "меч"},
                               {{"Предметы", "Оружие", "Меч"}, 12, "Меч"},
                               {{"Мобы", "Волк"}, 12, "меч"}};
    for (const Expected& expected : rounds) {
        dialog->btnFindNext->click();
        EXPECT_EQ(f.form->PageControl->currentWidget(), f.page);
        EXPECT_EQ(f.tree->currentItem(), f.Item(expected.node));
        EXPECT_EQ(f.box->textCursor().selectionStart(), expected.start);
        EXPECT_EQ(f.box->textCursor().selectedText(), Q(expected.text));
    }
    EXPECT_TRUE(f.Boxes.Errors.empty());
    dialog->btnFindNext->click();
    ASSERT_EQ(f.Boxes.Errors.size(), 1u);
    EXPECT_EQ(f.Boxes.Errors[0], W1251("Строка не найдена: <МЕЧ>"));
    dialog->btnFindNext->click();
    EXPECT_EQ(f.box->textCursor().selectionStart(), 7);

    // The replace dialog takes the find dialog's place.
    f.page->tbReplace->trigger();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(f.Runner->ObjectsPageWiring().Finder().ReplaceDialog()->isVisible());
}

TEST(ObjectsPageTest, ReplaceChangesTheMatchAndReplaceAllCountsEveryOccurrence) {
    ObjectsPageFixture f;
    f.page->tbReplace->trigger();
    ObjectsFindDialog* dialog = f.Runner->ObjectsPageWiring().Finder().ReplaceDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->FindEdit->setText(Q("меч"));
    dialog->ReplaceEdit->setText(Q("клинок"));

    // One replacement, then the next match is selected.
    dialog->btnFindNext->click();
    dialog->btnReplace->click();
    ObjectNode* sword = f.Node({"Предметы", "Оружие", "Меч"});
    EXPECT_EQ(*sword->Description, Lines({"Острый клинок.", "Меч рубит."}));
    EXPECT_EQ(f.box->textCursor().selectedText(), Q("Меч"));
    EXPECT_EQ(f.box->textCursor().selectionStart(), 15);

    // No: nothing changes. Yes: both left, the count reported.
    f.Boxes.Answer = false;
    dialog->btnReplaceAll->click();
    EXPECT_EQ(*sword->Description, Lines({"Острый клинок.", "Меч рубит."}));
    f.Boxes.Answer = true;
    dialog->btnReplaceAll->click();
    ASSERT_EQ(f.Boxes.Questions.size(), 2u);
    EXPECT_EQ(f.Boxes.Questions[1], W1251("Заменить: 'меч' >> 'клинок' во всех описаниях?"));
    ASSERT_FALSE(f.Boxes.Errors.empty());
    EXPECT_EQ(f.Boxes.Errors.back(), W1251("Найдено и заменено вхождений: 2."));
    EXPECT_EQ(*sword->Description, Lines({"Острый клинок.", "клинок рубит."}));
    EXPECT_EQ(*f.Node({"Мобы", "Волк"})->Description, Lines({"Серый волк, клинок в зубах"}));
    // Captions are never touched; the box shows the replaced text.
    EXPECT_EQ(sword->Caption, W1251("Меч"));
    EXPECT_EQ(f.box->toPlainText(), Q("Острый клинок.\nклинок рубит."));
    EXPECT_FALSE(f.base->ObjectsUnchanged());
}

}  // namespace
}  // namespace trellan
