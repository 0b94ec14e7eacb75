#include "app/GuiRunner.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <exception>

#include "app/window/AboutForm.h"
#include "app/window/HelpForm.h"
#include "app/window/QtTranslations.h"
#include "app/config/ConfigForm.h"
#include "app/window/DebugPane.h"
#include "app/CatchingApplication.h"
#include "app/window/Localiser.h"
#include "app/window/MainCaptions.h"
#include "app/window/MainToolBar.h"
#include "app/map/MapPage.h"
#include "app/map/MapPictureCommand.h"
#include "app/map/MapWiring.h"
#include "app/window/UndoMenu.h"
#include "app/map/RoomEditWiring.h"
#include "app/objects/ObjectsWiring.h"
#include "app/SignalBridge.h"
#include "app/window/StatusPanels.h"
#include "app/window/TrellanForm.h"
#include "app/zonetree/ZoneTreeWiring.h"
#include "app/world/MudletCommands.h"
#include "app/world/WorldCommands.h"
#include "common/Errors.h"
#include "proxy/MccpStatus.h"
#include "settings/ProgramFiles.h"
#include "text/W1251.h"
#include "text/Cp1251.h"

namespace trellan {

namespace {

void PrintError(const std::string& text) {
    std::fprintf(stderr, "trellan: %s\n", Cp1251ToUtf8(text).c_str());
    std::fflush(stderr);
}

}  // namespace

GuiRunner::GuiRunner(RuntimeOptions options)
    : options_(options), runtime_(std::move(options), transport_), events_(runtime_.Session()) {}

GuiRunner::~GuiRunner() {
    transport_.SetEvents(nullptr);
    SessionTrackerOutput& outlets = runtime_.TrackerOutlets();
    outlets.OnTracingChanged = nullptr;
    outlets.OnWalkingModeChanged = nullptr;
    outlets.OnShortModeChanged = nullptr;
    if (form_) {
        form_->Debug->Unbind();
        form_->OnClosing = nullptr;
        form_->OnFirstActivation = nullptr;
    }
    if (auto* app = dynamic_cast<GuiApplication*>(QCoreApplication::instance())) app->OnException = nullptr;
}

void GuiRunner::Start() {
    // 1. The window with its private state.
    form_ = std::make_unique<TrellanForm>();
    ownDialogs_ = std::make_unique<MessageBoxDialogs>(form_.get());
    if (!dialogs_) dialogs_ = ownDialogs_.get();
    ConnectTracker();

    // The home directory, the settings, the listening socket and the world;
    // the texts live in the home directory, so the core starts first.
    runtime_.Start();
    qtTexts_ = InstallQtTranslations(*QCoreApplication::instance(), runtime_.Language());

    // 2., 3. Texts, then the error handler for what reaches the event loop.
    localiser_ = std::make_unique<Localiser>(runtime_.Captions());
    try {
        form_->Localise(*localiser_);
    } catch (const TrellanError& error) {
        ReportError(error.what());
    }
    if (auto* app = dynamic_cast<GuiApplication*>(QCoreApplication::instance())) {
        app->OnException = [this](const std::string& message) { ReportError(message); };
    }

    // The map, bound to the world and the view, with the world's skins.
    map_ = std::make_unique<MapWiring>(*form_, runtime_);
    map_->ErrorReported = [this](const std::string& message) { ReportError(message); };
    map_->MessageReported = [this](const std::string& message) { dialogs_->Information(message); };
    try {
        map_->LoadProfileSkins();
    } catch (const TrellanError& error) {
        ReportError(error.what());
    }
    runtime_.ZoneCaptionChanged = [this] { RefreshCaption(); };
    roomEdit_ = std::make_unique<RoomEditWiring>(*form_, runtime_, *map_, *dialogs_);
    roomEdit_->ErrorReported = [this](const std::string& message) { ReportError(message); };
    zoneTree_ = std::make_unique<ZoneTreeWiring>(*form_, runtime_, *map_, *dialogs_);
    zoneTree_->ErrorReported = [this](const std::string& message) { ReportError(message); };
    roomEdit_->TreeChanged = [this] {
        if (zoneTree_) zoneTree_->Refresh();
    };
    roomEdit_->BookmarkAdded = [this](MudRoom* room) {
        if (zoneTree_) zoneTree_->BookmarkAdded(room);
    };

    // The objects page, bound to the objects base.
    objects_ = std::make_unique<ObjectsWiring>(*form_, runtime_, *dialogs_);
    objects_->ErrorReported = [this](const std::string& message) { ReportError(message); };

    // 4.-7. Transparency as the window system allows; the settings.
    form_->ApplySettings(runtime_.Settings(), options_.LayeredWindowsAvailable);
    form_->Debug->Bind(runtime_.Log());
    form_->Status->CompressionHint = [this] { return CompressionHintText(runtime_.OutputStatus()); };

    // 9. Walking mode; the stored read-only switch and short mode as they are.
    MovementTracker& tracker = runtime_.Tracker();
    form_->ShowWalkingMode(tracker.WalkingMode(), false);
    form_->ShowShortMode(tracker.ShortMode());
    tracker.SetTracing(MovementTracker::TracingSwitch::Off);

    // 10. The sockets report on the window's event loop from now on.
    events_.AfterEvent = [this] {
        RefreshStatus();
        RefreshCaption();
    };
    transport_.SetEvents(&events_);
    transport_.OnLog = [this](const std::string& text) { runtime_.Log().Log(text); };

    ConnectCommands();
    worlds_ = std::make_unique<WorldCommands>(runtime_, *form_, *map_, *dialogs_);
    worlds_->ErrorReported = [this](const std::string& message) { ReportError(message); };
    worlds_->Connect();
    mudlet_ = std::make_unique<MudletCommands>(runtime_, *form_, *worlds_, *dialogs_);
    mudlet_->Connect();
    picture_ = std::make_unique<MapPictureCommand>(runtime_, *form_, *map_, *dialogs_);
    picture_->Connect();
    form_->OnClosing = [this](bool bySignal) { return CloseSequence(bySignal); };
    form_->OnFirstActivation = [this] { FirstActivation(); };

    // The change journal once a second, and the autosave when it is due.
    auto* tick = new QTimer(form_.get());
    QObject::connect(tick, &QTimer::timeout, form_.get(), [this] {
        runtime_.Tick();
        if (activated_) ShowNotices();
    });
    tick->start(1000);
    RefreshCaption();
    RefreshStatus();
}

void GuiRunner::ShowNotices() {
    // A box over a box helps nobody; what is taken now waits for none.
    if (showingError_) return;
    showingError_ = true;
    for (const std::string& notice : runtime_.TakeNotices()) dialogs_->Information(notice);
    showingError_ = false;
}

void GuiRunner::ConnectTracker() {
    SessionTrackerOutput& outlets = runtime_.TrackerOutlets();
    outlets.OnTracingChanged = [this](bool tracing) { form_->ShowTracing(tracing); };
    outlets.OnWalkingModeChanged = [this](bool on) { form_->ShowWalkingMode(on, true); };
    outlets.OnShortModeChanged = [this](bool shortMode) { form_->ShowShortMode(shortMode); };
}

void GuiRunner::ConnectCommands() {
    TrellanForm& form = *form_;
    undoMenu_ = std::make_unique<UndoMenu>(form.Menu, runtime_, [this] {
        if (zoneTree_) zoneTree_->Refresh();
        RefreshCaption();
        RefreshStatus();
    });
    MainToolBar& bar = *form.Map->ToolBar;
    MovementTracker& tracker = runtime_.Tracker();
    const auto tracing = [&tracker](MovementTracker::TracingSwitch to) {
        return [&tracker, to] { tracker.SetTracing(to); };
    };
    const auto off = MovementTracker::TracingSwitch::Off;
    QObject::connect(form.Menu.nWalking, &QAction::triggered, &form, tracing(off));
    QObject::connect(form.Menu.nTracing, &QAction::triggered, &form, tracing(MovementTracker::TracingSwitch::On));
    QObject::connect(bar.btnWalking, &QAction::triggered, &form, tracing(off));
    QObject::connect(form.Menu.nStopTrace, &QAction::triggered, &form, tracing(off));

    // The button has toggled itself already; the menu item toggles it.
    QObject::connect(bar.btnSteps, &QAction::triggered, &form,
                     [&tracker, &bar] { tracker.ChangeWalkingMode(bar.btnSteps->isChecked()); });
    QObject::connect(form.Menu.nSteps, &QAction::triggered, &form,
                     [&tracker, &bar] { tracker.ChangeWalkingMode(!bar.btnSteps->isChecked()); });
    const auto shortMode = [&tracker] { tracker.ToggleShortMode(); };
    QObject::connect(bar.btnShortMode, &QAction::triggered, &form, shortMode);
    QObject::connect(form.Menu.nAutolink, &QAction::triggered, &form, shortMode);

    const auto center = [this] { map_->ShowCurrentRoom(); };
    QObject::connect(form.Menu.nCenter, &QAction::triggered, &form, center);
    QObject::connect(bar.btnCenter, &QAction::triggered, &form, center);
    QObject::connect(form.Menu.nAbout, &QAction::triggered, &form, [this] { ShowAbout(); });
    QObject::connect(form.Menu.nHelpMain, &QAction::triggered, &form, [this] { ShowHelp(); });
    QObject::connect(form.Menu.nConfig, &QAction::triggered, &form, [this] { ShowConfig(); });
    QObject::connect(bar.btnConfig, &QAction::triggered, &form, [this] { ShowConfig(); });
}

void GuiRunner::FirstActivation() {
    // The runtime has loaded the world the settings name (or made a new
    // one) while starting; what went wrong there is shown now, over the window.
    RefreshCaption();
    runtime_.View().CenterOnCurrentRoom();
    for (const std::string& error : runtime_.StorageErrors()) dialogs_->Error(error);
    activated_ = true;
    ShowNotices();
    worlds_->EnsureWorld();
    if (!runtime_.ListenError().empty()) ReportError(runtime_.ListenError());
}

void GuiRunner::RefreshCaption() {
    if (!form_) return;
    const World& world = runtime_.TheWorld();
    form_->SetCaption(world.CurrentWorld, world.CurrentZone);
}

void GuiRunner::RefreshStatus() {
    const MccpStatus& status = runtime_.OutputStatus();
    form_->Status->SetText(1, status.VersionPanelText);
    form_->Status->SetText(2, status.RatePanelText);
}

void GuiRunner::ReportError(const std::string& message) {
    const std::optional<std::string> shown = runtime_.AppException(message);
    if (!shown) return;
    // An error box over an error box helps nobody; the log has them all.
    if (showingError_ || !dialogs_) {
        PrintError(*shown);
        return;
    }
    showingError_ = true;
    dialogs_->Error(*shown);
    showingError_ = false;
}

std::unique_ptr<AboutForm> GuiRunner::CreateAbout() {
    AboutInfo info;
    info.MccpEnabled = runtime_.Connection().MccpEnabled;
    info.MccpActive = runtime_.OutputStatus().MccpCompressing;
    info.SystemName = SystemDisplayName();
    return std::make_unique<AboutForm>(runtime_.Captions(), info, form_.get());
}

void GuiRunner::ShowAbout() {
    std::unique_ptr<AboutForm> about = CreateAbout();
    about->exec();
}

void GuiRunner::ShowHelp() {
    if (!help_) {
        std::string path = FindProgramFile(runtime_.ProgramDirectory(), HelpFileName(runtime_.Language()));
        if (path.empty()) path = FindProgramFile(runtime_.ProgramDirectory(), HelpFileName(""));
        help_ = std::make_unique<HelpForm>(HelpPage(path, runtime_.Home().Root()), form_.get());
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

void GuiRunner::ShowConfig() {
    ConfigFormOptions options;
    options.LayeredWindows = options_.LayeredWindowsAvailable;
    options.Connected = runtime_.Session().ServerConnected() || transport_.ServerActive();
    ConfigForm config(runtime_, *form_, *map_, *dialogs_, options, form_.get());
    config.ErrorReported = [this](const std::string& message) { ReportError(message); };
    config.exec();
    RefreshCaption();
    RefreshStatus();
}

bool GuiRunner::CloseSequence(bool bySignal) {
    form_->StoreSettings(runtime_.Settings());

    // The runtime saves a changed objects base on its way out; the user may
    // give the changes up first. Nobody answers during a logout, and keeping
    // the changes loses nothing.
    ObjectsBase& objects = runtime_.Objects();
    if (!bySignal && !objects.ObjectsUnchanged() &&
        !dialogs_->Question(runtime_.Captions().GetCaption(MainFormSection, "ObjectsChanged",
                                                          W1251("База объектов была изменена. Сохранить?")))) {
        objects.ForgetChanges();
    }
    form_->MarkClosing(true);
    // The settings, the world, the objects base, then the debug log (which
    // holds what the steps before it logged).
    std::string failure;
    try {
        runtime_.Close();
    } catch (const std::exception& error) {
        failure = error.what();
    }
    if (failure.empty()) return true;

    if (bySignal) {
        PrintError(failure);
        return true;
    }
    ReportError(failure);
    const std::string question = runtime_.Captions().GetCaption(
        MainFormSection, "CloseUnsaved", W1251("Не всё удалось сохранить. Всё равно закрыть программу?"));
    if (dialogs_->Question(question)) return true;
    form_->MarkClosing(false);
    return false;
}

int GuiRunner::Run() {
    try {
        Start();
    } catch (const std::exception& error) {
        PrintError(error.what());
        if (form_) MessageBoxDialogs(form_.get()).Error(error.what());
        return 1;
    }
    SignalBridge stopSignals;
    QObject::connect(&stopSignals, &SignalBridge::StopRequested, form_.get(), [this](int) {
        // A dialog's own event loop would hold the closing up.
        for (int i = 0; i < 16; ++i) {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) break;
            modal->close();
        }
        form_->CloseBySignal();
    });
    form_->show();
    form_->activateWindow();
    // Window systems without a window manager never activate it.
    QTimer::singleShot(200, form_.get(), [this] { form_->EnsureFirstActivation(); });
    QApplication::exec();
    return 0;
}

}  // namespace trellan
