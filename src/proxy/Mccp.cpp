#include "proxy/Mccp.h"

#include <zlib.h>

#include <cstring>
#include <deque>

#include "proxy/ByteQueue.h"

namespace trellan {

namespace {

constexpr unsigned char kIac = 255;
constexpr unsigned char kDont = 254;
constexpr unsigned char kDo = 253;
constexpr unsigned char kWont = 252;
constexpr unsigned char kWill = 251;
constexpr unsigned char kSb = 250;
constexpr unsigned char kSe = 240;
constexpr unsigned char kCompress1 = 85;
constexpr unsigned char kCompress2 = 86;

// zlib inflates into the output queue this many bytes at a time, so a small
// compressed read that expands enormously grows the queue step by step.
constexpr std::size_t kInflateStep = 16 * 1024;

// Where the telnet scanner stands between two bytes. Everything that may
// concern us (a compression offer or start) is held back in `held` until it
// is decided; anything else is passed on exactly as it came.
enum class Telnet {
    Data,        // plain text
    Iac,         // after IAC
    Negotiate,   // after IAC WILL/WONT/DO/DONT, the option byte follows
    Sub,         // after IAC SB, the option byte follows
    SubOption,   // after IAC SB 85 or IAC SB 86
    SubEnd,      // after IAC SB 86 IAC or IAC SB 85 WILL, SE ends the start
};

}  // namespace

struct Mccp::State {
    ByteQueue output;
    std::deque<std::string> responses;

    Telnet telnet = Telnet::Data;
    std::string held;  // the bytes of an undecided sequence, at most four

    bool v2Offered = false;
    bool compressing = false;
    bool failed = false;
    std::string errorText;

    z_stream zs{};
    bool zsReady = false;

    std::int64_t compressedCount = 0;
    std::int64_t uncompressedCount = 0;

    ~State() {
        if (zsReady) inflateEnd(&zs);
    }

    void Fail(const std::string& reason) {
        failed = true;
        compressing = false;
        errorText = "MCCP: corrupt compressed stream from the server (zlib: " + reason + ")";
    }

    void Emit(const unsigned char* data, std::size_t count) {
        output.Append(reinterpret_cast<const char*>(data), count);
    }
    void EmitHeld() {
        output.Append(held.data(), held.size());
        held.clear();
    }

    // Answers an offer of compression. Version 2 is always accepted. Version 1
    // is accepted only while version 2 has not been offered in this session:
    // a server offering both gets DO 86 and DONT 85 in whichever order its
    // offers arrive, except that when 85 came first and was accepted we can no
    // longer take that back, so a later 86 is accepted too and the server
    // picks (servers start version 2 when both are agreed).
    void Offer(unsigned char option) {
        if (option == kCompress2) {
            v2Offered = true;
            responses.push_back({char(kIac), char(kDo), char(kCompress2)});
        } else if (v2Offered) {
            responses.push_back({char(kIac), char(kDont), char(kCompress1)});
        } else {
            responses.push_back({char(kIac), char(kDo), char(kCompress1)});
        }
    }

    // A start sequence turns on inflating whether or not we agreed to that
    // version: the client never saw the offer, so it could not inflate the
    // stream itself, and relaying compressed bytes would only show garbage.
    void StartCompression() {
        int rc;
        if (zsReady) {
            rc = inflateReset(&zs);
        } else {
            zs = z_stream{};
            rc = inflateInit(&zs);
            zsReady = rc == Z_OK;
        }
        if (rc != Z_OK) {
            Fail(zs.msg ? zs.msg : "cannot start inflating");
            return;
        }
        compressing = true;
    }

