#include "storage/StorageMessages.h"

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

std::string StorageMessages::CantOverwriteFile(const std::string& path) const {
    return Caption(kMainForm, "CantOverwriteFile", "Не удалось переписать файл") + "\r\n" + PathForMessage(path) + " " +
           Caption(kMainForm, "DeleteManually", "Удалите его вручную и попробуйте сохранить снова.");
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
