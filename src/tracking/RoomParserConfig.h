#pragma once
// What the room parser needs to know about one MUD's output: the marker
// strings around a room name and an exits line, the darkness messages, and
// the words that name the six directions. The runtime fills it from the
// world profile whenever the profile is read or changed; the parser only
// reads it. Every text is Windows-1251 bytes with escapes already decoded.
// The defaults are the profile's defaults.
#include <array>
#include <string>
#include <vector>

#include "model/ExitWords.h"
#include "text/Cp1251.h"

namespace trellan {

struct RoomParserConfig {
    std::string RoomNameStart = "\x1B[1;36m";
    std::string RoomNameEnd = "\r\n";
    std::string AutoexitStart = "\x1B[36m[ Exits:";
    std::string AutoexitEnd = "]\r\n";
    std::string PromptExitStart = Utf8ToCp1251("Вых:");
    std::string PromptExitEnd = ">";
    // Take the exits from the prompt that follows a room instead of its
    // exits line.
    bool UsePromptExit = false;
    // The prompt's letter for each direction (room order); all empty: the
    // prompt's exits are taken as they stand. With letters, a room shown
    // without an exits line (a dark room) takes its exits from the prompt
    // too.
    std::array<std::string, kDirectionCount> PromptExitLetters;
    // Exit words (and prompt letters) match in any letter case.
    bool ExitsIgnoreCase = false;

    // The name every dark room gets, and what a room fits against any map
    // room (SameRoom).
    std::string Dark = Utf8ToCp1251("Здесь темно...");
    // Texts the MUD prints instead of a room when it is dark, in list order.
    std::vector<std::string> DarkMessages;
    // Shown in the exits line of a room without exits.
    std::string NoExits = "None!";

    // The six movement commands, exit words and direction phrases, each in
    // The room's order of directions (north, south, west, east, up, down).
    std::array<std::string, kDirectionCount> MoveCommands = {"n", "s", "w", "e", "u", "d"};
    // Every word the player may type for each direction, the command above
    // first; empty means that command alone.
    std::array<std::vector<std::string>, kDirectionCount> MoveWords;
    ExitWords Words = ExitWords::Defaults();
    std::array<std::string, kDirectionCount> DirectionPhrases = {Utf8ToCp1251("на север"), Utf8ToCp1251("на юг"),
                                                                 Utf8ToCp1251("на запад"), Utf8ToCp1251("на восток"),
                                                                 Utf8ToCp1251("вверх"),    Utf8ToCp1251("вниз")};
};

}  // namespace trellan
