#include "storage/MudletImport.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <ostream>
#include <sstream>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

#include "common/FileIo.h"
#include "mapping/Directions.h"
#include "mapping/Linker.h"
#include "model/GridCell.h"
#include "model/zonefile/ZoneFileWriter.h"
#include "storage/MapsDirectory.h"
#include "storage/MudletMapFormat.h"
#include "storage/StorageNames.h"
#include "text/Cp1251.h"

namespace trellan {

namespace mf = mudlet_format;
namespace ud = mudlet_format::user_data;

namespace {

using Cell = GridCell;
using CellHash = GridCellHash;

template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
    T value{};
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::string CellText(const Cell& c) {
    return "(" + std::to_string(c.X) + ", " + std::to_string(c.Y) + ", " + std::to_string(c.L) + ")";
}

struct ZoneBuild {
    std::string Name;
    std::vector<std::unique_ptr<MudRoom>> Rooms;
    std::unordered_map<Cell, MudRoom*, CellHash> Cells;
    // How far the search for a free cell has gone around a taken cell, so
    // that many rooms on one cell do not search the same rings again.
    std::unordered_map<Cell, std::int64_t, CellHash> SearchedRings;
    // Where rooms go that find no free cell near their own.
    std::int32_t SpillLevel = 0;
    std::int32_t SpillColumn = 0;
};

struct PlacedRoom {
    const MudletRoom* Source = nullptr;
    std::size_t Zone = 0;
    MudRoom* Room = nullptr;
};

class Importer {
public:
    Importer(const MudletMap& map, const MappingConfig& config) : map_(map), config_(config) {}

    MudletImport Run() {
        for (const MudletArea& area : map_.Areas) {
            // Mudlet writes its default area even when it holds nothing.
            if (area.Id == mf::kDefaultAreaId && area.Rooms.empty()) continue;
            const std::size_t zone = zones_.size();
            zones_.emplace_back().Name = ZoneName(area);
            PlaceRooms(area, zone);
        }
        for (PlacedRoom& placed : rooms_) Exits(placed);
        MudletImport result;
        for (ZoneBuild& zone : zones_) result.Zones.push_back(ImportedZone{zone.Name, std::move(zone.Rooms)});
        report_.Zones = result.Zones.size();
        report_.Rooms = rooms_.size();
        result.Report = std::move(report_);
        return result;
    }

private:
    // Windows-1251, each character without a form counted.
    std::string Text(std::string_view utf8) {
        bool lossless = true;
        std::string text = Utf8ToCp1251(utf8, &lossless);
        if (!lossless)
            for (std::size_t i = 0; i < utf8.size();) {
                Utf8Sequence s = DecodeUtf8(utf8, i);
                std::string one;
                if (s.Valid) AppendUtf8(one, s.CodePoint);
                bool ok = s.Valid;
                if (ok) Utf8ToCp1251(one, &ok);
                if (!ok) ++report_.ReplacedCharacters;
                i += s.Length;
            }
        return text;
    }

    std::string UserText(const std::map<std::string, std::string>& data, std::string_view key) {
        auto it = data.find(std::string(key));
        return it == data.end() ? std::string() : Text(it->second);
    }

    void Note(std::string text) { report_.Notes.push_back(std::move(text)); }

    // The area's name as a zone name the player could have typed: what a
    // file name cannot hold becomes "_", ".tr2" goes, and a name still
    // refused (or taken by an earlier area) gets a made-up one.
    std::string ZoneName(const MudletArea& area) {
        const std::string original = Text(area.Name);
        std::string name;
        for (char c : original) {
            const auto b = static_cast<unsigned char>(c);
            name += (c == '/' || c == '\\' || c == '|' || b < 0x20 || b == 0x7F) ? '_' : c;
        }
        for (std::size_t at; (at = name.find(kZoneExtension)) != std::string::npos;) name.erase(at, kZoneExtension.size());
        while (!name.empty() && name.back() == ' ') name.pop_back();
        while (!name.empty() && name.front() == ' ') name.erase(0, 1);
        if (name.find_first_not_of('.') == std::string::npos) name.clear();
        while (ZoneNameProblem(name) == NameProblem::TooLong) name.pop_back();
        if (ZoneNameProblem(name)) name = "area " + std::to_string(area.Id);
        const std::string base = name;
        for (int n = 2; !zoneNames_.insert(name).second; ++n) name = base + " (" + std::to_string(n) + ")";
        if (name != original)
            Note("area " + std::to_string(area.Id) + " \"" + original + "\" became zone <" + name + ">");
        return name;
    }

