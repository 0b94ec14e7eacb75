#include "proxy/RoomReportNegotiation.h"

#include "proxy/Gmcp.h"
#include "proxy/Msdp.h"
#include "proxy/TelnetCodes.h"

namespace trellan {

namespace {

using namespace telnet;

constexpr std::array<unsigned char, 2> kOptionBytes = {Msdp, Gmcp};

std::string Command(unsigned char verb, unsigned char option) {
    return {static_cast<char>(Iac), static_cast<char>(verb), static_cast<char>(option)};
}

std::string Redoubled(std::string_view body) {
    std::string out;
    out.reserve(body.size() + 8);
    for (char c : body) {
        out += c;
        if (c == static_cast<char>(Iac)) out += c;
    }
    return out;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

int RoomReportNegotiation::OptionIndex(unsigned char option) {
    if (option == Msdp) return kMsdp;
    if (option == Gmcp) return kGmcp;
    return -1;
}

void RoomReportNegotiation::TextPassed() {
    reportOpen_ = false;
}

void RoomReportNegotiation::Reset() {
    options_ = {};
    server_ = Side();
    client_ = Side();
    reportOpen_ = false;
}

// The telnet framing both sides share. What becomes of the pieces is the
// side's own, through `reading`:
//   Text(bytes)        bytes that pass as they are;
//   Verb(verb, option) IAC WILL / WONT / DO / DONT and its option;
//   ReadsBody(option)  whether the content of this subnegotiation is read;
//   Overlong(c)        a byte past MaxSubnegotiation; false ends the reading;
//   End(c)             the content ended with IAC c; true has c read again
//                      as a command of its own.
// An IAC IAC past MaxSubnegotiation is overlong too only where
// Reading::kBoundsDoubledIac.
template <typename Reading>
void RoomReportNegotiation::Read(Side& s, std::string_view bytes, Reading& reading) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        switch (s.state) {
            case State::Data: {
                // Plain text up to the next IAC in one piece.
                std::size_t iac = bytes.find(static_cast<char>(Iac), i);
                std::size_t end = iac == std::string_view::npos ? bytes.size() : iac;
                if (end > i) reading.Text(bytes.substr(i, end - i));
                i = end;
                if (i < bytes.size()) {
                    s.pending.assign(1, static_cast<char>(Iac));
                    s.state = State::Iac;
                    ++i;
                }
                continue;
            }
            case State::Iac:
                s.pending += static_cast<char>(c);
                if (c >= Will && c <= Dont) {
                    s.state = State::Verb;
                } else if (c == Sb) {
                    s.state = State::SbOption;
                } else {
                    reading.Text(s.pending);
                    s.state = State::Data;
                }
                break;
            case State::Verb:
                s.state = State::Data;
                reading.Verb(static_cast<unsigned char>(s.pending[1]), c);
                break;
            case State::SbOption:
                s.pending += static_cast<char>(c);
                if (reading.ReadsBody(c)) {
                    s.body.clear();
                    s.overflow = false;
                    s.state = State::SbBody;
                } else {
                    // Someone else's subnegotiation: it passes as plain bytes.
                    reading.Text(s.pending);
                    s.state = State::Data;
                }
                break;
            case State::SbBody:
                if (c == Iac) {
                    s.state = State::SbBodyIac;
                } else if (s.body.size() < MaxSubnegotiation) {
                    s.body += static_cast<char>(c);
                } else if (!reading.Overlong(c)) {
                    s.state = State::Data;
                }
                break;
            case State::SbBodyIac:
                if (c == Iac) {
                    s.state = State::SbBody;
                    if (s.body.size() < MaxSubnegotiation || !Reading::kBoundsDoubledIac) {
                        s.body += static_cast<char>(c);
                    } else if (!reading.Overlong(c)) {
                        s.state = State::Data;
                    }
                    break;
                }
                s.state = State::Data;
                if (reading.End(c)) {
                    s.pending.assign(1, static_cast<char>(Iac));
                    s.state = State::Iac;
                    continue;
                }
                break;
        }
        ++i;
    }
}

// The server's bytes: everything passes to the client and the tracker alike
// (a verb too, before Trellan answers it), except the subnegotiations of an
// option Trellan has taken up. Their content is read up to
// MaxSubnegotiation and the rest dropped; IAC with anything but SE or IAC
// ends a damaged one.
struct RoomReportNegotiation::ServerReading {
    static constexpr bool kBoundsDoubledIac = true;
    RoomReportNegotiation& negotiation;
    const Options& options;
    ServerOutput& out;

