#pragma once
// One player's telnet connection: splits the input into command lines
// (telnet commands removed, bounded line length), answers the compression
// negotiation, and frames the output: in the client's code page
// (Windows-1251 unless chosen), 0xFF doubled, deflated once the client has
// accepted MCCP v2.
#include <zlib.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "Charset.h"
#include "RoomReports.h"

namespace demomud {

class Connection {
public:
    static constexpr std::size_t MaxLine = 1024;
    // A client that stops reading is dropped once this much waits for it.
    static constexpr std::size_t MaxOutput = 4 * 1024 * 1024;
    // In game text: goes out as telnet go-ahead (IAC GA), which ends a prompt.
    static constexpr char GoAheadMark = '\x01';

    // With `msdp` / `gmcp` the room is reported over those options too.
    explicit Connection(bool offerMccp, bool msdp = false, bool gmcp = false);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Feeds bytes from the socket; complete command lines (in the client's
    // code page, 0xFF undoubled, without the line end) are appended to `lines`.
    void Receive(const char* data, std::size_t length, std::vector<std::string>& lines);

    // The code page of the client (Windows-1251 until set).
    void SetCharset(Charset charset) { charset_ = charset; }
    Charset GetCharset() const { return charset_; }

    // Queues game text (UTF-8) for the client.
    void SendText(std::string_view utf8);
    // Ends the compressed stream, if any, so the client sees a clean end.
    void Finish();

    std::string& Output() { return output_; }
    RoomReporter& Reports() { return reports_; }
    // The room report (if the client asked for one), before the move's text.
    void SendRoomReport(const Game& game, int room) { SendRaw(reports_.Report(game, room)); }
    bool Compressing() const { return compressing_; }
    bool Overflowed() const { return output_.size() > MaxOutput; }

private:
    void SendRaw(std::string_view bytes);
    void StartCompression();
    void HandleCommand(unsigned char verb, unsigned char option);

    enum class State { Data, Iac, Verb, Sub, SubIac };

    bool offerMccp_;
    Charset charset_ = Charset::Windows1251;
    bool compressing_ = false;
    z_stream zs_{};
    State state_ = State::Data;
    unsigned char verb_ = 0;
    std::size_t subLength_ = 0;
    std::string sub_;  // the option byte and content of a subnegotiation
    RoomReporter reports_;
    std::string line_;
    bool lineTooLong_ = false;
    bool lastWasCr_ = false;
    std::string output_;
};

}  // namespace demomud