    void PlaceRooms(const MudletArea& area, std::size_t zoneIndex) {
        ZoneBuild& zone = zones_[zoneIndex];
        // Numbers kept from an export first, the rest numbered after them.
        std::unordered_set<std::int32_t> taken;
        std::vector<std::int32_t> numbers(area.Rooms.size(), 0);
        std::int32_t highest = 0;
        for (std::size_t i = 0; i < area.Rooms.size(); ++i) {
            auto it = area.Rooms[i].UserData.find(std::string(ud::kNumber));
            if (it == area.Rooms[i].UserData.end()) continue;
            std::optional<std::int32_t> n = ParseNumber<std::int32_t>(it->second);
            if (n && *n > 0 && taken.insert(*n).second) {
                numbers[i] = *n;
                highest = std::max(highest, *n);
            }
        }
        std::optional<Cell> areaView = ViewOf(area.UserData);
        std::int32_t highestLevel = std::numeric_limits<std::int32_t>::min();
        for (const MudletRoom& source : area.Rooms) highestLevel = std::max(highestLevel, source.Z);
        zone.SpillLevel = highestLevel == std::numeric_limits<std::int32_t>::max() ? highestLevel : highestLevel + 1;
        for (std::size_t i = 0; i < area.Rooms.size(); ++i) {
            const MudletRoom& source = area.Rooms[i];
            auto room = std::make_unique<MudRoom>();
            if (numbers[i] == 0) {
                if (highest == std::numeric_limits<std::int32_t>::max()) highest = 0;
                while (taken.count(highest + 1) != 0) ++highest;
                numbers[i] = ++highest;
                taken.insert(highest);
            }
            room->Tag = numbers[i];
            Cell cell{-source.Y, source.X, source.Z};
            if (zone.Cells.count(cell) != 0) {
                Cell free = FreeCell(zone, cell);
                ++report_.SharedCells;
                Note("zone <" + zone.Name + "> room " + std::to_string(source.Id) + ": its cell " + CellText(cell) +
                     " is taken, placed at " + CellText(free));
                cell = free;
            }
            room->X = cell.X;
            room->Y = cell.Y;
            room->L = cell.L;
            std::optional<Cell> view = ViewOf(source.UserData);
            if (!view) view = areaView;
            if (!view) view = areaView = cell;
            room->DX = view->X;
            room->DY = view->Y;
            room->DL = view->L;
            Fields(source, *room);
            MudRoom* added = zone.Rooms.emplace_back(std::move(room)).get();
            zone.Cells.emplace(cell, added);
            if (!ids_.emplace(source.Id, rooms_.size()).second)
                Note("zone <" + zone.Name + "> room " + std::to_string(source.Id) +
                     ": the id is used twice; exits to it reach the first");
            rooms_.push_back(PlacedRoom{&source, zoneIndex, added});
        }
    }

    static std::optional<Cell> ViewOf(const std::map<std::string, std::string>& data) {
        auto it = data.find(std::string(ud::kView));
        if (it == data.end()) return std::nullopt;
        std::istringstream in(it->second);
        std::int32_t dx = 0, dy = 0, dl = 0;
        if (!(in >> dx >> dy >> dl)) return std::nullopt;
        return Cell{dx, dy, dl};
    }

