#include "storage/StorageNames.h"

#include "storage/MapsDirectory.h"
#include "storage/StorageMessages.h"
#include "text/Cp1251.h"

namespace trellan {

namespace {

// NAME_MAX of the usual Linux file systems.
constexpr std::size_t kMaxFileName = 255;

std::optional<NameProblem> CommonProblem(std::string_view name) {
    if (name.empty()) return NameProblem::Empty;
    if (name == "." || name == "..") return NameProblem::DotName;
    for (char c : name) {
        if (c == '/') return NameProblem::Slash;
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return NameProblem::ControlChar;
    }
    return std::nullopt;
}

}  // namespace

std::optional<NameProblem> WorldNameProblem(std::string_view world) {
    if (auto problem = CommonProblem(world)) return problem;
    if (world.front() == '.') return NameProblem::LeadingDot;
    if (Cp1251ToUtf8(world).size() > kMaxFileName) return NameProblem::TooLong;
    return std::nullopt;
}

std::optional<NameProblem> ZoneNameProblem(std::string_view zone) {
    if (auto problem = CommonProblem(zone)) return problem;
    if (zone.find('|') != std::string_view::npos) return NameProblem::Bar;
    if (zone.find(kZoneExtension) != std::string_view::npos) return NameProblem::ZoneExtension;
    // The file is written under a temporary name of the zone file's name
    // plus a suffix first, and that one has to fit as well.
    if (Cp1251ToUtf8(zone).size() + kZoneExtension.size() + kTemporarySuffixLength > kMaxFileName)
        return NameProblem::TooLong;
    return std::nullopt;
}

std::string NameProblemText(NameProblem problem, const StorageMessages& messages) {
    switch (problem) {
        case NameProblem::Empty:
            return messages.Caption("SaveLoadForm", "NameEmpty", "имя пустое");
        case NameProblem::Slash:
            return messages.Caption("SaveLoadForm", "NameSlash", "в имени есть «/»");
        case NameProblem::DotName:
            return messages.Caption("SaveLoadForm", "NameDots", "имена «.» и «..» заняты");
        case NameProblem::LeadingDot:
            return messages.Caption("SaveLoadForm", "NameLeadingDot", "имя начинается с точки");
        case NameProblem::ControlChar:
            return messages.Caption("SaveLoadForm", "NameControlChar", "в имени есть управляющий символ");
        case NameProblem::Bar:
            return messages.Caption("SaveLoadForm", "NameBar", "в имени зоны есть «|»");
        case NameProblem::ZoneExtension:
            return messages.Caption("SaveLoadForm", "NameExtension", "в имени зоны есть «.tr2»");
        case NameProblem::TooLong:
            return messages.Caption("SaveLoadForm", "NameTooLong", "имя слишком длинное");
    }
    return {};
}

void RequireWorldName(std::string_view world, const StorageMessages& messages) {
    if (auto problem = WorldNameProblem(world))
        throw InvalidNameError(messages.BadName(world, NameProblemText(*problem, messages)));
}

void RequireZoneName(std::string_view zone, const StorageMessages& messages) {
    if (auto problem = ZoneNameProblem(zone))
        throw InvalidNameError(messages.BadName(zone, NameProblemText(*problem, messages)));
}

}  // namespace trellan
