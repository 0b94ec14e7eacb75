#include "app/objects/ObjectsTreeWidget.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QStyle>
#include <QStyleOptionViewItem>


namespace trellan {

namespace {

// The drag carries no data another program could use: the dragged item is
// remembered by the tree that started the drag.
constexpr const char* kDragFormat = "application/x-trellan-objects-node";
constexpr int kNodeRole = Qt::UserRole + 1;
// An empty caption still offers a spot to drop on.
constexpr int kMinCaptionWidth = 12;

}  // namespace

ObjectsTreeWidget::ObjectsTreeWidget(QWidget* parent) : QTreeWidget(parent) {
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    // Long captions scroll sideways rather than lose their ends.
    setTextElideMode(Qt::ElideNone);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
}

ObjectNode* ObjectsTreeWidget::NodeOf(const QTreeWidgetItem* item) {
    if (item == nullptr) return nullptr;
    return reinterpret_cast<ObjectNode*>(item->data(0, kNodeRole).value<quintptr>());
}

void ObjectsTreeWidget::SetNode(QTreeWidgetItem& item, ObjectNode* node) {
    item.setData(0, kNodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(node)));
}

QRect ObjectsTreeWidget::CaptionRect(const QTreeWidgetItem* item) const {
    const QModelIndex index = indexFromItem(item);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.text = item->text(0);
    option.features |= QStyleOptionViewItem::HasDisplay;
    if (!item->icon(0).isNull()) {
        option.icon = item->icon(0);
        option.features |= QStyleOptionViewItem::HasDecoration;
    }
    const QRect textArea = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int textWidth = std::max(kMinCaptionWidth, fontMetrics().horizontalAdvance(item->text(0)) + 2 * margin);
    QRect caption = option.rect;
    caption.setRight(std::min(option.rect.right(), textArea.left() + textWidth));
    return caption;
}

QTreeWidgetItem* ObjectsTreeWidget::DropTargetAt(const QPoint& viewportPos, DropPlace& place) const {
    QTreeWidgetItem* target = itemAt(viewportPos);
    // The column ends with the widest caption; its row goes on to the right.
    if (target == nullptr) target = itemAt(QPoint(0, viewportPos.y()));
    if (target == nullptr) return nullptr;
    place = viewportPos.x() > CaptionRect(target).right() ? DropPlace::RightOfCaption : DropPlace::OnCaption;
    return target;
}

bool ObjectsTreeWidget::DropAt(QTreeWidgetItem* dragged, const QPoint& viewportPos) {
    DropPlace place = DropPlace::OnCaption;
    QTreeWidgetItem* target = DropTargetAt(viewportPos, place);
    if (dragged == nullptr || target == nullptr) return false;
    if (IsWithin(target, dragged)) return false;
    bool accepted = false;
    emit NodeDropped(dragged, target, place, accepted);
    return accepted;
}

void ObjectsTreeWidget::keyPressEvent(QKeyEvent* event) {
    if (state() == QAbstractItemView::EditingState) {
        QTreeWidget::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (mods == Qt::ShiftModifier) {
                emit RenameRequested();
            } else if (mods == Qt::NoModifier) {
                emit AddNodeRequested();
            } else {
                break;
            }
            event->accept();
            return;
        case Qt::Key_Insert:
            if (mods != Qt::NoModifier) break;
            emit AddBranchRequested();
            event->accept();
            return;
        case Qt::Key_Delete:
            if (mods != Qt::NoModifier) break;
            emit DeleteRequested();
            event->accept();
            return;
        default:
            break;
    }
    QTreeWidget::keyPressEvent(event);
}

QStringList ObjectsTreeWidget::mimeTypes() const {
    return {QString::fromLatin1(kDragFormat)};
}

QMimeData* ObjectsTreeWidget::mimeData(const QList<QTreeWidgetItem*>& items) const {
    if (items.isEmpty()) return nullptr;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kDragFormat), QByteArray());
    return data;
}

Qt::DropActions ObjectsTreeWidget::supportedDropActions() const {
    return Qt::MoveAction;
}

void ObjectsTreeWidget::startDrag(Qt::DropActions supportedActions) {
    // A persistent index: the items may change while the drag runs (the MUD
    // goes on talking), and a vanished item ends the drag's use.
    dragged_ = QPersistentModelIndex(currentIndex());
    QTreeWidget::startDrag(supportedActions);
    dragged_ = QPersistentModelIndex();
}

QTreeWidgetItem* ObjectsTreeWidget::DraggedItem() const {
    return dragged_.isValid() ? itemFromIndex(dragged_) : nullptr;
}

bool ObjectsTreeWidget::IsWithin(const QTreeWidgetItem* item, const QTreeWidgetItem* ancestor) {
    for (const QTreeWidgetItem* up = item; up != nullptr; up = up->parent()) {
        if (up == ancestor) return true;
    }
    return false;
}

void ObjectsTreeWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (DraggedItem() != nullptr && event->mimeData()->hasFormat(QString::fromLatin1(kDragFormat))) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void ObjectsTreeWidget::dragMoveEvent(QDragMoveEvent* event) {
    DropPlace place = DropPlace::OnCaption;
    QTreeWidgetItem* dragged = DraggedItem();
    QTreeWidgetItem* target = dragged ? DropTargetAt(event->position().toPoint(), place) : nullptr;
    // Never onto the dragged node or into its own subtree.
    if (target == nullptr || IsWithin(target, dragged)) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void ObjectsTreeWidget::dropEvent(QDropEvent* event) {
    QTreeWidgetItem* dragged = DraggedItem();
    if (dragged == nullptr || !event->mimeData()->hasFormat(QString::fromLatin1(kDragFormat))) {
        event->ignore();
        return;
    }
    DropAt(dragged, event->position().toPoint());
    // Not a move as far as the view is concerned: it must not delete the
    // dragged item, which the base has moved already.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

}  // namespace trellan
