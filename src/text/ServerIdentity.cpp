#include "text/ServerIdentity.h"

namespace trellan {

std::string CleanIdentity(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.size() > MaxIdentityLength) return {};
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F' || c == '\xFF') return {};
    }
    return std::string(text);
}

}  // namespace trellan
