#include "Game.h"

#include <cstddef>

namespace demomud {

namespace {

constexpr const char* ExitWords[DirCount] = {"N", "S", "E", "W", "U", "D"};

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

struct Item {
    const char* keyword;  // any prefix of it, two letters or more, names the item
    std::vector<const char*> lore;
};

const std::vector<Item>& Items() {
    static const std::vector<Item> items = {
        {"меч",
         {"Вы узнали следующее:", "Предмет 'длинный меч', тип: ОРУЖИЕ", "Вес: 12, Цена: 150, Рента: 30",
          "Наносимые повреждения '3D5' среднее 9.0.", "Материал: СТАЛЬ"}},
        {"щит",
         {"Вы узнали следующее:", "Предмет 'дубовый щит', тип: БРОНЯ", "Вес: 8, Цена: 60, Рента: 12",
          "Защита (AC) : 3", "Материал: ДЕРЕВО"}},
        {"фонарь",
         {"Вы узнали следующее:", "Предмет 'медный фонарь', тип: СВЕТ", "Вес: 2, Цена: 25, Рента: 5",
          "Будет светить 24 часа.", "Материал: МЕДЬ"}},
    };
    return items;
}

}  // namespace

Game::Game() {
    //            N   S   E   W   U   D
    rooms_ = {
        {"Северные ворота",
         {"Массивные дубовые ворота окованы железом. Стражник дремлет,",
          "опершись на алебарду. К югу начинается городская улица."},
         {-1, 2, -1, -1, -1, -1}, false, nullptr},
        {"Рыночная площадь",
         {"Торговцы наперебой расхваливают свой товар. Пахнет свежим хлебом", "и рыбой."},
         {-1, -1, 2, -1, -1, -1}, false, "Медный фонарь забыт кем-то на прилавке."},
        {"Центральная площадь",
         {"Широкая площадь вымощена серым булыжником. В центре журчит фонтан.",
          "Улицы расходятся во все стороны света."},
         {0, 4, 3, 1, -1, -1}, false, nullptr},
        {"Старый храм",
         {"Под высокими сводами пахнет ладаном. Узкая лестница ведёт",
          "наверх, на колокольню."},
         {-1, -1, -1, 2, 10, -1}, false, nullptr},
        {"Таверна \"Пьяный тролль\"",
         {"Шумно и накурено. За стойкой хозяин протирает кружки.",
          "Скрипучая лестница ведёт на чердак."},
         {2, 6, -1, -1, 5, -1}, false, "Длинный меч висит над камином."},
        {"Чердак таверны", {"Пыльные сундуки и старая паутина. Сквозь щели в крыше видно небо."},
         {-1, -1, -1, -1, -1, 4}, false, "Дубовый щит прислонён к сундуку."},
        {"Тёмный переулок", {"Узкий проход между глухими стенами."}, {4, 7, -1, -1, -1, -1}, true, nullptr},
        {"Южные ворота",
         {"Ворота распахнуты настежь. За ними дорога уходит к реке,", "что течёт на востоке."},
         {6, -1, 8, -1, -1, -1}, false, nullptr},
        {"Берег реки",
         {"Холодная вода с шумом бежит по камням. Среди корней ивы",
          "чернеет вход в пещеру."},
         {-1, -1, -1, 7, -1, 9}, false, nullptr},
        {"Сырая пещера", {"С потолка капает вода. Где-то в глубине пищат летучие мыши."},
         {-1, -1, -1, -1, 8, -1}, false, nullptr},
        {"Колокольня",
         {"Огромный медный колокол покрыт зеленью. Отсюда виден весь город,",
          "река и лес до самого горизонта."},
         {-1, -1, -1, -1, -1, 3}, false, nullptr},
    };
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
    out += texts::ExitsStart;
    bool any = false;
    for (int d = 0; d < DirCount; ++d) {
        if (room.exits[d] >= 0) {
            out += std::string(" ") + ExitWords[d];
            any = true;
        }
    }
    out += any ? " ]\r\n" : " None! ]\r\n";
    out += "\033[0m";
    if (room.itemHere && !room.dark) {
        out += std::string("\033[33m") + room.itemHere + "\033[0m\r\n";
    }
    for (const auto& [id, other] : players_) {
        if (id != player && other.room == p.room && !room.dark) {
            out += "\033[32m" + other.name + " стоит здесь.\033[0m\r\n";
        }
    }
    return out;
}

std::string Game::Prompt(int player) const {
    const Room& room = rooms_[static_cast<std::size_t>(players_.at(player).room)];
    std::string exits;
    for (int d = 0; d < DirCount; ++d) {
        if (room.exits[d] >= 0) {
            exits += ExitWords[d];
        }
    }
    return "\r\n\033[0m<30H 90M Вых:" + exits + "> ";
}

std::string Game::Move(int player, Dir dir) {
    Player& p = players_.at(player);
    const int to = rooms_[static_cast<std::size_t>(p.room)].exits[dir];
    if (to < 0) {
        return std::string(texts::CantMove) + "\r\n";
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
    if (to < 0) {
        return std::string(texts::CantMove) + "\r\n";
    }
    p.room = to;
    return std::string(texts::Fled) + "\r\n" + ShowRoom(player);
}

std::string Game::Lore(std::string_view what) const {
    if (what.empty()) {
        return "Что вы хотите опознать?\r\n";
    }
    for (const Item& item : Items()) {
        if (what.size() >= 2 && StartsWith(item.keyword, what)) {
            std::string out;
            for (const char* line : item.lore) {
                out += std::string(line) + "\r\n";
            }
            return out;
        }
    }
    return "У вас нет ничего похожего на '" + std::string(what) + "'.\r\n";
}

std::string Game::Help() const {
    return "Команды: n s e w u d (или north, север, с ...), look (l, смотреть), убежать [направление],\r\n"
           "подкрасться <направление>, опознать <предмет> (или лор <предмет>), кто, quit (конец).\r\n"
           "Предметы для опознания: меч, щит, фонарь.\r\n";
}

std::string Game::Command(int player, std::string_view line, bool& quit) {
    quit = false;
    std::string_view word;
    std::string_view rest;
    SplitWord(line, word, rest);
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
