#include "Connection.h"


namespace demomud {

namespace {

constexpr unsigned char IAC = 255;
constexpr unsigned char DONT = 254;
constexpr unsigned char DO = 253;
constexpr unsigned char WONT = 252;
constexpr unsigned char WILL = 251;
constexpr unsigned char SB = 250;
constexpr unsigned char SE = 240;
constexpr unsigned char GA = 249;
constexpr unsigned char COMPRESS2 = 86;

std::string Telnet(std::initializer_list<unsigned char> bytes) {
    std::string s;
    for (unsigned char b : bytes) {
        s.push_back(static_cast<char>(b));
    }
    return s;
}

}  // namespace

Connection::Connection(bool offerMccp, bool msdp, bool gmcp) : offerMccp_(offerMccp), reports_(msdp, gmcp) {
    if (offerMccp_) {
        output_ = Telnet({IAC, WILL, COMPRESS2});
    }
    output_ += reports_.Offer();
}

Connection::~Connection() {
    if (compressing_) {
        deflateEnd(&zs_);
    }
}

void Connection::Receive(const char* data, std::size_t length, std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < length; ++i) {
        const auto b = static_cast<unsigned char>(data[i]);
        switch (state_) {
            case State::Data:
                if (b == IAC) {
                    state_ = State::Iac;
                } else if (b == '\r' || (b == '\n' && !lastWasCr_)) {
                    lines.push_back(line_);
                    line_.clear();
                    lineTooLong_ = false;
                } else if (b != '\n' && b != '\0') {
                    if (line_.size() < MaxLine) {
                        line_.push_back(static_cast<char>(b));
                    } else {
                        lineTooLong_ = true;
                    }
                }
                lastWasCr_ = b == '\r' || (lastWasCr_ && b == '\0');
                break;
            case State::Iac:
                if (b == IAC) {
                    if (line_.size() < MaxLine) {
                        line_.push_back(static_cast<char>(b));
                    }
                    state_ = State::Data;
                } else if (b >= WILL && b <= DONT) {
                    verb_ = b;
                    state_ = State::Verb;
                } else if (b == SB) {
                    subLength_ = 0;
                    sub_.clear();
                    state_ = State::Sub;
                } else {
                    state_ = State::Data;
                }
                lastWasCr_ = false;
                break;
            case State::Verb:
                HandleCommand(verb_, b);
                state_ = State::Data;
                break;
            case State::Sub:
                if (b == IAC) {
                    state_ = State::SubIac;
                } else if (sub_.size() < MaxLine) {
                    sub_.push_back(static_cast<char>(b));
                }
                ++subLength_;
                break;
            case State::SubIac:
                if (b == IAC && sub_.size() < MaxLine) {
                    sub_.push_back(static_cast<char>(b));
                } else if (b == SE && !sub_.empty()) {
                    reports_.OnSubnegotiation(static_cast<unsigned char>(sub_[0]), std::string_view(sub_).substr(1));
                }
                state_ = b == IAC ? State::Sub : State::Data;
                break;
        }
    }
}

void Connection::HandleCommand(unsigned char verb, unsigned char option) {
    if (reports_.OnCommand(verb, option)) {
        return;
    }
    if (option == COMPRESS2 && offerMccp_) {
        if (verb == DO && !compressing_) {
            StartCompression();
        }
        return;  // DONT: the stream stays plain
    }
    // Everything else is refused once; refusals themselves need no answer.
    if (verb == DO) {
        SendRaw(Telnet({IAC, WONT, option}));
    } else if (verb == WILL) {
        SendRaw(Telnet({IAC, DONT, option}));
    }
}

void Connection::StartCompression() {
    SendRaw(Telnet({IAC, SB, COMPRESS2, IAC, SE}));
    zs_ = z_stream{};
    if (deflateInit(&zs_, Z_DEFAULT_COMPRESSION) == Z_OK) {
        compressing_ = true;
    }
}

void Connection::SendText(std::string_view utf8) {
    const std::string text = EncodeOutput(charset_, utf8);
    std::string wire;
    wire.reserve(text.size() + 8);
    for (char c : text) {
        if (c == GoAheadMark) {
            wire.push_back(static_cast<char>(IAC));
            wire.push_back(static_cast<char>(GA));
            continue;
        }
        wire.push_back(c);
        if (static_cast<unsigned char>(c) == IAC) {
            wire.push_back(c);  // "я" in Windows-1251, "Ъ" in KOI8-R: the telnet IAC byte
        }
    }
    SendRaw(wire);
}

void Connection::SendRaw(std::string_view bytes) {
    if (!compressing_) {
        output_.append(bytes);
        return;
    }
    zs_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    zs_.avail_in = static_cast<uInt>(bytes.size());
    char buffer[16384];
    do {
        zs_.next_out = reinterpret_cast<Bytef*>(buffer);
        zs_.avail_out = sizeof buffer;
        deflate(&zs_, Z_SYNC_FLUSH);
        output_.append(buffer, sizeof buffer - zs_.avail_out);
    } while (zs_.avail_out == 0);
}

void Connection::Finish() {
    if (!compressing_) {
        return;
    }
    char buffer[16384];
    int rc = Z_OK;
    do {
        zs_.next_in = nullptr;
        zs_.avail_in = 0;
        zs_.next_out = reinterpret_cast<Bytef*>(buffer);
        zs_.avail_out = sizeof buffer;
        rc = deflate(&zs_, Z_FINISH);
        output_.append(buffer, sizeof buffer - zs_.avail_out);
    } while (rc == Z_OK);
    deflateEnd(&zs_);
    compressing_ = false;
}

}  // namespace demomud
