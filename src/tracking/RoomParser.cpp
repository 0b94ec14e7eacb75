#include "tracking/RoomParser.h"

#include <optional>
#include <string_view>

#include "text/TextUtils.h"
#include "tracking/ExitText.h"

namespace trellan {

namespace {

constexpr std::size_t kNpos = std::string_view::npos;

// How far after the exits-start marker the exits-end marker is looked for.
constexpr std::size_t kExitsWindow = 60;

// A marker left blank in the profile never occurs; otherwise it would be
// "found" at every position and every buffer would look like a room.
std::size_t Find(std::string_view text, std::string_view marker, std::size_t from) {
    if (marker.empty() || from > text.size()) return kNpos;
    return text.find(marker, from);
}

// "First occurrence at or after `from`" for a series of non-decreasing
// `from`: a later question whose answer is already known is answered without
// searching again, so a whole series scans the text about once.
class ForwardFinder {
public:
    ForwardFinder(std::string_view text, std::string_view marker) : text_(text), marker_(marker) {}

    std::size_t From(std::size_t from) {
        bool known = asked_ && from >= from_ && (found_ == kNpos || from <= found_);
        if (!known) {
            found_ = Find(text_, marker_, from);
            from_ = from;
            asked_ = true;
        }
        return found_;
    }

private:
    std::string_view text_;
    std::string_view marker_;
    bool asked_ = false;
    std::size_t from_ = 0;
    std::size_t found_ = kNpos;
};

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

void DropTrailingCrLfPairs(std::string& text) {
    while (EndsWith(text, "\r\n")) text.resize(text.size() - 2);
}

// Every run of consecutive CR LF pairs becomes one pair: the same as
// replacing "\r\n\r\n" by "\r\n" until none is left, in one pass.
std::string CollapseCrLfRuns(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out.append("\r\n");
            i += 2;
            while (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') i += 2;
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

// Descriptions are stored and compared in this form, so the MUD's blank
// lines and stray line-break bytes never make a known room look new.
std::string NormaliseDescription(std::string_view text) {
    std::string desc = CollapseCrLfRuns(text);
    desc = ReplaceAll(desc, "\r\r", "\r");
    desc = ReplaceAll(desc, "\n\n", "\n");
    desc = ReplaceAll(desc, "\n\r", "\r\n");
    if (desc.starts_with("\r\n")) desc.erase(0, 2);
    DropTrailingCrLfPairs(desc);
    while (!desc.empty() && desc.back() == '\r') desc.pop_back();
    while (!desc.empty() && desc.back() == '\n') desc.pop_back();
    return desc;
}

bool ContainsDarkMessage(std::string_view text, const RoomParserConfig& config) {
    for (const std::string& dark : config.DarkMessages) {
        if (Find(text, dark, 0) != kNpos) return true;
    }
    return false;
}

// Whether a complete room was found, and where the text after it begins.
struct Cut {
    bool found = false;
    std::size_t rest = 0;
    bool exitsLine = false;  // the room came with an exits line
};

// No exits line in the buffer: the earliest darkness message stands for a
// dark room, and everything up to its end is consumed.
Cut ParseDarkRoom(std::string_view buffer, const RoomParserConfig& config, ParsedRoom& room) {
    std::size_t limit = kNpos;
    const std::string* earliest = nullptr;
    for (const std::string& dark : config.DarkMessages) {
        // Only an occurrence before the earliest one so far can win, so the
        // search need not look further.
        std::string_view scope = buffer;
        if (limit != kNpos) scope = buffer.substr(0, limit + dark.size() - 1);
        std::size_t pos = Find(scope, dark, 0);
        if (pos != kNpos && pos < limit) {
            limit = pos;
            earliest = &dark;
        }
    }
    if (earliest == nullptr) return {};
    room.ParsedName = config.Dark;
    room.ParsedDesc.clear();
    room.ParsedExits.clear();
    return {true, limit + earliest->size()};
}

// The buffer holds an exits line starting at `exitsStart`; the room's name
// and description are the last ones before it.
Cut ParseLitRoom(std::string_view buffer, std::size_t exitsStart, const RoomParserConfig& config, ParsedRoom& room) {
    const std::string& nameStart = config.RoomNameStart;
    const std::string& nameEnd = config.RoomNameEnd;
    const std::size_t x = exitsStart;

    // Walk from name start to name start up to the last one before the exits
    // line whose description holds no further name end. `start` is where
    // the working copy of the buffer begins. Name starts are taken only
    // when they lie wholly before the exits line: one after it belongs to
    // the next room.
    ForwardFinder startFinder(buffer, nameStart);
    ForwardFinder endFinder(buffer, nameEnd);
    ForwardFinder descEndFinder(buffer, nameEnd);
    auto startBeforeExits = [&](std::size_t from) {
        std::size_t s = startFinder.From(from);
        return s != kNpos && s + nameStart.size() <= x ? s : kNpos;
    };
    std::size_t start = 0;
    while (true) {
        std::size_t e = endFinder.From(start);
        if (e != kNpos && e < x) {
            std::size_t s = startBeforeExits(start);
            if (s != kNpos) {
                start = s + nameStart.size();
                e = endFinder.From(start);
            }
        }
        if (startBeforeExits(start) == kNpos) break;
        if (e == kNpos || e + nameEnd.size() > x) break;  // an empty description
        std::size_t inner = descEndFinder.From(e + nameEnd.size());
        if (inner == kNpos || inner + nameEnd.size() > x) break;
    }

    // A darkness message wholly before the room's name start is a dark room
    // printed earlier (two moves answered in one read): it comes first.
    if (start > 0) {
        Cut dark = ParseDarkRoom(buffer.substr(0, start - nameStart.size()), config, room);
        if (dark.found) return dark;
    }

    // While the exits-end marker may still arrive within the window, the
    // exits line is incomplete and the room waits for the next read.
    const std::size_t exitsText = x + config.AutoexitStart.size();
    const std::size_t exitsEnd = Find(buffer, config.AutoexitEnd, exitsText);
    std::string exits;
    std::size_t rest;
    if (exitsEnd != kNpos) {
        if (exitsEnd + config.AutoexitEnd.size() <= exitsText + kExitsWindow) {
            exits = std::string(buffer.substr(exitsText, exitsEnd - exitsText));
        }
        rest = exitsEnd + config.AutoexitEnd.size() - 1;
    } else if (buffer.size() < exitsText + kExitsWindow) {
        return {};
    } else {
        // The end marker can no longer fall within the window: the exits
        // are empty whatever comes, and the rest follows the start marker.
        rest = exitsText;
    }
    if (Find(exits, config.NoExits, 0) != kNpos) exits.clear();

    const std::size_t e = endFinder.From(start);
    std::string_view name;
    std::string desc;
    if (e != kNpos) {
        name = buffer.substr(start, e - start);
        if (e + nameEnd.size() <= x) desc = std::string(buffer.substr(e + nameEnd.size(), x - e - nameEnd.size()));
    }
    std::size_t nameFrom = 0;
    for (std::size_t s = Find(name, nameStart, 0); s != kNpos; s = Find(name, nameStart, nameFrom)) {
        nameFrom = s + nameStart.size();
    }
    name.remove_prefix(nameFrom);

    StripAnsiColors(desc);
    DropTrailingCrLfPairs(desc);
    if (ContainsDarkMessage(name, config) || ContainsDarkMessage(desc, config)) {
        room.ParsedName = config.Dark;
        room.ParsedDesc.clear();
    } else {
        room.ParsedName = std::string(name);
        StripAnsiColors(room.ParsedName);
        room.ParsedDesc = NormaliseDescription(desc);
    }
    room.ParsedExits = std::move(exits);
    return {true, rest, true};
}

bool HasPromptLetters(const RoomParserConfig& config) {
    for (const std::string& letter : config.PromptExitLetters) {
        if (!letter.empty()) return true;
    }
    return false;
}

// The exits of the prompt that stands in `rest`, if it stands there before
// anything of a next room.
std::optional<std::string> PromptExits(std::string_view rest, const RoomParserConfig& config) {
    std::size_t promptStart = Find(rest, config.PromptExitStart, 0);
    if (promptStart == kNpos) return std::nullopt;
    for (const std::string* nextRoom : {&config.RoomNameStart, &config.AutoexitStart}) {
        if (Find(rest.substr(0, promptStart), *nextRoom, 0) != kNpos) return std::nullopt;
    }
    promptStart += config.PromptExitStart.size();
    std::size_t promptEnd = Find(rest, config.PromptExitEnd, promptStart);
    if (promptEnd == kNpos) return std::nullopt;
    return std::string(rest.substr(promptStart, promptEnd - promptStart));
}

}  // namespace

bool ParseRoom(std::string& outputBuffer, const RoomParserConfig& config, ParsedRoom& parsed) {
    const std::string_view buffer(outputBuffer);
    ParsedRoom room;
    const std::size_t exitsStart = Find(buffer, config.AutoexitStart, 0);
    Cut cut =
        exitsStart == kNpos ? ParseDarkRoom(buffer, config, room) : ParseLitRoom(buffer, exitsStart, config, room);
    if (!cut.found) return false;

    const bool letters = HasPromptLetters(config);
    if (config.UsePromptExit) {
        // The prompt follows the room; until it has arrived the room waits.
        const std::string_view rest = buffer.substr(cut.rest);
        std::size_t promptStart = Find(rest, config.PromptExitStart, 0);
        if (promptStart == kNpos) return false;
        promptStart += config.PromptExitStart.size();
        std::size_t promptEnd = Find(rest, config.PromptExitEnd, promptStart);
        if (promptEnd == kNpos) return false;
        room.ParsedExits = std::string(rest.substr(promptStart, promptEnd - promptStart));
        if (letters) room.ParsedExits = ExitsFromPromptLetters(room.ParsedExits, config);
    } else if (letters && !cut.exitsLine) {
        // A room shown without an exits line (a dark one) has its exits in
        // the prompt, when the prompt came with it: a MUD that prints no
        // prompt must not hold the room back.
        if (std::optional<std::string> prompt = PromptExits(buffer.substr(cut.rest), config)) {
            room.ParsedExits = ExitsFromPromptLetters(*prompt, config);
        }
    }
    if (config.ExitsIgnoreCase) room.ParsedExits = MatchExitWordCase(room.ParsedExits, config.Words);

    parsed = std::move(room);
    outputBuffer.erase(0, cut.rest);
    return true;
}

}  // namespace trellan
