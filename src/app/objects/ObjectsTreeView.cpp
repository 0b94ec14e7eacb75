#include "app/objects/ObjectsTreeView.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSet>
#include <QTextBlock>
#include <algorithm>

#include "app/objects/ObjectsPage.h"
#include "app/objects/ObjectsTreeWidget.h"
#include "objects/ObjectsBase.h"
#include "text/Cp1251.h"
#include "view/QtText.h"

namespace trellan {

namespace {

// The tree's own signals while the items are changed from here are not the
// user's doing; nesting is allowed (a sync inside a show).
class Quiet {
public:
    explicit Quiet(int& depth) : depth_(depth) { ++depth_; }
    ~Quiet() { --depth_; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    int& depth_;
};

}  // namespace

ObjectsTreeView::ObjectsTreeView(ObjectsPage& page, ObjectsBase& base)
    : base_(base), previous_(&base.Listener()), tree_(page.TreeViewObjects), box_(page.MemoObjects) {
    base_.SetListener(this);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { OnCurrentChanged(); });
    connect(tree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) { OnItemChanged(item); });
    connect(tree_, &ObjectsTreeWidget::AddNodeRequested, this, [this] { AddNode(); });
    connect(tree_, &ObjectsTreeWidget::AddBranchRequested, this, [this] { AddBranch(); });
    connect(tree_, &ObjectsTreeWidget::RenameRequested, this, [this] { RenameSelected(); });
    connect(tree_, &ObjectsTreeWidget::DeleteRequested, this, [this] { DeleteSelected(); });
    connect(tree_, &ObjectsTreeWidget::NodeDropped, this, &ObjectsTreeView::OnDropped);
    box_->installEventFilter(this);
    Sync();
    NodeShown(base_.LoreNode());
}

ObjectsTreeView::~ObjectsTreeView() {
    base_.SetListener(previous_);
    if (box_) box_->removeEventFilter(this);
}

ObjectNode* ObjectsTreeView::SelectedNode() {
    if (!tree_) return nullptr;
    EnsureInStep();
    return ObjectsTreeWidget::NodeOf(tree_->currentItem());
}

std::vector<std::string> ObjectsTreeView::BoxLines(const QString& text) {
    std::vector<std::string> lines;
    if (text.isEmpty()) return lines;
    QStringList pieces = text.split(QLatin1Char('\n'));
    // Like a memo's lines: a break at the very end starts no line of its own.
    if (pieces.size() > 1 && pieces.back().isEmpty()) pieces.removeLast();
    lines.reserve(pieces.size());
    for (const QString& piece : pieces) lines.push_back(FromQt(piece));
    return lines;
}

QString ObjectsTreeView::BoxText(const std::vector<std::string>& lines) {
    QStringList pieces;
    pieces.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) pieces.append(ToQt(line));
    return pieces.join(QLatin1Char('\n'));
}

void ObjectsTreeView::StoreBox() {
    if (!box_ || !box_->document()->isModified()) return;
    base_.StoreDescription(BoxLines(box_->toPlainText()));
    box_->document()->setModified(false);
}

QTreeWidgetItem* ObjectsTreeView::NewItem(ObjectNode* node) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, ToQt(node->Caption));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
                   Qt::ItemIsDropEnabled);
    ObjectsTreeWidget::SetNode(*item, node);
    return item;
}

void ObjectsTreeView::Sync() {
    if (!tree_) return;
    Quiet quiet(quiet_);
    // Held pointers are only compared here, never followed: a node the items
    // still name may be gone.
    QSet<const ObjectNode*> expanded;
    for (auto it = itemOf_.cbegin(); it != itemOf_.cend(); ++it) {
        if (it.value()->isExpanded()) expanded.insert(it.key());
    }
    const ObjectNode* current = ObjectsTreeWidget::NodeOf(tree_->currentItem());
    const int scroll = tree_->verticalScrollBar()->value();

    QHash<const ObjectNode*, QTreeWidgetItem*> itemOf;
    struct Frame {
        QTreeWidgetItem* parent;
        const std::vector<std::unique_ptr<ObjectNode>>* nodes;
    };
    std::vector<Frame> pending{{tree_->invisibleRootItem(), &base_.Tree().TopLevel()}};
    while (!pending.empty()) {
        const Frame frame = pending.back();
        pending.pop_back();
        const auto& nodes = *frame.nodes;
        bool same = frame.parent->childCount() == static_cast<int>(nodes.size());
        for (int i = 0; same && i < frame.parent->childCount(); ++i) {
            same = ObjectsTreeWidget::NodeOf(frame.parent->child(i)) == nodes[static_cast<std::size_t>(i)].get();
        }
        if (!same) {
            // Items are kept for the nodes still under this parent, in the
            // base's order; the others go with their subtrees.
            QHash<const ObjectNode*, QTreeWidgetItem*> old;
            for (QTreeWidgetItem* item : frame.parent->takeChildren())
                old.insert(ObjectsTreeWidget::NodeOf(item), item);
            QList<QTreeWidgetItem*> items;
            items.reserve(static_cast<qsizetype>(nodes.size()));
            for (const auto& node : nodes) {
                QTreeWidgetItem* item = old.take(node.get());
                items.append(item != nullptr ? item : NewItem(node.get()));
            }
            qDeleteAll(old);
            frame.parent->addChildren(items);
        }
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            ObjectNode* node = nodes[i].get();
            QTreeWidgetItem* item = frame.parent->child(static_cast<int>(i));
            const QString caption = ToQt(node->Caption);
            if (item->text(0) != caption) item->setText(0, caption);
            itemOf.insert(node, item);
            if (node->HasChildren() || item->childCount() > 0) pending.push_back({item, &node->Children()});
        }
    }
    itemOf_ = std::move(itemOf);
    generation_ = base_.Tree().Generation();

    for (const ObjectNode* node : expanded) {
        if (QTreeWidgetItem* item = itemOf_.value(node)) item->setExpanded(true);
    }
    if (QTreeWidgetItem* item = itemOf_.value(current)) tree_->setCurrentItem(item);
    tree_->verticalScrollBar()->setValue(scroll);
}

