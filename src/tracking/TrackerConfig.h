#pragma once
// What the movement tracker and the client input stream need to know about
// the MUD and the player's own command words, gathered from the world
// profile and the main settings. Texts are Windows-1251 bytes; list entries
// kept in the escape notation in the profile are decoded here once.
#include <array>
#include <string>
#include <vector>

#include "model/ExitWords.h"
#include "text/ServerCharset.h"
#include "text/W1251.h"
#include "tracking/RoomParserConfig.h"

namespace trellan {

struct MainSettings;
struct WorldProfile;

struct TrackerConfig {
    // Markers, darkness, movement commands, exit words and direction phrases.
    RoomParserConfig Parser;

    // Commands that reset tracking (the text still goes to the MUD). The
    // profile's "Look" may list several words the MUD takes for a look,
    // "look|l|см": any of them (LookWords) resets tracking, and the first
    // (Look) is the one Trellan itself uses and queues.
    std::string Look = "look";
    std::vector<std::string> LookWords = {"look"};
    std::string Clear = W1251("очистить");
    // Trellan's own commands, never relayed.
    std::string StopTrace = W1251("стоптр");
    std::string Speedwalk = W1251("гоу");
    std::string Returnwalk = W1251("назад");
    std::string ReadOnlyOn = W1251("рпон");
    std::string ReadOnlyOff = W1251("рпоф");
    std::string RequestObject = W1251("лор");
    std::string GroupLore = W1251("глор");
    std::string ClanLore = W1251("клор");
    std::string SetAlias = W1251("наа");
    // The prefix word of the map commands (main settings, [Commands]).
    std::string MapCommand = W1251("карта");

    // Prefixes that make a move sneaking or fleeing; the move still counts.
    std::string Sneakwalk = W1251("подкрасться");
    std::string Fleewalk = W1251("убежать");
    // The command that enters a portal (a cross link, never a grid step).
    std::string Portal = W1251("войти");

    // The message of a successful flight and of following a leader.
    std::string Retreat = W1251("Вы быстро убежали");
    std::string Follow = W1251("Вы последовали за");
    // The leader's direction stands on the follow line itself.
    bool FollowLine = false;
    // The direction phrases of the leader's movement messages, the room's
    // order (north, south, west, east, up, down).
    std::array<std::string, kDirectionCount> LeaderPhrases = {W1251("на север"),  W1251("на юг"), W1251("на запад"),
                                                              W1251("на восток"), W1251("вверх"), W1251("вниз")};
    // The leader's movement messages, trimmed and decoded, in list order.
    std::vector<std::string> LeaderMoves;
    // Messages of a refused move, decoded, in list order.
    std::vector<std::string> CantMoves;

    // Centre the map after every confirmed move.
    bool NeedRepos = true;
    // Double every 0xFF byte in object descriptions sent to the client.
    bool AddDoubleYaLor = true;
    // The code page the player's client and the server speak; the tracker
    // works in Windows-1251.
    ServerCharset Charset = ServerCharset::Windows1251;
};

// The words of a "|" list, blanks and control bytes trimmed, empty ones left
// out; the look words of "look|l|см".
std::vector<std::string> LookWordsOf(const std::string& list);

// The parser's part of a profile: the decoded markers, the darkness list
// and the six words of each kind, reordered from the profile's North,
// South, East, West, Up, Down keys into the room's order.
RoomParserConfig ParserConfigFrom(const WorldProfile& profile);

// Everything, the profile's request command taking precedence over the
// main settings' one (it is read last when a world is loaded).
TrackerConfig TrackerConfigFrom(const WorldProfile& profile, const MainSettings& settings);

}  // namespace trellan
