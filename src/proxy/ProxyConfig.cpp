#include "proxy/ProxyConfig.h"

#include <charconv>

namespace trellan {

bool IsNumericServerName(std::string_view name) {
    return !name.empty() && name.front() >= '1' && name.front() <= '9';
}

bool ParseServerOverride(std::string_view text, std::string& host, std::uint16_t& port) {
    std::size_t colon = text.rfind(':');
    if (colon == std::string_view::npos) return false;
    std::string_view hostPart = text.substr(0, colon);
    std::string_view portPart = text.substr(colon + 1);
    if (hostPart.size() >= 2 && hostPart.front() == '[' && hostPart.back() == ']') {
        hostPart = hostPart.substr(1, hostPart.size() - 2);
    } else if (hostPart.find(':') != std::string_view::npos) {
        return false;  // an IPv6 address needs its brackets
    }
    if (hostPart.empty() || portPart.empty()) return false;
    unsigned value = 0;
    auto [end, ec] = std::from_chars(portPart.data(), portPart.data() + portPart.size(), value);
    if (ec != std::errc() || end != portPart.data() + portPart.size() || value == 0 || value > 65535) {
        return false;
    }
    host.assign(hostPart);
    port = static_cast<std::uint16_t>(value);
    return true;
}

std::string ProxyConfig::ServerHost() const {
    std::string host;
    std::uint16_t port = 0;
    if (!ServerOverride.empty() && ParseServerOverride(ServerOverride, host, port)) return host;
    return ServerName;
}

std::uint16_t ProxyConfig::ServerPortInUse() const {
    std::string host;
    std::uint16_t port = 0;
    if (!ServerOverride.empty() && ParseServerOverride(ServerOverride, host, port)) return port;
    return ServerPort;
}

}  // namespace trellan
