#pragma once
// Trellan's own part in the telnet stream: when the server offers MSDP or
// GMCP, Trellan takes the option up itself and asks for the room data, and
// hides from the player's client what the client did not ask for.
//
// Server side (FromServer): IAC WILL MSDP/GMCP is relayed to the client as
// it is and answered by Trellan (IAC DO and the room request). Every
// subnegotiation of a taken-up option is read for a room report; the client
// gets it, byte for byte, only once it has agreed to the option itself, and
// the tracker's copy holds a report marker in its place. Every other byte
// passes unchanged to both.
//
// Client side (FromClient): the client's own IAC DO / IAC DONT for an
// option Trellan has taken up is not forwarded (the server has had its DO;
// a DONT would take the data away from Trellan) but remembered, and after a
// client's GMCP Core.Supports.Set Trellan adds its Room package again.
//
// Both sides are state machines fed chunks of any size.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "proxy/RoomReport.h"
#include "text/ServerCharset.h"

namespace trellan {

class RoomReportNegotiation {
public:
    // A server's subnegotiation is read up to this length; the rest of a
    // longer one is dropped (no room message is that long). A client's
    // longer one is forwarded as it came.
    static constexpr std::size_t MaxSubnegotiation = 64 * 1024;

    struct Options {
        bool Msdp = true;
        bool Gmcp = true;
        // MSDP's texts come in the server's code page (GMCP's are UTF-8).
        ServerCharset Charset = ServerCharset::Windows1251;
    };

    struct ServerOutput {
        std::string ToClient;
        std::string ToTracker;
        std::string ToServer;  // Trellan's answers
        std::vector<RoomReport> Reports;
    };

    // A new server session: nothing negotiated.
    void Reset();

    // Appends what `bytes` make for each side to `out`.
    void FromServer(std::string_view bytes, const Options& options, ServerOutput& out);
    // Text went by without passing FromServer (it held no IAC): a later
    // report is a report of its own.
    void TextPassed();
    // What of the client's `bytes` goes to the server.
    std::string FromClient(std::string_view bytes);

    // Whether Trellan has taken the option up in this session.
    bool MsdpOn() const { return options_[kMsdp].trellanOn; }
    bool GmcpOn() const { return options_[kGmcp].trellanOn; }
    // Nothing is held back between chunks.
    bool ServerIdle() const { return server_.state == State::Data; }
    bool ClientIdle() const { return client_.state == State::Data; }

private:
    enum class ClientAnswer : std::uint8_t { None, Agreed, Refused };
    struct OptionState {
        bool trellanOn = false;
        ClientAnswer client = ClientAnswer::None;
    };
    enum class State : std::uint8_t { Data, Iac, Verb, SbOption, SbBody, SbBodyIac };
    struct Side {
        State state = State::Data;
        std::string pending;  // the telnet bytes of the sequence being read
        std::string body;     // a subnegotiation's content, undoubled
        int option = -1;      // the option index of the body being read
        bool overflow = false;
    };
    // How each side's bytes are read and what becomes of them.
    template <typename Reading>
    void Read(Side& side, std::string_view bytes, Reading& reading);
    struct ServerReading;
    struct ClientReading;
    static constexpr int kMsdp = 0;
    static constexpr int kGmcp = 1;
    static int OptionIndex(unsigned char option);

    void ServerVerb(unsigned char verb, unsigned char option, const Options& options, ServerOutput& out);
    void ServerSubnegotiation(ServerOutput& out);

    // Of the FromServer call under way.
    ServerCharset charset_ = ServerCharset::Windows1251;
    void ClientVerb(unsigned char verb, unsigned char option, std::string& out);

    std::array<OptionState, 2> options_{};
    Side server_;
    Side client_;
    std::uint32_t nextSequence_ = 1;
    // The tracker's copy has had no text since the last report marker, so a
    // further report joins that one.
    bool reportOpen_ = false;
    std::uint32_t openSequence_ = 0;
};

}  // namespace trellan
