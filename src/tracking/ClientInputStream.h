#pragma once
// Everything the player types in the MUD client. Bytes arrive in chunks of
// any size; each complete line is one command text that is either one of
// Trellan's own commands (answered here, never relayed) or a command for the
// MUD, relayed to the server -- after the door commands stored on the
// current room for that exit -- and queued for the tracker.
//
// Telnet negotiation the client sends between lines is relayed at once, and
// a line that grows past MaxPendingLine without a line end is relayed as it
// stands and not interpreted, so a client cannot grow memory without bound.
#include <cstddef>
#include <string>
#include <string_view>

namespace trellan {

class DebugLog;
class MovementTracker;

class ClientInputStream {
public:
    static constexpr std::size_t MaxPendingLine = 64 * 1024;

    // The tracker (with its world, output and hooks) and the log must
    // outlive the stream.
    ClientInputStream(MovementTracker& tracker, DebugLog& log);

    // One read event's bytes from the client.
    void Feed(std::string_view bytes);
    // The connection ended: an unfinished line is dropped.
    void Reset();

    // One complete command text, line end included, as the client sent it.
    void TakeCommandLine(std::string_view text);

    const std::string& PendingLine() const { return pending_; }

private:
    bool RelayTelnetCommands();
    bool IsOwnCommand(std::string_view text) const;
    // A client's line converted from the server's code page.
    std::string InTrackerCharset(std::string_view received) const;
    std::string WithDoorCommands(std::string_view text) const;
    void QueueCommands(std::string_view text);

    MovementTracker& tracker_;
    DebugLog& log_;
    std::string pending_;
    // The rest of an overlong line goes straight to the server up to its end.
    bool passingOverlong_ = false;
};

}  // namespace trellan
