#include "app/window/TrellanForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>

#include "app/map/MapPage.h"
#include "app/objects/ObjectsPage.h"
#include "app/window/DebugPane.h"
#include "app/window/Localiser.h"
#include "app/window/MainCaptions.h"
#include "app/window/MainToolBar.h"
#include "app/window/StatusPanels.h"
#include "app/window/Transparency.h"
#include "settings/MainSettings.h"
#include "text/Cp1251.h"
#include "view/QtText.h"

namespace trellan {

TrellanForm::TrellanForm(QWidget* parent) : QMainWindow(parent), Menu(*this), Popups(*this) {
    setObjectName("TrellanForm");
    BuildLayout();
    std::array<QAction*, Transparency::ItemCount> items{};
    std::copy(Menu.transparencyItems.begin(), Menu.transparencyItems.end(), items.begin());
    TransparencyControl = new Transparency(
        *this, *Map->ToolBar->TrackBarTransparency, *Menu.nTransparency, items,
        [this] { return Caption("nTransparency"); }, this);
    ConnectWindowCommands();
    SetCaption("", "");
    resize(657, 444);
}

TrellanForm::~TrellanForm() = default;

void TrellanForm::BuildLayout() {
    SplitterDebug = new QSplitter(Qt::Vertical, this);
    SplitterDebug->setObjectName("SplitterDebug");
    SplitterDebug->setChildrenCollapsible(false);
    PageControl = new QTabWidget(SplitterDebug);
    PageControl->setObjectName("PageControl");
    PageControl->setTabPosition(QTabWidget::South);
    PageControl->setDocumentMode(true);
    Map = new MapPage(PageControl);
    Objects = new ObjectsPage(PageControl);
    PageControl->addTab(Map, QString());
    PageControl->addTab(Objects, QString());
    Debug = new DebugPane(SplitterDebug);
    Debug->hide();
    SplitterDebug->setStretchFactor(0, 1);
    SplitterDebug->setStretchFactor(1, 0);
    setCentralWidget(SplitterDebug);

    Status = new StatusPanels(this);
    statusBar()->setSizeGripEnabled(true);
    statusBar()->addWidget(Status, 1);

    Map->ToolBar->TrackBarTransparency->installEventFilter(this);
}

void TrellanForm::ConnectWindowCommands() {
    connect(Menu.nExit, &QAction::triggered, this, &QWidget::close);
    connect(Menu.nStayOnTop, &QAction::triggered, this, &TrellanForm::ToggleStayOnTop);
    connect(Map->ToolBar->btnStayOnTop, &QAction::triggered, this, &TrellanForm::ToggleStayOnTop);
    connect(Menu.nShowTree, &QAction::triggered, this, &TrellanForm::ToggleTree);
    connect(Map->ToolBar->btnShowTree, &QAction::triggered, this, &TrellanForm::ToggleTree);
    connect(PageControl, &QTabWidget::currentChanged, this, [this] { FocusKeyTarget(); });
}

void TrellanForm::Localise(Localiser& localiser) {
    localiser_ = &localiser;
    localiser.Apply(*this);
    TransparencyControl->Apply();
}

std::string TrellanForm::Caption(const std::string& key) const {
    return localiser_ ? localiser_->Caption(key) : MainFormDefault(key);
}

void TrellanForm::ApplySettings(const MainSettings& settings, bool layeredWindows) {
    if (settings.WindowSaved) {
        setGeometry(settings.Left, settings.Top, settings.Width, settings.Height);
    } else {
        setGeometry(FirstStartGeometry());
    }
    TransparencyControl->SetAvailable(layeredWindows && !settings.NoTransparency);
    TransparencyControl->SetPosition(settings.Transparency);
    // The tree switch is applied by toggling, from the state it has now.
    if (settings.TreeVisible != Map->TreeVisible()) ToggleTree();
    Menu.nShowTree->setChecked(Map->TreeVisible());
    Map->ToolBar->btnShowTree->setChecked(Map->TreeVisible());
    Map->SetTreeWidth(settings.TreeZonesWidth);
    Objects->SetTreeWidth(settings.TreeObjectsWidth);
    Map->SetNoteVisible(settings.ShowNote);
    Debug->setVisible(settings.DebugVisible);
    // Applied by the same toggle from the opposite state.
    if (settings.StayOnTop != StayOnTop()) ToggleStayOnTop();
}

QRect TrellanForm::FirstStartGeometry() const {
    // Two thirds of the screen's free area, centred on it.
    const QScreen* shown = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (shown == nullptr) return geometry();
    const QRect available = shown->availableGeometry();
    const QSize size(std::max(657, available.width() * 2 / 3), std::max(444, available.height() * 2 / 3));
    QRect frame(QPoint(0, 0), size.boundedTo(available.size()));
    frame.moveCenter(available.center());
    return frame;
}

void TrellanForm::StoreSettings(MainSettings& settings) const {
    // The geometry is kept only from the normal state; a maximised or
    // minimised window leaves the last normal one in place.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen))) {
        const QRect frame = geometry();
        settings.Left = frame.x();
        settings.Top = frame.y();
        settings.Width = frame.width();
        settings.Height = frame.height();
        settings.WindowSaved = true;
    }
    settings.StayOnTop = StayOnTop();
    settings.Transparency = TransparencyControl->Position();
    settings.TreeVisible = Map->TreeVisible();
    settings.TreeZonesWidth = Map->TreeWidth();
    settings.TreeObjectsWidth = Objects->TreeWidth();
}