    // The nearest free cell on the same level, ring after ring around it,
    // up to kSearchRings away; beyond that (a crowd no map of a real MUD
    // has) a row of its own on a level above every room of the area, so
    // that a hostile file cannot make the search long.
    static constexpr std::int64_t kSearchRings = 8;

    static Cell FreeCell(ZoneBuild& zone, const Cell& cell) {
        std::int64_t& ring = zone.SearchedRings[cell];
        while (ring < kSearchRings) {
            const std::int64_t r = ++ring;
            for (std::int64_t dx = -r; dx <= r; ++dx) {
                const std::int64_t step = (dx == -r || dx == r) ? 1 : 2 * r;
                for (std::int64_t dy = -r; dy <= r; dy += step) {
                    const std::int64_t x = cell.X + dx, y = cell.Y + dy;
                    if (x < std::numeric_limits<std::int32_t>::min() || x > std::numeric_limits<std::int32_t>::max() ||
                        y < std::numeric_limits<std::int32_t>::min() || y > std::numeric_limits<std::int32_t>::max())
                        continue;
                    Cell c{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), cell.L};
                    if (zone.Cells.count(c) == 0) {
                        --ring;  // this ring may hold more free cells
                        return c;
                    }
                }
            }
        }
        for (;;) {
            Cell c{0, zone.SpillColumn, zone.SpillLevel};
            if (zone.SpillColumn == std::numeric_limits<std::int32_t>::max()) {
                zone.SpillColumn = 0;
                --zone.SpillLevel;  // only after four billion crowded rooms
            } else {
                ++zone.SpillColumn;
            }
            if (zone.Cells.count(c) == 0) return c;
        }
    }

    void Fields(const MudletRoom& source, MudRoom& room) {
        for (char c : Text(source.Name)) room.Hint += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        room.Description = UserText(source.UserData, ud::kDescription);
        if (room.Description.empty()) room.Description = UserText(source.UserData, "description");
        room.QuickList = UserText(source.UserData, ud::kAlias);
        room.Note = UserText(source.UserData, ud::kNote);
        auto marks = source.UserData.find(std::string(ud::kMarks));
        if (marks != source.UserData.end()) {
            std::istringstream in(marks->second);
            for (std::string mark; in >> mark;) {
                room.DT = room.DT || mark == "DT";
                room.FlyDT = room.FlyDT || mark == "FlyDT";
                room.Agro = room.Agro || mark == "Agro";
                room.NoStep = room.NoStep || mark == "NoStep";
            }
        } else {
            // Mudlet's locked room is one its speedwalk never enters.
            room.NoStep = source.Locked;
        }
        auto image = source.UserData.find(std::string(ud::kImage));
        if (image != source.UserData.end()) room.ImageIndex = ParseNumber<std::int32_t>(image->second).value_or(0);
        room.BColor = config_.SkinRoomColor;
        auto color = source.UserData.find(std::string(ud::kColor));
        std::optional<std::uint32_t> stored;
        if (color != source.UserData.end()) stored = ParseNumber<std::uint32_t>(color->second);
        if (stored) {
            room.BColor = *stored;
        } else if (source.Environment) {
            auto it = map_.EnvironmentColors.find(*source.Environment);
            if (it != map_.EnvironmentColors.end()) room.BColor = it->second;
        }
    }

    struct Target {
        std::size_t Zone;
        MudRoom* Room;
    };

