#pragma once
// Finding a room anywhere in the world by a piece of its name or of its
// description. Each Find Next goes on from the room after the last match in
// the world's room list; a match in another zone makes that zone the shown
// one (the shown zone written first), centres the view on the room and
// marks it until the next refresh.
//
// The find dialog belongs to the user interface: it starts a search with
// the mode of the menu item and calls FindNext for every Find Next,
// showing RoomNotFoundText when told so.
#include <cstddef>
#include <string_view>

namespace trellan {

class MudRoom;
class TrackerOutput;
class ViewState;
class World;

enum class RoomSearchMode {
    Name,         // the room's Hint (nFindByName)
    Description,  // its Description (nFindByDesc)
};

struct RoomSearchResult {
    enum class Kind {
        Nothing,   // an empty search text
        Found,     // Room is on show and marked
        NotFound,  // the user is to be told (RoomNotFoundText)
    };
    Kind What = Kind::Nothing;
    MudRoom* Room = nullptr;
};

class RoomSearch {
public:
    // All must outlive the search; `output` writes the shown zone's file
    // before another zone is shown.
    RoomSearch(World& world, ViewState& view, TrackerOutput& output);

    // A new search from the first room (the menu items, before the dialog
    // opens).
    void Start(RoomSearchMode mode);
    void StartNameSearch() { Start(RoomSearchMode::Name); }
    void StartDescriptionSearch() { Start(RoomSearchMode::Description); }

    // Find Next: the next room, after the last one examined, whose name or
    // description holds `text`. Latin letters match in either case, every
    // other byte (Cyrillic letters too) only as it is.
    RoomSearchResult FindNext(std::string_view text);

    RoomSearchMode Mode() const { return mode_; }
    // How many rooms of the world's list have been examined.
    std::size_t Index() const { return index_; }

private:
    void Show(MudRoom* room);

    World& world_;
    ViewState& view_;
    TrackerOutput& output_;
    RoomSearchMode mode_ = RoomSearchMode::Name;
    std::size_t index_ = 0;
};

}  // namespace trellan
