#pragma once
// The three context menus of the main window: the room popup of the map,
// the zone tree's menu and the objects tree's menu. Their items exist from
// the start, so that their texts are localised with the window; what they
// do, and when they show, is wired by the map, tree and objects code.
// Owned by the window.
#include <array>

class QAction;
class QMenu;
class QWidget;

namespace trellan {

struct PopupMenus {
    // Directions of the add-room items: north, south, east, west, up, down.
    static constexpr int DirectionCount = 6;

    explicit PopupMenus(QWidget& window);

    // The map's room popup.
    QMenu* PopupMap = nullptr;
    QAction* nSpeedWalk = nullptr;
    QAction* nSpeedWalkNTD = nullptr;
    QAction* nSpeedWalkNT = nullptr;
    QAction* nSelectRoom = nullptr;
    QAction* nAddToQuickList = nullptr;
    QAction* nRemoveRoom = nullptr;
    QAction* nEditRoom = nullptr;
    QMenu* nProps = nullptr;
    QAction* nColor = nullptr;
    QAction* nLastColor = nullptr;
    QAction* nDT = nullptr;
    QAction* nFlyDT = nullptr;
    QAction* nAgro = nullptr;
    QAction* nNoStep = nullptr;
    QMenu* nPicture = nullptr;
    QMenu* nDoor = nullptr;
    std::array<QAction*, DirectionCount> doorItems{};
    QAction* nDeleteRoom = nullptr;
    QAction* nDeleteLink = nullptr;
    QMenu* nAddRoom = nullptr;
    // toNorth, toSouth, toEast, toWest, toUp, toDown.
    std::array<QAction*, DirectionCount> addRoomItems{};
    QMenu* nShiftRoom = nullptr;
    std::array<QAction*, 4> shiftItems{};  // nMoveNorth, nMoveSouth, nMoveEast, nMoveWest
    QMenu* nLong = nullptr;
    std::array<QAction*, 4> longItems{};  // nLinkNorth, nLinkSouth, nLinkEast, nLinkWest
    QMenu* nStartNewZone = nullptr;
    std::array<QAction*, DirectionCount> newZoneItems{};
    QMenu* nMerge = nullptr;
    std::array<QAction*, DirectionCount> mergeItems{};
    QAction* showZoneSeparator = nullptr;
    // The pattern of the cross-link items; the items themselves are built
    // when the popup opens.
    QAction* nShowZone = nullptr;

    // The zone tree's menu.
    QMenu* PopupTree = nullptr;
    QAction* nnNewWorld = nullptr;
    QAction* nnLoadWorld = nullptr;
    QAction* nnSaveWorld = nullptr;
    QAction* nnLoadZone = nullptr;
    QAction* nnNewZone = nullptr;
    QAction* nnRenameZone = nullptr;
    QAction* nnDeleteZone = nullptr;
    QAction* nnLockZone = nullptr;
    QAction* nnSpeedWalk = nullptr;
    QAction* nnSpeedWalkNTD = nullptr;
    QAction* nnSpeedWalkNT = nullptr;
    QAction* nnShowOnMap = nullptr;
    QAction* nnRemoveRoom = nullptr;

    // The objects tree's menu.
    QMenu* PopupObjects = nullptr;
    QAction* nAddNode = nullptr;
    QAction* nAddChild = nullptr;
    QAction* nSort = nullptr;
    QAction* nDeleteNode = nullptr;
    QAction* nSearch = nullptr;
    QAction* nReplace = nullptr;
    QAction* nAddFromFile = nullptr;
    QAction* nGroupTell = nullptr;
    QAction* nClanTell = nullptr;
};

}  // namespace trellan
