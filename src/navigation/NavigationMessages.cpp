#include "navigation/NavigationMessages.h"

#include "settings/Localisation.h"
#include "text/W1251.h"

namespace trellan {

namespace {

std::string Caption(Localisation* captions, std::string_view key, std::string_view utf8Default) {
    std::string fallback = W1251(utf8Default);
    return captions == nullptr ? fallback : captions->GetCaption("MainForm", key, fallback);
}

}  // namespace

std::string SpeedwalkUnabledText(Localisation* captions) {
    return Caption(captions, "SpeedwalkUnabled", "Спидволк сюда невозможен.");
}

std::string RoomNotFoundText(Localisation* captions) {
    return Caption(captions, "RoomNotFound", "Поле не найдено.");
}

std::string SpeedwalkSentLine(std::string_view batch) {
    return "\r\n\x1B[1;33m<Trellan> : Speedwalk sent: \r\n\x1B[1;32m" + std::string(batch) + "\x1B[0m\r\n";
}

std::string ClosedDoorLine(std::string_view room, std::string_view phrase) {
    return "\r\n\x1B[1;33m<Trellan> : " + W1251("на пути закрытая дверь: ") + std::string(room) + ", " +
           std::string(phrase) + W1251("; откройте её и повторите команду") + "\x1B[0m\r\n";
}

std::string AliasListLine(std::string_view alias, std::string_view zone, std::string_view name) {
    return "\r\n\x1B[1;32m" + std::string(alias) + "\x1B[0m  - " + std::string(zone) + "." + std::string(name);
}

}  // namespace trellan