void ObjectsTreeView::EnsureInStep() {
    if (generation_ != base_.Tree().Generation()) Sync();
}

void ObjectsTreeView::TreeChanged() {
    Sync();
    emit SelectionChanged();
}

void ObjectsTreeView::FlushDescriptionEdit() {
    StoreBox();
}

void ObjectsTreeView::NodeShown(const ObjectNode* node) {
    if (!tree_ || !box_) return;
    EnsureInStep();
    {
        Quiet quiet(quiet_);
        QTreeWidgetItem* item = node != nullptr ? itemOf_.value(node) : nullptr;
        if (item != nullptr) {
            tree_->setCurrentItem(item);
            tree_->scrollToItem(item);
        } else {
            tree_->clearSelection();
            tree_->setCurrentItem(nullptr);
        }
        box_->setPlainText(node != nullptr && node->Description ? BoxText(*node->Description) : QString());
        box_->document()->setModified(false);
        // Text typed with no node shown would be lost without a word.
        box_->setReadOnly(node == nullptr);
    }
    emit SelectionChanged();
}

void ObjectsTreeView::Log(std::string_view line) {
    previous_->Log(line);
}

void ObjectsTreeView::OnCurrentChanged() {
    if (quiet_ > 0 || !tree_) return;
    EnsureInStep();
    base_.SelectNode(ObjectsTreeWidget::NodeOf(tree_->currentItem()));
}

void ObjectsTreeView::OnItemChanged(QTreeWidgetItem* item) {
    if (quiet_ > 0) return;
    if (generation_ != base_.Tree().Generation()) {
        Sync();
        return;
    }
    if (ObjectNode* node = ObjectsTreeWidget::NodeOf(item)) base_.RenameNode(*node, FromQt(item->text(0)));
}

void ObjectsTreeView::OnDropped(QTreeWidgetItem* dragged, QTreeWidgetItem* target, DropPlace place, bool& accepted) {
    accepted = false;
    if (generation_ != base_.Tree().Generation()) {
        Sync();
        return;
    }
    ObjectNode* draggedNode = ObjectsTreeWidget::NodeOf(dragged);
    ObjectNode* targetNode = ObjectsTreeWidget::NodeOf(target);
    if (draggedNode == nullptr || targetNode == nullptr) return;
    accepted = base_.MoveNode(*draggedNode, *targetNode, place);
    if (!accepted) return;
    // The new child is where the user looks for it.
    if (place == DropPlace::RightOfCaption) {
        if (QTreeWidgetItem* item = itemOf_.value(targetNode)) item->setExpanded(true);
    }
    if (QTreeWidgetItem* item = itemOf_.value(draggedNode)) tree_->scrollToItem(item);
}

void ObjectsTreeView::StartEditingNew(const ObjectNode* previous, ObjectNode* node) {
    if (QTreeWidgetItem* item = itemOf_.value(previous)) item->setExpanded(true);
    QTreeWidgetItem* item = itemOf_.value(node);
    if (item == nullptr) return;
    tree_->setFocus(Qt::OtherFocusReason);
    tree_->scrollToItem(item);
    tree_->editItem(item);
}

void ObjectsTreeView::AddNode() {
    if (!tree_ || tree_->Editing()) return;
    ObjectNode* selected = SelectedNode();
    StartEditingNew(selected, base_.AddNode(selected));
}

void ObjectsTreeView::AddBranch() {
    if (!tree_ || tree_->Editing()) return;
    ObjectNode* selected = SelectedNode();
    StartEditingNew(selected, base_.AddBranch(selected));
}

void ObjectsTreeView::DeleteSelected() {
    if (ObjectNode* selected = SelectedNode()) base_.DeleteNode(*selected);
}

void ObjectsTreeView::SortSelected() {
    ObjectNode* selected = SelectedNode();
    if (selected != nullptr && selected->HasChildren()) base_.SortChildren(selected);
}

void ObjectsTreeView::RenameSelected() {
    if (!tree_ || SelectedNode() == nullptr) return;
    tree_->editItem(tree_->currentItem());
}

void ObjectsTreeView::ExpandAll() {
    StoreBox();
    if (tree_) tree_->expandAll();
}

void ObjectsTreeView::CollapseAll() {
    StoreBox();
    if (tree_) tree_->collapseAll();
}

void ObjectsTreeView::SelectInBox(std::size_t line, std::size_t column, std::size_t length) {
    if (!box_) return;
    const QTextBlock block = box_->document()->findBlockByNumber(static_cast<int>(line));
    if (!block.isValid()) return;
    const int end = block.position() + block.length() - 1;
    const int start = std::min(block.position() + static_cast<int>(column), end);
    QTextCursor cursor(box_->document());
    cursor.setPosition(start);
    cursor.setPosition(std::min(start + static_cast<int>(length), end), QTextCursor::KeepAnchor);
    box_->setTextCursor(cursor);
    box_->setFocus(Qt::OtherFocusReason);
}

bool ObjectsTreeView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_ && event->type() == QEvent::FocusOut) StoreBox();
    return QObject::eventFilter(watched, event);
}

}  // namespace trellan
