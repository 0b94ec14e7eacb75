#include "storage/WorldMerge.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <system_error>
#include <unordered_map>

#include "common/Errors.h"
#include "common/FileIo.h"
#include "mapping/CrossLinkEntry.h"
#include "mapping/MappingConfig.h"
#include "model/GridCell.h"
#include "model/World.h"
#include "model/zonefile/ZoneFileWriter.h"
#include "settings/WorldProfile.h"
#include "storage/MapsDirectory.h"
#include "storage/StorageMessages.h"
#include "storage/StorageNames.h"
#include "storage/WorldReader.h"
#include "text/Cp1251.h"

namespace trellan {

namespace {

using Cell = GridCell;
using CellHash = GridCellHash;

Cell CellOf(const MudRoom& room) {
    return Cell{room.X, room.Y, room.L};
}

std::string CellText(const MudRoom& room) {
    return "(" + std::to_string(room.X) + ", " + std::to_string(room.Y) + ", " + std::to_string(room.L) + ")";
}

// A zone being merged: copies of my rooms, then what THEIRS adds.
struct Work {
    MergedZone Zone;
    std::unordered_map<Cell, MudRoom*, CellHash> Cells;
    std::set<std::int32_t> Tags;
    bool Changed = false;

    MudRoom* Add(const MudRoom& room) {
        MudRoom* copy = Zone.Rooms.emplace_back(std::make_unique<MudRoom>(room)).get();
        Cells.emplace(CellOf(*copy), copy);  // the first room of a cell is the one seen
        if (!copy->Pipe) Tags.insert(copy->Tag);
        return copy;
    }
    std::int32_t FreeTag() const {
        std::int32_t tag = Tags.empty() ? 1 : *Tags.rbegin() + 1;
        if (tag <= 0) tag = 1;  // past the top: the lowest free one
        while (Tags.count(tag) != 0) ++tag;
        return tag;
    }
};

class Merger {
public:
    Merger(const World& mine, const World& theirs, MergePreference preference)
        : mine_(mine), theirs_(theirs), preference_(preference) {}

    WorldMerge Run() {
        for (const RoomSlot& slot : mine_.AllRooms())
            if (!slot.Room()->QuickList.empty()) aliases_.insert(UpperCp1251(slot.Room()->QuickList));
        for (const ZoneNode& node : theirs_.Tree().Zones()) {
            const std::string& zone = node.Text;
            if (std::optional<NameProblem> problem = ZoneNameProblem(zone)) {
                refused_.insert(zone);
                ++report_.RefusedZones;
                Line("zone <" + zone + "> of theirs is left out: its name cannot be a zone's here");
                continue;
            }
            if (mine_.HasZone(zone))
                MergeZone(zone);
            else
                CopyZone(zone);
        }
        for (const Carried& c : carry_) works_[c.Work].Changed |= CarryEntries(*c.Room, *c.Source);
        WorldMerge result;
        for (Work& work : works_) {
            if (!work.Zone.New && !work.Changed) continue;
            (work.Zone.New ? report_.CopiedZones : report_.MergedZones) += 1;
            result.Zones.push_back(std::move(work.Zone));
        }
        result.Report = std::move(report_);
        return result;
    }

private:
    void Line(std::string text) { report_.Lines.push_back(std::move(text)); }

    void CopyZone(const std::string& zone) {
        Work& work = works_.emplace_back();
        work.Zone.Name = zone;
        work.Zone.New = true;
        for (const RoomSlot& slot : theirs_.RoomsOfZone(zone)) {
            MudRoom* room = work.Add(*slot.Room());
            room->AutoMaps.clear();
            carry_.push_back({room, slot.Room(), works_.size() - 1});
            TakeAlias(zone, *room, slot.Room()->QuickList);
            ++report_.AddedRooms;
        }
    }

