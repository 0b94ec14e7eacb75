#include "objects/ObjectsMessages.h"

#include "common/Errors.h"
#include "settings/Localisation.h"
#include "text/W1251.h"

namespace trellan {

std::string ObjectsMessages::Caption(std::string_view key, std::string_view defaultUtf8) const {
    std::string fallback = W1251(defaultUtf8);
    if (captions_ == nullptr) return fallback;
    try {
        return captions_->GetCaption("MainForm", key, fallback);
    } catch (const TrellanError&) {
        // A language file that cannot be written must not hide the message.
        return fallback;
    }
}

std::string ObjectsMessages::ObjectsChanged() const {
    return Caption("ObjectsChanged", "База объектов была изменена. Сохранить?");
}

std::string ObjectsMessages::StringNotFound(std::string_view findText) const {
    return Caption("StringNotFound", "Строка не найдена:") + " <" + std::string(findText) + ">";
}

std::string ObjectsMessages::ReplaceAllQuestion(std::string_view findText, std::string_view replacement) const {
    return Caption("Replace", "Заменить:") + " '" + std::string(findText) + "' >> '" + std::string(replacement) + "' " +
           Caption("InAllDescriptions", "во всех описаниях?");
}

std::string ObjectsMessages::FoundAndReplaced(int count) const {
    return Caption("FoundAndReplaced", "Найдено и заменено вхождений:") + " " + std::to_string(count) + ".";
}

}  // namespace trellan
