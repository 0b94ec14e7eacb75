#include "Game.h"

#include <cstddef>

#include "Connection.h"
#include "Twins.h"
#include "World.h"

namespace demomud {

namespace {

constexpr const char* LeaderPhrases[DirCount] = {"на север", "на юг", "на восток", "на запад", "вверх", "вниз"};
constexpr int OppositeDir[DirCount] = {South, North, West, East, Down, Up};

int DirOf(std::string_view word) {
    static const struct {
        const char* word;
        Dir dir;
    } words[] = {
        {"n", North},     {"s", South},  {"e", East},  {"w", West},   {"u", Up},    {"d", Down},
        {"north", North}, {"south", South}, {"east", East}, {"west", West}, {"up", Up}, {"down", Down},
        {"с", North},     {"ю", South},  {"в", East},  {"з", West},   {"вв", Up},   {"вн", Down},
        {"север", North}, {"юг", South}, {"восток", East}, {"запад", West}, {"вверх", Up}, {"вниз", Down},
    };
    for (const auto& w : words) {
        if (word == w.word) {
            return w.dir;
        }
    }
    return -1;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return s;
}

void SplitWord(std::string_view line, std::string_view& first, std::string_view& rest) {
    line = Trim(line);
    const std::size_t blank = line.find_first_of(" \t");
    first = line.substr(0, blank);
    rest = blank == std::string_view::npos ? std::string_view() : Trim(line.substr(blank));
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

}  // namespace

// The leader walks between these two rooms.
constexpr int LeaderHome = 0;
constexpr int LeaderAway = 17;

Game::Game(Style style, bool twins) : style_(style), rooms_(BuildWorld()), leaderRoom_(LeaderHome) {
    if (twins) {
        AddTwins(rooms_);
    }
    for (const Room& room : rooms_) {
        closedDoors_.push_back(room.doors);
    }
}

int Game::AddPlayer() {
    const int id = nextPlayer_++;
    Player p;
    p.name = "Странник " + std::to_string(id);
    p.room = StartRoom();
    p.fleeSeed = static_cast<unsigned>(id) * 2654435761u + 1;
    players_.emplace(id, p);
    return id;
}

void Game::RemovePlayer(int player) { players_.erase(player); }

int Game::RoomOf(int player) const {
    auto it = players_.find(player);
    return it == players_.end() ? -1 : it->second.room;
}

std::string Game::Greeting(int player) const {
    std::string out = "\r\n    Добро пожаловать в Демо-МАД Trellan!\r\n\r\n";
    out += "Вы - " + players_.at(player).name + ". Наберите \"помощь\", чтобы узнать команды.\r\n\r\n";
    return out + ShowRoom(player) + Prompt(player);
}

std::string Game::ShowRoom(int player) const {
    const Player& p = players_.at(player);
    const Room& room = rooms_[static_cast<std::size_t>(p.room)];
    std::string out = texts::RoomNameStart;
    if (room.dark) {
        out += std::string(texts::Dark) + "\033[0m\r\n";
    } else {
        out += std::string(room.name) + "\033[0m\r\n";
        for (const char* line : room.description) {
            out += std::string("   ") + line + "\r\n";
        }
    }
    if (!(room.dark && style_.darkExitsInPrompt)) {
        out += texts::ExitsStart;
        const std::string exits = ExitsText(p.room, ExitsFor::Line);
        out += exits.empty() ? " None! ]\r\n" : " " + exits + " ]\r\n";
        out += "\033[0m";
    }
    if (room.itemHere && !room.dark) {
        out += std::string("\033[33m") + room.itemHere + "\033[0m\r\n";
    }
    for (const auto& [id, other] : players_) {
        if (id != player && other.room == p.room && !room.dark) {
            out += "\033[32m" + other.name + " стоит здесь.\033[0m\r\n";
        }
    }
    if (leaderRoom_ == p.room && !room.dark) {
        out += "\033[1;33mПроводник стоит здесь, поджидая путников.\033[0m\r\n";
    }
    return out;
}

std::string Game::ExitsText(int roomIndex, ExitsFor where) const {
    const Room& room = rooms_[static_cast<std::size_t>(roomIndex)];
    const unsigned closed = closedDoors_[static_cast<std::size_t>(roomIndex)];
    std::string exits;
    for (int d = 0; d < DirCount; ++d) {
        if (room.exits[d] < 0) {
            continue;
        }
        if (!exits.empty() && where == ExitsFor::Line) {
            exits += " ";
        }
        const bool intoAnotherArea = AreaOf(style_, room.exits[d]) != AreaOf(style_, roomIndex);
        const std::string word = ExitWord(style_, where, d, intoAnotherArea);
        // A closed door is shown in parentheses, as MUDs do.
        exits += (closed & (1u << d)) ? "(" + word + ")" : word;
    }
    return exits;
}

// The prompt has no line end; go-ahead tells the client it is complete, and
// the next answer follows right behind it.
std::string Game::Prompt(int player) const {
    return "\r\n\033[0m<30H 90M Вых:" + ExitsText(players_.at(player).room, ExitsFor::Prompt) + "> " +
           Connection::GoAheadMark;
}

std::string Game::Move(int player, Dir dir) {
    Player& p = players_.at(player);
    const int to = rooms_[static_cast<std::size_t>(p.room)].exits[dir];
    if (to < 0) {
        return std::string(texts::CantMove) + "\r\n";
    }
    if (closedDoors_[static_cast<std::size_t>(p.room)] & (1u << dir)) {
        return std::string(texts::Closed) + "\r\n";
    }
    p.room = to;
    return ShowRoom(player);
}

std::string Game::Flee(int player, int dir) {
    Player& p = players_.at(player);
    const Room& room = rooms_[static_cast<std::size_t>(p.room)];
    if (dir < 0) {
        // Panic picks a way out; the player does not choose it.
        int ways[DirCount];
        int count = 0;
        for (int d = 0; d < DirCount; ++d) {
            if (room.exits[d] >= 0) {
                ways[count++] = d;
            }
        }
        if (count == 0) {
            return std::string(texts::NoFlee) + "\r\n";
        }
        p.fleeSeed = p.fleeSeed * 1103515245u + 12345u;
        dir = ways[(p.fleeSeed >> 16) % static_cast<unsigned>(count)];
    }
    const int to = room.exits[dir];
    if (to < 0 || (closedDoors_[static_cast<std::size_t>(p.room)] & (1u << dir))) {
        return std::string(texts::CantMove) + "\r\n";
    }
    p.room = to;
    return std::string(texts::Fled) + "\r\n" + ShowRoom(player);
}

std::string Game::Lore(std::string_view what) const {
    if (what.empty()) {
        return "Что вы хотите опознать?\r\n";
    }
    for (const auto* list : {&ItemLore(), &MobLore()}) {
        for (const LoreEntry& entry : *list) {
            if (what.size() >= 2 && StartsWith(entry.keyword, what)) {
                std::string out;
                for (const char* line : entry.lines) {
                    out += std::string(line) + "\r\n";
                }
                return out;
            }
        }
    }
    return "У вас нет ничего похожего на '" + std::string(what) + "'.\r\n";
}

std::string Game::Door(int player, bool open) {
    const int here = players_.at(player).room;
    const Room& room = rooms_[static_cast<std::size_t>(here)];
    if (room.doors == 0) {
        return "Здесь нет двери.\r\n";
    }
    unsigned& closed = closedDoors_[static_cast<std::size_t>(here)];
    for (int d = 0; d < DirCount; ++d) {
        if (!(room.doors & (1u << d)) || ((closed & (1u << d)) != 0) != open) {
            continue;
        }
        // A door has two sides.
        unsigned& far = closedDoors_[static_cast<std::size_t>(room.exits[d])];
        if (open) {
            closed &= ~(1u << d);
            far &= ~(1u << OppositeDir[d]);
            return "Вы открыли дверь.\r\n";
        }
        closed |= 1u << d;
        far |= 1u << OppositeDir[d];
        return "Вы закрыли дверь.\r\n";
    }
    return open ? "Дверь уже открыта.\r\n" : "Дверь уже закрыта.\r\n";
}

std::string Game::Follow(int player, std::string_view whom) {
    Player& p = players_.at(player);
    if (whom.size() < 2 || !StartsWith("проводник", whom) || leaderRoom_ != p.room) {
        return "Вы не видите здесь такого персонажа.\r\n";
    }
    // The leader walks to his other room at once and the follower goes along.
    const int to = leaderRoom_ == LeaderHome ? LeaderAway : LeaderHome;
    int dir = 0;
    while (dir < DirCount && rooms_[static_cast<std::size_t>(leaderRoom_)].exits[dir] != to) {
        ++dir;
    }
    leaderRoom_ = to;
    p.room = to;
    return std::string("Вы стали следовать за Проводником.\r\nПроводник ") + texts::LeaderLeft + " " +
           LeaderPhrases[dir] + ".\r\n" + texts::Followed + " Проводником.\r\n" + ShowRoom(player);
}

std::string Game::EnterPortal(int player) {
    Player& p = players_.at(player);
    const int to = rooms_[static_cast<std::size_t>(p.room)].portal;
    if (to < 0) {
        return "Здесь нет портала.\r\n";
    }
    p.room = to;
    return "Вы шагнули в мерцающий портал.\r\n" + ShowRoom(player);
}

std::string Game::GroupTell(int player, std::string_view text) {
    if (text.empty()) {
        return "Что вы хотите сообщить группе?\r\n";
    }
    // Chat is quoted, coloured, one line per message; everyone else online
    // counts as the group.
    const std::string said(text);
    for (const auto& [id, other] : players_) {
        if (id != player) {
            notices_.emplace_back(id, "\r\n\033[1;33m" + players_.at(player).name + " сообщил группе : '" + said +
                                          "'\033[0m\r\n" + Prompt(id));
        }
    }
    return "\033[1;33mВы сообщили группе : '" + said + "'\033[0m\r\n";
}

std::vector<std::pair<int, std::string>> Game::TakeNotices() {
    std::vector<std::pair<int, std::string>> out;
    out.swap(notices_);
    return out;
}

std::string Game::Help() const {
    return "Команды: n s e w u d (или north, север, с ...), look (l, смотреть), убежать [направление],\r\n"
           "подкрасться <направление>, опознать <предмет> (или лор <предмет>), открыть дверь, закрыть дверь,\r\n"
           "следовать <кто>, войти (в портал), гг <текст> (сказать группе), кто, quit (конец).\r\n"
           "Опознать можно: меч, щит, фонарь, проводник.\r\n";
}

std::string Game::Command(int player, std::string_view line, std::string_view typed, bool& quit) {
    quit = false;
    std::string_view word;
    std::string_view rest;
    SplitWord(line, word, rest);
    std::string_view typedWord;
    std::string_view typedRest;
    SplitWord(typed, typedWord, typedRest);
    std::string out;
    if (word.empty()) {
        // An empty line just shows the prompt again.
    } else if (const int dir = DirOf(word); dir >= 0) {
        out = Move(player, static_cast<Dir>(dir));
    } else if (word == "look" || word == "l" || word == "смотреть" || word == "см") {
        out = ShowRoom(player);
    } else if (word == "убежать" || word == "flee") {
        const int dir = rest.empty() ? -1 : DirOf(rest);
        out = !rest.empty() && dir < 0 ? "Куда?\r\n" : Flee(player, dir);
    } else if (word == "подкрасться") {
        const int dir = DirOf(rest);
        out = dir < 0 ? "Куда?\r\n" : Move(player, static_cast<Dir>(dir));
    } else if (word == "опознать" || word == "лор" || word == "lore") {
        out = Lore(rest);
    } else if (word == "открыть" || word == "open" || word == "закрыть" || word == "close") {
        out = Door(player, word == "открыть" || word == "open");
    } else if (word == "следовать" || word == "follow") {
        out = Follow(player, rest);
    } else if (word == "войти" || word == "enter") {
        out = EnterPortal(player);
    } else if (word == "гг" || word == "gtell") {
        out = GroupTell(player, typedRest);
    } else if (word == "кто" || word == "who") {
        out = "Игроки в мире:\r\n";
        for (const auto& [id, other] : players_) {
            out += "  " + other.name + "\r\n";
        }
    } else if (word == "помощь" || word == "help") {
        out = Help();
    } else if (word == "quit" || word == "конец") {
        quit = true;
        return "До свидания, " + players_.at(player).name + "!\r\n";
    } else {
        out = std::string(texts::Unknown) + "\r\n";
    }
    return out + Prompt(player);
}

}  // namespace demomud
