#pragma once
// The one object that owns a running Trellan's state: settings, localisation,
// debug log and the proxy session. It wires the parts together and forwards;
// the GUI and the headless runner each create one and drive it.
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "mapping/Linker.h"
#include "mapping/MappingConfig.h"
#include "mapping/Placement.h"
#include "mapping/ViewState.h"
#include "mapping/ZoneOperations.h"
#include "mapping/ZoneTreeOperations.h"
#include "model/World.h"
#include "navigation/RoomSearch.h"
#include "navigation/Speedwalk.h"
#include "objects/ObjectsBase.h"
#include "objects/ObjectsConfig.h"
#include "proxy/DebugLog.h"
#include "proxy/ProxySession.h"
#include "runtime/ClientMapCommands.h"
#include "runtime/ErrorHandler.h"
#include "runtime/ObjectsLogListener.h"
#include "runtime/ObjectsTrackerHooks.h"
#include "runtime/SessionTrackerOutput.h"
#include "settings/HomeDirectory.h"
#include "settings/Localisation.h"
#include "settings/MainSettings.h"
#include "settings/WorldProfile.h"
#include "storage/StorageZoneFiles.h"
#include "storage/UndoHistory.h"
#include "storage/WorldJournal.h"
#include "storage/WorldStorage.h"
#include "tracking/ClientInputStream.h"
#include "tracking/MovementTracker.h"
#include "tracking/TrackingHooks.h"

namespace trellan {

class Transport;

struct RuntimeOptions {
    // --home DIR; empty for TRELLAN_HOME or the default home directory.
    std::string HomeDirectory;
    // --server HOST:PORT, this run only; empty when not given.
    std::string ServerOverride;
    // Where the program file lives; the home directory when it is writable.
    std::string ProgramDirectory;
    // --language CODE, this run only; empty for the main setting Language.
    std::string Language;
    // Per-window opacity is possible (never on Linux so far).
    bool LayeredWindowsAvailable = false;
    // No world could be opened at start: make one at once (headless), or
    // leave that to the window, which asks for its name.
    bool CreateStartWorld = true;
};

class TrellanRuntime {
public:
    // `transport` must outlive the runtime.
    TrellanRuntime(RuntimeOptions options, Transport& transport);
    ~TrellanRuntime();
    TrellanRuntime(const TrellanRuntime&) = delete;
    TrellanRuntime& operator=(const TrellanRuntime&) = delete;

    // Resolves the home directory, reads the main settings and the profile of
    // the world named by `World`, and opens the listening socket. Throws
    // TrellanError for a bad --server value and FileWriteError when the home
    // directory cannot be created; a port that cannot be bound is logged and
    // reported by ListenError() (the program runs on, without a client port).
    void Start();

    // The closing sequence: the settings written (partial), the debug log
    // saved to "trdebug.log" when logging is on. Throws FileWriteError when a
    // file cannot be written, after trying the others.
    void Close();

    // The program-wide error handler: the text to show, or nothing.
    std::optional<std::string> AppException(const std::string& message);

    // "Trellan listens on 127.0.0.1:4999 and connects to mud.example.org:4000".
    std::string ListenLine() const;
    const std::string& ListenError() const { return session_.ListenError(); }

    bool Started() const { return home_ != nullptr; }
    // Valid after Start().
    const trellan::HomeDirectory& Home() const { return *home_; }
    ProxySession& Session() { return session_; }
    const MccpStatus& OutputStatus() const { return session_.Status(); }
    DebugLog& Log() { return log_; }
    MainSettings& Settings() { return main_; }
    WorldProfile& Profile() { return profile_; }
    // Valid after Start().
    Localisation& Captions() { return *localisation_; }
    // The interface language of this run: --language, else the main
    // setting; empty for Russian.
    const std::string& Language() const { return options_.Language.empty() ? main_.Language : options_.Language; }
    const std::string& ProgramDirectory() const { return options_.ProgramDirectory; }
    // The connection settings in use (profile values, the override applied).
    const ProxyConfig& Connection() const { return session_.Config(); }

    // --- The map and the tracker
    World& TheWorld() { return world_; }
    ViewState& View() { return view_; }
    Placement& Placer() { return placement_; }
    Linker& Links() { return linker_; }
    // The mapping parts' settings; the skins set SkinRoomColor.
    MappingConfig& Mapping() { return mappingConfig_; }
    MovementTracker& Tracker() { return tracker_; }
    ClientInputStream& ClientInput() { return clientInput_; }
    // The speedwalk (the tracker's speedwalk hooks) and the room search.
    Speedwalk& Walks() { return speedwalk_; }
    RoomSearch& Search() { return roomSearch_; }
    // Storage and the GUI register here for zone saves and the switches.
    SessionTrackerOutput& TrackerOutlets() { return trackerOutput_; }
    // The profile's and main settings' words, markers and switches into the
    // tracker and the mapping parts; after every change of either.
    void ApplyTrackerSettings();
    // The profile's connection settings into the session: ends any session
    // and listens again. False when the client port cannot be bound
    // (ListenError() says why).
    bool ApplyConnection();

