#include "app/window/MainMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace trellan {

namespace {

QMenu* AddMenu(QMainWindow& window, const char* name) {
    QMenu* menu = new QMenu(&window);
    menu->setObjectName(name);
    window.menuBar()->addMenu(menu);
    return menu;
}

QAction* AddItem(QMenu* menu, const char* name, const QKeySequence& key = {}) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(name);
    if (!key.isEmpty()) action->setShortcut(key);
    return action;
}

}  // namespace

MainMenu::MainMenu(QMainWindow& window) {
    nFile = AddMenu(window, "nFile");
    nNewWorld = AddItem(nFile, "nNewWorld");
    nLoadWorld = AddItem(nFile, "nLoadWorld");
    nUndoMap = AddItem(nFile, "nUndoMap");
    nSaveWorld = AddItem(nFile, "nSaveWorld", QKeySequence(Qt::Key_F3));
    nSaveWorldAs = AddItem(nFile, "nSaveWorldAs", QKeySequence(Qt::ALT | Qt::Key_F3));
    nNewZone = AddItem(nFile, "nNewZone", QKeySequence(Qt::Key_F2));
    nFile->addSeparator();
    nExportMudlet = AddItem(nFile, "nExportMudlet");
    nImportMudlet = AddItem(nFile, "nImportMudlet");
    nExportPicture = AddItem(nFile, "nExportPicture");
    nFile->addSeparator();
    nConfig = AddItem(nFile, "nConfig", QKeySequence(Qt::ALT | Qt::Key_F9));
    nFile->addSeparator();
    nExit = AddItem(nFile, "nExit", QKeySequence(Qt::ALT | Qt::Key_F4));

    nEdit = AddMenu(window, "nEdit");
    nUndo = AddItem(nEdit, "nUndo");
    nUndo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    nRedo = AddItem(nEdit, "nRedo");
    nRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    nMode = AddMenu(window, "nMode");
    modeGroup = new QActionGroup(&window);
    nWalking = AddItem(nMode, "nWalking");
    nTracing = AddItem(nMode, "nTracing");
    for (QAction* item : {nWalking, nTracing}) {
        item->setCheckable(true);
        modeGroup->addAction(item);
    }
    nWalking->setChecked(true);
    nTraceText = AddItem(nMode, "nTraceText");
    nTraceText->setVisible(false);

    nWindow = AddMenu(window, "nWindow");
    nCenter = AddItem(nWindow, "nCenter", QKeySequence(Qt::Key_F8));
    nZoomIn = AddItem(nWindow, "nZoomIn", QKeySequence(Qt::CTRL | Qt::Key_Plus));
    // Plus shares its key with "=" on most keyboards.
    nZoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    nZoomOut = AddItem(nWindow, "nZoomOut", QKeySequence(Qt::CTRL | Qt::Key_Minus));
    nZoom100 = AddItem(nWindow, "nZoom100", QKeySequence(Qt::CTRL | Qt::Key_0));
    nZoomFit = AddItem(nWindow, "nZoomFit", QKeySequence(Qt::CTRL | Qt::Key_9));
    nRoomNames = AddItem(nWindow, "nRoomNames");
    nRoomNames->setCheckable(true);
    nWindow->addSeparator();
    nShowTree = AddItem(nWindow, "nShowTree", QKeySequence(Qt::Key_F5));
    nAutolink = AddItem(nWindow, "nAutolink", QKeySequence(Qt::Key_F6));
    nStayOnTop = AddItem(nWindow, "nStayOnTop", QKeySequence(Qt::Key_F7));
    for (QAction* item : {nShowTree, nAutolink, nStayOnTop}) item->setCheckable(true);
    nAutolink->setChecked(true);
    nTransparency = new QMenu(nWindow);
    nTransparency->setObjectName("nTransparency");
    nWindow->addMenu(nTransparency);
    for (int i = 0; i < static_cast<int>(transparencyItems.size()); ++i) {
        QAction* item = nTransparency->addAction(QString());
        item->setObjectName(QStringLiteral("nTransparency%1").arg(i * 10));
        item->setData(i * 10);
        transparencyItems[static_cast<std::size_t>(i)] = item;
    }
    nWindow->addSeparator();
    nSteps = AddItem(nWindow, "nSteps", QKeySequence(Qt::Key_F9));
    nSteps->setCheckable(true);
    nStopTrace = AddItem(nWindow, "nStopTrace", QKeySequence(Qt::SHIFT | Qt::Key_F9));
    nStopTrace->setEnabled(false);

    nHelp = AddMenu(window, "nHelp");
    nHelpMain = AddItem(nHelp, "nHelpMain", QKeySequence(Qt::Key_F1));
    nHelp->addSeparator();
    nAbout = AddItem(nHelp, "nAbout");
}

}  // namespace trellan
