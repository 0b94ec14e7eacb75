#pragma once
// Runs Trellan with its main window: builds the window and the runtime,
// starts them in order, wires the window's commands to the core, and owns
// the closing sequence. SIGINT, SIGTERM and SIGHUP close the window the way the
// user does, without questions, so a logout loses nothing.
#include <memory>
#include <string>

#include <QTranslator>

#include "app/RefreshingEvents.h"
#include "app/window/Dialogs.h"
#include "net/QtTransport.h"
#include "runtime/TrellanRuntime.h"

namespace trellan {

class AboutForm;
class HelpForm;
class Localiser;
class MapWiring;
class RoomEditWiring;
class ObjectsWiring;
class TrellanForm;
class ZoneTreeWiring;
class UndoMenu;
class WorldCommands;
class MudletCommands;
class MapPictureCommand;

class GuiRunner {
public:
    // A QApplication must exist for the runner's whole life.
    explicit GuiRunner(RuntimeOptions options);
    ~GuiRunner();
    GuiRunner(const GuiRunner&) = delete;
    GuiRunner& operator=(const GuiRunner&) = delete;

    // Creates the main window and starts the core, in order: texts, error
    // handler, settings, walking mode, listening socket, stay on top. Throws
    // TrellanError when the core cannot start.
    void Start();

    // Start, show the window, run the event loop until it closes; the
    // process exit status.
    int Run();

    // Replaces the message boxes (tests); not owned, must outlive the runner.
    void SetDialogs(Dialogs& dialogs) { dialogs_ = &dialogs; }

    TrellanForm& Form() { return *form_; }
    // The map in the window (valid after Start).
    MapWiring& Map() { return *map_; }
    // Room menu, properties dialog and note box (valid after Start).
    RoomEditWiring& RoomEdit() { return *roomEdit_; }
    // The objects page (valid after Start).
    ObjectsWiring& ObjectsPageWiring() { return *objects_; }
    // The zone tree and the room search (valid after Start).
    ZoneTreeWiring& ZoneTree() { return *zoneTree_; }
    // The world commands (valid after Start).
    WorldCommands& Worlds() { return *worlds_; }
    // Export to and import from Mudlet's map (valid after Start).
    MudletCommands& Mudlet() { return *mudlet_; }
    MapPictureCommand& Picture() { return *picture_; }
    TrellanRuntime& Runtime() { return runtime_; }
    QtTransport& Transport() { return transport_; }

    // The program-wide error handler: logs, and shows what is not a lost
    // connection. While one error box is up, further errors are only logged.
    void ReportError(const std::string& message);

    // The closing sequence; false when the user chose to keep the window
    // after something could not be saved.
    bool CloseSequence(bool bySignal);

    void RefreshCaption();
    void RefreshStatus();
    // Creates the about box (not shown); the caller owns it.
    std::unique_ptr<AboutForm> CreateAbout();
    // Shows the help window, made at the first call and kept until the end.
    void ShowHelp();
    HelpForm* Help() const { return help_.get(); }

private:
    void ConnectTracker();
    void ConnectCommands();
    void FirstActivation();
    // The runtime's notices (a map recovered after a crash, a journal that
    // cannot be written) in information boxes.
    void ShowNotices();
    void ShowAbout();
    void ShowConfig();

    RuntimeOptions options_;
    // Qt's own texts in the interface language, while the runner lives.
    std::unique_ptr<QTranslator> qtTexts_;
    QtTransport transport_;
    TrellanRuntime runtime_;
    RefreshingEvents events_;
    // Before the window: the map's hooks are taken down after the window
    // (which owns the map panel) is gone.
    std::unique_ptr<MapWiring> map_;
    std::unique_ptr<RoomEditWiring> roomEdit_;
    std::unique_ptr<TrellanForm> form_;
    // After the window: it is taken down before the window goes.
    std::unique_ptr<ZoneTreeWiring> zoneTree_;
    std::unique_ptr<UndoMenu> undoMenu_;
    std::unique_ptr<Localiser> localiser_;
    std::unique_ptr<WorldCommands> worlds_;
    std::unique_ptr<MudletCommands> mudlet_;
    std::unique_ptr<MapPictureCommand> picture_;
    std::unique_ptr<MessageBoxDialogs> ownDialogs_;
    std::unique_ptr<HelpForm> help_;
    Dialogs* dialogs_ = nullptr;
    bool showingError_ = false;
    bool activated_ = false;
    // Last: it leaves before the window and the boxes it uses.
    std::unique_ptr<ObjectsWiring> objects_;
};

}  // namespace trellan
