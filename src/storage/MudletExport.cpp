#include "storage/MudletExport.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <system_error>
#include <unordered_map>

#include "common/Errors.h"
#include "common/FileIo.h"
#include "mapping/CrossLinkEntry.h"
#include "mapping/Directions.h"
#include "model/RoomDefaults.h"
#include "model/World.h"
#include "settings/WorldProfile.h"
#include "storage/MapsDirectory.h"
#include "storage/MudletMapFormat.h"
#include "storage/StorageMessages.h"
#include "storage/WorldReader.h"
#include "text/Cp1251.h"

namespace trellan {

namespace mf = mudlet_format;
namespace ud = mudlet_format::user_data;

namespace {

// Qt's QJsonObject keeps its keys sorted, and so does nlohmann::json: the
// keys come out in the order Mudlet writes them.
using Json = nlohmann::json;

std::string Where(const std::string& zone, const MudRoom& room) {
    return "zone <" + zone + "> room " + std::to_string(room.Tag);
}

std::string ViewText(const MudRoom& room) {
    return std::to_string(room.DX) + " " + std::to_string(room.DY) + " " + std::to_string(room.DL);
}

std::string MarksText(const MudRoom& room) {
    std::string marks;
    auto add = [&marks](bool set, const char* name) {
        if (!set) return;
        if (!marks.empty()) marks += ' ';
        marks += name;
    };
    add(room.DT, "DT");
    add(room.FlyDT, "FlyDT");
    add(room.Agro, "Agro");
    add(room.NoStep, "NoStep");
    return marks;
}

Json Rgb(std::uint32_t color) {
    return Json::array({color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF});
}

class Exporter {
public:
    Exporter(const World& world, const MappingConfig& config, MudletExportReport& report)
        : world_(world), config_(config), report_(report) {}

    // The file is written compact and area by area: a whole map's tree at
    // once would take several times the file's size in memory.
    std::string Run() {
        NumberRooms();
        std::string areas = "[";
        int areaId = 0;
        for (const ZoneNode& zone : world_.Tree().Zones()) {
            if (areaId != 0) areas += ',';
            areas += Area(++areaId, zone.Text);
        }
        // Mudlet always has its default area and writes it like any other.
        if (areaId != 0) areas += ',';
        areas += Json{{"id", mf::kDefaultAreaId},
                      {"name", mf::kDefaultAreaName},
                      {"roomCount", 0},
                      {"rooms", Json::array()}}
                     .dump();
        areas += ']';
        report_.Areas = static_cast<std::size_t>(areaId);

        Json colors = Json::array();
        for (const auto& [rgb, id] : environments_) colors.push_back(Json{{"id", id}, {"color24RGB", Rgb(rgb)}});

        Json map = Json::object();
        map["formatVersion"] = mf::kFormatVersion;
        map["areas"] = kPlaceholder;
        map["areaCount"] = areaId + 1;
        map["roomCount"] = report_.Rooms;
        map["labelCount"] = 0;
        map["defaultAreaName"] = mf::kDefaultAreaName;
        map["anonymousAreaName"] = mf::kUnnamedAreaName;
        map["customEnvColors"] = std::move(colors);
        map["playersRoomId"] = Json::object();
        // Mudlet's own defaults for the player's marker and the symbol font:
        // a reader that finds none sets the marker to nothing.
        map["mapSymbolFontDetails"] = "Bitstream Vera Sans Mono,12,-1,5,50,0,0,0,0,0";
        map["mapSymbolFontFudgeFactor"] = 1.0;
        map["onlyMapSymbolFontToBeUsed"] = false;
        map["playerRoomColors"] = Json::array({Json{{"color24RGB", Json::array({255, 0, 0})}},
                                               Json{{"color24RGB", Json::array({255, 255, 255})}}});
        map["playerRoomStyle"] = 0;
        map["playerRoomOuterDiameterPercentage"] = 120;
        map["playerRoomInnerDiameterPercentage"] = 70;
        return Splice(map.dump(), areas) + "\n";
    }

private:
    // Mudlet's room ids are unique in the whole map, Trellan's numbers only
    // in a zone: rooms are numbered 1, 2, ... in zone and file order.
    void NumberRooms() {
        int next = 0;
        for (const ZoneNode& zone : world_.Tree().Zones())
            for (const RoomSlot& slot : world_.RoomsOfZone(zone.Text))
                if (!slot.Room()->Pipe) ids_.emplace(slot.Room(), ++next);
        report_.Rooms = static_cast<std::size_t>(next);
    }

