#include "Win1251.h"

#include <cstdint>

namespace demomud {

namespace {

char ByteFor(std::uint32_t cp) {
    if (cp < 0x80) {
        return static_cast<char>(cp);
    }
    if (cp >= 0x0410 && cp <= 0x044F) {
        return static_cast<char>(0xC0 + (cp - 0x0410));
    }
    switch (cp) {
        case 0x0401: return static_cast<char>(0xA8);  // Ё
        case 0x0451: return static_cast<char>(0xB8);  // ё
        case 0x00AB: return static_cast<char>(0xAB);  // «
        case 0x00BB: return static_cast<char>(0xBB);  // »
        case 0x2014: return static_cast<char>(0x97);  // em dash
        case 0x2013: return static_cast<char>(0x96);  // en dash
        case 0x2026: return static_cast<char>(0x85);  // ellipsis
        case 0x2116: return static_cast<char>(0xB9);  // numero sign
        default: return '?';
    }
}

// Decodes one UTF-8 sequence at `i`; returns false on a malformed one.
bool DecodeAt(std::string_view s, std::size_t& i, std::uint32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra = 0;
    if (b0 < 0x80) {
        cp = b0;
    } else if ((b0 & 0xE0) == 0xC0 && b0 >= 0xC2) {
        cp = b0 & 0x1F;
        extra = 1;
    } else if ((b0 & 0xF0) == 0xE0) {
        cp = b0 & 0x0F;
        extra = 2;
    } else if ((b0 & 0xF8) == 0xF0 && b0 <= 0xF4) {
        cp = b0 & 0x07;
        extra = 3;
    } else {
        return false;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size() && extra > 0) {
        return false;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            return false;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return true;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace

std::string FromWin1251(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else if (b >= 0xC0) {
            AppendUtf8(out, 0x0410 + (b - 0xC0));
        } else {
            std::uint32_t cp = '?';
            switch (b) {
                case 0xA8: cp = 0x0401; break;
                case 0xB8: cp = 0x0451; break;
                case 0xAB: cp = 0x00AB; break;
                case 0xBB: cp = 0x00BB; break;
                case 0x97: cp = 0x2014; break;
                case 0x96: cp = 0x2013; break;
                case 0x85: cp = 0x2026; break;
                case 0xB9: cp = 0x2116; break;
                default: break;
            }
            AppendUtf8(out, cp);
        }
    }
    return out;
}

std::string LowerWin1251(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF)) {
            c = static_cast<char>(b + 0x20);
        } else if (b == 0xA8) {
            c = static_cast<char>(0xB8);
        }
    }
    return out;
}

std::string ToWin1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        std::uint32_t cp = 0;
        if (DecodeAt(utf8, i, cp)) {
            out.push_back(ByteFor(cp));
        } else {
            out.push_back('?');
            ++i;
        }
    }
    return out;
}

std::string InputToWin1251(std::string_view line) {
    std::size_t i = 0;
    bool multiByte = false;
    while (i < line.size()) {
        std::uint32_t cp = 0;
        const std::size_t start = i;
        if (!DecodeAt(line, i, cp)) {
            return std::string(line);
        }
        multiByte = multiByte || i - start > 1;
    }
    return multiByte ? ToWin1251(line) : std::string(line);
}

}  // namespace demomud
