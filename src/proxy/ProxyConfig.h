#pragma once
// The connection settings the proxy session works with: where the listening
// socket binds, which MUD server a client's session connects to, and the two
// stream options. Filled from the world profile; before any profile has been
// read both ports are 4000.
#include <cstdint>
#include <string>
#include <string_view>

#include "text/ServerCharset.h"

namespace trellan {

// A server name whose first character is one of "123456789" is used as a
// numeric address, anything else (including "0...") as a host name.
bool IsNumericServerName(std::string_view name);

// Splits "HOST:PORT" (the host may be a bracketed IPv6 address); false when
// the text has no host or no port in 1..65535.
bool ParseServerOverride(std::string_view text, std::string& host, std::uint16_t& port);

struct ProxyConfig {
    // Only the player's own machine may reach the client port unless the
    // user allows more: whoever connects there plays the character.
    std::string ClientAddress = "127.0.0.1";
    std::uint16_t ClientPort = 4000;
    std::string ServerName;
    std::uint16_t ServerPort = 4000;
    bool MccpEnabled = true;
    bool NoDoubleYa = true;
    // The server's code page: the tracker's copy of its text is converted
    // from it, Trellan's own messages to it.
    ServerCharset Charset = ServerCharset::Windows1251;
    // Take up the server's MSDP / GMCP offer and ask for the room data.
    bool Msdp = true;
    bool Gmcp = true;
    // "HOST:PORT" given for this run only (--server); replaces ServerName and
    // ServerPort without being saved. Empty when not given.
    std::string ServerOverride;

    // The server actually connected to, the override taken into account.
    std::string ServerHost() const;
    std::uint16_t ServerPortInUse() const;
    bool ServerIsNumeric() const { return IsNumericServerName(ServerHost()); }
};

}  // namespace trellan
