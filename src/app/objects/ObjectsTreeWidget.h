#pragma once
// The objects tree on the objects page. Each item stands for one node of the
// objects base (NodeOf); the items are kept in step with the base by
// ObjectsTreeView, which answers the signals below. The widget itself only
// knows its keys and where a dragged item lands.
#include <QPersistentModelIndex>
#include <QTreeWidget>

#include "objects/ObjectsTree.h"

namespace trellan {

class ObjectNode;

class ObjectsTreeWidget final : public QTreeWidget {
    Q_OBJECT

public:
    explicit ObjectsTreeWidget(QWidget* parent = nullptr);

    static ObjectNode* NodeOf(const QTreeWidgetItem* item);
    static void SetNode(QTreeWidgetItem& item, ObjectNode* node);

    // Where an item dropped at `viewportPos` lands: on the caption (or its
    // icon, or the indentation left of it) it goes before the item there; to
    // the right of the caption it becomes that item's first child. Null when
    // no item is there.
    QTreeWidgetItem* DropTargetAt(const QPoint& viewportPos, DropPlace& place) const;
    // Drops `dragged` at `viewportPos`; false when nothing lies there or the
    // move was refused (the owner decides through NodeDropped's answer).
    bool DropAt(QTreeWidgetItem* dragged, const QPoint& viewportPos);
    // A caption is being edited in place.
    bool Editing() const { return state() == QAbstractItemView::EditingState; }
    // The part of the item's row its caption takes, in viewport coordinates.
    QRect CaptionRect(const QTreeWidgetItem* item) const;

signals:
    void AddNodeRequested();    // Enter
    void AddBranchRequested();  // Insert
    void RenameRequested();     // Shift+Enter
    void DeleteRequested();     // Delete
    // `accepted` is set by the receiver when the base moved the node.
    void NodeDropped(QTreeWidgetItem* dragged, QTreeWidgetItem* target, trellan::DropPlace place, bool& accepted);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    Qt::DropActions supportedDropActions() const override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QTreeWidgetItem* DraggedItem() const;
    // True for `ancestor` itself and every item below it.
    static bool IsWithin(const QTreeWidgetItem* item, const QTreeWidgetItem* ancestor);

    // Only a drag this tree started is taken; the item it carries.
    QPersistentModelIndex dragged_;
};

}  // namespace trellan