    void Exits(PlacedRoom& placed) {
        const MudletRoom& source = *placed.Source;
        MudRoom& room = *placed.Room;
        std::array<ExitStatus, kDirectionCount> shown{};
        for (const MudletExit& exit : source.Exits) {
            const std::string command = UserText(source.UserData, std::string(ud::kCommandPrefix) + exit.Name);
            std::optional<Direction> d;
            for (Direction dir : kAllDirections)
                if (mf::kDirectionNames[Index(dir)] == exit.Name) d = dir;
            if (d) shown[Index(*d)] = DoorStatus(exit.Door);
            auto it = ids_.find(exit.Target);
            if (it == ids_.end()) {
                ++report_.DanglingExits;
                Note("zone <" + zones_[placed.Zone].Name + "> room " + std::to_string(source.Id) + ": the exit \"" +
                     Text(exit.Name) + "\" leads to room " + std::to_string(exit.Target) + ", which the file lacks");
                continue;
            }
            const PlacedRoom& target = rooms_[it->second];
            if (d) {
                room.Link(*d) = true;
                if (command.empty() && target.Zone == placed.Zone && GridLink(placed, *target.Room, *d)) {
                    ++report_.GridLinks;
                } else {
                    AddEntry(room, target, config_.DirectionPhrases[Index(*d)], command);
                }
                continue;
            }
            std::string exitText;
            for (const auto& offGrid : mf::kOffGridExits)
                if (offGrid.Name == exit.Name) exitText = offGrid.Command;
            if (exitText.empty()) {
                exitText = Text(exit.Name);
                std::replace(exitText.begin(), exitText.end(), '|', '/');
            }
            ++report_.OffGridExits;
            AddEntry(room, target, exitText, command);
        }
        for (const MudletExit& stub : source.Stubs)
            for (Direction dir : kAllDirections)
                if (mf::kDirectionNames[Index(dir)] == stub.Name) shown[Index(dir)] = DoorStatus(stub.Door);

        auto exitsText = source.UserData.find(std::string(ud::kExits));
        if (exitsText != source.UserData.end()) {
            room.SetExits(Text(exitsText->second), config_.Words);
            return;
        }
        std::string exits;
        for (Direction dir : kAllDirections) {
            if (shown[Index(dir)] == ExitStatus::Absent) continue;
            if (!exits.empty()) exits += ' ';
            const std::string& word = config_.Words[dir];
            exits += shown[Index(dir)] == ExitStatus::ClosedDoor ? "(" + word + ")" : word;
        }
        room.SetExits(exits, config_.Words);
    }

    static ExitStatus DoorStatus(const std::string& door) {
        return door == mf::kDoorClosed || door == mf::kDoorLocked ? ExitStatus::ClosedDoor : ExitStatus::Present;
    }

    void AddEntry(MudRoom& room, const PlacedRoom& target, const std::string& exit, const std::string& command) {
        std::string entry = zones_[target.Zone].Name + "|" + exit + "|" + std::to_string(target.Room->Tag);
        if (!command.empty()) entry += "|" + command;
        if (std::find(room.AutoMaps.begin(), room.AutoMaps.end(), entry) != room.AutoMaps.end()) return;
        room.AutoMaps.push_back(std::move(entry));
        ++report_.CrossLinks;
    }

    // A link on the grid: the rooms in line on one level (or neighbours up
    // and down), every cell between them free or already a corridor cell of
    // this axis. The missing corridor cells are laid.
    bool GridLink(const PlacedRoom& from, const MudRoom& to, Direction d) {
        const MudRoom& a = *from.Room;
        if (&a == &to) return false;
        const GridStep step = StepOf(d);
        std::int64_t distance = 0;
        if (!IsHorizontal(d)) {
            if (to.X != a.X || to.Y != a.Y || static_cast<std::int64_t>(to.L) - a.L != step.DL) return false;
            return true;
        }
        if (to.L != a.L) return false;
        if (step.DX != 0) {
            if (to.Y != a.Y) return false;
            distance = (static_cast<std::int64_t>(to.X) - a.X) * step.DX;
        } else {
            if (to.X != a.X) return false;
            distance = (static_cast<std::int64_t>(to.Y) - a.Y) * step.DY;
        }
        if (distance <= 0 || distance - 1 > Linker::kMaxCorridor) return false;
        ZoneBuild& zone = zones_[from.Zone];
        const Direction back = OppositeDirection(d);
        auto cellAt = [&](std::int64_t k) {
            return Cell{static_cast<std::int32_t>(a.X + step.DX * k), static_cast<std::int32_t>(a.Y + step.DY * k),
                        a.L};
        };
        for (std::int64_t k = 1; k < distance; ++k) {
            auto it = zone.Cells.find(cellAt(k));
            if (it != zone.Cells.end() && !(it->second->Pipe && it->second->Link(d) && it->second->Link(back)))
                return false;
        }
        const std::string exits = CorridorExits(d, config_, CorridorWordOrder::WestFirst);
        for (std::int64_t k = 1; k < distance; ++k) {
            const Cell cell = cellAt(k);
            if (zone.Cells.count(cell) != 0) continue;
            auto pipe = std::make_unique<MudRoom>();
            pipe->Description = "Pipe";
            pipe->BColor = config_.SkinRoomColor;
            pipe->X = cell.X;
            pipe->Y = cell.Y;
            pipe->L = cell.L;
            pipe->DX = a.DX;
            pipe->DY = a.DY;
            pipe->DL = a.DL;
            pipe->SetExits(exits, config_.Words);
            pipe->Pipe = true;
            pipe->Link(d) = true;
            pipe->Link(back) = true;
            zone.Cells.emplace(cell, zone.Rooms.emplace_back(std::move(pipe)).get());
            ++report_.CorridorCells;
        }
        return true;
    }

