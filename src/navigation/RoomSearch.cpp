#include "navigation/RoomSearch.h"

#include <algorithm>
#include <string>

#include "mapping/ViewState.h"
#include "model/World.h"
#include "text/Cp1251.h"
#include "tracking/TrackerOutput.h"

namespace trellan {

namespace {

char LatinUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// `upperNeedle` is already upper-cased the same way.
bool HoldsLatinCaseless(std::string_view haystack, std::string_view upperNeedle) {
    auto it = std::search(haystack.begin(), haystack.end(), upperNeedle.begin(), upperNeedle.end(),
                          [](char a, char b) { return LatinUpper(a) == b; });
    return it != haystack.end();
}

}  // namespace

RoomSearch::RoomSearch(World& world, ViewState& view, TrackerOutput& output)
    : world_(world), view_(view), output_(output) {}

void RoomSearch::Start(RoomSearchMode mode) {
    mode_ = mode;
    index_ = 0;
}

RoomSearchResult RoomSearch::FindNext(std::string_view text) {
    const std::size_t count = world_.RoomCount();
    // Rooms may have gone since the last search: past the end starts over
    // as at the end.
    if (index_ >= count) index_ = 0;
    RoomSearchResult result;
    if (count == 0) {
        result.What = RoomSearchResult::Kind::NotFound;
        return result;
    }
    if (text.empty()) return result;

    const std::string needle = AsciiUpper(text);
    std::size_t position = 0;
    for (const RoomSlot& slot : world_.AllRooms()) {
        if (position++ < index_) continue;
        ++index_;
        MudRoom* room = slot.Room();
        const std::string& field = mode_ == RoomSearchMode::Name ? room->Hint : room->Description;
        if (HoldsLatinCaseless(field, needle)) {
            Show(room);
            result.What = RoomSearchResult::Kind::Found;
            result.Room = room;
            return result;
        }
    }
    result.What = RoomSearchResult::Kind::NotFound;
    return result;
}

void RoomSearch::Show(MudRoom* room) {
    const std::string zone = world_.ZoneOf(room);
    if (zone != world_.CurrentZone) {
        output_.SaveZone();
        world_.ClearZone();
        world_.CurrentZone = zone;
        world_.LoadZone();
        view_.CenterOnCurrentRoom();
    }
    view_.DY = room->Y;
    view_.DX = room->X;
    view_.DL = room->L;
    view_.Refresh();
    view_.MarkChecked(room);
    if (view_.RepaintRequested) view_.RepaintRequested();
}

}  // namespace trellan