    // Scans plain telnet data; returns how many bytes were used, which is
    // less than `count` only when a compression start sequence ended early.
    std::size_t Scan(const unsigned char* data, std::size_t count) {
        std::size_t i = 0;
        while (i < count) {
            switch (telnet) {
            case Telnet::Data: {
                auto* iac = static_cast<const unsigned char*>(std::memchr(data + i, kIac, count - i));
                std::size_t runEnd = iac ? static_cast<std::size_t>(iac - data) : count;
                Emit(data + i, runEnd - i);
                i = runEnd;
                if (iac) {
                    held.assign(1, char(kIac));
                    telnet = Telnet::Iac;
                    ++i;
                }
                break;
            }
            case Telnet::Iac: {
                unsigned char c = data[i++];
                held.push_back(char(c));
                if (c == kWill || c == kWont || c == kDo || c == kDont) {
                    telnet = Telnet::Negotiate;
                } else if (c == kSb) {
                    telnet = Telnet::Sub;
                } else {
                    // IAC IAC (a doubled 0xFF) and the two-byte commands.
                    EmitHeld();
                    telnet = Telnet::Data;
                }
                break;
            }
            case Telnet::Negotiate: {
                unsigned char c = data[i++];
                if (static_cast<unsigned char>(held[1]) == kWill && (c == kCompress1 || c == kCompress2)) {
                    held.clear();
                    Offer(c);
                } else {
                    held.push_back(char(c));
                    EmitHeld();
                }
                telnet = Telnet::Data;
                break;
            }
            case Telnet::Sub: {
                unsigned char c = data[i++];
                held.push_back(char(c));
                if (c == kCompress1 || c == kCompress2) {
                    telnet = Telnet::SubOption;
                } else {
                    // Another option's subnegotiation: relayed as it is.
                    EmitHeld();
                    telnet = Telnet::Data;
                }
                break;
            }
            case Telnet::SubOption: {
                // Version 2 starts with IAC SB 86 IAC SE, version 1 with the
                // odd IAC SB 85 WILL SE.
                unsigned char expected = static_cast<unsigned char>(held[2]) == kCompress2 ? kIac : kWill;
                if (data[i] == expected) {
                    held.push_back(char(data[i++]));
                    telnet = Telnet::SubEnd;
                } else {
                    // Not a start after all; the byte is looked at afresh.
                    EmitHeld();
                    telnet = Telnet::Data;
                }
                break;
            }
            case Telnet::SubEnd: {
                if (data[i] == kSe) {
                    ++i;
                    held.clear();
                    telnet = Telnet::Data;
                    StartCompression();
                    return i;
                }
                if (static_cast<unsigned char>(held[3]) == kIac) {
                    // IAC SB 86 IAC x: the IAC begins a sequence of its own.
                    held.pop_back();
                    EmitHeld();
                    held.assign(1, char(kIac));
                    telnet = Telnet::Iac;
                } else {
                    EmitHeld();
                    telnet = Telnet::Data;
                }
                break;
            }
            }
        }
        return i;
    }

    // Inflates compressed data; returns how many bytes belonged to the
    // compressed stream. Fewer than `count` means the stream ended and the
    // rest is plain telnet again.
    std::size_t Inflate(const unsigned char* data, std::size_t count) {
        zs.next_in = const_cast<Bytef*>(data);
        zs.avail_in = static_cast<uInt>(count);
        for (;;) {
            char* room = output.Reserve(kInflateStep);
            zs.next_out = reinterpret_cast<Bytef*>(room);
            zs.avail_out = static_cast<uInt>(kInflateStep);
            uInt inBefore = zs.avail_in;
            int rc = inflate(&zs, Z_NO_FLUSH);
            std::size_t produced = kInflateStep - zs.avail_out;
            // What zlib produced before it found a fault was inflated from
            // sound data and is kept; nothing after the fault is.
            output.Commit(produced);
            uncompressedCount += static_cast<std::int64_t>(produced);
            if (rc == Z_STREAM_END) {
                compressing = false;
                break;
            }
            if (rc == Z_NEED_DICT) {
                Fail("the stream needs a preset dictionary");
                break;
            }
            if (rc == Z_DATA_ERROR || rc == Z_STREAM_ERROR || rc == Z_MEM_ERROR) {
                Fail(zs.msg ? zs.msg : (rc == Z_MEM_ERROR ? "out of memory" : "invalid data"));
                break;
            }
            // Z_OK or Z_BUF_ERROR: go on while input remains or the output
            // step was filled (more may be waiting inside zlib).
            bool progress = produced > 0 || zs.avail_in != inBefore;
            if (!progress || (zs.avail_in == 0 && zs.avail_out != 0)) break;
        }
        std::size_t used = count - zs.avail_in;
        compressedCount += static_cast<std::int64_t>(used);
        zs.next_in = nullptr;
        zs.avail_in = 0;
        return failed ? count : used;
    }
};

Mccp::Mccp() : state_(std::make_unique<State>()) {}

Mccp::~Mccp() = default;

void Mccp::Receive(const char* data, std::size_t length) {
    State& s = *state_;
    auto* p = reinterpret_cast<const unsigned char*>(data);
    while (length > 0 && !s.failed) {
        std::size_t used = s.compressing ? s.Inflate(p, length) : s.Scan(p, length);
        p += used;
        length -= used;
    }
}

std::string Mccp::Response() {
    State& s = *state_;
    if (s.responses.empty()) return {};
    std::string next = std::move(s.responses.front());
    s.responses.pop_front();
    return next;
}

std::size_t Mccp::Pending() const { return state_->output.Size(); }

std::size_t Mccp::Get(char* buffer, std::size_t capacity) { return state_->output.Take(buffer, capacity); }

void Mccp::Stats(std::int64_t& compressed, std::int64_t& uncompressed) {
    compressed = state_->compressedCount;
    uncompressed = state_->uncompressedCount;
    state_->compressedCount = 0;
    state_->uncompressedCount = 0;
}

bool Mccp::Compressing() const { return state_->compressing; }

bool Mccp::Failed() const { return state_->failed; }

const std::string& Mccp::ErrorText() const { return state_->errorText; }

}  // namespace trellan
