#include "mapping/RoomEdits.h"

#include "mapping/CrossLinkEntry.h"
#include "mapping/Placement.h"
#include "text/TextUtils.h"

namespace trellan {

namespace {

bool* MarkFlag(MudRoom& room, int mark) {
    switch (mark) {
        case 1:
            return &room.DT;
        case 2:
            return &room.FlyDT;
        case 3:
            return &room.Agro;
        case 4:
            return &room.NoStep;
        default:
            return nullptr;
    }
}

}  // namespace

int MarkOf(const MudRoom& room) {
    if (room.DT) return 1;
    if (room.FlyDT) return 2;
    if (room.Agro) return 3;
    if (room.NoStep) return 4;
    return 0;
}

void SetMark(MudRoom& room, int mark) {
    for (int m = 1; m <= 4; ++m) *MarkFlag(room, m) = m == mark;
}

void ToggleMark(MudRoom& room, RoomMark mark) {
    const int m = static_cast<int>(mark);
    const bool wasSet = *MarkFlag(room, m);
    SetMark(room, wasSet ? 0 : m);
    room.ImageIndex = wasSet ? 0 : m;
}

void SetPicture(MudRoom& room, int imageIndex) {
    // The "no picture" item's own number is -1; a stored -1 would count as
    // a picture everywhere else (the zone tree's bookmark image among them).
    room.ImageIndex = imageIndex < 0 ? 0 : imageIndex;
    SetMark(room, room.ImageIndex <= 4 ? room.ImageIndex : 0);
}

void ToggleDoor(World& world, MudRoom& room, Direction direction, const ExitWords& words) {
    const std::string& word = words[direction];
    if (word.empty()) return;
    const std::string door = "(" + word + ")";
    std::string exits = room.ExitState(direction) == ExitStatus::ClosedDoor ? ReplaceAll(room.Exits(), door, word)
                                                                            : ReplaceAll(room.Exits(), word, door);
    world.SetRoomExits(&room, std::move(exits), words);
}

std::string LinkLetters(const MudRoom& room) {
    std::string letters;
    // Listed in the profile's order: north, south, east, west, up, down.
    for (Direction direction : kProfileKeyOrder) {
        if (room.Link(direction)) letters += Letter(direction);
    }
    return letters;
}

void SetLinksFromLetters(MudRoom& room, std::string_view letters) {
    for (Direction direction : kAllDirections) {
        room.Link(direction) = letters.find(Letter(direction)) != std::string_view::npos;
    }
}

std::string WithoutTrailingLineBreaks(std::string text) {
    while (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    return text;
}

CrossLinkFields CrossLinkFields::Split(std::string_view entry) {
    const CrossLinkEntry parsed = CrossLinkEntry::Parse(entry);
    CrossLinkFields fields{parsed.Zone, parsed.Exit, parsed.Number, {}};
    if (!parsed.Rest.empty()) fields.Command = parsed.Rest.substr(1);
    return fields;
}

std::string CrossLinkFields::Join() const {
    return Zone + "|" + Exit + "|" + Number + "|" + Command;
}

std::string CrossLinkFields::RoomEntry() const {
    if (Command.empty()) return Zone + "|" + Exit + "|" + Number;
    return Join();
}

void AddCrossLink(World& world, Placement& placement, MudRoom& room, const CrossLinkFields& fields) {
    room.AutoMaps.push_back(fields.RoomEntry());
    placement.SetCheck(&room, fields.Exit, true);
    world.NoteRoomEdited(&room);
    world.MapSaved = false;
}

int FindEntryNaming(const MudRoom& room, std::string_view zone, std::string_view exit, std::int32_t number) {
    const std::string head = std::string(zone) + "|" + std::string(exit) + "|" + std::to_string(number);
    for (std::size_t i = 0; i < room.AutoMaps.size(); ++i) {
        const std::string& entry = room.AutoMaps[i];
        // Room 1 must not find the entry of room 12.
        if (entry.compare(0, head.size(), head) == 0 && (entry.size() == head.size() || entry[head.size()] == '|')) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace trellan
