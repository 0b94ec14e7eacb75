#include "proxy/RoomReport.h"

#include <charconv>

namespace trellan {

namespace {
constexpr char kMarkerStart = '\x01';
constexpr char kMarkerEnd = '\x02';
constexpr std::size_t kMaxMarkerDigits = 10;
}  // namespace

void RoomReport::MergeFrom(const RoomReport& later) {
    if (!later.Identity.empty()) Identity = later.Identity;
    if (!later.Name.empty()) Name = later.Name;
    if (!later.Area.empty()) Area = later.Area;
    if (!later.Exits.empty()) Exits = later.Exits;
}

std::string CleanReportText(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') continue;
        if (out.size() == MaxReportTextLength) break;
        out += c;
    }
    return out;
}

std::string RoomReportMarker(std::uint32_t sequence) {
    return kMarkerStart + std::to_string(sequence) + kMarkerEnd;
}

std::optional<FoundMarker> FindRoomReportMarker(std::string_view text, std::size_t from) {
    while (from < text.size()) {
        std::size_t start = text.find(kMarkerStart, from);
        if (start == std::string_view::npos) return std::nullopt;
        std::size_t end = text.find(kMarkerEnd, start + 1);
        if (end == std::string_view::npos) return std::nullopt;
        std::string_view digits = text.substr(start + 1, end - start - 1);
        std::uint32_t sequence = 0;
        auto [last, error] = std::from_chars(digits.data(), digits.data() + digits.size(), sequence);
        if (!digits.empty() && digits.size() <= kMaxMarkerDigits && error == std::errc() &&
            last == digits.data() + digits.size()) {
            return FoundMarker{start, end - start + 1, sequence};
        }
        from = start + 1;
    }
    return std::nullopt;
}

std::string WithoutRoomReportMarkers(std::string_view text) {
    std::string out;
    std::size_t from = 0;
    while (std::optional<FoundMarker> marker = FindRoomReportMarker(text, from)) {
        out.append(text.substr(from, marker->Position - from));
        from = marker->Position + marker->Length;
    }
    out.append(text.substr(from));
    return out;
}

}  // namespace trellan
