#pragma once
// The map page's tool bar: world and settings buttons, the window switches,
// the tracing buttons, the level buttons, the transparency slider and the
// skin chooser. Buttons are actions named after their elements; their hints
// are set by the Localiser.
#include <QToolBar>

class QAction;
class QComboBox;
class QMenu;
class QSlider;

namespace trellan {

class MainToolBar final : public QToolBar {
    Q_OBJECT

public:
    explicit MainToolBar(QWidget* parent = nullptr);

    QAction* btnSave = nullptr;
    QAction* btnUndo = nullptr;
    QAction* btnConfig = nullptr;
    QAction* btnCenter = nullptr;
    // The room search: any click drops down its two items.
    QAction* tbFind = nullptr;
    QMenu* PopupFind = nullptr;
    QAction* nFindByName = nullptr;
    QAction* nFindByDesc = nullptr;
    QAction* btnShowTree = nullptr;
    QAction* btnShortMode = nullptr;
    QAction* btnStayOnTop = nullptr;
    // The walking-mode switch (F9).
    QAction* btnSteps = nullptr;
    // Stops tracing; enabled only while tracing.
    QAction* btnWalking = nullptr;
    QAction* tbLevelUp = nullptr;
    QAction* tbLevelDown = nullptr;
    // The whole level in the window; the names under the rooms.
    QAction* btnZoomFit = nullptr;
    QAction* btnRoomNames = nullptr;
    QSlider* TrackBarTransparency = nullptr;
    QComboBox* ComboBoxSkins = nullptr;

    // Image 10 while ShortMode is on, image 9 while it is off.
    void ShowShortMode(bool shortMode);

    // Puts the map's own skin chooser where ComboBoxSkins stands; the
    // placeholder is destroyed and ComboBoxSkins names the new one.
    void AdoptSkinChooser(QComboBox* chooser);

private:
    QAction* skinsAction_ = nullptr;
};

}  // namespace trellan
