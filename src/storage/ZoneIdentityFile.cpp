#include "storage/ZoneIdentityFile.h"

#include <charconv>
#include <cstdio>
#include <unordered_map>

#include "common/Errors.h"
#include "common/FileIo.h"
#include "model/MudRoom.h"
#include "model/World.h"
#include "text/ServerIdentity.h"

namespace trellan {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string_view NextLine(std::string_view& bytes) {
    std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

std::string IdentityFilePath(const std::string& zoneFilePath) {
    return zoneFilePath + std::string(kIdentityExtension);
}

std::string FormatZoneIdentities(const std::vector<const MudRoom*>& rooms) {
    std::string out;
    for (const MudRoom* room : rooms) {
        if (room == nullptr || room->ServerId.empty() || room->Tag <= 0) continue;
        out += std::to_string(room->Tag);
        out += '\t';
        out += room->ServerId;
        out += kLineEnd;
    }
    if (out.empty()) return out;
    return std::string(kIdentityHeader) + std::string(kLineEnd) + out;
}

ZoneIdentitiesRead ParseZoneIdentities(std::string_view bytes) {
    ZoneIdentitiesRead result;
    auto damaged = [&](std::size_t line, std::string_view what) {
        result.Entries.clear();
        result.Damage = "line " + std::to_string(line) + ": " + std::string(what);
        return result;
    };
    if (NextLine(bytes) != kIdentityHeader) return damaged(1, "not a room identity file");
    std::unordered_map<std::int32_t, bool> seen;
    for (std::size_t number = 2; !bytes.empty(); ++number) {
        std::string_view line = NextLine(bytes);
        if (line.empty()) continue;
        std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) return damaged(number, "no tab");
        std::int32_t tag = 0;
        auto [end, error] = std::from_chars(line.data(), line.data() + tab, tag);
        if (error != std::errc() || end != line.data() + tab || tag <= 0) return damaged(number, "bad room number");
        std::string id = CleanIdentity(line.substr(tab + 1));
        if (id.empty() || id != line.substr(tab + 1)) return damaged(number, "bad identity");
        if (seen[tag]) return damaged(number, "room number given twice");
        seen[tag] = true;
        result.Entries.emplace_back(tag, std::move(id));
    }
    return result;
}

void WriteZoneIdentities(const std::string& zoneFilePath, const std::vector<const MudRoom*>& rooms, bool sync) {
    const std::string path = IdentityFilePath(zoneFilePath);
    std::string bytes = FormatZoneIdentities(rooms);
    if (bytes.empty()) {
        if (FileExists(path)) std::remove(path.c_str());
        return;
    }
    WriteFileAtomically(path, bytes, sync);
}

std::optional<std::string> ReadZoneIdentities(World& world, const std::string& zone, const std::string& zoneFilePath,
                                              std::string* setAsidePath) {
    const std::string path = IdentityFilePath(zoneFilePath);
    if (!FileExists(path)) return std::nullopt;
    std::optional<std::string> bytes = ReadWholeFile(path);
    ZoneIdentitiesRead read = bytes ? ParseZoneIdentities(*bytes) : ZoneIdentitiesRead{{}, "unreadable"};
    if (!read.Damage.empty()) {
        // Set aside, not deleted: the player may mend it by hand. The next
        // save writes a fresh one from what the rooms learn meanwhile.
        std::string aside = path + std::string(kDamagedIdentityExtension);
        std::rename(path.c_str(), aside.c_str());
        if (setAsidePath != nullptr) *setAsidePath = aside;
        return read.Damage;
    }
    for (const auto& [tag, id] : read.Entries) {
        if (MudRoom* room = world.GlobalFindRoomByTag(tag, zone)) world.SetRoomServerId(room, id);
    }
    return std::nullopt;
}

std::optional<std::string> ApplyZoneIdentities(const std::string& zoneFilePath, const std::vector<MudRoom*>& rooms) {
    const std::string path = IdentityFilePath(zoneFilePath);
    if (!FileExists(path)) return std::nullopt;
    std::optional<std::string> bytes = ReadWholeFile(path);
    ZoneIdentitiesRead read = bytes ? ParseZoneIdentities(*bytes) : ZoneIdentitiesRead{{}, "unreadable"};
    if (!read.Damage.empty()) return read.Damage;
    std::unordered_map<std::int32_t, const std::string*> byTag;
    for (const auto& [tag, id] : read.Entries) byTag[tag] = &id;
    for (MudRoom* room : rooms) {
        auto it = byTag.find(room->Tag);
        if (it != byTag.end() && !room->Pipe) room->ServerId = *it->second;
    }
    return std::nullopt;
}

}  // namespace trellan
