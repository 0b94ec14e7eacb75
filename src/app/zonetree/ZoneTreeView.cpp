#include "app/zonetree/ZoneTreeView.h"

#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <unordered_map>

#include "model/World.h"
#include "view/QtText.h"

namespace trellan {

namespace {

// The node's text as the model has it (Windows-1251), so that a sync
// compares bytes instead of converting every label.
constexpr int TextRole = Qt::UserRole + 3;
// Room for the lock picture left of a locked zone's own picture.
constexpr int kStateWidth = 18;

class ZoneTreeItem final : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& other) const override {
        const QString mine = text(0);
        const QString theirs = other.text(0);
        const int order = QString::compare(mine, theirs, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : mine < theirs;
    }
};

// Draws the state picture before the node's own and hands finished label
// edits to the view instead of writing them into the widget.
class ZoneTreeDelegate final : public QStyledItemDelegate {
public:
    ZoneTreeDelegate(const std::vector<QPixmap>& images, QObject* parent)
        : QStyledItemDelegate(parent), images_(images) {}

    std::function<void(const QModelIndex& index, const QString& text)> Commit;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QPixmap* state = StateImage(index);
        if (state == nullptr) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const QRect& box = option.rect;
        painter->drawPixmap(box.left() + 1, box.top() + (box.height() - state->height()) / 2, *state);
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(box.left() + kStateWidth);
        QStyledItemDelegate::paint(painter, shifted, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (StateImage(index) != nullptr) size.rwidth() += kStateWidth;
        return size;
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        if (StateImage(index) != nullptr) shifted.rect.setLeft(option.rect.left() + kStateWidth);
        QStyledItemDelegate::updateEditorGeometry(editor, shifted, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (line != nullptr && Commit) Commit(index, line->text());
    }

private:
    const QPixmap* StateImage(const QModelIndex& index) const {
        const QVariant state = index.data(ZoneTreeView::StateRole);
        if (!state.isValid()) return nullptr;
        const int image = state.toInt();
        return image >= 0 && image < static_cast<int>(images_.size()) ? &images_[image] : nullptr;
    }

    const std::vector<QPixmap>& images_;
};

std::string TextOf(const QTreeWidgetItem* item) {
    return item->data(0, TextRole).toByteArray().toStdString();
}

// True when the text changed (the node may have to move).
bool SetText(QTreeWidgetItem* item, const std::string& text) {
    const QByteArray bytes = QByteArray::fromStdString(text);
    if (item->data(0, TextRole).toByteArray() == bytes && item->data(0, TextRole).isValid()) return false;
    item->setData(0, TextRole, bytes);
    item->setText(0, ToQt(text));
    return true;
}

constexpr Qt::ItemFlags kEditable = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;

}  // namespace

ZoneTreeView::ZoneTreeView(QTreeWidget& tree, const World& world) : tree_(&tree), world_(world) {
    tree.setColumnCount(1);
    tree.setHeaderHidden(true);
    tree.setIconSize(QSize(16, 16));
    tree.setSortingEnabled(false);
    tree.setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    auto* delegate = new ZoneTreeDelegate(images_, this);
    delegate->Commit = [this](const QModelIndex& index, const QString& text) {
        if (!LabelEdited) return;
        const int level = !index.parent().isValid() ? 0 : !index.parent().parent().isValid() ? 1 : 2;
        if (level == 0) return;
        const std::string old = index.data(TextRole).toByteArray().toStdString();
        auto* room = reinterpret_cast<MudRoom*>(index.data(RoomRole).value<quintptr>());
        const std::string edited = FromQt(text);
        // The editor is still open here; the change (which may move or
        // replace the node) waits until it has closed.
        QMetaObject::invokeMethod(
            this,
            [this, level, old, room, edited] {
                if (level == 2 && !world_.Contains(room)) return;
                if (LabelEdited) LabelEdited(level, old, level == 2 ? room : nullptr, edited);
            },
            Qt::QueuedConnection);
    };
    tree.setItemDelegate(delegate);
    connect(&tree, &QTreeWidget::itemExpanded, this, &ZoneTreeView::Expanded);
    connect(&tree, &QTreeWidget::itemCollapsed, this, &ZoneTreeView::Expanded);
}

ZoneTreeView::~ZoneTreeView() {
    // The delegate is ours; the widget may live on without it.
    if (tree_) tree_->setItemDelegate(nullptr);
}

int ZoneTreeView::Level(const QTreeWidgetItem* item) {
    if (item == nullptr) return -1;
    if (item->parent() == nullptr) return 0;
    return item->parent()->parent() == nullptr ? 1 : 2;
}

QTreeWidgetItem* ZoneTreeView::Selected() const {
    return tree_ ? tree_->currentItem() : nullptr;
}

std::string ZoneTreeView::ZoneOf(const QTreeWidgetItem* item) const {
    switch (Level(item)) {
        case 1:
            return TextOf(item);
        case 2:
            return TextOf(item->parent());
        default:
            return {};
    }
}

MudRoom* ZoneTreeView::RoomOf(const QTreeWidgetItem* item) const {
    if (Level(item) != 2) return nullptr;
    auto* room = reinterpret_cast<MudRoom*>(item->data(0, RoomRole).value<quintptr>());
    return world_.Contains(room) ? room : nullptr;
}

QTreeWidgetItem* ZoneTreeView::ZoneItem(const std::string& zone) const {
    const auto found = zones_.find(zone);
    return found != zones_.end() ? found->second : nullptr;
}

QTreeWidgetItem* ZoneTreeView::BookmarkItem(const MudRoom* room) const {
    if (room == nullptr || !world_.Contains(room)) return nullptr;
    QTreeWidgetItem* zone = ZoneItem(world_.ZoneOf(room));
    if (zone == nullptr) return nullptr;
    for (int i = 0; i < zone->childCount(); ++i) {
        QTreeWidgetItem* child = zone->child(i);
        if (child->data(0, RoomRole).value<quintptr>() == reinterpret_cast<quintptr>(room)) return child;
    }
    return nullptr;
}

void ZoneTreeView::ZoneRenamed(const std::string& from, const std::string& to) {
    const auto found = zones_.find(from);
    if (found == zones_.end() || zones_.count(to) != 0) return;
    QTreeWidgetItem* item = found->second;
    zones_.erase(found);
    zones_[to] = item;
    SetText(item, to);
    if (currentZone_ == from) currentZone_ = to;
    if (root_ != nullptr) root_->sortChildren(0, Qt::AscendingOrder);
}

void ZoneTreeView::EditLabel(QTreeWidgetItem* item) {
    if (!tree_ || Level(item) < 1) return;
    if (item->parent() != nullptr) item->parent()->setExpanded(true);
    tree_->setCurrentItem(item);
    tree_->scrollToItem(item);
    tree_->editItem(item, 0);
}

void ZoneTreeView::SetImages(std::vector<QPixmap> images) {
    images_ = std::move(images);
    RefreshImages();
    if (tree_) tree_->viewport()->update();
}

void ZoneTreeView::SetImage(QTreeWidgetItem* item, int image) {
    const QVariant had = item->data(0, ImageRole);
    if (had.isValid() && had.toInt() == image) return;
    item->setData(0, ImageRole, image);
    item->setIcon(0, image >= 0 && image < static_cast<int>(images_.size()) ? QIcon(images_[image]) : QIcon());
}

void ZoneTreeView::RefreshImages() {
    if (!tree_) return;
    QTreeWidgetItemIterator it(tree_);
    for (; *it != nullptr; ++it) {
        QTreeWidgetItem* item = *it;
        const int image = item->data(0, ImageRole).toInt();
        item->setIcon(0, image >= 0 && image < static_cast<int>(images_.size()) ? QIcon(images_[image]) : QIcon());
    }
}

int ZoneTreeView::ZoneImage(const QTreeWidgetItem* item) const {
    const int open = item->isExpanded() ? 1 : 0;
    if (Level(item) == 1 && TextOf(item) == world_.CurrentZone) return 2 + open;
    return open;
}

void ZoneTreeView::Expanded(QTreeWidgetItem* item) {
    if (Level(item) <= 1) SetImage(item, ZoneImage(item));
}

bool ZoneTreeView::SyncZone(QTreeWidgetItem* item, const std::vector<MudRoom*>& rooms, bool locked) {
    bool changed = false;
    const int state = locked ? kLockedZoneStateImage : kNoStateImage;
    const QVariant had = item->data(0, StateRole);
    if (!had.isValid() || had.toInt() != state) item->setData(0, StateRole, state);
    std::unordered_map<quintptr, QTreeWidgetItem*> existing;
    for (int i = 0; i < item->childCount(); ++i) {
        existing.emplace(item->child(i)->data(0, RoomRole).value<quintptr>(), item->child(i));
    }
    for (MudRoom* room : rooms) {
        const auto key = reinterpret_cast<quintptr>(room);
        QTreeWidgetItem* child = nullptr;
        if (const auto found = existing.find(key); found != existing.end()) {
            child = found->second;
            existing.erase(found);
        } else {
            child = new ZoneTreeItem(item);
            child->setFlags(kEditable);
            child->setData(0, RoomRole, QVariant::fromValue(key));
            changed = true;
        }
        changed |= SetText(child, room->QuickList);
        SetImage(child, room->ImageIndex == 0 ? kAliasImage : kAliasPictureImageBase + room->ImageIndex);
    }
    for (const auto& [key, child] : existing) delete child;
    return changed;
}

void ZoneTreeView::Sync() {
    if (!tree_) return;
    if (world_.CurrentWorld.empty()) {
        if (root_ != nullptr) {
            tree_->clear();
            root_ = nullptr;
            zones_.clear();
            currentZone_.clear();
        }
        return;
    }
    bool resort = false;
    if (root_ == nullptr) {
        root_ = new ZoneTreeItem(tree_.data());
        root_->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        root_->setExpanded(true);
    }
    SetText(root_, world_.CurrentWorld);
    SetImage(root_, ZoneImage(root_));

    std::map<std::string, QTreeWidgetItem*> gone;
    gone.swap(zones_);
    std::vector<MudRoom*> rooms;
    for (const ZoneNode& node : world_.Tree().Zones()) {
        QTreeWidgetItem* item = nullptr;
        if (const auto found = gone.find(node.Text); found != gone.end()) {
            item = found->second;
            gone.erase(found);
        } else {
            item = new ZoneTreeItem(root_);
            item->setFlags(kEditable);
            SetText(item, node.Text);
            resort = true;
        }
        zones_[node.Text] = item;
        rooms.clear();
        for (const AliasNode& alias : node.Aliases) rooms.push_back(alias.Room);
        if (SyncZone(item, rooms, node.StateIndex == kLockedZoneStateImage)) item->sortChildren(0, Qt::AscendingOrder);
    }
    for (const auto& [name, item] : gone) delete item;

    if (world_.CurrentZone != currentZone_) {
        currentZone_ = world_.CurrentZone;
        if (QTreeWidgetItem* current = ZoneItem(currentZone_)) {
            current->setExpanded(true);
            tree_->setCurrentItem(current);
        }
    }
    for (const auto& [name, item] : zones_) SetImage(item, ZoneImage(item));
    if (resort) root_->sortChildren(0, Qt::AscendingOrder);
}

}  // namespace trellan
