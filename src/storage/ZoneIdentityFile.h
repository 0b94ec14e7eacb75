#pragma once
// The zone's sidecar file of server identities: beside "<zone>.tr2" stands
// "<zone>.tr2.ids" when any room of the zone has one, so the zone file
// itself stays as players' programs know it. Layout in
// docs/zone-identity-file.md.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trellan {

class MudRoom;
class World;

inline constexpr std::string_view kIdentityExtension = ".ids";
inline constexpr std::string_view kIdentityHeader = "Trellan room identities 1";
// A damaged sidecar is renamed with this added, out of the way of the next save.
inline constexpr std::string_view kDamagedIdentityExtension = ".damaged";

// Room number and server identity, one per room that has one.
using ZoneIdentities = std::vector<std::pair<std::int32_t, std::string>>;

std::string IdentityFilePath(const std::string& zoneFilePath);

// The file's bytes for these rooms; empty when none has an identity.
std::string FormatZoneIdentities(const std::vector<const MudRoom*>& rooms);

struct ZoneIdentitiesRead {
    ZoneIdentities Entries;
    // Empty when the file was whole; else what is wrong and on which line.
    std::string Damage;
};
ZoneIdentitiesRead ParseZoneIdentities(std::string_view bytes);

// Writes the sidecar of a zone written to `zoneFilePath` (atomically), or
// removes a stale one when no room has an identity. Throws FileWriteError.
void WriteZoneIdentities(const std::string& zoneFilePath, const std::vector<const MudRoom*>& rooms, bool sync);

// Reads the sidecar of a zone read from `zoneFilePath` and gives its rooms
// their identities. Nothing when there is none. A damaged one is renamed
// (kDamagedIdentityExtension added) and its damage returned, the zone
// keeping no identities; the rename target in `setAsidePath`.
std::optional<std::string> ReadZoneIdentities(World& world, const std::string& zone, const std::string& zoneFilePath,
                                              std::string* setAsidePath = nullptr);

// The identities of the sidecar beside `zoneFilePath` applied to rooms of a
// zone file read on their own (the map tools); damage is returned.
std::optional<std::string> ApplyZoneIdentities(const std::string& zoneFilePath, const std::vector<MudRoom*>& rooms);

}  // namespace trellan
