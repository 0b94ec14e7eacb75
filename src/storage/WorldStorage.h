#pragma once
// The world commands: load, create, save, save under another name, revert
// to the saved map, delete, and the creation of an empty zone. The core never
// asks the player anything: where a command needs an answer (the name, "load
// the existing world instead?", "overwrite it?") the caller asks first and
// passes the answer, or gets an outcome back and asks then.
//
// Errors. A single zone write (SaveZone, StartEmptyZone) throws TrellanError
// with the message to show. The world commands go on past a failing zone
// and return every message in StorageResult::Errors, each to be shown
// through the program-wide error handler. A refused name throws
// InvalidNameError before anything changes.
//
// Damaged zone files. A zone whose file could not be read to the end keeps
// the rooms read before the damage, but is never written: saving leaves its
// file as it is and reports the zone, until the world is loaded again from a
// repaired or renamed file, or the player accepts the loss (AcceptDamagedZone).
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/ExitWords.h"
#include "settings/SettingsFiles.h"
#include "storage/MapsDirectory.h"
#include "storage/StorageMessages.h"
#include "storage/WorldReader.h"
#include "storage/WorldStorageHooks.h"

namespace trellan {

class HomeDirectory;
class Localisation;
class World;
struct MainSettings;
struct WorldProfile;

enum class StorageOutcome {
    Done,
    // The world directory does not exist (Errors says so); nothing changed.
    NotFound,
    // A world of that name exists; ask the player, then call again.
    NameTaken,
    // Something could not be written; Errors tells what. Commands that
    // replace the world stop before replacing it when its save failed.
    Failed,
};

struct StorageResult {
    StorageOutcome Outcome = StorageOutcome::Done;
    std::vector<std::string> Errors;  // Windows-1251, one message each

    bool Succeeded() const { return Outcome == StorageOutcome::Done; }
};

class WorldStorage {
public:
    // Every reference must outlive the storage. The world's profile is read
    // into `profile` when a world is loaded; `settings.World` follows the
    // loaded world. `captions` may be null (built-in texts).
    WorldStorage(const HomeDirectory& home, World& world, MainSettings& settings, WorldProfile& profile,
                 Localisation* captions, SettingsWriteOptions writeOptions, WorldStorageHooks hooks = {});

    // --- The maps directory -----------------------------------------------
    std::vector<std::string> ListWorlds() const { return maps_.ListWorlds(); }
    bool WorldExists(const std::string& world) const;
    // The new-world caption ("Новый мир"), or it followed by " 1", " 2" ...
    // when a world of that name exists.
    std::string ProposeNewWorldName() const;
    // Where the loaded world lives; empty before a world is loaded.
    const std::string& WorldDirectory() const { return worldDirectory_; }
    // The file the zone is written to.
    std::string ZoneFilePath(const std::string& zone) const;
    // The exit words of the loaded world's profile.
    ExitWords Words() const;

    // --- World commands ----------------------------------------------------
    // Loads the world named World::CurrentWorld: its profile first (so the
    // exit states use its exit words), then every zone file; makes the
    // profile's zone current when it has rooms, else the first zone, else a
    // new one; writes the settings. A missing world: NotFound, CurrentWorld
    // emptied, nothing else changed. Nothing happens for an empty name.
    StorageResult LoadWorld();
    // The load command after the player chose `world`: saves the open world,
    // then loads the chosen one. When the load fails the old names come back
    // (its rooms are still there). When saving fails the world is not
    // replaced unless `evenIfSaveFails`.
    StorageResult OpenWorld(const std::string& world, bool evenIfSaveFails = false);
    // Saves the world when MapSaved is clear (before the load dialog opens).
    StorageResult SaveWorldIfChanged();
    // Writes every zone (tree order, then zones with rooms but no node) and
    // saves the objects base when it changed.
    StorageResult SaveWorld();
    // Writes the listed zones that still have rooms or a tree node (the
    // zones changed since the last whole save, which the change journal
    // knows); the others are as their files hold them. When all are written
    // the map counts as saved, as after SaveWorld. For autosaving: only the
    // changed zones cost time.
    StorageResult SaveChangedZones(const std::set<std::string>& zones);
    // Writes the zone named World::CurrentZone; nothing when it is empty.
    // Sets MapSaved. Throws TrellanError "Не удалось переписать файл" ...
    // when the file cannot be replaced (the old file stays whole), or when
    // the zone's file is damaged.
    void SaveZone();
    // Saves the world into the directory `world`, which then is the open
    // world. An existing directory: NameTaken unless `overwrite`, which
    // deletes its files first. The open world's profile and objects base
    // are not copied; files of damaged zones are, byte for byte. Saving under
    // the open world's own name is a plain save.
    StorageResult SaveWorldAs(const std::string& world, bool overwrite);
    // Creates the world `world` with one empty zone and loads it (its
    // profile comes from the template). NameTaken when it exists (the caller
    // may ask and OpenWorld it instead).
    StorageResult CreateWorld(const std::string& world, bool evenIfSaveFails = false);
    // Reads the open world's zone files again, throwing away every change
    // since the last save; the profile and the objects base stay. The zone
    // that was current stays current when it still has rooms.
    StorageResult RevertWorld();
    // Deletes the files of the world's directory, then the directory; true
    // when it is gone. The open world in memory is not affected.
    bool DeleteWorld(const std::string& world);
    // Rewrites the exits texts of every room, see ExitWordReplacement.h.
    void ReplaceExitWords(const ExitWords& oldWords, const ExitWords& newWords, const ExitWords& stateWords);
    // Writes the main settings and the world profile: every section of it
    // (after the configuration dialog) or only the skin index and the
    // locked zones.
    enum class ProfileSections : std::uint8_t { SkinAndLocks, All };
    StorageResult WriteSettings(ProfileSections sections);

