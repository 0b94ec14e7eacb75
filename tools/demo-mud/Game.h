#pragma once
// The demo world and what its characters can do. Text in and out of Game is
// UTF-8 (input lines are converted by the caller); the connection turns the
// output into Windows-1251 for the wire.
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace demomud {

enum Dir { North, South, East, West, Up, Down, DirCount };

struct Room {
    const char* name;
    std::vector<const char*> description;
    int exits[DirCount];  // room index, or -1
    bool dark;
    const char* itemHere;  // shown after the exits line, or nullptr
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
}  // namespace texts

class Game {
public:
    Game();

    const std::vector<Room>& Rooms() const { return rooms_; }
    static int StartRoom() { return 2; }

    int AddPlayer();
    void RemovePlayer(int player);
    int RoomOf(int player) const;

    // The greeting with the first room and prompt.
    std::string Greeting(int player) const;
    // One command line; `quit` is set when the player leaves. The reply ends
    // with the prompt unless the player quit.
    std::string Command(int player, std::string_view line, bool& quit);

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
    std::string Help() const;

    std::vector<Room> rooms_;
    std::map<int, Player> players_;
    int nextPlayer_ = 1;
};

}  // namespace demomud
