#include "mapping/ZoneMessages.h"

#include "settings/Localisation.h"
#include "text/Cp1251.h"

namespace trellan {

std::string ZoneMessages::Caption(std::string_view key, std::string_view utf8Default) const {
    std::string fallback = Utf8ToCp1251(utf8Default);
    if (captions_ == nullptr) return fallback;
    return captions_->GetCaption("MainForm", key, fallback);
}

std::string ZoneMessages::NewZoneCaption() const {
    return Caption("nNewZone", "Новая зона");
}

std::string ZoneMessages::CantStartNewZone() const {
    return Caption("CantStartNewZone", "В указанном направлении новую карту начать нельзя.");
}

std::string ZoneMessages::CantMergeZone() const {
    return Caption("CantMergeZone", "В указанном направлении карту присоединить нельзя.");
}

std::string ZoneMessages::DeleteZoneCaption() const {
    return Caption("nnDeleteZone", "Удалить зону");
}

std::string ZoneMessages::DeleteZoneQuestion(std::string_view zone) const {
    return DeleteZoneCaption() + " <" + std::string(zone) + ">?";
}

namespace {

std::string WithReason(std::string text, std::string_view why) {
    if (!why.empty()) {
        text += ' ';
        text += why;
    }
    return text;
}

}  // namespace

std::string ZoneMessages::CantRenameZone(std::string_view from, std::string_view to, std::string_view why) const {
    return WithReason(Caption("CantRenameZone", "Не удалось переименовать зону") + " <" + std::string(from) + "> (<" +
                          std::string(to) + ">).",
                      why);
}

std::string ZoneMessages::CantDeleteZone(std::string_view zone, std::string_view why) const {
    return WithReason(Caption("CantDeleteZone", "Не удалось удалить зону") + " <" + std::string(zone) + ">.", why);
}

std::string ZoneMessages::ZoneExists() const {
    return Caption("ZoneExists", "Зона с таким именем уже есть.");
}

std::string ZoneMessages::ZoneFileExists() const {
    return Caption("ZoneFileExists", "Файл зоны с таким именем уже есть.");
}

std::string ZoneMessages::BadZoneName() const {
    return Caption("BadZoneName", "Такое имя зоне дать нельзя.");
}

std::string ZoneMessages::BadCrossLink(std::string_view entry) const {
    return Caption("BadCrossLink", "Неверный номер комнаты в ссылке:") + " " + std::string(entry);
}

}  // namespace trellan
