#pragma once
// MSDP (telnet option 69): reading the variables of one subnegotiation and
// building Trellan's request for the room variables.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "proxy/RoomReport.h"

namespace trellan {

struct MsdpField;

// A value: plain text, an array of values or a table of named values.
struct MsdpValue {
    enum class Kind { Text, Array, Table };
    Kind kind = Kind::Text;
    std::string text;
    std::vector<MsdpValue> items;
    std::vector<MsdpField> fields;

    // The first field of a table with that name (case-insensitive), or nullptr.
    const MsdpValue* Field(std::string_view name) const;
};

struct MsdpField {
    std::string name;
    MsdpValue value;
};

using MsdpVariables = std::vector<MsdpField>;

// Tables and arrays nested deeper than this end the reading.
inline constexpr int MaxMsdpDepth = 16;

// The variables of one subnegotiation's content (after the option byte,
// IAC IAC already undoubled). A variable given several values gets them as
// an array. Whatever does not fit the structure is skipped; reading never
// fails.
MsdpVariables ParseMsdp(std::string_view payload);

// What the variables say about the room: a ROOM table (VNUM, NAME, AREA,
// EXITS) or the separate ROOM_VNUM, ROOM_NAME, AREA_NAME, ROOM_EXITS.
RoomReport RoomReportFromMsdp(const MsdpVariables& variables);

// IAC SB MSDP VAR "REPORT" VAL "ROOM" VAL "ROOM_VNUM" ... IAC SE: asks the
// server to send the room variables on every change.
std::string MsdpRoomRequest();

}  // namespace trellan