    const MudletMap& map_;
    const MappingConfig& config_;
    MudletImportReport report_;
    std::vector<ZoneBuild> zones_;
    std::unordered_set<std::string> zoneNames_;
    std::vector<PlacedRoom> rooms_;
    std::unordered_map<std::int64_t, std::size_t> ids_;
};

}  // namespace

MudletImport ImportMudletMap(std::string_view json, const MappingConfig& config) {
    MudletMap map = ReadMudletMap(json);
    return Importer(map, config).Run();
}

void WriteImportedWorld(const std::string& directory, const MudletImport& import) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::exists(directory, error)) {
        if (!fs::is_directory(directory, error) || !fs::is_empty(directory, error))
            throw MudletMapError(directory + " exists and is not an empty directory");
    } else if (!fs::create_directories(directory, error)) {
        throw FileWriteError(directory);
    }
    for (const ImportedZone& zone : import.Zones)
        WriteZoneFile(JoinPath(directory, DefaultZoneFileName(zone.Name)), zone.Rooms, false);
}

int RunMudletImport(const std::string& jsonPath, const std::string& directory, std::ostream& out,
                    std::ostream& err) {
    std::optional<std::string> json = ReadWholeFile(jsonPath);
    if (!json) {
        err << "trellan: Unable to read " << jsonPath << "\n";
        return 1;
    }
    MudletImport import;
    try {
        import = ImportMudletMap(*json, MappingConfig());
        WriteImportedWorld(directory, import);
    } catch (const TrellanError& e) {
        err << "trellan: " << jsonPath << ": " << e.what() << "; nothing written\n";
        return 1;
    }
    const MudletImportReport& r = import.Report;
    std::string text;
    text += "zones: " + std::to_string(r.Zones) + "\n";
    text += "rooms: " + std::to_string(r.Rooms) + "\n";
    text += "corridor cells: " + std::to_string(r.CorridorCells) + "\n";
    text += "links on the grid: " + std::to_string(r.GridLinks) + "\n";
    text += "cross-link entries: " + std::to_string(r.CrossLinks) + "\n";
    text += "exits off the grid (kept as cross-link entries): " + std::to_string(r.OffGridExits) + "\n";
    text += "characters without a Windows-1251 form (shown as ?): " + std::to_string(r.ReplacedCharacters) + "\n";
    text += "rooms that shared a cell (moved to a free one): " + std::to_string(r.SharedCells) + "\n";
    text += "exits to missing rooms (dropped): " + std::to_string(r.DanglingExits) + "\n";
    for (const std::string& note : r.Notes) text += Cp1251ToUtf8(note) + "\n";
    out << text;
    out.flush();
    return 0;
}

}  // namespace trellan
