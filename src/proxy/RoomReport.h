#pragma once
// What a MUD server says about the room the player stands in, over MSDP or
// GMCP: its own number for the room (the identity), the name, the area and
// the exits. Texts are Windows-1251 bytes; every field may be empty.
//
// In the text the tracker reads, a report stands as a marker at the place
// it arrived, so the tracker can tell which room text it belongs to.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/ServerIdentity.h"

namespace trellan {

struct RoomReport {
    // Numbered by the stream; reports that arrive one after another with no
    // text between them share a number and make up one report.
    std::uint32_t Sequence = 0;
    std::string Identity;
    std::string Name;
    std::string Area;
    // Exit word as the server names it, identity of the room it leads to.
    std::vector<std::pair<std::string, std::string>> Exits;

    bool Empty() const { return Identity.empty() && Name.empty() && Area.empty() && Exits.empty(); }
    // Fills the fields `later` has and keeps the others.
    void MergeFrom(const RoomReport& later);
};

// Names and areas longer than this are cut.
inline constexpr std::size_t MaxReportTextLength = 256;

// A name or area from the server: control bytes dropped, length bounded.
std::string CleanReportText(std::string_view text);

// The marker standing for report `sequence` in the tracker's text:
// SOH, the decimal number, STX (bytes a MUD's text never holds).
std::string RoomReportMarker(std::uint32_t sequence);

struct FoundMarker {
    std::size_t Position = 0;
    std::size_t Length = 0;
    std::uint32_t Sequence = 0;
};
// The first marker at or after `from`.
std::optional<FoundMarker> FindRoomReportMarker(std::string_view text, std::size_t from = 0);
// `text` without any markers.
std::string WithoutRoomReportMarkers(std::string_view text);

}  // namespace trellan