    void MergeZone(const std::string& zone) {
        Work& work = works_.emplace_back();
        work.Zone.Name = zone;
        for (const RoomSlot& slot : mine_.RoomsOfZone(zone)) work.Add(*slot.Room());
        // Numbers of the rooms THEIRS adds are taken only after every room
        // of mine has claimed its own.
        std::vector<const MudRoom*> added;
        for (const RoomSlot& slot : theirs_.RoomsOfZone(zone)) {
            const MudRoom& theirs = *slot.Room();
            auto it = work.Cells.find(CellOf(theirs));
            if (it == work.Cells.end()) {
                added.push_back(&theirs);
                continue;
            }
            MudRoom& mine = *it->second;
            Renumber(zone, theirs.Tag, mine.Tag, mine.Pipe || theirs.Pipe);
            if (mine.Pipe != theirs.Pipe) {
                Conflict(zone, mine, theirs, "a room against a corridor cell", false);
            } else if (mine.Hint == theirs.Hint && mine.Exits() == theirs.Exits() &&
                       mine.Description == theirs.Description) {
                ++report_.MatchedRooms;
                for (Direction d : kAllDirections)
                    if (theirs.Link(d) && !mine.Link(d)) {
                        mine.Link(d) = true;
                        work.Changed = true;
                    }
                if (mine.QuickList.empty() && !theirs.QuickList.empty()) {
                    TakeAlias(zone, mine, theirs.QuickList);
                    work.Changed = true;
                }
                carry_.push_back({&mine, &theirs, works_.size() - 1});
            } else {
                std::string what;
                auto differs = [&what](bool differ, const char* field) {
                    if (!differ) return;
                    if (!what.empty()) what += ", ";
                    what += field;
                };
                differs(mine.Hint != theirs.Hint, "name");
                differs(mine.Exits() != theirs.Exits(), "exits");
                differs(mine.Description != theirs.Description, "description");
                const bool take = preference_ == MergePreference::Theirs;
                Conflict(zone, mine, theirs, what + " differ", take);
                if (take) {
                    const std::int32_t tag = mine.Tag;
                    if (!mine.QuickList.empty()) aliases_.erase(UpperCp1251(mine.QuickList));
                    mine = theirs;
                    mine.Tag = tag;
                    mine.AutoMaps.clear();
                    mine.QuickList.clear();
                    TakeAlias(zone, mine, theirs.QuickList);
                    carry_.push_back({&mine, &theirs, works_.size() - 1});
                    work.Changed = true;
                }
            }
        }
        for (const MudRoom* theirs : added) {
            const bool taken = !theirs->Pipe && work.Tags.count(theirs->Tag) != 0;
            MudRoom* room = work.Add(*theirs);
            room->AutoMaps.clear();
            if (taken) {
                room->Tag = work.FreeTag();
                work.Tags.insert(room->Tag);
                Renumber(zone, theirs->Tag, room->Tag, false);
            }
            TakeAlias(zone, *room, theirs->QuickList);
            carry_.push_back({room, theirs, works_.size() - 1});
            ++report_.AddedRooms;
            work.Changed = true;
        }
    }

    void Renumber(const std::string& zone, std::int32_t from, std::int32_t to, bool corridor) {
        if (corridor || from == to) return;
        if (!renumbered_.emplace(std::make_pair(zone, from), to).second) return;
        ++report_.Renumbered;
        Line("zone <" + zone + "> room " + std::to_string(from) + " of theirs is room " + std::to_string(to));
    }

    void Conflict(const std::string& zone, const MudRoom& mine, const MudRoom& theirs, const std::string& what,
                  bool tookTheirs) {
        ++report_.Conflicts;
        Line("zone <" + zone + "> " + CellText(mine) + ": mine \"" + mine.Hint + "\", theirs \"" + theirs.Hint +
             "\": " + what + "; " + (tookTheirs ? "took theirs" : "kept mine"));
    }

    void TakeAlias(const std::string& zone, MudRoom& room, const std::string& alias) {
        room.QuickList.clear();
        if (alias.empty()) return;
        std::string name = alias;
        for (int n = 2; aliases_.count(UpperCp1251(name)) != 0; ++n) name = alias + "_" + std::to_string(n);
        aliases_.insert(UpperCp1251(name));
        room.QuickList = name;
        if (name == alias) return;
        ++report_.RenamedAliases;
        Line("zone <" + zone + "> room " + std::to_string(room.Tag) + ": the alias \"" + alias +
             "\" is taken; it is \"" + name + "\"");
    }

    // Their entries, numbers following the renumbering, added where the
    // room lacks them; true when one was.
    bool CarryEntries(MudRoom& room, const MudRoom& source) {
        bool added = false;
        for (const std::string& text : source.AutoMaps) {
            CrossLinkEntry entry = CrossLinkEntry::Parse(text);
            if (refused_.count(entry.Zone) != 0) continue;
            std::string carried = text;
            if (std::optional<std::int32_t> number = entry.RoomNumber()) {
                auto it = renumbered_.find(std::make_pair(entry.Zone, *number));
                if (it != renumbered_.end()) carried = RewriteCrossLink(text, entry.Zone, entry.Exit, it->second);
            }
            if (std::find(room.AutoMaps.begin(), room.AutoMaps.end(), carried) == room.AutoMaps.end()) {
                room.AutoMaps.push_back(std::move(carried));
                added = true;
            }
        }
        return added;
    }

