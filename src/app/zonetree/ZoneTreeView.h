#pragma once
// The zone tree widget kept in step with the world's ZoneTree: the world
// node, a node per zone (the current zone in its own colour, a lock beside
// a locked one), and under each zone its bookmarked rooms. Sync() brings
// the widget up to the model and touches only what changed, so it is cheap
// enough to run after every map refresh, and a label being edited keeps
// its editor. Nodes stay sorted by text, letter case aside.
//
// Edited labels never go into the widget directly: LabelEdited gets them,
// the caller changes the model (or refuses), and the next Sync shows the
// outcome. The widget belongs to the window and may be destroyed first.
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace trellan {

class MudRoom;
class World;

class ZoneTreeView final : public QObject {
    Q_OBJECT

public:
    // Item data: the bookmarked room (level 2), the image index of the
    // tree's image list, the state image index (-1 for none).
    static constexpr int RoomRole = Qt::UserRole;
    static constexpr int ImageRole = Qt::UserRole + 1;
    static constexpr int StateRole = Qt::UserRole + 2;

    // The world must outlive the view.
    ZoneTreeView(QTreeWidget& tree, const World& world);
    ~ZoneTreeView() override;

    void Sync();
    // The image list: the six built-in pictures, then the skin's icons.
    void SetImages(std::vector<QPixmap> images);
    const std::vector<QPixmap>& Images() const { return images_; }

    QTreeWidget* Tree() const { return tree_; }
    // 0 the world, 1 a zone, 2 a bookmark; -1 for none.
    static int Level(const QTreeWidgetItem* item);
    QTreeWidgetItem* Selected() const;
    // The zone a zone node names, or a bookmark node's zone.
    std::string ZoneOf(const QTreeWidgetItem* item) const;
    // The room of a bookmark node, only while it is still in the world.
    MudRoom* RoomOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* ZoneItem(const std::string& zone) const;
    QTreeWidgetItem* BookmarkItem(const MudRoom* room) const;
    // A zone was renamed in the model: its node keeps its place in the
    // tree (selection, expansion) under the new name.
    void ZoneRenamed(const std::string& from, const std::string& to);
    // Selects the node and opens its label editor.
    void EditLabel(QTreeWidgetItem* item);

    // A label was edited: the node's level, its old text (zones) or room
    // (bookmarks), and the new text, all Windows-1251.
    std::function<void(int level, const std::string& oldText, MudRoom* room, const std::string& newText)> LabelEdited;

private:
    void Expanded(QTreeWidgetItem* item);
    bool SyncZone(QTreeWidgetItem* item, const std::vector<MudRoom*>& rooms, bool locked);
    void SetImage(QTreeWidgetItem* item, int image);
    void RefreshImages();
    int ZoneImage(const QTreeWidgetItem* item) const;

    QPointer<QTreeWidget> tree_;
    const World& world_;
    std::vector<QPixmap> images_;
    QTreeWidgetItem* root_ = nullptr;
    std::map<std::string, QTreeWidgetItem*> zones_;
    std::string currentZone_;
};

}  // namespace trellan
