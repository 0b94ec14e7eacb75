#include "navigation/NavigationMessages.h"

#include "settings/Localisation.h"
#include "text/W1251.h"
#include "tracking/ClientLines.h"

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

std::string NoAliasesLine(Localisation* captions, std::string_view setAlias) {
    std::string text = ClientText(captions, "NoAliases",
                                  "Закладок нет; чтобы поставить, встаньте в комнату и наберите `{alias} <имя>`");
    return TrellanLine(Filled(std::move(text), "alias", setAlias), LineColour::Red);
}

std::string UnknownAliasLine(Localisation* captions, std::string_view alias, const std::vector<std::string>& closest) {
    std::string text = Filled(ClientText(captions, "UnknownAlias", "Закладки \"{alias}\" нет"), "alias", alias);
    if (!closest.empty()) {
        text += ClientText(captions, "ClosestAliases", "; ближайшие: ");
        for (std::size_t i = 0; i < closest.size(); ++i) text += (i == 0 ? "" : ", ") + closest[i];
    }
    return TrellanLine(text, LineColour::Red);
}

std::string AlreadyHereLine(Localisation* captions, std::string_view alias) {
    std::string text = ClientText(captions, "AlreadyHere", "Вы уже здесь ({alias}); путь назад прежний");
    return TrellanLine(Filled(std::move(text), "alias", alias), LineColour::Green);
}

std::string PositionUnknownLine(Localisation* captions) {
    return TrellanLine(ClientText(captions, "PositionUnknown", "Где вы, неизвестно: наберите look"), LineColour::Red);
}

std::string AliasListLine(std::string_view alias, std::string_view zone, std::string_view name) {
    return "\r\n\x1B[1;32m" + std::string(alias) + "\x1B[0m  - " + std::string(zone) + "." + std::string(name);
}

}  // namespace trellan
