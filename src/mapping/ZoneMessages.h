#pragma once
// The texts the zone operations show, looked up in the localisation file
// (section "MainForm") with their Russian defaults.
#include <string>
#include <string_view>

namespace trellan {

class Localisation;

class ZoneMessages {
public:
    // `captions` may be null (built-in texts); it must outlive this object.
    explicit ZoneMessages(Localisation* captions = nullptr) : captions_(captions) {}

    // The caption of the new-zone command, also the name of a new zone.
    std::string NewZoneCaption() const;
    std::string CantStartNewZone() const;
    std::string CantMergeZone() const;
    // The caption of the delete-zone command and the question built on it.
    std::string DeleteZoneCaption() const;
    std::string DeleteZoneQuestion(std::string_view zone) const;
    // Refusals of the zone tree, naming the zone and the reason.
    std::string CantRenameZone(std::string_view from, std::string_view to, std::string_view why) const;
    std::string CantDeleteZone(std::string_view zone, std::string_view why) const;
    std::string ZoneExists() const;
    std::string ZoneFileExists() const;
    std::string BadZoneName() const;
    std::string BadCrossLink(std::string_view entry) const;

private:
    std::string Caption(std::string_view key, std::string_view utf8Default) const;

    Localisation* captions_;
};

}  // namespace trellan