    const World& mine_;
    const World& theirs_;
    MergePreference preference_;
    WorldMergeReport report_;
    std::vector<Work> works_;
    std::set<std::string> aliases_;  // upper-cased, the whole world's
    std::set<std::string> refused_;
    std::map<std::pair<std::string, std::int32_t>, std::int32_t> renumbered_;
    // Rooms that take entries from THEIRS once every renumbering is known.
    struct Carried {
        MudRoom* Room;
        const MudRoom* Source;
        std::size_t Work;
    };
    std::vector<Carried> carry_;
};

struct LoadedWorld {
    World Rooms;
    WorldReadResult Read;
};

void Load(const std::string& directory, LoadedWorld& world) {
    const WorldProfile profile = ReadDirectoryProfile(directory);
    StorageMessages messages;
    world.Read =
        ReadWorldFiles(world.Rooms, directory, ProfileExitWords(profile), WorldReadMode::Load, "", messages);
}

}  // namespace

WorldMerge MergeWorlds(const World& mine, const World& theirs, MergePreference preference) {
    return Merger(mine, theirs, preference).Run();
}

int RunWorldMerge(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> dirs;
    MergePreference preference = MergePreference::Mine;
    bool dryRun = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--dry-run") {
            dryRun = true;
        } else if (args[i] == "--prefer" && i + 1 < args.size() && (args[i + 1] == "mine" || args[i + 1] == "theirs")) {
            preference = args[++i] == "mine" ? MergePreference::Mine : MergePreference::Theirs;
        } else if (args[i].rfind("--", 0) != 0) {
            dirs.push_back(args[i]);
        } else {
            dirs.clear();
            break;
        }
    }
    if (dirs.size() != 2) {
        err << "usage: trellan world merge MINE THEIRS [--prefer mine|theirs] [--dry-run]\n";
        return 2;
    }
    for (const std::string& dir : dirs) {
        std::error_code error;
        if (!std::filesystem::is_directory(dir, error)) {
            err << "trellan: " << dir << " is not a directory\n";
            return 1;
        }
    }
    auto mine = std::make_unique<LoadedWorld>();
    auto theirs = std::make_unique<LoadedWorld>();
    Load(dirs[0], *mine);
    Load(dirs[1], *theirs);
    if (!mine->Read.Errors.empty()) {
        // Writing a zone back would lose what lies behind the damage.
        for (const std::string& e : mine->Read.Errors) err << "trellan: " << Cp1251ToUtf8(e) << "\n";
        err << "trellan: " << dirs[0] << " has damaged zone files; nothing merged\n";
        return 1;
    }
    WorldMerge merge = MergeWorlds(mine->Rooms, theirs->Rooms, preference);
    const WorldMergeReport& r = merge.Report;
    std::string text;
    for (const std::string& e : theirs->Read.Errors) text += "theirs: " + Cp1251ToUtf8(e) + "\n";
    text += "zones copied: " + std::to_string(r.CopiedZones) + "\n";
    text += "zones merged: " + std::to_string(r.MergedZones) + "\n";
    text += "rooms added: " + std::to_string(r.AddedRooms) + "\n";
    text += "rooms matched: " + std::to_string(r.MatchedRooms) + "\n";
    text += std::string("conflicts (") + (preference == MergePreference::Mine ? "kept mine" : "took theirs") +
            "): " + std::to_string(r.Conflicts) + "\n";
    text += "rooms renumbered: " + std::to_string(r.Renumbered) + "\n";
    text += "aliases renamed: " + std::to_string(r.RenamedAliases) + "\n";
    text += "zones left out: " + std::to_string(r.RefusedZones) + "\n";
    for (const std::string& line : r.Lines) text += Cp1251ToUtf8(line) + "\n";
    if (dryRun) text += "dry run: nothing written\n";
    out << text;
    out.flush();
    if (dryRun) return 0;
    try {
        for (const MergedZone& zone : merge.Zones) {
            auto file = mine->Read.ZoneFiles.find(zone.Name);
            const std::string name = file != mine->Read.ZoneFiles.end() ? file->second : DefaultZoneFileName(zone.Name);
            WriteZoneFile(JoinPath(dirs[0], name), zone.Rooms, false);
        }
    } catch (const TrellanError& e) {
        err << "trellan: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace trellan
