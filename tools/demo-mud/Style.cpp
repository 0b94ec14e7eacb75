#include "Style.h"

#include <cstring>

#include "Game.h"

namespace demomud {

namespace {

constexpr const char* LineWords[DirCount] = {"N", "S", "E", "W", "U", "D"};
constexpr const char* LowerWords[DirCount] = {"n", "s", "e", "w", "u", "d"};
constexpr const char* RussianLetters[DirCount] = {"С", "Ю", "В", "З", "^", "v"};

// Room numbers of the world (World.cpp).
constexpr int NorthRoad = 17;
constexpr int ForestGlade = 18;
constexpr int GameTrail = 19;

enum Area { Town, Forest, NorthTract };

}  // namespace

std::string ExitWord(const Style& style, ExitsFor where, int dir, bool intoAnotherArea) {
    if (where == ExitsFor::Prompt) {
        return style.russianPrompt ? RussianLetters[dir] : LineWords[dir];
    }
    if (style.exitCase && !intoAnotherArea) {
        return LowerWords[dir];
    }
    return LineWords[dir];
}

int AreaOf(const Style& style, int room) {
    if (room == ForestGlade || room == GameTrail) {
        return Forest;
    }
    if (style.exitCase && room == NorthRoad) {
        return NorthTract;
    }
    return Town;
}

int ParseRussianOption(int argc, char** argv, int& i, RussianOptions& options) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--russian") == 0) {
        options.askCharset = true;
        options.style = Style{true, true, true};
    } else if (std::strcmp(arg, "--ask-charset") == 0) {
        options.askCharset = true;
    } else if (std::strcmp(arg, "--exit-case") == 0) {
        options.style.exitCase = true;
    } else if (std::strcmp(arg, "--russian-prompt") == 0) {
        options.style.russianPrompt = true;
    } else if (std::strcmp(arg, "--dark-exits-in-prompt") == 0) {
        options.style.darkExitsInPrompt = true;
    } else if (std::strcmp(arg, "--charset") == 0) {
        if (i + 1 >= argc) {
            return -1;
        }
        options.charset = CharsetByName(argv[++i]);
        return options.charset ? 1 : -1;
    } else {
        return 0;
    }
    return 1;
}

void PrintRussianUsage(FILE* to) {
    std::fprintf(to,
                 "  Like a Russian MUD (all off by default):\n"
                 "  --ask-charset          ask for the code page at login (KOI8-R, Windows-1251, UTF-8)\n"
                 "  --charset NAME         use koi8-r, windows-1251 or utf-8 without asking\n"
                 "  --exit-case            exits line: exits into another area upper case, others lower case\n"
                 "  --russian-prompt       prompt exits in Russian letters: С Ю В З ^ v\n"
                 "  --dark-exits-in-prompt no exits line in a dark room, only the prompt lists them\n"
                 "  --russian              all four of the above\n");
}

}  // namespace demomud
