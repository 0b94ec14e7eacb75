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

void RoomReportNegotiation::FromServer(std::string_view bytes, const Options& options, ServerOutput& out) {
    charset_ = options.Charset;
    Side& s = server_;
    auto passText = [&](std::string_view text) {
        out.ToClient += text;
        out.ToTracker += text;
        reportOpen_ = false;
    };
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        switch (s.state) {
            case State::Data: {
                // Plain text up to the next IAC in one piece.
                std::size_t iac = bytes.find(static_cast<char>(Iac), i);
                std::size_t end = iac == std::string_view::npos ? bytes.size() : iac;
                if (end > i) passText(bytes.substr(i, end - i));
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
                    passText(s.pending);
                    s.state = State::Data;
                }
                break;
            case State::Verb:
                s.pending += static_cast<char>(c);
                passText(s.pending);
                ServerVerb(static_cast<unsigned char>(s.pending[1]), c, options, out);
                s.state = State::Data;
                break;
            case State::SbOption: {
                s.pending += static_cast<char>(c);
                int index = OptionIndex(c);
                if (index >= 0 && options_[static_cast<std::size_t>(index)].trellanOn) {
                    s.option = index;
                    s.body.clear();
                    s.overflow = false;
                    s.state = State::SbBody;
                } else {
                    // Someone else's subnegotiation: it passes as plain bytes.
                    passText(s.pending);
                    s.state = State::Data;
                }
                break;
            }
            case State::SbBody:
                if (c == Iac) {
                    s.state = State::SbBodyIac;
                } else if (s.body.size() < MaxSubnegotiation) {
                    s.body += static_cast<char>(c);
                } else {
                    s.overflow = true;
                }
                break;
            case State::SbBodyIac:
                if (c == Iac) {
                    if (s.body.size() < MaxSubnegotiation) {
                        s.body += static_cast<char>(c);
                    } else {
                        s.overflow = true;
                    }
                    s.state = State::SbBody;
                } else {
                    // IAC SE ends it; any other command ends a damaged one
                    // and is read again as a command of its own.
                    ServerSubnegotiation(out);
                    s.state = State::Data;
                    if (c != Se) {
                        s.pending.assign(1, static_cast<char>(Iac));
                        s.state = State::Iac;
                        continue;
                    }
                }
                break;
        }
        ++i;
    }
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

std::string RoomReportNegotiation::FromClient(std::string_view bytes) {
    Side& s = client_;
    std::string out;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        switch (s.state) {
            case State::Data: {
                std::size_t iac = bytes.find(static_cast<char>(Iac), i);
                std::size_t end = iac == std::string_view::npos ? bytes.size() : iac;
                out += bytes.substr(i, end - i);
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
                    out += s.pending;
                    s.state = State::Data;
                }
                break;
            case State::Verb:
                ClientVerb(static_cast<unsigned char>(s.pending[1]), c, out);
                s.state = State::Data;
                break;
            case State::SbOption:
                s.pending += static_cast<char>(c);
                if (c == Gmcp && options_[kGmcp].trellanOn) {
                    s.body.clear();
                    s.state = State::SbBody;
                } else {
                    out += s.pending;
                    s.state = State::Data;
                }
                break;
            case State::SbBody:
                if (c == Iac) {
                    s.state = State::SbBodyIac;
                } else if (s.body.size() < MaxSubnegotiation) {
                    s.body += static_cast<char>(c);
                } else {
                    // Too long to look into: it goes on as it came.
                    out += s.pending;
                    out += Redoubled(s.body);
                    out += static_cast<char>(c);
                    s.state = State::Data;
                }
                break;
            case State::SbBodyIac:
                if (c == Iac) {
                    s.body += static_cast<char>(c);
                    s.state = State::SbBody;
                    break;
                }
                out += s.pending;
                out += Redoubled(s.body);
                out += static_cast<char>(Iac);
                out += static_cast<char>(c);
                s.state = State::Data;
                if (c == Se && StartsWith(s.body, "Core.Supports.Set")) out += GmcpRoomSupportsAdd();
                break;
        }
        ++i;
    }
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
