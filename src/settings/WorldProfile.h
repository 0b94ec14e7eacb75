#pragma once
// The world profile "local.ini": everything that describes one MUD (how to
// connect, how its room output and messages look, which commands move the
// player). The six-direction keys of [Exits], [Leader] and [Moves] run
// North, South, East, West, Up, Down and are held in named fields so the
// order cannot be mixed up with DirectionPhrases, which runs north, south,
// west, east, up, down like every list of six kept in a room.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "settings/EscapedText.h"
#include "text/ServerCharset.h"
#include "text/W1251.h"

namespace trellan {

class IniFile;

struct WorldProfile {
    // [Connect]
    int ClientPort = 4999;
    // The interface the listening socket binds to: whoever reaches the
    // client port plays the player's character, so only this machine by default.
    std::string ClientAddress = "127.0.0.1";
    // A numeric address or a host name, see IsServerAddress.
    std::string ServerName;
    int ServerPort = 4000;
    // The code page the MUD speaks: "Windows-1251", "KOI8-R" or "UTF-8"
    // (see text/ServerCharset.h).
    std::string ServerEncoding = "Windows-1251";

    // [Options]
    // True: the server DOES double 0xFF ("я" is also telnet IAC), so the
    // tracker's copy of its text is undoubled (and IAC GA / IAC EOR end lines).
    bool NoDoubleYa = true;
    bool AddDoubleYa = false;    // double 0xFF in object blocks told to the MUD's chat
    bool AddDoubleYaLor = true;  // double 0xFF in Trellan's own answers to the client
    bool MccpEnabled = true;
    // Take up the server's MSDP (telnet option 69) / GMCP (201) offer and
    // follow the room numbers it reports.
    bool Msdp = true;
    bool Gmcp = true;
    bool ShortMode = false;  // key NoDescription
    std::string Zone;        // defaults to the zone current when reading

    // [Exits]
    std::string ExitWordN = "N";
    std::string ExitWordS = "S";
    std::string ExitWordE = "E";
    std::string ExitWordW = "W";
    std::string ExitWordU = "U";
    std::string ExitWordD = "D";
    // True: "E" and "e" in an exits line are the same exit word.
    bool ExitsIgnoreCase = false;

    // [Messages]
    EscapedText AutoexitStart{"#$1B[36m[ Exits:"};
    EscapedText AutoexitEnd{"]#$0D#$0A"};
    EscapedText PromptExitStart{W1251("Вых:")};
    EscapedText PromptExitEnd{">"};
    bool UsePromptExit = false;
    // The prompt's exit letters, "|" list in the order north, south, west,
    // east, up, down ("С|Ю|З|В|^|v"); empty: the prompt's exits are taken
    // as they stand, and only with UsePromptExit.
    std::string PromptExitLetters;
    EscapedText RoomNameStart{"#$1B[1;36m"};
    EscapedText RoomNameEnd{"#$0D#$0A"};
    std::string RequestCommand = W1251("лор");  // read only, never written
    std::string Dark = W1251("Здесь темно...");
    std::string NoExits = "None!";
    std::string Retreat = W1251("Вы быстро убежали");
    std::string Follow = W1251("Вы последовали за");
    // True: the leader's direction is read from the follow message's own line
    // (the [Leader] phrases); false: from the [Leader Move] messages before it.
    bool FollowLine = false;
    // Item lore template, pattern language, several lines joined by CR LF.
    std::string StuffTem;
    // The captures of StuffTem, in order, that make the item's path in the
    // objects tree: "1,2" files it under capture 1, then capture 2.
    std::string StuffSeq;
    std::string GroupTell = W1251("гг");
    std::string ClanTell = W1251("кг");
    std::string MobTem;  // mobile lore template, as StuffTem
    std::string MobSeq;  // the captures naming the mobile, as StuffSeq

    // [Leader]: direction phrases in the leader's movement messages.
    std::string LeaderN = W1251("на север");
    std::string LeaderS = W1251("на юг");
    std::string LeaderE = W1251("на восток");
    std::string LeaderW = W1251("на запад");
    std::string LeaderU = W1251("вверх");
    std::string LeaderD = W1251("вниз");

    // [Leader Move]
    std::vector<std::string> LeaderMoves;

    // [Moves]
    std::string StopTrace = W1251("стоптр");
    std::string Clear = W1251("очистить");
    std::string Look = "look";
    std::string MoveCmdN = "n";
    std::string MoveCmdS = "s";
    std::string MoveCmdE = "e";
    std::string MoveCmdW = "w";
    std::string MoveCmdU = "u";
    std::string MoveCmdD = "d";
    std::string Portal = W1251("войти");
    std::string Speedwalk = W1251("гоу");
    std::string Returnwalk = W1251("назад");
    std::string Sneakwalk = W1251("подкрасться");
    std::string Fleewalk = W1251("убежать");
    // Key Directions, a "|" list: north, south, west, east, up, down.
    std::array<std::string, 6> DirectionPhrases = {W1251("на север"),  W1251("на юг"), W1251("на запад"),
                                                   W1251("на восток"), W1251("вверх"), W1251("вниз")};

    // ["Can`t Move"] and [Dark]
    std::vector<std::string> CantMoves;
    std::vector<std::string> DarkMessages;

    // [Lock]: the locked zones, in file order.
    std::vector<std::string> LockedZones;

    // [Skin]
    std::string SkinIniFile = "noskin.ini";
    int CurrentSkin = 0;

    // [Map], each key written once it was set, so that a profile of a map
    // never zoomed stays as it was: the zoom in percent, and the rooms'
    // names under them (shown from 150 % on).
    int MapZoom = 100;
    bool MapRoomNames = false;
};

// The server-name rule: a name whose first character is one of "123456789"
// is a numeric address, anything else (an address starting with 0 too) a
// host name.
bool IsServerAddress(std::string_view serverName);

// The profile's "Server Encoding"; a name Trellan does not know is taken as
// Windows-1251, the code page of profiles that have no such key.
ServerCharset ProfileServerCharset(const WorldProfile& profile);

// Reads a profile; every missing key takes its built-in default except Zone,
// which keeps `currentZone`.
WorldProfile ReadWorldProfile(const IniFile& ini, std::string_view currentZone);

// With full false only [Skin] CurrentSkin and [Lock] are written; with full
// true every section, in the file's documented order. List sections are
// erased and rewritten, so they move to the end of the file like Windows
// moves them.
void WriteWorldProfile(IniFile& ini, const WorldProfile& profile, bool full);

}  // namespace trellan
