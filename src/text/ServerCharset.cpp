#include "text/ServerCharset.h"

#include <array>

#include "text/Cp1251.h"
#include "text/Koi8r.h"

namespace trellan {

namespace {

struct NamedCharset {
    std::string_view Name;
    ServerCharset Charset;
};

// The first name of each is the one written back.
constexpr std::array<NamedCharset, 6> kNames = {{
    {"Windows-1251", ServerCharset::Windows1251},
    {"KOI8-R", ServerCharset::Koi8r},
    {"UTF-8", ServerCharset::Utf8},
    {"CP1251", ServerCharset::Windows1251},
    {"KOI8R", ServerCharset::Koi8r},
    {"UTF8", ServerCharset::Utf8},
}};

// How many bytes at the end of `text` begin a UTF-8 character whose rest
// has not arrived.
std::size_t CutUtf8Tail(std::string_view text) {
    const std::size_t size = text.size();
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
        const auto byte = static_cast<unsigned char>(text[size - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
        if (byte < 0xC2 || byte > 0xF4) return 0;  // no lead byte: nothing to wait for
        std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
        return length > back ? back : 0;
    }
    return 0;
}

}  // namespace

std::optional<ServerCharset> ServerCharsetNamed(std::string_view name) {
    const std::string upper = AsciiUpper(name);
    for (const NamedCharset& named : kNames) {
        if (upper == AsciiUpper(named.Name)) return named.Charset;
    }
    return std::nullopt;
}

std::string_view ServerCharsetName(ServerCharset charset) {
    for (const NamedCharset& named : kNames) {
        if (named.Charset == charset) return named.Name;
    }
    return kNames[0].Name;
}

std::string ToServerCharset(std::string_view cp1251, ServerCharset charset, bool doubleFF) {
    std::string text;
    switch (charset) {
        case ServerCharset::Windows1251:
            text = std::string(cp1251);
            break;
        case ServerCharset::Koi8r:
            text = Cp1251ToKoi8r(cp1251);
            break;
        case ServerCharset::Utf8:
            return Cp1251ToUtf8(cp1251);
    }
    if (!doubleFF || text.find('\xFF') == std::string::npos) return text;
    std::string doubled;
    doubled.reserve(text.size() + 8);
    for (char c : text) {
        doubled.push_back(c);
        if (c == '\xFF') doubled.push_back(c);
    }
    return doubled;
}

std::string FromServerCharset(std::string_view text, ServerCharset charset) {
    switch (charset) {
        case ServerCharset::Windows1251:
            break;
        case ServerCharset::Koi8r:
            return Koi8rToCp1251(text);
        case ServerCharset::Utf8:
            return Utf8ToCp1251(text);
    }
    return std::string(text);
}

void ServerTextDecoder::SetCharset(ServerCharset charset) {
    if (charset != charset_) pending_.clear();
    charset_ = charset;
}

void ServerTextDecoder::Decode(std::string& text) {
    if (charset_ == ServerCharset::Windows1251) return;
    if (charset_ == ServerCharset::Koi8r) {
        text = Koi8rToCp1251(text);
        return;
    }
    if (!pending_.empty()) {
        text.insert(0, pending_);
        pending_.clear();
    }
    const std::size_t tail = CutUtf8Tail(text);
    pending_.assign(text, text.size() - tail, tail);
    text.resize(text.size() - tail);
    text = Utf8ToCp1251(text);
}

}  // namespace trellan
