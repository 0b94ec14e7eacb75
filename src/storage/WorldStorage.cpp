#include "storage/WorldStorage.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <utility>

#include "common/Errors.h"
#include "common/FileIo.h"
#include "mapping/MappingConfig.h"
#include "model/World.h"
#include "model/zonefile/ZoneFileReader.h"
#include "model/zonefile/ZoneFileWriter.h"
#include "settings/HomeDirectory.h"
#include "settings/MainSettings.h"
#include "settings/WorldProfile.h"
#include "storage/ExitWordReplacement.h"
#include "storage/StorageNames.h"
#include "storage/ZoneIdentityFile.h"

namespace trellan {

namespace {

void Append(StorageResult& into, StorageResult&& from) {
    for (std::string& error : from.Errors) into.Errors.push_back(std::move(error));
    if (into.Outcome == StorageOutcome::Done) into.Outcome = from.Outcome;
}

// Zone files are written without forcing each to disk; one sync of the file
// system afterwards makes the whole save durable at a fraction of the cost.
void SyncFileSystemOf(const std::string& directory) {
    int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::syncfs(fd);
    ::close(fd);
}

}  // namespace

WorldStorage::WorldStorage(const HomeDirectory& home, World& world, MainSettings& settings, WorldProfile& profile,
                           Localisation* captions, SettingsWriteOptions writeOptions, WorldStorageHooks hooks)
    : home_(home),
      world_(world),
      settings_(settings),
      profile_(profile),
      messages_(captions),
      writeOptions_(writeOptions),
      hooks_(std::move(hooks)),
      maps_(home) {}

bool WorldStorage::WorldExists(const std::string& world) const {
    return !WorldNameProblem(world) && maps_.WorldExists(world);
}

std::string WorldStorage::ProposeNewWorldName() const {
    const std::string caption = messages_.NewWorldCaption();
    std::string name = caption;
    for (int n = 1; WorldExists(name); ++n) name = caption + " " + std::to_string(n);
    return name;
}

std::string WorldStorage::ZoneFilePath(const std::string& zone) const {
    auto it = zoneFiles_.find(zone);
    return JoinPath(worldDirectory_, it != zoneFiles_.end() ? it->second : DefaultZoneFileName(zone));
}

ExitWords WorldStorage::Words() const {
    return ProfileExitWords(profile_);
}

void WorldStorage::ApplyProfile() {
    world_.SetShortMode(profile_.ShortMode);
    world_.LockedZones = profile_.LockedZones;
    world_.CurrentZone = profile_.Zone;
}

void WorldStorage::ForgetFiles() {
    zoneFiles_.clear();
    damagedZones_.clear();
}

void WorldStorage::ReadZones(WorldReadMode mode, const std::string& rememberedZone, StorageResult& result) {
    ForgetFiles();
    WorldReadResult read = ReadWorldFiles(world_, worldDirectory_, Words(), mode, rememberedZone, messages_);
    zoneFiles_ = std::move(read.ZoneFiles);
    damagedZones_ = std::move(read.DamagedZones);
    for (std::string& error : read.Errors) result.Errors.push_back(std::move(error));
    world_.CurrentZone = std::move(read.ChosenZone);
    // What is in memory now is what is on disk.
    world_.MapSaved = true;
}

void WorldStorage::ChooseFirstZoneOrStartOne(StorageResult& result) {
    if (!world_.CurrentZone.empty()) return;
    if (!world_.Tree().Zones().empty()) {
        world_.CurrentZone = world_.Tree().Zones().front().Text;
        return;
    }
    try {
        StartEmptyZone();
    } catch (const TrellanError& e) {
        result.Errors.push_back(e.what());
    }
}

// --- Loading -------------------------------------------------------------------

bool WorldStorage::BeginReadingWorld(const std::string& name, MissingWorld missing, StorageResult& result) {
    if (name.empty()) return false;
    if (!WorldExists(name)) {
        result.Outcome = StorageOutcome::NotFound;
        result.Errors.push_back(messages_.WorldNotFound(name));
        if (missing == MissingWorld::ForgetName) world_.CurrentWorld.clear();
        return false;
    }
    CallHook(hooks_.EnterWalkingMode);
    world_.ClearWorld();
    return true;
}

StorageResult WorldStorage::LoadWorld() {
    StorageResult result;
    const std::string name = world_.CurrentWorld;
    if (!BeginReadingWorld(name, MissingWorld::ForgetName, result)) return result;
    CallHook(hooks_.Objects.Reset);

    // The profile comes first: its exit words decide the exit states of the
    // rooms about to be read, and its Zone the zone to open.
    const bool ownProfile = FileExists(home_.WorldProfilePath(name));
    if (std::optional<WorldProfile> profile = ReadIniFile(home_, name, world_.CurrentZone)) {
        profile_ = std::move(*profile);
    }
    ApplyProfile();
    CallHook(hooks_.ProfileRead);

    const std::string remembered = world_.CurrentZone.empty() ? messages_.NewZoneCaption() : world_.CurrentZone;
    world_.CurrentZone.clear();
    worldDirectory_ = maps_.WorldPath(name);
    zonesStartedEmpty_.clear();
    ReadZones(WorldReadMode::Load, remembered, result);
    ChooseFirstZoneOrStartOne(result);
    world_.LoadZone();
    CallHook(hooks_.CaptionChanged);
    // A world still reading the template profile gets all of it written as
    // its own: the partial write alone would create a profile holding only
    // the skin and the locks, and every other setting would fall back to
    // the built-in defaults at the next load.
    AddSettingsWrite(result, ownProfile ? ProfileSections::SkinAndLocks : ProfileSections::All);
    CallHook(hooks_.Objects.Reload);
    CallHook(hooks_.WorldOpened);
    CallHook(hooks_.WorldRead);
    return result;
}

StorageResult WorldStorage::SaveWorldIfChanged() {
    if (world_.MapSaved) return {};
    return SaveWorld();
}

StorageResult WorldStorage::OpenWorld(const std::string& world, bool evenIfSaveFails) {
    const std::string oldWorld = world_.CurrentWorld;
    const std::string oldZone = world_.CurrentZone;
    StorageResult result = SaveWorld();
    if (result.Outcome == StorageOutcome::Failed && !evenIfSaveFails) return result;
    result.Outcome = StorageOutcome::Done;

    world_.CurrentWorld = world;
    world_.CurrentZone.clear();
    Append(result, LoadWorld());
    if (world_.CurrentWorld.empty()) {
        world_.CurrentWorld = oldWorld;
        world_.CurrentZone = oldZone;
    }
    world_.CurrentRoom = nullptr;
    world_.TargetRoom = nullptr;
    return result;
}

StorageResult WorldStorage::RevertWorld() {
    StorageResult result;
    const std::string name = world_.CurrentWorld;
    const std::string remembered = world_.CurrentZone;
    if (!BeginReadingWorld(name, MissingWorld::KeepName, result)) return result;
    worldDirectory_ = maps_.WorldPath(name);
    zonesStartedEmpty_.clear();
    ReadZones(WorldReadMode::Revert, remembered, result);
    if (world_.CurrentZone.empty()) {
        try {
            StartEmptyZone();
        } catch (const TrellanError& e) {
            result.Errors.push_back(e.what());
        }
    }
    world_.LoadZone();
    CallHook(hooks_.CaptionChanged);
    CallHook(hooks_.WorldSaved);
    CallHook(hooks_.WorldRead);
    return result;
}

// --- Saving --------------------------------------------------------------------

void WorldStorage::WriteZone(const std::string& zone, bool sync) {
    const std::string path = ZoneFilePath(zone);
    if (IsZoneDamaged(zone)) throw TrellanError(messages_.ZoneNotSaved(zone, path));
    // A zone read from disk goes back to its own file whatever its name; a
    // new one needs a name the file system can hold.
    if (zoneFiles_.count(zone) == 0) RequireZoneName(zone, messages_);
    std::vector<const MudRoom*> rooms;
    rooms.reserve(world_.RoomsOfZone(zone).size());
    for (const RoomSlot& slot : world_.RoomsOfZone(zone)) rooms.push_back(slot.Room());
    try {
        // Written beside the old file and renamed over it: a failure leaves
        // the old file whole.
        WriteZoneFile(path, rooms, sync);
        WriteZoneIdentities(path, rooms, sync);
    } catch (const FileWriteError& e) {
        throw TrellanError(messages_.CantOverwriteFile(path, e.ErrorNumber()));
    }
}

void WorldStorage::SaveZone() {
    if (world_.CurrentZone.empty() || worldDirectory_.empty()) return;
    WriteZone(world_.CurrentZone, true);
    world_.MapSaved = true;
    CallHook(hooks_.CaptionChanged);
}

std::vector<std::string> WorldStorage::ZonesToSave() const {
    std::vector<std::string> zones;
    std::set<std::string> listed;
    for (const ZoneNode& node : world_.Tree().Zones()) {
        if (listed.insert(node.Text).second) zones.push_back(node.Text);
    }
    // Every zone with rooms has a node; should one ever lack it, its rooms
    // must still reach the disk.
    const std::string* previous = nullptr;
    for (const RoomSlot& slot : world_.AllRooms()) {
        // Rooms of a zone mostly follow one another: look each run up once.
        if (previous != nullptr && *previous == slot.Zone()) continue;
        previous = &slot.Zone();
        if (listed.insert(slot.Zone()).second) zones.push_back(slot.Zone());
    }
    return zones;
}

StorageResult WorldStorage::SaveWorld() {
    StorageResult result;
    if (world_.CurrentWorld.empty() || worldDirectory_.empty()) return result;
    bool failed = false;
    std::vector<std::string> zones = ZonesToSave();
    for (const std::string& zone : zones) {
        // A zone started in this run and left before its first room keeps
        // no file behind.
        if (zonesStartedEmpty_.count(zone) != 0) {
            if (world_.RoomsOfZone(zone).empty()) {
                RemoveEmptyZoneFile(zone);
                continue;
            }
            zonesStartedEmpty_.erase(zone);
        }
        try {
            WriteZone(zone, false);
        } catch (const TrellanError& e) {
            result.Errors.push_back(e.what());
            if (!IsZoneDamaged(zone)) failed = true;
        }
    }
    if (!zones.empty()) SyncFileSystemOf(worldDirectory_);
    if (failed) {
        result.Outcome = StorageOutcome::Failed;
    } else if (!zones.empty()) {
        world_.MapSaved = true;
        CallHook(hooks_.WorldSaved);
    }
    CallHook(hooks_.CaptionChanged);
    try {
        CallHook(hooks_.Objects.SaveIfChanged);
    } catch (const TrellanError& e) {
        result.Errors.push_back(e.what());
        result.Outcome = StorageOutcome::Failed;
    }
    return result;
}

void WorldStorage::RemoveEmptyZoneFile(const std::string& zone) {
    const std::string path = ZoneFilePath(zone);
    if (!FileExists(path)) return;
    // Only a file that holds no room goes: what the map does not know of
    // (a file changed behind Trellan's back) stays.
    try {
        if (!ReadZoneFile(path, Words()).Rooms.empty()) return;
    } catch (const TrellanError&) {
        return;
    }
    std::remove(path.c_str());
    std::remove(IdentityFilePath(path).c_str());
}

StorageResult WorldStorage::SaveChangedZones(const std::set<std::string>& zones) {
    StorageResult result;
    if (world_.CurrentWorld.empty() || worldDirectory_.empty()) return result;
    bool failed = false;
    bool wrote = false;
    for (const std::string& zone : zones) {
        if (!world_.HasZone(zone)) continue;
        try {
            WriteZone(zone, false);
            wrote = true;
        } catch (const TrellanError& e) {
            result.Errors.push_back(e.what());
            if (!IsZoneDamaged(zone)) failed = true;
        }
    }
    if (wrote) SyncFileSystemOf(worldDirectory_);
    if (failed) {
        result.Outcome = StorageOutcome::Failed;
        return result;
    }
    world_.MapSaved = true;
    CallHook(hooks_.WorldSaved);
    CallHook(hooks_.CaptionChanged);
    return result;
}

StorageResult WorldStorage::SaveWorldAs(const std::string& world, bool overwrite) {
    RequireWorldName(world, messages_);
    if (world == world_.CurrentWorld && !worldDirectory_.empty()) return SaveWorld();
    StorageResult result;
    const std::string directory = maps_.WorldPath(world);
    if (maps_.WorldExists(world)) {
        if (!overwrite) {
            result.Outcome = StorageOutcome::NameTaken;
            return result;
        }
        if (!DeleteWorldDirectory(directory)) {
            result.Outcome = StorageOutcome::Failed;
            result.Errors.push_back(messages_.CantDeleteWorld(world));
            return result;
        }
    }
    try {
        CreateDirectories(directory, directory);
    } catch (const TrellanError&) {
        result.Outcome = StorageOutcome::Failed;
        result.Errors.push_back(messages_.CantOverwriteFile(directory));
        return result;
    }

    // The damaged files go along unchanged: the new world must not lose
    // what could not be read.
    for (const std::string& zone : damagedZones_) {
        const std::string from = ZoneFilePath(zone);
        std::optional<std::string> bytes = ReadWholeFile(from);
        if (!bytes) continue;
        auto file = zoneFiles_.find(zone);
        const std::string to = JoinPath(directory, file != zoneFiles_.end() ? file->second : DefaultZoneFileName(zone));
        try {
            WriteFileAtomically(to, *bytes, false);
        } catch (const FileWriteError&) {
            result.Errors.push_back(messages_.CantOverwriteFile(to));
        }
    }

    world_.CurrentWorld = world;
    worldDirectory_ = directory;
    zonesStartedEmpty_.clear();
    world_.MapSaved = false;
    Append(result, SaveWorld());
    AddSettingsWrite(result, ProfileSections::SkinAndLocks);
    CallHook(hooks_.CaptionChanged);
    return result;
}

// --- Creating and deleting ---------------------------------------------------------

StorageResult WorldStorage::CreateWorld(const std::string& world, bool evenIfSaveFails) {
    RequireWorldName(world, messages_);
    StorageResult result;
    if (maps_.WorldExists(world)) {
        result.Outcome = StorageOutcome::NameTaken;
        return result;
    }
    result = SaveWorldIfChanged();
    if (result.Outcome == StorageOutcome::Failed && !evenIfSaveFails) return result;
    result.Outcome = StorageOutcome::Done;

    const std::string directory = maps_.WorldPath(world);
    try {
        CreateDirectories(directory, directory);
    } catch (const TrellanError&) {
        result.Outcome = StorageOutcome::Failed;
        result.Errors.push_back(messages_.CantOverwriteFile(directory));
        return result;
    }
    world_.ClearWorld();
    world_.LastRoomNumber = 0;
    world_.CurrentWorld = world;
    world_.CurrentZone.clear();
    worldDirectory_ = directory;
    zonesStartedEmpty_.clear();
    ForgetFiles();
    try {
        StartEmptyZone();
    } catch (const TrellanError& e) {
        result.Errors.push_back(e.what());
    }
    CallHook(hooks_.CaptionChanged);
    Append(result, LoadWorld());
    return result;
}

bool WorldStorage::DeleteWorld(const std::string& world) {
    RequireWorldName(world, messages_);
    return DeleteWorldDirectory(maps_.WorldPath(world));
}

// --- Zones ---------------------------------------------------------------------

bool WorldStorage::ZoneNameTaken(const std::string& zone) const {
    return FileExists(JoinPath(worldDirectory_, DefaultZoneFileName(zone))) || zoneFiles_.count(zone) != 0 ||
           world_.HasZone(zone);
}

std::string WorldStorage::StartEmptyZone() {
    if (world_.CurrentWorld.empty() || worldDirectory_.empty()) return {};
    world_.ClearZone();
    const std::string caption = messages_.NewZoneCaption();
    std::string name = caption;
    for (int n = 1; ZoneNameTaken(name); ++n) name = caption + " " + std::to_string(n);
    world_.CurrentZone = name;
    world_.AddZoneNode(name);
    zonesStartedEmpty_.insert(name);
    world_.LoadZone();
    world_.LastRoomNumber = 0;
    SaveZone();
    return name;
}

bool WorldStorage::RenameZoneFile(const std::string& from, const std::string& to) {
    if (from == to) return true;
    RequireZoneName(to, messages_);
    const std::string oldPath = ZoneFilePath(from);
    const std::string newPath = JoinPath(worldDirectory_, DefaultZoneFileName(to));
    // rename() would silently replace another zone's file.
    if (FileExists(newPath)) return false;
    if (FileExists(oldPath) && std::rename(oldPath.c_str(), newPath.c_str()) != 0) return false;
    if (FileExists(IdentityFilePath(oldPath))) {
        std::rename(IdentityFilePath(oldPath).c_str(), IdentityFilePath(newPath).c_str());
    }
    zoneFiles_.erase(from);
    zoneFiles_[to] = DefaultZoneFileName(to);
    if (damagedZones_.erase(from) != 0) damagedZones_.insert(to);
    return true;
}

bool WorldStorage::DeleteZoneFile(const std::string& zone) {
    const std::string path = ZoneFilePath(zone);
    if (FileExists(path) && std::remove(path.c_str()) != 0) return false;
    if (FileExists(IdentityFilePath(path))) std::remove(IdentityFilePath(path).c_str());
    zoneFiles_.erase(zone);
    damagedZones_.erase(zone);
    return true;
}

void WorldStorage::ReplaceExitWords(const ExitWords& oldWords, const ExitWords& newWords, const ExitWords& stateWords) {
    trellan::ReplaceExitWords(world_, oldWords, newWords, stateWords);
}

// --- Settings ------------------------------------------------------------------

StorageResult WorldStorage::WriteSettings(ProfileSections sections) {
    settings_.World = world_.CurrentWorld;
    profile_.LockedZones = world_.LockedZones;
    if (!world_.CurrentZone.empty()) profile_.Zone = world_.CurrentZone;
    SettingsWriteOptions options = writeOptions_;
    options.full = sections == ProfileSections::All;
    StorageResult result;
    try {
        WriteIniFile(home_, settings_, profile_, world_.CurrentWorld, options);
    } catch (const TrellanError& e) {
        result.Outcome = StorageOutcome::Failed;
        result.Errors.push_back(e.what());
    }
    return result;
}

void WorldStorage::AddSettingsWrite(StorageResult& result, ProfileSections sections) {
    StorageResult written = WriteSettings(sections);
    // The world itself is fine; only the settings file is not.
    for (std::string& error : written.Errors) result.Errors.push_back(std::move(error));
}

}  // namespace trellan
