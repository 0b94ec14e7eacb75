#include "app/objects/ObjectsWiring.h"

#include <QAction>
#include <QEvent>
#include <QFileDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <exception>

#include "app/objects/ObjectsFinder.h"
#include "app/objects/ObjectsPage.h"
#include "app/objects/ObjectsTreeView.h"
#include "app/window/DebugPane.h"
#include "app/window/Dialogs.h"
#include "app/window/MainCaptions.h"
#include "app/window/TrellanForm.h"
#include "common/Errors.h"
#include "runtime/TrellanRuntime.h"
#include "text/Cp1251.h"
#include "view/QtText.h"

namespace trellan {

namespace {

// The documented filter, in the file dialog's notation; "All Files" takes
// names without an extension too.
const char* const kAddFilter = "Treepad files (*.hjt);;Text files (*.txt);;Objects base (objects.dat);;All Files (*)";

}  // namespace

ObjectsWiring::ObjectsWiring(TrellanForm& form, TrellanRuntime& runtime, Dialogs& dialogs)
    : form_(form), runtime_(runtime) {
    view_ = std::make_unique<ObjectsTreeView>(*form.Objects, runtime.Objects());
    Localisation* captions = runtime.Started() ? &runtime.Captions() : nullptr;
    finder_ = std::make_unique<ObjectsFinder>(form, runtime.Objects(), *view_, dialogs, captions);
    ChooseFileToAdd = [this] { return ChooseWithFileDialog(); };
    if (captions != nullptr) {
        Guarded([&] {
            form.Objects->tbSave->setToolTip(ToQt(captions->GetCaption(
                MainFormSection, "tbSave", Utf8ToCp1251("Проверить захват объектов на тексте отладки"))));
        });
    }
    ConnectCommands();
    // Closing stores what is typed in the box before the base is asked about.
    form.installEventFilter(this);
    UpdatePopupItems();
}

ObjectsWiring::~ObjectsWiring() {
    form_.removeEventFilter(this);
}

void ObjectsWiring::Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        if (ErrorReported) ErrorReported(error.what());
    }
}

void ObjectsWiring::ConnectCommands() {
    ObjectsPage& page = *form_.Objects;
    PopupMenus& popups = form_.Popups;
    ObjectsTreeWidget* tree = page.TreeViewObjects;
    ObjectsTreeView* view = view_.get();
    ObjectsFinder* finder = finder_.get();
    const auto on = [this](QAction* action, std::function<void()> command) {
        connect(action, &QAction::triggered, this, [this, command] { Guarded(command); });
    };

    on(page.tbSaveObjects, [this] { SaveObjects(); });
    on(page.tbDiscard, [this] { DiscardObjects(); });
    on(page.tbExpand, [view] { view->ExpandAll(); });
    on(page.tbCollapse, [view] { view->CollapseAll(); });
    on(page.tbSearch, [finder] { finder->OpenFind(); });
    on(page.tbReplace, [finder] { finder->OpenReplace(); });
    on(page.tbSave, [this] { TestCapture(); });

    on(popups.nAddNode, [view] { view->AddNode(); });
    on(popups.nAddChild, [view] { view->AddBranch(); });
    on(popups.nSort, [view] { view->SortSelected(); });
    on(popups.nDeleteNode, [view] { view->DeleteSelected(); });
    on(popups.nSearch, [finder] { finder->OpenFind(); });
    on(popups.nReplace, [finder] { finder->OpenReplace(); });
    on(popups.nAddFromFile, [this] { AddObjectsFromFile(); });
    on(popups.nGroupTell, [this] { Tell(false); });
    on(popups.nClanTell, [this] { Tell(true); });

    // The popup's keys work in the tree, the search keys in the box too.
    for (QAction* action : {popups.nSort, popups.nSearch, popups.nReplace}) {
        action->setShortcutContext(Qt::WidgetShortcut);
        tree->addAction(action);
    }
    page.MemoObjects->addAction(popups.nSearch);
    page.MemoObjects->addAction(popups.nReplace);

    connect(view, &ObjectsTreeView::SelectionChanged, this, [this] { UpdatePopupItems(); });
    connect(tree, &QWidget::customContextMenuRequested, this, [this, tree](const QPoint& pos) {
        // A right click selects the node under it first.
        if (QTreeWidgetItem* item = tree->itemAt(pos)) tree->setCurrentItem(item);
        UpdatePopupItems();
        form_.Popups.PopupObjects->popup(tree->viewport()->mapToGlobal(pos));
    });
}

void ObjectsWiring::UpdatePopupItems() {
    PopupMenus& popups = form_.Popups;
    const ObjectNode* selected = view_->SelectedNode();
    popups.nSort->setEnabled(selected != nullptr && selected->HasChildren());
    popups.nDeleteNode->setEnabled(selected != nullptr);
    const bool tell = runtime_.Session().ServerConnected() && selected != nullptr && selected->HasDescription();
    popups.nGroupTell->setEnabled(tell);
    popups.nClanTell->setEnabled(tell);
}

void ObjectsWiring::SaveObjects() {
    // A tool button takes no focus: what is typed in the box is stored here.
    view_->StoreBox();
    runtime_.Objects().Save();
}

void ObjectsWiring::DiscardObjects() {
    runtime_.Objects().Discard();
}

std::string ObjectsWiring::ChooseWithFileDialog() {
    const QString title = QString::fromUtf8("Добавить объекты из файла...");
    const QString path = QFileDialog::getOpenFileName(&form_, title, QString(), QString::fromLatin1(kAddFilter));
    return path.toStdString();
}

void ObjectsWiring::AddObjectsFromFile() {
    const std::string path = ChooseFileToAdd ? ChooseFileToAdd() : std::string();
    if (path.empty()) return;
    view_->StoreBox();
    runtime_.Objects().Merge(path);
}

void ObjectsWiring::TestCapture() {
    // As the debug memo's text: every line, the last one too, ends in CR LF.
    std::string text;
    const QString shown = form_.Debug->toPlainText();
    if (!shown.isEmpty()) {
        for (const QString& line : shown.split(QLatin1Char('\n'))) text += FromQt(line) + "\r\n";
    }
    runtime_.Tracker().ProcessServerText(text);
}

void ObjectsWiring::Tell(bool clan) {
    view_->StoreBox();
    const ObjectNode* node = view_->SelectedNode();
    if (node == nullptr || !runtime_.Session().ServerConnected()) return;
    ObjectsTrackerHooks& hooks = runtime_.ObjectsTracking();
    if (clan) {
        hooks.TellClan(*node);
    } else {
        hooks.TellGroup(*node);
    }
}

bool ObjectsWiring::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &form_ && event->type() == QEvent::Close) view_->StoreBox();
    return QObject::eventFilter(watched, event);
}

}  // namespace trellan
