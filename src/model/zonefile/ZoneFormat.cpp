#include "model/zonefile/ZoneFormat.h"

namespace trellan::zone_format {

namespace {

constexpr char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

std::string_view ColorToIdent(std::uint32_t value) {
    for (const ColorIdent& c : kColorIdents)
        if (c.Value == value) return c.Name;
    return {};
}

std::optional<std::uint32_t> IdentToColor(std::string_view ident) {
    for (const ColorIdent& c : kColorIdents)
        if (SameTextAscii(c.Name, ident)) return c.Value;
    return std::nullopt;
}

std::optional<Property> FindProperty(std::string_view name, std::size_t hint) {
    if (hint >= kPropertyCount) hint = 0;
    // Files written by this program spell every name exactly; the letter-case
    // blind comparison is the slow fallback.
    for (std::size_t n = 0; n < kPropertyCount; ++n) {
        std::size_t i = hint + n < kPropertyCount ? hint + n : hint + n - kPropertyCount;
        if (kPropertyNames[i] == name) return static_cast<Property>(i);
    }
    for (std::size_t i = 0; i < kPropertyCount; ++i)
        if (SameTextAscii(kPropertyNames[i], name)) return static_cast<Property>(i);
    return std::nullopt;
}

}  // namespace trellan::zone_format
