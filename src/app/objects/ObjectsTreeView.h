#pragma once
// Binds the objects page's tree and description box to the objects base:
// the items follow the base's tree (as its listener), a click or the arrow
// keys store the box into the node shown before and show the new one, the
// box is stored when it loses the focus, and the tree's keys and drops call
// the base's operations. The page and the base must outlive it.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <string>
#include <vector>

#include "objects/ObjectsListener.h"
#include "objects/ObjectsTree.h"

class QPlainTextEdit;
class QTreeWidgetItem;

namespace trellan {

class ObjectsBase;
class ObjectsPage;
class ObjectsTreeWidget;

class ObjectsTreeView final : public QObject, public ObjectsListener {
    Q_OBJECT

public:
    // Becomes the base's listener (the one it had gets the log lines, and is
    // put back on destruction) and shows the base as it is.
    ObjectsTreeView(ObjectsPage& page, ObjectsBase& base);
    ~ObjectsTreeView() override;

    // The node of the selected item, or null.
    ObjectNode* SelectedNode();
    // The box into the node it shows, when the user modified it.
    void StoreBox();

    // The tree's commands; each stores the box first where it shows another
    // node afterwards.
    void AddNode();
    void AddBranch();
    void DeleteSelected();
    void SortSelected();
    void RenameSelected();
    void ExpandAll();
    void CollapseAll();
    // Selects `length` characters from `column` of description line `line`
    // in the box, which gets the focus.
    void SelectInBox(std::size_t line, std::size_t column, std::size_t length);

    // The box's text as description lines, and back.
    static std::vector<std::string> BoxLines(const QString& text);
    static QString BoxText(const std::vector<std::string>& lines);

    // --- ObjectsListener
    void TreeChanged() override;
    void FlushDescriptionEdit() override;
    void NodeShown(const ObjectNode* node) override;
    void Log(std::string_view line) override;

signals:
    // The selection moved (or was re-read): the popup's items follow it.
    void SelectionChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Rebuilds the items wherever they differ from the base's tree, keeping
    // expansion, selection and scroll position; never recursive, since a
    // damaged file can nest nodes very deep.
    void Sync();
    // The items still match the base (a node deleted or the tree cleared
    // without a word would leave items pointing nowhere).
    void EnsureInStep();
    void OnCurrentChanged();
    void OnItemChanged(QTreeWidgetItem* item);
    void OnDropped(QTreeWidgetItem* dragged, QTreeWidgetItem* target, DropPlace place, bool& accepted);
    // After adding: the old selection opens, the new node is edited.
    void StartEditingNew(const ObjectNode* previous, ObjectNode* node);
    QTreeWidgetItem* NewItem(ObjectNode* node);

    ObjectsBase& base_;
    ObjectsListener* previous_;
    QPointer<ObjectsTreeWidget> tree_;
    QPointer<QPlainTextEdit> box_;
    QHash<const ObjectNode*, QTreeWidgetItem*> itemOf_;
    std::uint64_t generation_ = 0;
    // Set while the items are changed from here: the tree's own signals
    // about it are not the user's doing.
    int quiet_ = 0;
};

}  // namespace trellan
