#include "runtime/TrellanRuntime.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "common/Errors.h"
#include "common/FileIo.h"
#include "settings/IniFile.h"
#include "settings/ProgramFiles.h"
#include "settings/SettingsFiles.h"
#include "storage/StorageNames.h"
#include "tracking/ClientLines.h"
#include "text/W1251.h"

namespace trellan {

namespace {

// A port from a hand-edited profile may be anything; 0 would bind a random
// port and the rest cannot be bound at all, so those take the default.
std::uint16_t PortOrDefault(int port, std::uint16_t fallback) {
    return port >= 1 && port <= 65535 ? static_cast<std::uint16_t>(port) : fallback;
}

}  // namespace

TrellanRuntime::TrellanRuntime(RuntimeOptions options, Transport& transport)
    : options_(std::move(options)),
      session_(transport, log_),
      errorHandler_(log_, session_,
                    [this](const std::string& section, const std::string& key, const std::string& fallback) {
                        return localisation_ ? localisation_->GetCaption(section, key, fallback) : fallback;
                    }) {
    session_.SetHooks(trackingHooks_);
    tracker_.SetObjectsHooks(objectsHooks_);
    tracker_.SetSpeedwalkHooks(speedwalk_);
    speedwalk_.SetView(&view_);
}

TrellanRuntime::~TrellanRuntime() = default;

void TrellanRuntime::Start() {
    if (!options_.ServerOverride.empty()) {
        std::string host;
        std::uint16_t port = 0;
        if (!ParseServerOverride(options_.ServerOverride, host, port)) {
            throw TrellanError("--server expects HOST:PORT, not \"" + options_.ServerOverride + "\"");
        }
    }
    home_ = std::make_unique<trellan::HomeDirectory>(
        HomeDirectory::Resolve(options_.HomeDirectory, options_.ProgramDirectory));
    main_ = ReadMainIniFile(*home_, options_.LayeredWindowsAvailable);
    const std::string& language = Language();
    // Another language's texts come with the program, beside it or installed.
    localisation_ = std::make_unique<Localisation>(
        home_->LanguageIniPath(language),
        HomeDirectory::LanguageCode(language).empty()
            ? std::string()
            : FindProgramFile(options_.ProgramDirectory, HomeDirectory::LanguageFileName(language)));
    speedwalk_.SetCaptions(localisation_.get());
    tracker_.SetCaptions(localisation_.get());
    objectsHooks_.SetCaptions(localisation_.get());
    log_.AppendTo(home_->DebugLogPath());
    log_.SetActive(main_.DebugActiv);
    profile_ = ReadProfile();
    ApplyTrackerSettings();
    tracker_.SetWalkingMode(main_.ReadOnly);
    session_.ApplyConnectionSettings(ConnectionFromProfile());
    OpenStartWorld();
}

void TrellanRuntime::OpenStartWorld() {
    WorldStorageHooks hooks;
    hooks.EnterWalkingMode = [this] { tracker_.SetTracing(MovementTracker::TracingSwitch::Off); };
    hooks.WorldRead = [this] {
        history_.Clear();
        speedwalk_.PrepareWorld();
    };
    hooks.WorldOpened = [this] { OpenJournal(); };
    hooks.WorldSaved = [this] {
        journal_.Saved(storage_->WorldDirectory());
        journalFailing_ = false;
        unsavedSince_.reset();
    };
    hooks.ProfileRead = [this] {
        ApplyTrackerSettings();
        session_.ApplyConnectionSettings(ConnectionFromProfile());
    };
    hooks.Objects.Reset = [this] {
        objects_.ResetForWorldLoad();
        objectsHooks_.ResetReceiving();
    };
    hooks.Objects.Reload = [this] {
        // A damaged objects file is reported; the world stays loaded.
        try {
            objects_.OpenWorld(storage_->WorldDirectory());
        } catch (const TrellanError& error) {
            Report({StorageOutcome::Failed, {error.what()}});
        }
    };
    hooks.Objects.SaveIfChanged = [this] { objects_.SaveWithWorld(); };
    SettingsWriteOptions write;
    write.layeredWindowsAvailable = options_.LayeredWindowsAvailable;
    storage_ = std::make_unique<WorldStorage>(*home_, world_, main_, profile_, localisation_.get(), write, hooks);
    // Leaving a zone saves what changed (that zone at least), which also
    // empties the journal.
    trackerOutput_.OnSaveZone = [this] { AutoSave(); };
    trackerOutput_.OnMapStepBegins = [this] { history_.Begin(W1251("ход по карте")); };
    trackerOutput_.OnMapStepEnds = [this] { history_.End(); };
    const ZoneMessages zoneMessages(localisation_.get());
    ZoneOperationHooks zoneHooks;
    zoneHooks.TracingOff = [this] { tracker_.SetTracing(MovementTracker::TracingSwitch::Off); };
    zoneHooks.CaptionChanged = [this] {
        if (ZoneCaptionChanged) ZoneCaptionChanged();
    };
    zoneFiles_ = std::make_unique<StorageZoneFiles>(*storage_, zoneMessages);
    zones_ = std::make_unique<ZoneOperations>(placement_, linker_, *zoneFiles_, zoneMessages, zoneHooks);
    zoneTree_ =
        std::make_unique<ZoneTreeOperations>(world_, view_, mappingConfig_, *zoneFiles_, zoneMessages, zoneHooks);
    mapCommands_ = std::make_unique<ClientMapCommands>(
        MapCommandParts{world_, tracker_, view_, placement_, *storage_, *zones_, *zoneTree_, localisation_.get(),
                        [this](const std::string& error) { AppException(error); }, &history_,
                        [this] { return UndoStep(); }, [this] { return RedoStep(); }});
    tracker_.SetMapCommandHooks(*mapCommands_);
    trackerOutput_.OnStartNewZone = [this] {
        try {
            storage_->StartEmptyZone();
        } catch (const TrellanError& error) {
            Report({StorageOutcome::Failed, {error.what()}});
        }
    };

    // The world named by the settings; when there is none, a new one, as the
    // new-world command makes it, under that name or the new-world caption.
    world_.CurrentWorld = main_.World;
    world_.CurrentZone.clear();
    Report(storage_->LoadWorld());
    if (!world_.CurrentWorld.empty() || !options_.CreateStartWorld) return;
    std::string name = main_.World;
    if (name.empty() || WorldNameProblem(name)) name = storage_->Messages().NewWorldCaption();
    StorageResult created = storage_->CreateWorld(name);
    if (created.Outcome == StorageOutcome::NameTaken) {
        world_.CurrentWorld = name;
        created = storage_->LoadWorld();
    }
    Report(std::move(created));
}

void TrellanRuntime::Report(StorageResult result) {
    for (std::string& error : result.Errors) {
        AppException(error);
        storageErrors_.push_back(std::move(error));
    }
}

void TrellanRuntime::OpenJournal() {
    const JournalRecovery recovery = journal_.Open(storage_->WorldDirectory(), storage_->Words());
    journalFailing_ = false;
    unsavedSince_.reset();
    const StorageMessages& messages = storage_->Messages();
    if (recovery.Damaged) {
        log_.Log("Journal: " + recovery.Damage);
        Notify(messages.JournalSetAside(journal_.Path(), recovery.SetAsidePath, recovery.Damage));
    }
    if (recovery.Changes > 0) {
        log_.Log("Journal: " + std::to_string(recovery.Changes) + " changes replayed" +
                 (recovery.Torn ? " (a torn last record left out)" : ""));
        Notify(messages.JournalRecovered(recovery.Changes));
    }
}

void TrellanRuntime::FlushJournal() {
    switch (journal_.Flush()) {
    case WorldJournal::FlushOutcome::Nothing:
        break;
    case WorldJournal::FlushOutcome::Written:
        journalFailing_ = false;
        break;
    case WorldJournal::FlushOutcome::Failed:
        if (!journalFailing_) {
            journalFailing_ = true;
            Notify(storage_->Messages().JournalWriteFailed(journal_.Path(), journal_.LastError()));
        }
        break;
    }
}

void TrellanRuntime::Notify(const std::string& text) {
    notices_.push_back(text);
    // The byte of "я" is telnet's IAC: doubled, the client shows the letter.
    clientNotices_ += TrellanLine(ForClient(text, true), LineColour::Green);
    if (session_.ClientPresent()) {
        session_.SendToClient(clientNotices_);
        clientNotices_.clear();
    }
}

std::vector<std::string> TrellanRuntime::TakeNotices() { return std::exchange(notices_, {}); }

StorageResult TrellanRuntime::AutoSave() {
    if (!storage_) return {};
    FlushJournal();
    StorageResult result = journal_.IsOpen() ? storage_->SaveChangedZones(journal_.ChangedZones())
                                             : storage_->SaveWorld();
    if (!result.Errors.empty()) Report(result);
    return result;
}

void TrellanRuntime::Tick(std::chrono::steady_clock::time_point now) {
    if (!storage_) return;
    FlushJournal();
    if (!clientNotices_.empty() && session_.ClientPresent()) {
        session_.SendToClient(clientNotices_);
        clientNotices_.clear();
    }
    if (world_.MapSaved || main_.AutosaveMinutes <= 0) {
        unsavedSince_.reset();
        return;
    }
    if (!unsavedSince_) {
        unsavedSince_ = now;
    } else if (now - *unsavedSince_ >= std::chrono::minutes(main_.AutosaveMinutes)) {
        unsavedSince_.reset();
        AutoSave();
    }
}

void TrellanRuntime::ApplyTrackerSettings() {
    mappingConfig_ = MappingConfig::FromProfile(profile_, mappingConfig_.SkinRoomColor);
    tracker_.SetConfig(TrackerConfigFrom(profile_, main_));
    session_.SetServerCharset(ProfileServerCharset(profile_));
    trackerOutput_.SetClientTextForm(ProfileServerCharset(profile_), profile_.AddDoubleYaLor);
    objectsConfig_ = ObjectsConfigFromProfile(profile_);
    speedwalk_.SetSettings(SpeedwalkSettings::From(main_));
    if (world_.ShortMode() != profile_.ShortMode) world_.SetShortMode(profile_.ShortMode);
}

bool TrellanRuntime::ApplyConnection() {
    return session_.ApplyConnectionSettings(ConnectionFromProfile());
}

WorldProfile TrellanRuntime::ReadProfile() const {
    if (std::optional<WorldProfile> profile = ReadIniFile(*home_, main_.World, "")) return *profile;
    // No world yet: the template a new world would start from, if there is one.
    if (FileExists(home_->TemplateProfilePath())) {
        return ReadWorldProfile(IniFile::Load(home_->TemplateProfilePath()), "");
    }
    return WorldProfile();
}

ProxyConfig TrellanRuntime::ConnectionFromProfile() const {
    ProxyConfig config;
    config.ClientAddress = profile_.ClientAddress.empty() ? config.ClientAddress : profile_.ClientAddress;
    config.ClientPort = PortOrDefault(profile_.ClientPort, 4999);
    config.ServerName = profile_.ServerName;
    config.ServerPort = PortOrDefault(profile_.ServerPort, 4000);
    config.MccpEnabled = profile_.MccpEnabled;
    config.NoDoubleYa = profile_.NoDoubleYa;
    config.Charset = ProfileServerCharset(profile_);
    config.Msdp = profile_.Msdp;
    config.Gmcp = profile_.Gmcp;
    config.ServerOverride = options_.ServerOverride;
    return config;
}

void TrellanRuntime::Close() {
    if (!home_) return;
    // The switches the player flipped while running are kept.
    main_.ReadOnly = tracker_.WalkingMode();
    profile_.ShortMode = world_.ShortMode();
    if (storage_) {
        main_.World = world_.CurrentWorld;
        profile_.LockedZones = world_.LockedZones;
    }
    std::exception_ptr firstError;
    try {
        SettingsWriteOptions write;
        write.full = false;
        write.layeredWindowsAvailable = options_.LayeredWindowsAvailable;
        WriteIniFile(*home_, main_, profile_, main_.World, write);
    } catch (const TrellanError&) {
        firstError = std::current_exception();
    }
    // Then the world, every zone even when one fails; the journal first,
    // so that what a failed save leaves unsaved is on disk there.
    if (storage_) {
        FlushJournal();
        StorageResult saved = storage_->SaveWorld();
        std::string text;
        for (const std::string& error : saved.Errors) text += (text.empty() ? "" : "\r\n") + error;
        Report(std::move(saved));
        if (!text.empty() && !firstError) firstError = std::make_exception_ptr(TrellanError(text));
    }
    // Nobody is asked on the way out: a base changed since its last save is
    // saved too (the GUI asks first and calls ForgetChanges on No).
    try {
        objects_.SaveIfChanged();
    } catch (const TrellanError&) {
        if (!firstError) firstError = std::current_exception();
    }
    if (main_.DebugActiv && !log_.FileComplete()) {
        try {
            log_.SaveTo(home_->DebugLogPath());
        } catch (const TrellanError&) {
            if (!firstError) firstError = std::current_exception();
        }
    }
    if (firstError) std::rethrow_exception(firstError);
}

std::optional<std::string> TrellanRuntime::AppException(const std::string& message) {
    return errorHandler_.AppException(message);
}

std::string TrellanRuntime::ListenLine() const {
    const ProxyConfig& config = session_.Config();
    std::string line = "Trellan listens on " + config.ClientAddress + ":" + std::to_string(config.ClientPort);
    std::string server = config.ServerHost();
    if (server.empty()) return line + " (no MUD server configured)";
    return line + " and connects to " + server + ":" + std::to_string(config.ServerPortInUse());
}

std::optional<std::string> TrellanRuntime::UndoStep() { return AfterUndo(history_.Undo(storage_->Words())); }

std::optional<std::string> TrellanRuntime::RedoStep() { return AfterUndo(history_.Redo(storage_->Words())); }

std::optional<std::string> TrellanRuntime::AfterUndo(std::optional<UndoOutcome> outcome) {
    if (!outcome) return std::nullopt;
    for (const std::string& zone : outcome->Zones) journal_.Touch(zone);
    // A zone the step took away goes from the disk too, as deleting it
    // would have done; putting it back again writes it at the next save.
    for (const std::string& zone : outcome->RemovedZones) zoneFiles_->DeleteZoneFile(zone);
    const bool shownGone = world_.CurrentZone.empty() || !world_.HasZone(world_.CurrentZone);
    if (shownGone || world_.ShownZone() != world_.CurrentZone) {
        world_.ClearZone();
        if (shownGone) {
            world_.CurrentZone = world_.Tree().Zones().empty() ? std::string() : world_.Tree().Zones().front().Text;
        }
        world_.LoadZone();
        if (ZoneCaptionChanged) ZoneCaptionChanged();
    } else {
        // The next new room takes the number after the highest left, as
        // when the zone is shown afresh.
        world_.LastRoomNumber = 0;
        for (const RoomSlot& slot : world_.ZoneRooms()) {
            world_.LastRoomNumber = std::max(world_.LastRoomNumber, slot.Room()->Tag);
        }
    }
    view_.InvalidateBounds();
    view_.Refresh();
    return outcome->Step;
}

}  // namespace trellan
