#pragma once
// The main menu: "Файл", "Режим", "Окно", "Справка" with their items and
// shortcut keys. Items carry their localisation keys as object names; the
// texts are set by the Localiser. Everything is owned by the window.
#include <array>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;

namespace trellan {

struct MainMenu {
    // Builds the menu bar of `window`.
    explicit MainMenu(QMainWindow& window);

    QMenu* nFile = nullptr;
    QAction* nNewWorld = nullptr;
    QAction* nLoadWorld = nullptr;
    QAction* nUndoMap = nullptr;
    QAction* nSaveWorld = nullptr;
    QAction* nSaveWorldAs = nullptr;
    QAction* nExportMudlet = nullptr;
    QAction* nImportMudlet = nullptr;
    QAction* nExportPicture = nullptr;
    QAction* nNewZone = nullptr;
    QAction* nConfig = nullptr;
    QAction* nExit = nullptr;

    // Правка: undo and redo of map changes; their texts name the step.
    QMenu* nEdit = nullptr;
    QAction* nUndo = nullptr;
    QAction* nRedo = nullptr;
    QMenu* nMode = nullptr;
    QActionGroup* modeGroup = nullptr;
    QAction* nWalking = nullptr;
    QAction* nTracing = nullptr;
    // Holds the status-bar text shown while tracing; never shown itself.
    QAction* nTraceText = nullptr;

    QMenu* nWindow = nullptr;
    QAction* nCenter = nullptr;
    // The map's zoom: a step in, a step out, 100 %, the whole level; the
    // names under the rooms (checkable).
    QAction* nZoomIn = nullptr;
    QAction* nZoomOut = nullptr;
    QAction* nZoom100 = nullptr;
    QAction* nZoomFit = nullptr;
    QAction* nRoomNames = nullptr;
    QAction* nShowTree = nullptr;
    QAction* nAutolink = nullptr;
    QAction* nStayOnTop = nullptr;
    QMenu* nTransparency = nullptr;
    std::array<QAction*, 9> transparencyItems{};
    // The walking-mode switch (F9); its text is nWalking's.
    QAction* nSteps = nullptr;
    QAction* nStopTrace = nullptr;

    QMenu* nHelp = nullptr;
    QAction* nHelpMain = nullptr;
    QAction* nAbout = nullptr;
};

}  // namespace trellan