void TrellanForm::SetCaption(const std::string& world, const std::string& zone) {
    setWindowTitle(ToQt(MainCaption(world, zone)));
}

void TrellanForm::ShowTracing(bool tracing) {
    Menu.nTracing->setChecked(tracing);
    Menu.nWalking->setChecked(!tracing);
    Map->ToolBar->btnWalking->setEnabled(tracing);
    Menu.nStopTrace->setEnabled(tracing);
    Status->SetTracing(tracing);
    Status->SetText(0, tracing ? Caption("nTraceText") : std::string());
}

void TrellanForm::ShowWalkingMode(bool on, bool tellHint) {
    Map->ToolBar->btnSteps->setChecked(on);
    Menu.nSteps->setChecked(on);
    if (tellHint) {
        Map->ToolBar->btnSteps->setToolTip(ToQt(HintWithKey(Caption(on ? "nTracing" : "nWalking"), "F9")));
    }
}

void TrellanForm::ShowShortMode(bool shortMode) {
    Menu.nAutolink->setChecked(!shortMode);
    Map->ToolBar->ShowShortMode(shortMode);
}

void TrellanForm::ToggleTree() {
    const bool visible = !Map->TreeVisible();
    Map->SetTreeVisible(visible);
    Objects->SetTreeVisible(visible);
    Menu.nShowTree->setChecked(visible);
    Map->ToolBar->btnShowTree->setChecked(visible);
    FocusKeyTarget();
}

bool TrellanForm::StayOnTop() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void TrellanForm::ToggleStayOnTop() {
    const bool on = !StayOnTop();
    Menu.nStayOnTop->setChecked(on);
    Map->ToolBar->btnStayOnTop->setChecked(on);
    const bool visible = isVisible();
    const QRect frame = geometry();
    // Changing the flag re-creates the native window, which hides it.
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible) {
        setGeometry(frame);
        const bool noActivate = testAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_ShowWithoutActivating, true);
        show();
        setAttribute(Qt::WA_ShowWithoutActivating, noActivate);
    }
    TransparencyControl->Apply();
}

void TrellanForm::FocusKeyTarget() {
    if (PageControl->currentWidget() == Map) Map->KeyTarget()->setFocus(Qt::OtherFocusReason);
}

void TrellanForm::EnsureFirstActivation() {
    if (!firstActivation_) return;
    firstActivation_ = false;
    if (OnFirstActivation) OnFirstActivation();
}

void TrellanForm::CloseBySignal() {
    closeBySignal_ = true;
    close();
    closeBySignal_ = false;
}

void TrellanForm::closeEvent(QCloseEvent* event) {
    if (!closed_ && OnClosing && !OnClosing(closeBySignal_)) {
        event->ignore();
        return;
    }
    closed_ = true;
    closing_ = true;
    event->accept();
}

bool TrellanForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        FocusKeyTarget();
        // After the activation has been handled, so that a dialog the world
        // loading opens has a settled window to sit on.
        if (firstActivation_) QTimer::singleShot(0, this, &TrellanForm::EnsureFirstActivation);
    }
    return QMainWindow::event(event);
}

bool TrellanForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && watched == Map->ToolBar->TrackBarTransparency) {
        FocusKeyTarget();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace trellan