    // --- Zones -------------------------------------------------------------
    // Creates an empty zone named after the new-zone caption ("Новая зона",
    // then " 1", " 2" ... while taken), makes it current and writes its
    // empty file. Returns its name; empty when no world is open.
    std::string StartEmptyZone();
    // The file side of renaming and deleting a zone: the zone's own file is
    // renamed or deleted and its damage mark follows. Return false when the
    // file system refused (the zone keeps its file).
    bool RenameZoneFile(const std::string& from, const std::string& to);
    bool DeleteZoneFile(const std::string& zone);

    const std::set<std::string>& DamagedZones() const { return damagedZones_; }
    bool IsZoneDamaged(const std::string& zone) const { return damagedZones_.count(zone) != 0; }
    // The player chose to keep what was read: the zone is saved again,
    // replacing the damaged file.
    void AcceptDamagedZone(const std::string& zone) { damagedZones_.erase(zone); }

    const StorageMessages& Messages() const { return messages_; }

private:
    // What the opening of a load or a revert does with the name of a world
    // whose directory is gone. A load forgets it; a revert keeps it, and the
    // map in memory, since that is all that is left of the world.
    enum class MissingWorld { ForgetName, KeepName };

    // The opening LoadWorld and RevertWorld share. False when `name` is
    // empty, or when the world has no directory (then NotFound and its
    // message are in `result`); otherwise the tracker is put in walking mode
    // and the world in memory emptied for the world's files.
    bool BeginReadingWorld(const std::string& name, MissingWorld missing, StorageResult& result);
    void ApplyProfile();
    void ForgetFiles();
    void ReadZones(WorldReadMode mode, const std::string& rememberedZone, StorageResult& result);
    void ChooseFirstZoneOrStartOne(StorageResult& result);
    void WriteZone(const std::string& zone, bool sync);
    std::vector<std::string> ZonesToSave() const;
    // The file of a zone that holds no room, when it holds none either.
    void RemoveEmptyZoneFile(const std::string& zone);
    bool ZoneNameTaken(const std::string& zone) const;
    void AddSettingsWrite(StorageResult& result, ProfileSections sections);

    const HomeDirectory& home_;
    World& world_;
    MainSettings& settings_;
    WorldProfile& profile_;
    StorageMessages messages_;
    SettingsWriteOptions writeOptions_;
    WorldStorageHooks hooks_;
    MapsDirectory maps_;
    std::string worldDirectory_;
    // Zones started empty in this run (a new world's first zone, F2): their
    // file goes at the next whole save if they still hold no room.
    std::set<std::string> zonesStartedEmpty_;
    // Zone to its file's name in worldDirectory_, for zones read from disk
    // (a file copied from Windows may be "ZONE.TR2"); others use
    // DefaultZoneFileName.
    std::map<std::string, std::string> zoneFiles_;
    std::set<std::string> damagedZones_;
};

}  // namespace trellan
