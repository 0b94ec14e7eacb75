#pragma once
// The room data a MUD server reports over MSDP (telnet option 69) and GMCP
// (option 201), as the demo MUD offers it with --msdp and --gmcp. Each
// connection keeps what its client agreed to and asked for; the report of a
// move is sent before the text of the move, as real servers do.
#include <string>
#include <string_view>

namespace demomud {

class Game;

class RoomReporter {
public:
    RoomReporter(bool msdp, bool gmcp) : offerMsdp_(msdp), offerGmcp_(gmcp) {}

    // IAC WILL for each option offered, sent at connect.
    std::string Offer() const;
    // The client's IAC DO / DONT; false for an option this is not about.
    bool OnCommand(unsigned char verb, unsigned char option);
    // A complete subnegotiation from the client (IAC IAC undoubled).
    void OnSubnegotiation(unsigned char option, std::string_view body);
    // The client has just asked for the room: report the current one now.
    bool TakeRequest();
    // The telnet bytes reporting `room` (a room index of `game`), empty when
    // the client asked for nothing. IAC inside is doubled; MSDP texts are
    // Windows-1251 like the game text, GMCP's JSON is UTF-8.
    std::string Report(const Game& game, int room) const;

private:
    bool offerMsdp_;
    bool offerGmcp_;
    bool msdpOn_ = false;
    bool gmcpOn_ = false;
    bool msdpRoom_ = false;
    bool gmcpRoom_ = false;
    bool request_ = false;
};

// The server's number for a room and its area name (UTF-8).
std::string RoomVnum(int room);
const char* AreaOf(int room);

}  // namespace demomud
