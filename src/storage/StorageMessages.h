#pragma once
// The texts the world commands show, each looked up in the localisation file
// by section and key with its Russian default. Every text is Windows-1251.
// Paths on disk are UTF-8 and are converted for the messages.
#include <cstddef>
#include <string>
#include <string_view>

namespace trellan {

class Localisation;

class StorageMessages {
public:
    // `captions` may be null (tests, the map tools): the defaults are used.
    explicit StorageMessages(Localisation* captions = nullptr) : captions_(captions) {}

    // A look-up that never throws: a language file that cannot be written
    // must not stop a save, so the default is used then.
    std::string Caption(std::string_view section, std::string_view key, std::string_view defaultUtf8) const;

    // "Не найден мир <name>. Загрузка невозможна."
    std::string WorldNotFound(std::string_view world) const;
    // "Не удалось переписать файл" CR LF path, why (the disk is full, or the
    // system's reason for `errorNumber`; nothing when 0), and that the old
    // file is whole and the changes are kept in memory and the journal.
    std::string CantOverwriteFile(const std::string& path, int errorNumber = 0) const;
    // The change journal: what a start-up put back after a crash, a damaged
    // journal set aside, and a journal that cannot be written (`path` UTF-8).
    std::string JournalRecovered(std::size_t changes) const;
    std::string JournalSetAside(const std::string& path, const std::string& aside, const std::string& damage) const;
    std::string JournalWriteFailed(const std::string& path, int errorNumber) const;
    // A zone file that could not be read completely, with what to do about it.
    std::string ZoneDamaged(std::string_view zone, std::string_view readerError) const;
    // A zone left out of saving because its file was damaged.
    std::string ZoneNotSaved(std::string_view zone, const std::string& path) const;
    // A zone file whose name has no Windows-1251 spelling, or that names a
    // zone another file already holds.
    std::string ZoneFileSkipped(const std::string& path) const;
    // A zone's file of server room identities that could not be read: set
    // aside under `aside`, the zone loaded without its identities.
    std::string IdentitiesSetAside(const std::string& path, std::string_view damage, const std::string& aside) const;
    std::string ZoneFileDuplicate(const std::string& path, std::string_view zone) const;
    // A world directory that could not be removed before saving over it.
    std::string CantDeleteWorld(std::string_view world) const;
    // A name the file system cannot hold; `reason` from NameProblemText.
    std::string BadName(std::string_view name, std::string_view reason) const;

    // The captions new worlds and zones are named after.
    std::string NewWorldCaption() const;
    std::string NewZoneCaption() const;

private:
    Localisation* captions_;
};

// The on-disk (UTF-8) path as Windows-1251 text for a message.
std::string PathForMessage(const std::string& path);

}  // namespace trellan
