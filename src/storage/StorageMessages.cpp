#include "storage/StorageMessages.h"

#include <cerrno>
#include <cstring>

#include "common/Errors.h"
#include "settings/Localisation.h"
#include "text/Cp1251.h"

namespace trellan {

namespace {
constexpr const char* kMainForm = "MainForm";
constexpr const char* kSaveLoadForm = "SaveLoadForm";
}  // namespace

std::string PathForMessage(const std::string& path) {
    return Utf8ToCp1251(path);
}

std::string StorageMessages::Caption(std::string_view section, std::string_view key,
                                     std::string_view defaultUtf8) const {
    std::string fallback = Utf8ToCp1251(defaultUtf8);
    if (captions_ == nullptr) return fallback;
    try {
        return captions_->GetCaption(section, key, fallback);
    } catch (const TrellanError&) {
        return fallback;
    }
}

std::string StorageMessages::WorldNotFound(std::string_view world) const {
    return Caption(kMainForm, "CantFindWorld", "Не найден мир") + " <" + std::string(world) + ">. " +
           Caption(kMainForm, "LoadingUnable", "Загрузка невозможна.");
}

namespace {

// Why a write failed, in words a player understands where we know them.
std::string WriteErrorReason(const StorageMessages& messages, int errorNumber) {
    if (errorNumber == 0) return {};
    if (errorNumber == ENOSPC || errorNumber == EDQUOT)
        return messages.Caption(kMainForm, "DiskFull", "на диске нет места");
    if (errorNumber == EACCES || errorNumber == EPERM || errorNumber == EROFS)
        return messages.Caption(kMainForm, "WriteDenied", "запись запрещена");
    return std::strerror(errorNumber);
}

}  // namespace

std::string StorageMessages::CantOverwriteFile(const std::string& path, int errorNumber) const {
    std::string text = Caption(kMainForm, "CantOverwriteFile", "Не удалось переписать файл") + "\r\n" + PathForMessage(path);
    const std::string reason = WriteErrorReason(*this, errorNumber);
    if (!reason.empty()) text += ": " + reason;
    text += ".\r\n" + Caption(kMainForm, "ChangesKept",
                                "Прежний файл не тронут, изменения карты остались в памяти и в журнале изменений.");
    if (errorNumber == ENOSPC || errorNumber == EDQUOT)
        return text + " " + Caption(kMainForm, "FreeSpaceAndSave", "Освободите место на диске и сохраните мир снова.");
    return text + " " + Caption(kMainForm, "SaveAgain", "Устраните причину и сохраните мир снова.");
}

std::string StorageMessages::JournalRecovered(std::size_t changes) const {
    return Caption(kMainForm, "JournalRecovered", "Восстановлено изменений карты после сбоя:") + " " +
           std::to_string(changes) + ".";
}

std::string StorageMessages::JournalSetAside(const std::string& path, const std::string& aside,
                                             const std::string& damage) const {
    std::string text = Caption(kMainForm, "JournalDamaged", "Журнал изменений карты повреждён") + " (" +
                       PathForMessage(path) + ": " + damage + ")";
    if (aside.empty()) return text + ".";
    return text + "; " + Caption(kMainForm, "JournalSetAside", "он отложен как") + " " + PathForMessage(aside) + ".";
}

std::string StorageMessages::JournalWriteFailed(const std::string& path, int errorNumber) const {
    std::string text = Caption(kMainForm, "JournalWriteFailed", "Не удалось записать журнал изменений") + " " +
                       PathForMessage(path);
    const std::string reason = WriteErrorReason(*this, errorNumber);
    if (!reason.empty()) text += ": " + reason;
    return text + ". " +
           Caption(kMainForm, "JournalNotKept",
                   "Новые изменения карты хранятся только в памяти, пока мир не будет сохранён.");
}

std::string StorageMessages::ZoneDamaged(std::string_view zone, std::string_view readerError) const {
    return std::string(readerError) + "\r\n" + Caption(kMainForm, "ZoneDamaged", "Зона") + " <" + std::string(zone) +
           "> " +
           Caption(kMainForm, "ZoneDamagedHelp",
                   "загружена не полностью: комнаты до повреждения загружены, а файл не будет перезаписан, "
                   "пока вы его не исправите. Исправьте файл (trellan zone dump и trellan zone write) или "
                   "переименуйте его и загрузите мир заново.");
}

std::string StorageMessages::ZoneNotSaved(std::string_view zone, const std::string& path) const {
    return Caption(kMainForm, "ZoneDamaged", "Зона") + " <" + std::string(zone) + "> " +
           Caption(kMainForm, "ZoneNotSaved",
                   "не сохранена: её файл был повреждён и не будет перезаписан, пока вы его не исправите "
                   "или не переименуете и не загрузите мир заново.") +
           "\r\n" + PathForMessage(path);
}

std::string StorageMessages::IdentitiesSetAside(const std::string& path, std::string_view damage,
                                                const std::string& aside) const {
    return Caption(kMainForm, "ZoneIdsDamaged",
                   "Файл номеров комнат сервера повреждён и отложен; зона загружена без этих номеров.") +
           "\r\n" + PathForMessage(path) + " (" + std::string(damage) + ")\r\n" + PathForMessage(aside);
}

std::string StorageMessages::ZoneFileSkipped(const std::string& path) const {
    return Caption(kMainForm, "ZoneFileNameUnusable",
                   "Имя файла зоны нельзя записать в кодировке Windows-1251; файл не загружен. "
                   "Переименуйте его и загрузите мир заново.") +
           "\r\n" + PathForMessage(path);
}

std::string StorageMessages::ZoneFileDuplicate(const std::string& path, std::string_view zone) const {
    return Caption(kMainForm, "ZoneFileDuplicate",
                   "Файл не загружен: зона с таким именем уже загружена из другого файла. "
                   "Переименуйте его и загрузите мир заново.") +
           " <" + std::string(zone) + ">\r\n" + PathForMessage(path);
}

std::string StorageMessages::CantDeleteWorld(std::string_view world) const {
    return Caption(kSaveLoadForm, "CantDeleteWorld", "Не удалось удалить мир") + " <" + std::string(world) + ">.";
}

std::string StorageMessages::BadName(std::string_view name, std::string_view reason) const {
    return Caption(kSaveLoadForm, "BadName", "Такое имя нельзя дать каталогу или файлу:") + " <" + std::string(name) +
           "> (" + std::string(reason) + ")";
}

std::string StorageMessages::NewWorldCaption() const {
    return Caption(kMainForm, "nNewWorld", "Новый мир");
}

std::string StorageMessages::NewZoneCaption() const {
    return Caption(kMainForm, "nNewZone", "Новая зона");
}

}  // namespace trellan
