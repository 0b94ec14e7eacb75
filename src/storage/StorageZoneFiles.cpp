#include "storage/StorageZoneFiles.h"

#include <cerrno>
#include <cstring>

#include "common/FileIo.h"
#include "storage/MapsDirectory.h"
#include "storage/StorageNames.h"
#include "storage/WorldStorage.h"

namespace trellan {

namespace {

// The system's words for the last failure; plain ASCII, so also valid
// Windows-1251.
std::string SystemReason(int error, const std::string& path) {
    if (error == 0) return path;
    return path + " (" + std::strerror(error) + ")";
}

}  // namespace

bool StorageZoneFiles::ZoneFileExists(const std::string& zone) const {
    if (storage_.WorldDirectory().empty()) return false;
    return FileExists(storage_.ZoneFilePath(zone)) ||
           FileExists(JoinPath(storage_.WorldDirectory(), DefaultZoneFileName(zone)));
}

void StorageZoneFiles::SaveZone() {
    storage_.SaveZone();
}

std::vector<std::string> StorageZoneFiles::SaveWorld() {
    return storage_.SaveWorld().Errors;
}

ZoneFileChange StorageZoneFiles::RenameZoneFile(const std::string& from, const std::string& to) {
    const std::string oldPath = storage_.ZoneFilePath(from);
    try {
        errno = 0;
        if (storage_.RenameZoneFile(from, to)) return {};
    } catch (const InvalidNameError& e) {
        return ZoneFileChange::Refused(e.what());
    }
    const int error = errno;
    if (FileExists(JoinPath(storage_.WorldDirectory(), DefaultZoneFileName(to)))) {
        return ZoneFileChange::Refused(messages_.ZoneFileExists());
    }
    return ZoneFileChange::Refused(SystemReason(error, oldPath));
}

ZoneFileChange StorageZoneFiles::DeleteZoneFile(const std::string& zone) {
    const std::string path = storage_.ZoneFilePath(zone);
    errno = 0;
    if (storage_.DeleteZoneFile(zone)) return {};
    return ZoneFileChange::Refused(SystemReason(errno, path));
}

}  // namespace trellan
