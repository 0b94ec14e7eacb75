// Feeds arbitrary server text to the room parser the way the tracker does:
// appended to a buffer in chunks, ParseRoom called after each chunk until it
// finds nothing. Every call is checked against a plain reference that works
// on copies of the buffer exactly as the rules read, and the buffer must
// shrink with every room found and stay untouched otherwise.
//
// Input: byte 0 picks the markers (bits 1-2: 0 the defaults, 1 read from the
// input, 2 one-byte markers, 3 markers that overlap each other) and bit 0
// turns prompt exits on; byte 1 sets the chunk size. With markers read from
// the input, the text starts with eight NUL-terminated fields: name start,
// name end, exits start, exits end, prompt-exits start, prompt-exits end,
// the no-exits word, and the darkness messages joined by "|".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/TextUtils.h"
#include "tracking/RoomParser.h"

namespace {

using trellan::ParsedRoom;
using trellan::RoomParserConfig;

constexpr std::size_t kNpos = std::string::npos;

void Check(bool condition) {
    if (!condition) std::abort();
}

std::size_t Pos(const std::string& text, const std::string& marker) {
    return marker.empty() ? kNpos : text.find(marker);
}

bool EndsWithCrLf(const std::string& s) {
    return s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0;
}

// Returns the number of bytes consumed, or 0 when no dark room is found.
std::size_t RefDark(const std::string& b, const RoomParserConfig& c, ParsedRoom& room) {
    std::size_t limit = b.size();
    const std::string* hit = nullptr;
    for (const std::string& d : c.DarkMessages) {
        std::size_t p = Pos(b, d);
        if (p != kNpos && p < limit) {
            limit = p;
            hit = &d;
        }
    }
    if (hit == nullptr) return 0;
    room = ParsedRoom{c.Dark, "", ""};
    return limit + hit->size();
}

bool Reference(std::string& buffer, const RoomParserConfig& c, ParsedRoom& parsed) {
    const std::string& S = c.RoomNameStart;
    const std::string& E = c.RoomNameEnd;
    const std::string& XS = c.AutoexitStart;
    const std::string& XE = c.AutoexitEnd;
    std::string b = buffer;
    ParsedRoom room;
    std::size_t consumed = 0;
    if (Pos(b, XS) == kNpos) {
        consumed = RefDark(b, c, room);
        if (consumed == 0) return false;
        b = b.substr(consumed);
    } else {
        std::size_t cutTotal = 0;
        while (true) {
            std::size_t e = Pos(b, E);
            std::size_t x = Pos(b, XS);
            if (e != kNpos && e < x) {
                std::size_t s = Pos(b, S);
                if (s != kNpos && s + S.size() <= x) {
                    b = b.substr(s + S.size());
                    cutTotal += s + S.size();
                }
            }
            x = Pos(b, XS);
            e = Pos(b, E);
            std::string desc;
            if (e != kNpos && e + E.size() <= x) desc = b.substr(e + E.size(), x - e - E.size());
            std::size_t s = Pos(b, S);
            if (s == kNpos || s + S.size() > x) break;
            if (Pos(desc, E) == kNpos) break;
        }
        if (cutTotal > 0) {
            std::size_t dark = RefDark(buffer.substr(0, cutTotal - S.size()), c, room);
            if (dark > 0) {
                consumed = dark;
                b = buffer.substr(dark);
            }
        }
        if (consumed == 0) {
            std::size_t x = Pos(b, XS);
            std::size_t e = Pos(b, E);
            std::string name = e == kNpos ? "" : b.substr(0, e);
            while (Pos(name, S) != kNpos) name = name.substr(Pos(name, S) + S.size());
            std::string desc;
            if (e != kNpos && e + E.size() <= x) desc = b.substr(e + E.size(), x - e - E.size());
            std::string after = b.substr(x + XS.size());
            std::string window = after.substr(0, 60);
            std::size_t inWindow = Pos(window, XE);
            std::string exits = inWindow == kNpos ? "" : window.substr(0, inWindow);
            std::size_t xe = Pos(after, XE);
            if (!c.NoExits.empty() && exits.find(c.NoExits) != kNpos) exits.clear();
            trellan::StripAnsiColors(desc);
            while (EndsWithCrLf(desc)) desc.resize(desc.size() - 2);
            bool dark = false;
            for (const std::string& d : c.DarkMessages) {
                if (Pos(name, d) != kNpos || Pos(desc, d) != kNpos) dark = true;
            }
            if (dark) {
                name = c.Dark;
                desc.clear();
            }
            trellan::StripAnsiColors(name);
            trellan::StripAnsiColors(desc);
            while (desc.find("\r\n\r\n") != kNpos) desc = trellan::ReplaceAll(desc, "\r\n\r\n", "\r\n");
            desc = trellan::ReplaceAll(desc, "\r\r", "\r");
            desc = trellan::ReplaceAll(desc, "\n\n", "\n");
            desc = trellan::ReplaceAll(desc, "\n\r", "\r\n");
            if (desc.rfind("\r\n", 0) == 0) desc = desc.substr(2);
            while (EndsWithCrLf(desc)) desc.resize(desc.size() - 2);
            while (!desc.empty() && desc.back() == '\r') desc.pop_back();
            while (!desc.empty() && desc.back() == '\n') desc.pop_back();
            room = ParsedRoom{name, desc, exits};
            if (xe != kNpos) {
                b = after.substr(xe + XE.size() - 1);
            } else if (after.size() < 60) {
                return false;
            } else {
                b = after;
            }
        }
    }
    if (c.UsePromptExit) {
        std::size_t p = Pos(b, c.PromptExitStart);
        if (p == kNpos) return false;
        std::string tail = b.substr(p + c.PromptExitStart.size());
        std::size_t q = Pos(tail, c.PromptExitEnd);
        if (q == kNpos) return false;
        room.ParsedExits = tail.substr(0, q);
    }
    parsed = room;
    buffer = b;
    return true;
}

bool Same(const ParsedRoom& a, const ParsedRoom& b) {
    return a.ParsedName == b.ParsedName && a.ParsedDesc == b.ParsedDesc && a.ParsedExits == b.ParsedExits;
}

// Takes the next NUL-terminated field off the front of `data`.
std::string TakeField(std::string_view& data) {
    std::size_t end = data.find('\0');
    std::string field(data.substr(0, end));
    data = end == std::string_view::npos ? std::string_view() : data.substr(end + 1);
    return field.substr(0, 16);
}

RoomParserConfig MakeConfig(unsigned preset, std::string_view& data) {
    RoomParserConfig c;
    c.DarkMessages = {"\xD2\xFC\xEC\xE0", "dark"};
    if (preset == 1) {
        c.RoomNameStart = TakeField(data);
        c.RoomNameEnd = TakeField(data);
        c.AutoexitStart = TakeField(data);
        c.AutoexitEnd = TakeField(data);
        c.PromptExitStart = TakeField(data);
        c.PromptExitEnd = TakeField(data);
        c.NoExits = TakeField(data);
        std::string darks = TakeField(data);
        c.DarkMessages.clear();
        for (int i = 1; i <= 4; ++i) c.DarkMessages.push_back(trellan::GetToken(i, darks, "|"));
    } else if (preset == 2) {
        c.RoomNameStart = "[";
        c.RoomNameEnd = "\n";
        c.AutoexitStart = "{";
        c.AutoexitEnd = "}";
        c.PromptExitStart = "<";
        c.PromptExitEnd = ">";
        c.DarkMessages = {"#", "##"};
    } else if (preset == 3) {
        c.RoomNameStart = "ab";
        c.RoomNameEnd = "ba";
        c.AutoexitStart = "a";
        c.AutoexitEnd = "aa";
        c.PromptExitStart = "b";
        c.PromptExitEnd = "bb";
        c.NoExits = "a";
        c.DarkMessages = {"bab", "ab", ""};
    }
    return c;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 2 || size > 8192) return 0;
    std::string_view data(reinterpret_cast<const char*>(bytes), size);
    const unsigned flags = static_cast<unsigned char>(data[0]);
    const std::size_t chunk = static_cast<unsigned char>(data[1]) % 97 + 1;
    data.remove_prefix(2);
    RoomParserConfig config = MakeConfig((flags >> 1) & 3, data);
    config.UsePromptExit = (flags & 1) != 0;

    std::string buffer;
    std::string reference;
    while (!data.empty()) {
        std::string_view piece = data.substr(0, chunk);
        data.remove_prefix(piece.size());
        buffer.append(piece);
        reference.append(piece);
        while (true) {
            const std::string before = buffer;
            ParsedRoom room{"old", "old", "old"};
            ParsedRoom expected{"old", "old", "old"};
            bool found = trellan::ParseRoom(buffer, config, room);
            bool expectedFound = Reference(reference, config, expected);
            Check(found == expectedFound);
            Check(buffer == reference);
            Check(Same(room, expected));
            if (!found) {
                Check(buffer == before);
                break;
            }
            Check(buffer.size() < before.size());
        }
    }
    return 0;
}
