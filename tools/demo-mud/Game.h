#pragma once
// The demo world and what its characters can do. Text in and out of Game is
// UTF-8 (input lines are converted by the caller); the connection turns the
// output into the player's code page for the wire. `Style` says how exits
// are written.
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Style.h"

namespace demomud {

enum Dir { North, South, East, West, Up, Down, DirCount };

struct Room {
    const char* name;
    std::vector<const char*> description;
    int exits[DirCount];  // room index, or -1
    bool dark;
    const char* itemHere;  // shown after the exits line, or nullptr
    unsigned doors = 0;    // a bit per direction (1 << Dir): a door, closed at the start
    int portal = -1;       // where "войти" leads, or -1
};

// The texts a mapper needs to know about, kept in one place for the README
// and the tests.
namespace texts {
inline constexpr const char* RoomNameStart = "\033[1;36m";
inline constexpr const char* ExitsStart = "\033[36m[ Exits:";
inline constexpr const char* Dark = "Здесь темно...";
inline constexpr const char* CantMove = "Вы не можете идти в этом направлении.";
inline constexpr const char* Fled = "Вы быстро убежали.";
inline constexpr const char* NoFlee = "Вам некуда бежать!";
inline constexpr const char* Unknown = "Чего?!";
inline constexpr const char* Closed = "Закрыто.";
inline constexpr const char* Followed = "Вы последовали за";
inline constexpr const char* LeaderLeft = "ушел";
}  // namespace texts

class Game {
public:
    // `twins`: the ring of look-alike rooms below Звериная тропа (Twins.h).
    explicit Game(Style style = {}, bool twins = false);

    const std::vector<Room>& Rooms() const { return rooms_; }
    static int StartRoom() { return 2; }

    int AddPlayer();
    void RemovePlayer(int player);
    int RoomOf(int player) const;

    // The greeting with the first room and prompt.
    std::string Greeting(int player) const;
    // One command line, lower-cased, and as typed (chat keeps its letters);
    // `quit` is set when the player leaves. The reply ends with the prompt
    // unless the player quit.
    std::string Command(int player, std::string_view line, std::string_view typed, bool& quit);
    std::string Command(int player, std::string_view line, bool& quit) { return Command(player, line, line, quit); }

    // What other players are to see because of the last commands (chat),
    // each with their prompt; taken once.
    std::vector<std::pair<int, std::string>> TakeNotices();

private:
    struct Player {
        std::string name;
        int room = 0;
        unsigned fleeSeed = 1;
    };

    std::string ShowRoom(int player) const;
    std::string Prompt(int player) const;
    std::string Move(int player, Dir dir);
    std::string Flee(int player, int dir);
    std::string Lore(std::string_view what) const;
    std::string Door(int player, bool open);
    std::string Follow(int player, std::string_view whom);
    std::string EnterPortal(int player);
    std::string GroupTell(int player, std::string_view text);
    std::string ExitsText(int room, ExitsFor where) const;
    std::string Help() const;

    Style style_;
    std::vector<Room> rooms_;
    std::vector<unsigned> closedDoors_;  // per room, like Room::doors
    int leaderRoom_;
    std::vector<std::pair<int, std::string>> notices_;
    std::map<int, Player> players_;
    int nextPlayer_ = 1;
};

}  // namespace demomud