    void Text(std::string_view text) {
        out.ToClient += text;
        out.ToTracker += text;
        negotiation.reportOpen_ = false;
    }
    void Verb(unsigned char verb, unsigned char option) {
        Text(Command(verb, option));
        negotiation.ServerVerb(verb, option, options, out);
    }
    bool ReadsBody(unsigned char option) {
        int index = OptionIndex(option);
        if (index < 0 || !negotiation.options_[static_cast<std::size_t>(index)].trellanOn) return false;
        negotiation.server_.option = index;
        return true;
    }
    bool Overlong(unsigned char) {
        negotiation.server_.overflow = true;
        return true;
    }
    bool End(unsigned char c) {
        negotiation.ServerSubnegotiation(out);
        return c != Se;
    }
};

void RoomReportNegotiation::FromServer(std::string_view bytes, const Options& options, ServerOutput& out) {
    charset_ = options.Charset;
    ServerReading reading{*this, options, out};
    Read(server_, bytes, reading);
}

void RoomReportNegotiation::ServerVerb(unsigned char verb, unsigned char option, const Options& options,
                                       ServerOutput& out) {
    int index = OptionIndex(option);
    if (index < 0) return;
    OptionState& state = options_[static_cast<std::size_t>(index)];
    bool wanted = index == kMsdp ? options.Msdp : options.Gmcp;
    if (verb == Will && wanted && !state.trellanOn) {
        state.trellanOn = true;
        out.ToServer += Command(Do, option);
        out.ToServer += index == kMsdp ? MsdpRoomRequest() : GmcpRoomRequest();
    } else if (verb == Wont) {
        state.trellanOn = false;
    }
}

void RoomReportNegotiation::ServerSubnegotiation(ServerOutput& out) {
    Side& s = server_;
    const OptionState& state = options_[static_cast<std::size_t>(s.option)];
    if (state.client == ClientAnswer::Agreed) {
        out.ToClient += Command(Sb, kOptionBytes[static_cast<std::size_t>(s.option)]);
        out.ToClient += Redoubled(s.body);
        out.ToClient += static_cast<char>(Iac);
        out.ToClient += static_cast<char>(Se);
    }
    if (s.overflow) return;
    RoomReport report =
        s.option == kMsdp ? RoomReportFromMsdp(ParseMsdp(s.body)) : RoomReportFromGmcp(SplitGmcp(s.body));
    if (report.Empty()) return;
    if (s.option == kMsdp && charset_ != ServerCharset::Windows1251) {
        report.Name = FromServerCharset(report.Name, charset_);
        report.Area = FromServerCharset(report.Area, charset_);
    }
    if (!reportOpen_) {
        openSequence_ = nextSequence_++;
        out.ToTracker += RoomReportMarker(openSequence_);
        reportOpen_ = true;
    }
    report.Sequence = openSequence_;
    out.Reports.push_back(std::move(report));
}

// The client's bytes: its GMCP subnegotiations are read (once Trellan has
// taken GMCP up) to follow a Core.Supports.Set with Trellan's own package,
// and pass on as they came, a damaged or overlong one too.
struct RoomReportNegotiation::ClientReading {
    static constexpr bool kBoundsDoubledIac = false;
    RoomReportNegotiation& negotiation;
    std::string& out;

    void Text(std::string_view text) { out += text; }
    void Verb(unsigned char verb, unsigned char option) { negotiation.ClientVerb(verb, option, out); }
    bool ReadsBody(unsigned char option) { return option == Gmcp && negotiation.options_[kGmcp].trellanOn; }
    // Too long to look into: it goes on as it came.
    bool Overlong(unsigned char c) {
        PassBody();
        out += static_cast<char>(c);
        return false;
    }
    bool End(unsigned char c) {
        PassBody();
        out += static_cast<char>(Iac);
        out += static_cast<char>(c);
        if (c == Se && StartsWith(negotiation.client_.body, "Core.Supports.Set")) out += GmcpRoomSupportsAdd();
        return false;
    }
    void PassBody() {
        out += negotiation.client_.pending;
        out += Redoubled(negotiation.client_.body);
    }
};

std::string RoomReportNegotiation::FromClient(std::string_view bytes) {
    std::string out;
    ClientReading reading{*this, out};
    Read(client_, bytes, reading);
    return out;
}

void RoomReportNegotiation::ClientVerb(unsigned char verb, unsigned char option, std::string& out) {
    int index = OptionIndex(option);
    if (index >= 0 && options_[static_cast<std::size_t>(index)].trellanOn && (verb == Do || verb == Dont)) {
        options_[static_cast<std::size_t>(index)].client = verb == Do ? ClientAnswer::Agreed : ClientAnswer::Refused;
        return;
    }
    out += Command(verb, option);
}

}  // namespace trellan
