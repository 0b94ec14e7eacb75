#pragma once
// How the demo MUD writes exits, by default and "like a Russian MUD":
// exits into another area in upper case, the prompt's exits in Russian
// letters, no exits line in the dark; and the command-line options that
// choose this together with the login code page menu (Charset.h).
#include <cstdio>
#include <optional>
#include <string>

#include "Charset.h"

namespace demomud {

struct Style {
    bool exitCase = false;           // exits line: other areas upper case, the rest lower case
    bool russianPrompt = false;      // prompt: С Ю В З ^ v
    bool darkExitsInPrompt = false;  // dark rooms: no exits line
};

enum class ExitsFor { Line, Prompt };

// The word for the exit in direction `dir` (a Dir), without the parentheses
// of a closed door.
std::string ExitWord(const Style& style, ExitsFor where, int dir, bool intoAnotherArea);

// The area a room belongs to. The forest behind the portal is one of its
// own; with exitCase Северная дорога is one too ("Северный тракт"), so that
// some directional exit leads into another area.
int AreaOf(const Style& style, int room);

struct RussianOptions {
    Style style;
    bool askCharset = false;
    std::optional<Charset> charset;  // fixed by --charset: no menu
};

// Takes the option at argv[i] (and its value, advancing i) when it is one of
// these; 1 when taken, 0 when not one of them, -1 when its value is bad.
int ParseRussianOption(int argc, char** argv, int& i, RussianOptions& options);
void PrintRussianUsage(FILE* to);

}  // namespace demomud
