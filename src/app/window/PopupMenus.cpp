#include "app/window/PopupMenus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace trellan {

namespace {

QMenu* NewMenu(QWidget& parent, const char* name) {
    QMenu* menu = new QMenu(&parent);
    menu->setObjectName(name);
    return menu;
}

QMenu* SubMenu(QMenu* menu, const char* name) {
    QMenu* sub = new QMenu(menu);
    sub->setObjectName(name);
    menu->addMenu(sub);
    return sub;
}

QAction* Item(QMenu* menu, const QString& name, const QKeySequence& key = {}) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(name);
    if (!key.isEmpty()) action->setShortcut(key);
    return action;
}

template <std::size_t N>
void DirectionItems(QMenu* menu, const char* prefix, std::array<QAction*, N>& items) {
    static const char* const names[] = {"North", "South", "East", "West", "Up", "Down"};
    for (std::size_t i = 0; i < N; ++i) items[i] = Item(menu, QString::fromLatin1(prefix) + names[i]);
}

}  // namespace

PopupMenus::PopupMenus(QWidget& window) {
    PopupMap = NewMenu(window, "PopupMap");
    nSpeedWalk = Item(PopupMap, "nSpeedWalk");
    PopupMap->setDefaultAction(nSpeedWalk);
    nSpeedWalkNTD = Item(PopupMap, "nSpeedWalkNTD");
    nSpeedWalkNT = Item(PopupMap, "nSpeedWalkNT");
    nSelectRoom = Item(PopupMap, "nSelectRoom");
    nAddToQuickList = Item(PopupMap, "nAddToQuickList");
    nRemoveRoom = Item(PopupMap, "nRemoveRoom");
    PopupMap->addSeparator();
    nEditRoom = Item(PopupMap, "nEditRoom");
    nProps = SubMenu(PopupMap, "nProps");
    nColor = Item(nProps, "nColor");
    nLastColor = Item(nProps, "nLastColor");
    nProps->addSeparator();
    nDT = Item(nProps, "nDT");
    nFlyDT = Item(nProps, "nFlyDT");
    nAgro = Item(nProps, "nAgro");
    nNoStep = Item(nProps, "nNoStep");
    for (QAction* mark : {nDT, nFlyDT, nAgro, nNoStep}) mark->setCheckable(true);
    nPicture = SubMenu(PopupMap, "nPicture");
    nDoor = SubMenu(PopupMap, "nDoor");
    DirectionItems(nDoor, "nDoor", doorItems);
    for (QAction* door : doorItems) door->setCheckable(true);
    PopupMap->addSeparator();
    nDeleteRoom = Item(PopupMap, "nDeleteRoom");
    nDeleteLink = Item(PopupMap, "nDeleteLink");
    nAddRoom = SubMenu(PopupMap, "nAddRoom");
    DirectionItems(nAddRoom, "to", addRoomItems);
    nShiftRoom = SubMenu(PopupMap, "nShiftRoom");
    DirectionItems(nShiftRoom, "nMove", shiftItems);
    nLong = SubMenu(PopupMap, "nLong");
    DirectionItems(nLong, "nLink", longItems);
    PopupMap->addSeparator();
    nStartNewZone = SubMenu(PopupMap, "nStartNewZone");
    DirectionItems(nStartNewZone, "nNewZone", newZoneItems);
    nMerge = SubMenu(PopupMap, "nMerge");
    DirectionItems(nMerge, "nMerge", mergeItems);
    showZoneSeparator = PopupMap->addSeparator();
    showZoneSeparator->setVisible(false);
    nShowZone = Item(PopupMap, "nShowZone");
    nShowZone->setVisible(false);

    PopupTree = NewMenu(window, "PopupTree");
    nnNewWorld = Item(PopupTree, "nnNewWorld");
    nnLoadWorld = Item(PopupTree, "nnLoadWorld");
    nnSaveWorld = Item(PopupTree, "nnSaveWorld");
    nnLoadZone = Item(PopupTree, "nnLoadZone");
    nnNewZone = Item(PopupTree, "nnNewZone");
    nnRenameZone = Item(PopupTree, "nnRenameZone");
    nnDeleteZone = Item(PopupTree, "nnDeleteZone");
    nnLockZone = Item(PopupTree, "nnLockZone");
    nnLockZone->setCheckable(true);
    nnSpeedWalk = Item(PopupTree, "nnSpeedWalk");
    PopupTree->setDefaultAction(nnSpeedWalk);
    nnSpeedWalkNTD = Item(PopupTree, "nnSpeedWalkNTD");
    nnSpeedWalkNT = Item(PopupTree, "nnSpeedWalkNT");
    nnShowOnMap = Item(PopupTree, "nnShowOnMap");
    nnRemoveRoom = Item(PopupTree, "nnRemoveRoom");

    PopupObjects = NewMenu(window, "PopupObjects");
    nAddNode = Item(PopupObjects, "nAddNode");
    nAddChild = Item(PopupObjects, "nAddChild");
    nSort = Item(PopupObjects, "nSort", QKeySequence(Qt::CTRL | Qt::Key_S));
    nDeleteNode = Item(PopupObjects, "nDeleteNode");
    PopupObjects->addSeparator();
    nSearch = Item(PopupObjects, "nSearch", QKeySequence(Qt::CTRL | Qt::Key_F));
    nReplace = Item(PopupObjects, "nReplace", QKeySequence(Qt::CTRL | Qt::Key_R));
    PopupObjects->addSeparator();
    nAddFromFile = Item(PopupObjects, "nAddFromFile");
    PopupObjects->addSeparator();
    nGroupTell = Item(PopupObjects, "nGroupTell");
    nClanTell = Item(PopupObjects, "nClanTell");
}

}  // namespace trellan
