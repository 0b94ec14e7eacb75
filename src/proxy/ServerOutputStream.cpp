#include "proxy/ServerOutputStream.h"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "proxy/DebugLog.h"
#include "proxy/Mccp.h"
#include "proxy/ProxyConfig.h"
#include "proxy/Transport.h"

namespace trellan {

// "Сбой MCCP: сжатые данные повреждены, соединение с сервером закрыто", red,
// as a Trellan line. Worded without "я": its byte 0xFF is the telnet IAC,
// which the client would take for a command.
const std::string ServerOutputStream::CorruptStreamMessage =
    "\r\n\033[1;33m<Trellan> : \033[1;31m"
    "\xD1\xE1\xEE\xE9 MCCP: \xF1\xE6\xE0\xF2\xFB\xE5 \xE4\xE0\xED\xED\xFB\xE5 "
    "\xEF\xEE\xE2\xF0\xE5\xE6\xE4\xE5\xED\xFB, "
    "\xF1\xEE\xE5\xE4\xE8\xED\xE5\xED\xE8\xE5 \xF1 \xF1\xE5\xF0\xE2\xE5\xF0\xEE\xEC \xE7\xE0\xEA\xF0\xFB\xF2\xEE"
    "\033[0m\r\n";

namespace {

constexpr std::string_view kIacDo85 = "\xFF\xFD\x55";
constexpr std::string_view kIacDo86 = "\xFF\xFD\x56";

// Servers end lines with NUL now and then; clients and tracker want LF.
void AppendNulAsLf(std::string& text, const char* data, std::size_t count) {
    std::size_t start = text.size();
    text.append(data, count);
    char* p = text.data() + start;
    char* end = text.data() + text.size();
    while (p < end && (p = static_cast<char*>(std::memchr(p, '\0', end - p))) != nullptr) {
        *p++ = '\n';
    }
}

// std::string::find calls memcmp for every occurrence of the first byte; the
// texts searched here are a few bytes long and their first byte ("\r", "\n")
// occurs on every line, so they are compared inline.
std::size_t FindShort(const std::string& text, std::string_view search, std::size_t from) {
    const char* data = text.data();
    const char* end = data + text.size();
    const std::size_t length = search.size();
    const char* p = data + from;
    while (static_cast<std::size_t>(end - p) >= length) {
        p = static_cast<const char*>(std::memchr(p, search[0], static_cast<std::size_t>(end - p) - length + 1));
        if (p == nullptr) return std::string::npos;
        std::size_t i = 1;
        while (i < length && p[i] == search[i]) ++i;
        if (i == length) return static_cast<std::size_t>(p - data);
        ++p;
    }
    return std::string::npos;
}

// ReplaceAll's one left-to-right pass, done in place: the replacements here
// are never longer than what they replace, and a read event's text must not
// cost an allocation per pass. False when `search` does not occur.
bool ReplaceAllInPlace(std::string& text, std::string_view search, std::string_view replacement) {
    std::size_t hit = FindShort(text, search, 0);
    if (hit == std::string::npos) return false;
    char* data = text.data();
    std::size_t write = hit;
    std::size_t read = hit;
    while (hit != std::string::npos) {
        if (write != read) std::memmove(data + write, data + read, hit - read);
        write += hit - read;
        std::memcpy(data + write, replacement.data(), replacement.size());
        write += replacement.size();
        read = hit + search.size();
        hit = FindShort(text, search, read);
    }
    std::memmove(data + write, data + read, text.size() - read);
    text.resize(write + text.size() - read);
    return true;
}

// Repeats only while the text still holds `search`, so text without it costs
// one scan.
void ReplaceWhileFound(std::string& text, std::string_view search, std::string_view replacement) {
    while (ReplaceAllInPlace(text, search, replacement)) {
    }
}

bool IsLineOrYaByte(char c) { return c == '\r' || c == '\n' || c == '\xFF'; }

// Undoubles 0xFF pairs and ends the line after every go-ahead (IAC GA) and
// end-of-record (IAC EOR). A MUD marks its prompt with one of them and
// prints what follows right behind it, without a line break; for the tracker
// that text starts a line, as it does on the player's screen (a lore block
// is only recognised at a line start). Only where the server doubles 0xFF
// is IAC told apart from the letter "я".
void UndoubleAndEndPrompts(std::string& text) {
    if (text.find('\xFF') == std::string::npos) return;
    std::string out;
    out.reserve(text.size() + 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        out += c;
        if (c != '\xFF' || i + 1 == text.size()) continue;
        const char next = text[i + 1];
        if (next == '\xFF') {
            ++i;
        } else if (next == '\xF9' || next == '\xEF') {
            out += next;
            out += "\r\n";
            ++i;
        }
    }
    text = std::move(out);
}

// How far back a piece's end moves so that a line break or a doubled 0xFF is
// not cut in two; a longer run is cut anyway.
constexpr std::size_t kMaxPieceBackoff = 64;

}  // namespace

ServerOutputStream::ServerOutputStream(Transport& transport, DebugLog& log, const ProxyConfig& config)
    : transport_(transport), log_(log), config_(config) {}

ServerOutputStream::~ServerOutputStream() = default;

void ServerOutputStream::ResetSession() {
    mccpActive_ = false;
    mccp_.reset();
    status_.Reset();
    decoder_.Reset();
    negotiation_.Reset();
}

void ServerOutputStream::StartDecompressor() {
    if (!config_.MccpEnabled) {
        mccpActive_ = false;
        return;
    }
    if (mccpActive_) return;
    if (mccp_) {
        mccp_.reset();
        status_.MccpCompressedTotal = 0;
        status_.MccpUncompressedTotal = 0;
        status_.MccpVersion = "none";
    }
    mccp_ = std::make_unique<Mccp>();
    mccpActive_ = true;
}

ServerOutputStream::ReadResult ServerOutputStream::DrainServer() {
    log_.Log("CSRead");
    StartDecompressor();

    std::string& text = text_;
    text.clear();
    ReadResult result = ReadResult::Open;
    bool handedPiece = false;
    bool corrupt = false;
    char raw[ChunkSize];
    while (result == ReadResult::Open && !ClientHoldsBack()) {
        std::ptrdiff_t count = transport_.ReadServer(raw, sizeof raw);
        if (count <= 0) break;
        if (!mccpActive_) {
            AppendNulAsLf(text, raw, static_cast<std::size_t>(count));
            if (text.size() > PieceLimit) {
                HandOnPiece(text, result);
                handedPiece = true;
            }
            continue;
        }
        mccp_->Receive(raw, static_cast<std::size_t>(count));
        for (std::string answer = mccp_->Response(); !answer.empty(); answer = mccp_->Response()) {
            if (answer == kIacDo85) {
                status_.MccpVersion = "mccV1";
            } else if (answer == kIacDo86) {
                status_.MccpVersion = "mccV2";
            }
            transport_.SendToServer(answer);
        }
        char out[ChunkSize];
        while (result == ReadResult::Open && mccp_->Pending() > 0) {
            std::size_t got = mccp_->Get(out, sizeof out);
            if (got == 0) break;
            AppendNulAsLf(text, out, got);
            if (text.size() > PieceLimit) {
                HandOnPiece(text, result);
                handedPiece = true;
            }
        }
        if (mccp_->Failed()) {
            corrupt = true;
            break;
        }
    }

    status_.VersionPanelText = status_.MccpVersion;
    UpdateStats();

    if (!text.empty() || !handedPiece) HandOn(text, result);

    if (corrupt) {
        // What inflated correctly has been relayed; nothing after it can be
        // trusted, so the session ends here, as when the server closes.
        log_.Log("CSRead: " + mccp_->ErrorText());
        mccpActive_ = false;
        if (result == ReadResult::Open) {
            std::vector<ClientId> clients = transport_.Clients();
            if (!clients.empty()) transport_.SendToClient(clients.front(), CorruptStreamMessage);
            transport_.CloseServer();
            result = ReadResult::ClosedCorrupt;
        }
    }
    return result;
}

bool ServerOutputStream::ClientHoldsBack() const {
    return transport_.ClientBacklogFull();
}

void ServerOutputStream::UpdateStats() {
    if (config_.MccpEnabled && mccp_) {
        std::int64_t compressed = 0;
        std::int64_t uncompressed = 0;
        mccp_->Stats(compressed, uncompressed);
        status_.MccpCompressedTotal += compressed;
        status_.MccpUncompressedTotal += uncompressed;
        status_.MccpCompressing = mccp_->Compressing();
        status_.RatePanelText = CompressionRateText(status_.MccpCompressedTotal, status_.MccpUncompressedTotal);
    } else {
        status_.RatePanelText = "----";
    }
}

void ServerOutputStream::HandOnPiece(std::string& text, ReadResult& result) {
    std::size_t cut = text.size();
    while (cut > 0 && text.size() - cut < kMaxPieceBackoff && IsLineOrYaByte(text[cut - 1])) --cut;
    if (cut == 0 || text.size() - cut >= kMaxPieceBackoff) cut = text.size();
    std::string rest = text.substr(cut);
    text.resize(cut);
    HandOn(text, result);
    text = std::move(rest);
}

void ServerOutputStream::Negotiate(std::string& text, std::string& toClient) {
    RoomReportNegotiation::ServerOutput out;
    out.ToClient.swap(toClient);
    out.ToClient.clear();
    negotiation_.FromServer(text, {config_.Msdp, config_.Gmcp, config_.Charset}, out);
    if (!out.ToServer.empty()) transport_.SendToServer(out.ToServer);
    for (const RoomReport& report : out.Reports) hooks_->RoomReported(report);
    toClient.swap(out.ToClient);
    text.swap(out.ToTracker);
}

bool ServerOutputStream::NeedsNegotiation(const std::string& text) const {
    if (!negotiation_.ServerIdle()) return true;
    if (text.find('\xFF') == std::string::npos) return false;
    if (negotiation_.MsdpOn() || negotiation_.GmcpOn()) return true;
    // Until an offer is taken up only an offer matters; Russian text is full
    // of doubled 0xFF bytes, which are not worth a copy of every event.
    if (text.find("\xFF\xFB\x45") != std::string::npos || text.find("\xFF\xFB\xC9") != std::string::npos) {
        return true;
    }
    return text.back() == '\xFF' || (text.size() >= 2 && text.compare(text.size() - 2, 2, "\xFF\xFB") == 0);
}

void ServerOutputStream::HandOn(std::string& text, ReadResult& result) {
    // Without MSDP or GMCP in play, or in text without IAC, every byte
    // passes unchanged and no copy is made.
    bool negotiating = config_.Msdp || config_.Gmcp || negotiation_.MsdpOn() || negotiation_.GmcpOn();
    bool filtered = negotiating && NeedsNegotiation(text);
    if (filtered) {
        Negotiate(text, toClient_);
    } else if (!text.empty()) {
        negotiation_.TextPassed();
    }
    const std::string& relayed = filtered ? toClient_ : text;
    std::vector<ClientId> clients = transport_.Clients();
    if (!clients.empty()) {
        if (!relayed.empty() || !filtered) transport_.SendToClient(clients.back(), relayed);
    } else if (result == ReadResult::Open) {
        // A server without a client is dropped at its first output.
        transport_.CloseServer();
        result = ReadResult::ClosedNoClient;
    }
    Normalise(text, config_.NoDoubleYa);
    decoder_.SetCharset(config_.Charset);
    decoder_.Decode(text);
    if (log_.Active()) log_.Log("CSRead: " + text);
    hooks_->ProcessServerText(text);
}

void ServerOutputStream::Normalise(std::string& text, bool noDoubleYa) {
    if (noDoubleYa) UndoubleAndEndPrompts(text);
    ReplaceWhileFound(text, "\r\n\r\n", "\r\n");
    ReplaceWhileFound(text, "\r\r", "\r");
    ReplaceWhileFound(text, "\n\n", "\n");
    ReplaceAllInPlace(text, "\n\r", "\r\n");
}

}  // namespace trellan
