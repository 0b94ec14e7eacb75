#pragma once
// Everything the MUD server sends: drains CS on each readable event, inflates
// MCCP and answers its offers, relays the text unchanged to the newest client
// and hands a normalised copy to the tracker.
#include <cstddef>
#include <memory>
#include <string>

#include "proxy/MccpStatus.h"
#include "proxy/RoomReportNegotiation.h"
#include "proxy/SessionHooks.h"
#include "text/ServerCharset.h"

namespace trellan {

class DebugLog;
class Mccp;
class Transport;
struct ProxyConfig;

class ServerOutputStream {
public:
    // Bytes read (or inflated) in one step.
    static constexpr std::size_t ChunkSize = 2048;
    // A read event that brings more than this is handed on in pieces, so a
    // flooding server cannot make the proxy hold its whole output.
    static constexpr std::size_t PieceLimit = 1024 * 1024;

    // Told to the player when the compressed stream turns out corrupt.
    static const std::string CorruptStreamMessage;

    enum class ReadResult {
        Open,            // CS stays as it was
        ClosedNoClient,  // no client was connected, CS has been closed
        ClosedCorrupt,   // the compressed stream was corrupt, CS has been closed
    };

    // All references must outlive the stream; `config` is read at each event
    // so that changed settings take effect at once.
    ServerOutputStream(Transport& transport, DebugLog& log, const ProxyConfig& config);
    ~ServerOutputStream();
    ServerOutputStream(const ServerOutputStream&) = delete;
    ServerOutputStream& operator=(const ServerOutputStream&) = delete;

    void SetHooks(SessionHooks& hooks) { hooks_ = &hooks; }

    // One readable event of CS. The caller does what a closed CS implies.
    // Reading stops early while the client's backlog is full (the transport
    // raises another readable event once it drains); what one read of
    // ChunkSize bytes inflates to is always handed on whole, so the backlog
    // overshoots its limit by at most that (about 2 MiB at zlib's ratio).
    ReadResult DrainServer();

    // A new server connection or the end of one: statistics restart and the
    // next read starts a fresh decompressor.
    void ResetSession();

    const MccpStatus& Status() const { return status_; }
    // The MSDP / GMCP state of this session; the client's bytes pass its
    // FromClient while ClientFilterNeeded.
    RoomReportNegotiation& Negotiation() { return negotiation_; }
    bool ClientFilterNeeded() const {
        return negotiation_.MsdpOn() || negotiation_.GmcpOn() || !negotiation_.ClientIdle();
    }
    bool MccpActive() const { return mccpActive_; }

    // The normalised copy the tracker gets (the client gets `text` as sent):
    // 0xFF pairs undoubled and a line break after each IAC GA or IAC EOR
    // (with `noDoubleYa`), runs of line breaks collapsed, LF CR turned into
    // CR LF. The copy is then converted from the server's code page.
    static void Normalise(std::string& text, bool noDoubleYa);

private:
    void StartDecompressor();
    // Backpressure: true while the client cannot take more.
    bool ClientHoldsBack() const;
    // Relays `text` to the newest client (or closes CS when there is none),
    // normalises it, logs it and gives it to the tracker.
    void HandOn(std::string& text, ReadResult& result);
    // Hands on all of `text` but a short tail of line breaks and 0xFF bytes,
    // which stays in `text` so that no pair is cut in two.
    void HandOnPiece(std::string& text, ReadResult& result);
    void UpdateStats();
    // Trellan's part in MSDP and GMCP: `text` becomes the tracker's copy,
    // `toClient` what the client gets.
    void Negotiate(std::string& text, std::string& toClient);
    // Whether `text` can hold anything of MSDP or GMCP for Trellan.
    bool NeedsNegotiation(const std::string& text) const;

    Transport& transport_;
    DebugLog& log_;
    const ProxyConfig& config_;
    SessionHooks defaultHooks_;
    SessionHooks* hooks_ = &defaultHooks_;
    std::unique_ptr<Mccp> mccp_;
    bool mccpActive_ = false;
    MccpStatus status_;
    RoomReportNegotiation negotiation_;
    std::string toClient_;
    // The text of the current read event; kept between events so that its
    // memory is reused rather than allocated and given back every time.
    std::string text_;
    // The tracker's copy in Windows-1251, whatever the server speaks.
    ServerTextDecoder decoder_;
};

}  // namespace trellan
