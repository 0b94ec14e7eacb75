#pragma once
// Rooms as JSON lines for the map tools: keys named after the properties,
// in the order the zone file stores them, text in UTF-8.
#include <string>

#include "model/ExitWords.h"
#include "model/MudRoom.h"
#include "storage/JsonLine.h"

namespace trellan {

// Every property, "AutoMaps" as an array of strings, "BColor" as a number;
// no line break.
std::string RoomToJsonLine(const MudRoom& room);

// Keys left out keep the values of a fresh room. Throws JsonError on an
// unknown key, a value of the wrong type or range, or text with a character
// that has no Windows-1251 byte.
MudRoom RoomFromJson(const JsonObject& object, const ExitWords& words);

}  // namespace trellan