    // --- The objects base of the open world, and its chat sending
    ObjectsBase& Objects() { return objects_; }
    ObjectsTrackerHooks& ObjectsTracking() { return objectsHooks_; }

    // --- World storage (valid after Start)
    WorldStorage& Storage() { return *storage_; }
    // What loading or saving the world reported (damaged zone files, files
    // that could not be written), each already passed to the error handler;
    // Windows-1251, for the runner to show.
    const std::vector<std::string>& StorageErrors() const { return storageErrors_; }

    // --- Zone and zone-tree operations on the open world (valid after Start)
    ZoneOperations& Zones() { return *zones_; }
    ZoneTreeOperations& ZoneTree() { return *zoneTree_; }
    // Told when a zone operation renamed or switched the current zone.
    std::function<void()> ZoneCaptionChanged;

    // --- Keeping the map through any exit
    // About once a second, from the runner's timer: the map's changes go to
    // the change journal and to disk; a message waiting for the MUD client
    // is sent once one is connected; the map is autosaved once
    // AutosaveMinutes have passed since it was first changed after a save.
    void Tick(std::chrono::steady_clock::time_point now = std::chrono::steady_clock::now());
    // Saves the zones changed since the last whole save (the autosave; also
    // when the tracker leaves a zone). Failures are reported and returned.
    StorageResult AutoSave();
    // What the window (or the terminal) must tell the player: the map put
    // back after a crash, a damaged journal, a journal that cannot be
    // written. Windows-1251; each handed out once.
    std::vector<std::string> TakeNotices();
    const WorldJournal& Journal() const { return journal_; }

    // --- Undo and redo (valid after Start)
    // The history of the open world's map changes; a user command that
    // changes the map runs inside an UndoHistory::Step named for it.
    UndoHistory& History() { return history_; }
    // Takes the last step back (redo: does the last undone step again) and
    // brings the journal, the zone files of zones it removed, the zone on
    // show and the view along; the step's name, or nothing when there was
    // none.
    std::optional<std::string> UndoStep();
    std::optional<std::string> RedoStep();

private:
    ProxyConfig ConnectionFromProfile() const;
    WorldProfile ReadProfile() const;
    void OpenStartWorld();
    void Report(StorageResult result);
    void OpenJournal();
    void FlushJournal();
    // To the window and, as a Trellan line, to the MUD client (now, or
    // once one connects).
    void Notify(const std::string& text);
    std::optional<std::string> AfterUndo(std::optional<UndoOutcome> outcome);

    RuntimeOptions options_;
    std::unique_ptr<trellan::HomeDirectory> home_;
    DebugLog log_;
    ProxySession session_;
    MainSettings main_;
    WorldProfile profile_;
    std::unique_ptr<Localisation> localisation_;
    ErrorHandler errorHandler_;
    // The map and the tracker; the session's hooks point at trackingHooks_.
    World world_;
    ViewState view_{world_};
    MappingConfig mappingConfig_;
    Placement placement_{world_, view_, mappingConfig_};
    Linker linker_{placement_};
    SessionTrackerOutput trackerOutput_{session_};
    MovementTracker tracker_{world_, placement_, linker_, log_, trackerOutput_};
    ClientInputStream clientInput_{tracker_, log_};
    TrackingHooks trackingHooks_{tracker_, clientInput_};
    Speedwalk speedwalk_{tracker_, mappingConfig_, log_};
    RoomSearch roomSearch_{world_, view_, trackerOutput_};
    // The objects base; the tracker's objects hooks point at objectsHooks_.
    ObjectsLogListener objectsLog_{log_};
    ObjectsBase objects_{&objectsLog_};
    ObjectsConfig objectsConfig_;
    ObjectsTrackerHooks objectsHooks_{objects_, objectsConfig_, trackerOutput_};
    // Last: it refers to the world, the settings and the home directory.
    std::unique_ptr<WorldStorage> storage_;
    std::vector<std::string> storageErrors_;
    // After storage: they write zones through it.
    std::unique_ptr<StorageZoneFiles> zoneFiles_;
    std::unique_ptr<ZoneOperations> zones_;
    std::unique_ptr<ZoneTreeOperations> zoneTree_;
    WorldJournal journal_{world_};
    UndoHistory history_{world_};
    std::vector<std::string> notices_;
    std::string clientNotices_;
    // Told once while the journal cannot be written.
    bool journalFailing_ = false;
    std::optional<std::chrono::steady_clock::time_point> unsavedSince_;
    // After the zone operations: the map commands typed in the client use them.
    std::unique_ptr<ClientMapCommands> mapCommands_;
};

}  // namespace trellan