    int IdOf(const MudRoom* room) const {
        auto it = ids_.find(room);
        return it == ids_.end() ? 0 : it->second;
    }

    int Environment(std::uint32_t color) {
        // A system colour has no RGB of its own; it is drawn silver and
        // kept in the user data.
        const std::uint32_t rgb = (color & 0x80000000u) != 0 ? room_defaults::BColor : (color & 0xFFFFFF);
        auto [it, added] = environments_.emplace(rgb, mf::kFirstEnvironment + static_cast<int>(environments_.size()));
        return it->second;
    }

    std::string Area(int id, const std::string& zone) {
        std::string rooms = "[";
        std::size_t count = 0;
        std::optional<std::string> view;
        for (const RoomSlot& slot : world_.RoomsOfZone(zone)) {
            const MudRoom& room = *slot.Room();
            if (room.Pipe) continue;
            if (!view) view = ViewText(room);
            if (count++ != 0) rooms += ',';
            rooms += Room(zone, room, *view).dump();
        }
        rooms += ']';
        Json area{{"id", id}, {"name", Cp1251ToUtf8(zone)}, {"roomCount", count}, {"rooms", kPlaceholder}};
        if (view) area["userData"] = Json{{ud::kView, *view}};
        return Splice(area.dump(), rooms);
    }

    // The one placeholder string in `text` replaced by `value`; the
    // placeholder holds control characters, which no zone name has and
    // every JSON text escapes, so it is met nowhere else.
    static std::string Splice(const std::string& text, const std::string& value) {
        const std::string placeholder = Json(kPlaceholder).dump();
        const std::size_t at = text.find(placeholder);
        return text.substr(0, at) + value + text.substr(at + placeholder.size());
    }
    static constexpr const char* kPlaceholder = "\x01trellan splice\x01";

    struct ExitOut {
        int Target = 0;
        std::string Command;  // Windows-1251
    };

    Json Room(const std::string& zone, const MudRoom& room, const std::string& areaView) {
        Json out = Json::object();
        out["id"] = IdOf(&room);
        if (!room.Hint.empty()) out["name"] = Cp1251ToUtf8(room.Hint);
        // Mudlet's y grows north, Trellan's row grows south.
        out["coordinates"] = Json::array({room.Y, -static_cast<std::int64_t>(room.X), room.L});
        out["environment"] = Environment(room.BColor);
        if (room.DT || room.NoStep) out["locked"] = true;

        Json userData = Json::object();
        auto keep = [&userData](std::string_view key, const std::string& text) {
            if (!text.empty()) userData[std::string(key)] = Cp1251ToUtf8(text);
        };
        keep(ud::kNumber, std::to_string(room.Tag));
        keep(ud::kDescription, room.Description);
        keep(ud::kExits, room.Exits());
        keep(ud::kAlias, room.QuickList);
        keep(ud::kNote, room.Note);
        keep(ud::kMarks, MarksText(room));
        if (room.ImageIndex != 0) keep(ud::kImage, std::to_string(room.ImageIndex));
        if ((room.BColor & 0x80000000u) != 0) keep(ud::kColor, std::to_string(room.BColor));
        if (ViewText(room) != areaView) keep(ud::kView, ViewText(room));

        std::array<std::optional<ExitOut>, kDirectionCount> normal;
        std::vector<std::pair<std::string, ExitOut>> special;  // name in Windows-1251
        for (const std::string& text : room.AutoMaps) {
            CrossLinkEntry entry = CrossLinkEntry::Parse(text);
            std::optional<std::int32_t> number = entry.RoomNumber();
            const MudRoom* target = number && *number != 0 ? world_.GlobalFindRoomByTag(*number, entry.Zone) : nullptr;
            if (target == nullptr || target->Pipe) {
                Unresolved(Where(zone, room) + ": the cross link \"" + text + "\" reaches no room");
                continue;
            }
            ExitOut exit{IdOf(target), entry.Rest.empty() ? std::string() : entry.Rest.substr(1)};
            std::optional<Direction> d = TextDirection(entry.Exit, config_);
            if (d && !normal[Index(*d)]) {
                normal[Index(*d)] = exit;
                continue;
            }
            bool taken = entry.Exit.empty();
            for (const auto& s : special) taken = taken || s.first == entry.Exit;
            if (taken) {
                Unresolved(Where(zone, room) + ": the cross link \"" + text + "\" repeats an exit");
                continue;
            }
            special.emplace_back(entry.Exit, exit);
        }
        for (Direction d : kAllDirections) {
            if (!room.Link(d) || normal[Index(d)]) continue;
            if (const MudRoom* target = GridPartner(zone, room, d)) {
                normal[Index(d)] = ExitOut{IdOf(target), {}};
            } else {
                Unresolved(Where(zone, room) + ": the link " + std::string(mf::kDirectionNames[Index(d)]) +
                           " reaches no room");
            }
        }

        Json exits = Json::array();
        Json stubs = Json::array();
        for (Direction d : kAllDirections) {
            const std::string name(mf::kDirectionNames[Index(d)]);
            const bool door = room.ExitState(d) == ExitStatus::ClosedDoor;
            if (const auto& exit = normal[Index(d)]) {
                Json e{{"name", name}, {"exitId", exit->Target}};
                if (door) e["door"] = mf::kDoorClosed;
                exits.push_back(std::move(e));
                if (!exit->Command.empty()) keep(std::string(ud::kCommandPrefix) + name, exit->Command);
            } else if (room.ExitState(d) != ExitStatus::Absent) {
                // An exit the MUD shows that leads nowhere on the map yet.
                Json stub{{"name", name}};
                if (door) stub["door"] = mf::kDoorClosed;
                stubs.push_back(std::move(stub));
            }
        }
        for (const auto& [name, exit] : special) {
            const std::string utf8 = Cp1251ToUtf8(name);
            exits.push_back(Json{{"name", utf8}, {"exitId", exit.Target}});
            if (!exit.Command.empty()) keep(std::string(ud::kCommandPrefix) + name, exit.Command);
        }
        report_.Exits += exits.size();
        report_.SpecialExits += special.size();
        out["exits"] = std::move(exits);
        if (!stubs.empty()) out["stubExits"] = std::move(stubs);
        if (!userData.empty()) out["userData"] = std::move(userData);
        return out;
    }

