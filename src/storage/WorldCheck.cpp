#include "storage/WorldCheck.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <system_error>

#include "common/FileIo.h"
#include "mapping/MappingConfig.h"
#include "model/World.h"
#include "settings/WorldProfile.h"
#include "storage/MapsDirectory.h"
#include "storage/StorageMessages.h"
#include "storage/WorldReader.h"
#include "text/Cp1251.h"
#include "text/TextUtils.h"

namespace trellan {

namespace {

constexpr std::array<const char*, kDirectionCount> kDirectionNames = {"north", "south", "west", "east", "up", "down"};

const char* NameOf(Direction direction) {
    return kDirectionNames[Index(direction)];
}

std::string Where(const std::string& zone, const MudRoom& room) {
    std::string text = "zone <" + zone + "> ";
    text += room.Pipe ? std::string("corridor cell") : "room " + std::to_string(room.Tag);
    text += " at (" + std::to_string(room.X) + ", " + std::to_string(room.Y) + ", " + std::to_string(room.L) + ")";
    return text;
}

std::optional<std::int32_t> ParseNumber(std::string_view text) {
    std::int32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::optional<Direction> EntryDirection(const std::string& exit, const DirectionNames& names) {
    for (Direction d : kAllDirections) {
        const std::string& phrase = names.Phrases[Index(d)];
        const std::string& command = names.MoveCommands[Index(d)];
        if ((!phrase.empty() && exit == phrase) || (!command.empty() && exit == command)) return d;
    }
    return std::nullopt;
}

class Checker {
public:
    Checker(const World& world, const DirectionNames& names, WorldCheckReport& report)
        : world_(world), names_(names), report_(report) {}

    void Room(const std::string& zone, const MudRoom& room) {
        if (room.Pipe) {
            ++report_.CorridorCells;
            if (room.Tag != 0) Problem(Where(zone, room) + ": a corridor cell with a number");
        }
        if (!room.QuickList.empty()) ++report_.Aliases;
        report_.CrossLinks += room.AutoMaps.size();

        if (world_.GlobalFindRoom(room.X, room.Y, room.L, zone) != &room)
            Problem(Where(zone, room) + ": another room stands in the same cell");
        if (!room.Pipe && room.Tag != 0 && world_.GlobalFindRoomByTag(room.Tag, zone) != &room)
            Problem(Where(zone, room) + ": the room number is used twice in the zone");

        std::array<const MudRoom*, kDirectionCount> jumpTarget{};
        std::array<bool, kDirectionCount> hasJump{};
        for (const std::string& entry : room.AutoMaps) {
            const MudRoom* target = CrossLink(zone, room, entry);
            std::optional<Direction> d = EntryDirection(GetToken(2, entry, "|"), names_);
            if (d && !hasJump[Index(*d)]) {
                hasJump[Index(*d)] = true;
                jumpTarget[Index(*d)] = target;
            }
        }
        for (Direction d : kAllDirections) {
            if (!room.Link(d)) continue;
            if (hasJump[Index(d)]) {
                // A missing target was reported with its entry.
                const MudRoom* target = jumpTarget[Index(d)];
                if (target != nullptr && !target->Link(OppositeDirection(d)))
                    Problem(Where(zone, room) + ": linked " + NameOf(d) + " by a cross link whose room has no link " +
                            NameOf(OppositeDirection(d)));
                continue;
            }
            GridLink(zone, room, d);
        }
    }

private:
    void Problem(std::string text) { report_.Problems.push_back(std::move(text)); }

    const MudRoom* CrossLink(const std::string& zone, const MudRoom& room, const std::string& entry) {
        std::string targetZone = GetToken(1, entry, "|");
        std::optional<std::int32_t> number = ParseNumber(GetToken(3, entry, "|"));
        if (!world_.HasZone(targetZone)) {
            Problem(Where(zone, room) + ": the cross link \"" + entry + "\" names a missing zone");
            return nullptr;
        }
        if (!number) {
            Problem(Where(zone, room) + ": the cross link \"" + entry + "\" has no room number");
            return nullptr;
        }
        const MudRoom* target = world_.GlobalFindRoomByTag(*number, targetZone);
        if (target == nullptr) Problem(Where(zone, room) + ": the cross link \"" + entry + "\" names a missing room");
        return target;
    }

    // The partner is the first room that is not a corridor cell in that
    // direction; corridor cells on the way carry both flags of their axis.
    // From a corridor cell only the neighbour's presence is checked: a
    // missing flag at either end is reported once, by the room's own walk.
    void GridLink(const std::string& zone, const MudRoom& room, Direction d) {
        const GridStep step = StepOf(d);
        const Direction back = OppositeDirection(d);
        std::int64_t x = room.X, y = room.Y, l = room.L;
        const MudRoom* cell = nullptr;
        // A corridor is never longer than the zone has rooms.
        for (std::size_t steps = 0; steps <= world_.RoomCount(); ++steps) {
            x += step.DX;
            y += step.DY;
            l += step.DL;
            if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX || l < INT32_MIN || l > INT32_MAX)
                break;
            cell = world_.GlobalFindRoom(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                                         static_cast<std::int32_t>(l), zone);
            if (cell == nullptr || !cell->Pipe || room.Pipe) break;
            if (!cell->Link(back) || !cell->Link(d)) {
                Problem(Where(zone, *cell) + ": a corridor cell on the link " + NameOf(d) + " of " + Where(zone, room) +
                        " lacks a link flag of its axis");
                return;
            }
        }
        if (cell == nullptr) {
            Problem(Where(zone, room) + ": linked " + NameOf(d) + " but no room lies that way");
        } else if (!room.Pipe && !cell->Link(back)) {
            Problem(Where(zone, room) + ": linked " + NameOf(d) + ", but " + Where(zone, *cell) + " has no link " +
                    NameOf(back));
        }
    }

    const World& world_;
    const DirectionNames& names_;
    WorldCheckReport& report_;
};

}  // namespace

WorldCheckReport CheckWorld(const World& world, const DirectionNames& names) {
    WorldCheckReport report;
    report.Zones = world.Tree().Zones().size();
    report.Rooms = world.RoomCount();
    Checker checker(world, names, report);
    for (const RoomSlot& slot : world.AllRooms()) checker.Room(slot.Zone(), *slot.Room());
    return report;
}

namespace {

// A new world may hold only its profile; a directory with neither that nor a
// zone file is some other directory (the home, say), and "zones: 0" would
// read as success.
bool LooksLikeWorld(const std::string& directory, const std::string& profilePath) {
    if (FileExists(profilePath)) return true;
    const ZoneFileListing zones = ListZoneFiles(directory);
    return !zones.Files.empty() || !zones.Unusable.empty() || !zones.Duplicates.empty();
}

}  // namespace

int RunWorldCheck(const std::string& directory, std::ostream& out, std::ostream& err) {
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error)) {
        err << "trellan: " << directory << " is not a directory\n";
        return 2;
    }
    const std::string profilePath = JoinPath(directory, "local.ini");
    if (!LooksLikeWorld(directory, profilePath)) {
        err << "trellan: " << directory << " holds no zone file (*.tr2) and no local.ini: not a world directory\n";
        return 2;
    }
    const WorldProfile profile = ReadDirectoryProfile(directory);
    const ExitWords words = ProfileExitWords(profile);
    DirectionNames names;
    names.Phrases = profile.DirectionPhrases;
    names.MoveCommands = ProfileMoveCommands(profile);

    World world;
    StorageMessages messages;
    WorldReadResult read = ReadWorldFiles(world, directory, words, WorldReadMode::Load, "", messages);
    WorldCheckReport report = CheckWorld(world, names);

    std::vector<std::string> problems = read.Errors;
    problems.insert(problems.end(), report.Problems.begin(), report.Problems.end());
    std::string text;
    text += "zones: " + std::to_string(report.Zones) + "\n";
    text += "rooms: " + std::to_string(report.Rooms) + "\n";
    text += "corridor cells: " + std::to_string(report.CorridorCells) + "\n";
    text += "aliases: " + std::to_string(report.Aliases) + "\n";
    text += "cross-link entries: " + std::to_string(report.CrossLinks) + "\n";
    text += "problems: " + std::to_string(problems.size()) + "\n";
    for (const std::string& problem : problems) text += Cp1251ToUtf8(ReplaceAll(problem, "\r\n", "\n  ")) + "\n";
    out << text;
    out.flush();
    return problems.empty() ? 0 : 1;
}

}  // namespace trellan
