#include "app/window/MainToolBar.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QSlider>
#include <QToolButton>

#include "app/window/ToolIcons.h"

namespace trellan {

namespace {

QAction* Button(QToolBar& bar, const char* name, ToolIcon icon, bool checkable = false) {
    QAction* action = bar.addAction(ToolIconSet(icon), QString());
    action->setObjectName(name);
    action->setCheckable(checkable);
    return action;
}

}  // namespace

MainToolBar::MainToolBar(QWidget* parent) : QToolBar(parent) {
    setObjectName("ToolBarMap");
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(16, 16));

    btnSave = Button(*this, "btnSave", ToolIcon::SaveWorld);
    btnUndo = Button(*this, "btnUndo", ToolIcon::UndoMap);
    btnConfig = Button(*this, "btnConfig", ToolIcon::Config);
    addSeparator();
    btnCenter = Button(*this, "btnCenter", ToolIcon::Center);
    tbFind = Button(*this, "tbFind", ToolIcon::Search);
    PopupFind = new QMenu(this);
    PopupFind->setObjectName("PopupFind");
    nFindByName = PopupFind->addAction(QString());
    nFindByName->setObjectName("nFindByName");
    nFindByDesc = PopupFind->addAction(QString());
    nFindByDesc->setObjectName("nFindByDesc");
    tbFind->setMenu(PopupFind);
    if (auto* button = qobject_cast<QToolButton*>(widgetForAction(tbFind))) {
        button->setPopupMode(QToolButton::InstantPopup);
    }
    btnShowTree = Button(*this, "btnShowTree", ToolIcon::ShowTree, true);
    btnShortMode = Button(*this, "btnShortMode", ToolIcon::AutolinkOn);
    btnStayOnTop = Button(*this, "btnStayOnTop", ToolIcon::StayOnTop, true);
    addSeparator();
    btnSteps = Button(*this, "btnSteps", ToolIcon::Steps, true);
    btnWalking = Button(*this, "btnWalking", ToolIcon::StopTrace);
    btnWalking->setEnabled(false);
    addSeparator();
    tbLevelUp = Button(*this, "tbLevelUp", ToolIcon::LevelUp);
    tbLevelDown = Button(*this, "tbLevelDown", ToolIcon::LevelDown);
    addSeparator();
    btnZoomFit = Button(*this, "btnZoomFit", ToolIcon::ZoomFit);
    btnRoomNames = Button(*this, "btnRoomNames", ToolIcon::RoomNames, true);
    addSeparator();

    TrackBarTransparency = new QSlider(Qt::Horizontal, this);
    TrackBarTransparency->setObjectName("TrackBarTransparency");
    TrackBarTransparency->setTickPosition(QSlider::TicksBelow);
    TrackBarTransparency->setFixedWidth(110);
    // Keys belong to the zone tree; the slider is worked with the mouse.
    TrackBarTransparency->setFocusPolicy(Qt::NoFocus);
    addWidget(TrackBarTransparency);
    addSeparator();

    ComboBoxSkins = new QComboBox(this);
    ComboBoxSkins->setObjectName("ComboBoxSkins");
    ComboBoxSkins->setMinimumContentsLength(12);
    ComboBoxSkins->setFocusPolicy(Qt::NoFocus);
    skinsAction_ = addWidget(ComboBoxSkins);
}

void MainToolBar::AdoptSkinChooser(QComboBox* chooser) {
    if (chooser == nullptr || chooser == ComboBoxSkins) return;
    chooser->setObjectName("ComboBoxSkins");
    chooser->setMinimumContentsLength(12);
    chooser->setFocusPolicy(Qt::NoFocus);
    QAction* adopted = insertWidget(skinsAction_, chooser);
    removeAction(skinsAction_);
    delete ComboBoxSkins;
    ComboBoxSkins = chooser;
    skinsAction_ = adopted;
}

void MainToolBar::ShowShortMode(bool shortMode) {
    btnShortMode->setIcon(ToolIconSet(shortMode ? ToolIcon::AutolinkOff : ToolIcon::AutolinkOn));
}

}  // namespace trellan