    // The first room that is not a corridor cell that way, as the link
    // flags mean it.
    const MudRoom* GridPartner(const std::string& zone, const MudRoom& room, Direction d) const {
        std::int32_t x = room.X, y = room.Y, l = room.L;
        for (std::size_t steps = 0; steps <= world_.RoomCount(); ++steps) {
            StepCell(d, x, y, l);
            const MudRoom* cell = world_.GlobalFindRoom(x, y, l, zone);
            if (cell == nullptr) return nullptr;
            if (!cell->Pipe) return cell;
        }
        return nullptr;
    }

    void Unresolved(std::string problem) {
        ++report_.Unresolved;
        report_.Problems.push_back(std::move(problem));
    }

    const World& world_;
    const MappingConfig& config_;
    MudletExportReport& report_;
    std::unordered_map<const MudRoom*, int> ids_;
    std::unordered_map<std::uint32_t, int> environments_;
};

}  // namespace

std::string ExportMudletMap(const World& world, const MappingConfig& config, MudletExportReport& report) {
    return Exporter(world, config, report).Run();
}

int RunMudletExport(const std::string& directory, const std::string& outPath, std::ostream& out, std::ostream& err) {
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error)) {
        err << "trellan: " << directory << " is not a directory\n";
        return 2;
    }
    const MappingConfig config = MappingConfig::FromProfile(ReadDirectoryProfile(directory), room_defaults::BColor);

    World world;
    StorageMessages messages;
    WorldReadResult read = ReadWorldFiles(world, directory, config.Words, WorldReadMode::Load, "", messages);
    MudletExportReport report;
    std::string json = ExportMudletMap(world, config, report);
    try {
        WriteFileAtomically(outPath, json);
    } catch (const TrellanError& e) {
        err << "trellan: " << e.what() << "\n";
        return 2;
    }
    std::vector<std::string> problems = read.Errors;
    problems.insert(problems.end(), report.Problems.begin(), report.Problems.end());
    std::string text;
    text += "areas: " + std::to_string(report.Areas) + "\n";
    text += "rooms: " + std::to_string(report.Rooms) + "\n";
    text += "exits: " + std::to_string(report.Exits) + "\n";
    text += "special exits: " + std::to_string(report.SpecialExits) + "\n";
    text += "not carried over: " + std::to_string(problems.size()) + "\n";
    for (const std::string& problem : problems) text += Cp1251ToUtf8(problem) + "\n";
    out << text;
    out.flush();
    return problems.empty() ? 0 : 1;
}

}  // namespace trellan
