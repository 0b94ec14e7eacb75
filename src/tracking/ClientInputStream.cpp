#include "tracking/ClientInputStream.h"

#include <algorithm>

#include "model/MudRoom.h"
#include "model/World.h"
#include "proxy/DebugLog.h"
#include "text/Cp1251.h"
#include "text/TextUtils.h"
#include "tracking/MovementTracker.h"
#include "tracking/RoomQueries.h"

namespace trellan {

namespace {

constexpr unsigned char kIac = 0xFF;
constexpr unsigned char kSb = 0xFA;
constexpr unsigned char kWill = 0xFB;
constexpr unsigned char kDont = 0xFE;

bool StartsWith(std::string_view text, std::string_view prefix) {
    // An empty command word would claim every line.
    return !prefix.empty() && text.substr(0, prefix.size()) == prefix;
}

std::string_view TrimRightControls(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) < 0x20) text.remove_suffix(1);
    return text;
}

// The command word alone or followed by a blank: "карта" and "карта где",
// never "картами". An empty word (a setting left blank) names no command.
bool StartsWithWord(std::string_view text, std::string_view word) {
    if (word.empty() || !StartsWith(text, word)) return false;
    return text.size() == word.size() || static_cast<unsigned char>(text[word.size()]) <= 0x20;
}

// What follows the command word, trimmed.
std::string Argument(std::string_view text, std::string_view word) {
    return TrimCtl(text.substr(word.size()));
}

}  // namespace

ClientInputStream::ClientInputStream(MovementTracker& tracker, DebugLog& log) : tracker_(tracker), log_(log) {}

void ClientInputStream::Reset() {
    pending_.clear();
    passingOverlong_ = false;
}

void ClientInputStream::Feed(std::string_view bytes) {
    TrackerOutput& output = tracker_.Output();
    while (!bytes.empty()) {
        std::size_t lineEnd = bytes.find('\n');
        std::size_t take = lineEnd == std::string_view::npos ? bytes.size() : lineEnd + 1;
        if (passingOverlong_) {
            output.SendToServer(bytes.substr(0, take));
            if (lineEnd != std::string_view::npos) passingOverlong_ = false;
            bytes.remove_prefix(take);
            continue;
        }
        // One line end at most enters the pending line, and never more than
        // one byte past the cap, so the cap is noticed at once.
        take = std::min(take, MaxPendingLine + 1 - std::min(pending_.size(), MaxPendingLine));
        pending_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);

        bool telnetComplete = RelayTelnetCommands();
        if (telnetComplete && !pending_.empty() && pending_.back() == '\n') {
            std::string line;
            line.swap(pending_);
            TakeCommandLine(line);
        } else if (pending_.size() > MaxPendingLine) {
            log_.Log("SSClientRead: line longer than " + std::to_string(MaxPendingLine) +
                       " bytes relayed without reading it");
            output.SendToServer(pending_);
            bool ended = pending_.back() == '\n';
            pending_.clear();
            passingOverlong_ = !ended;
        }
    }
}

bool ClientInputStream::RelayTelnetCommands() {
    // Negotiation the client starts on its own (window size, terminal type)
    // must not wait for a line end; a doubled IAC is the letter "я".
    while (!pending_.empty() && static_cast<unsigned char>(pending_[0]) == kIac) {
        if (pending_.size() < 2) return false;
        unsigned char command = static_cast<unsigned char>(pending_[1]);
        if (command == kIac) break;
        std::size_t length = 2;
        if (command >= kWill && command <= kDont) {
            length = 3;
        } else if (command == kSb) {
            std::size_t end = pending_.find("\xFF\xF0", 2);
            if (end == std::string::npos) return false;
            length = end + 2;
        }
        if (pending_.size() < length) return false;
        tracker_.Output().SendToServer(std::string_view(pending_).substr(0, length));
        pending_.erase(0, length);
    }
    return true;
}

bool ClientInputStream::IsOwnCommand(std::string_view text) const {
    const TrackerConfig& config = tracker_.Config();
    if (StartsWith(text, config.Speedwalk) || StartsWith(text, config.Returnwalk) ||
        StartsWith(text, config.StopTrace) || StartsWith(text, config.ReadOnlyOn) ||
        StartsWith(text, config.ReadOnlyOff)) {
        return true;
    }
    if (!config.RequestObject.empty() && StartsWith(text, config.RequestObject + " ")) return true;
    for (const std::string* word : {&config.GroupLore, &config.ClanLore, &config.SetAlias, &config.MapCommand}) {
        if (StartsWithWord(text, *word)) return true;
    }
    return false;
}

std::string ClientInputStream::InTrackerCharset(std::string_view received) const {
    const ServerCharset charset = tracker_.Config().Charset;
    if (charset == ServerCharset::Windows1251) return std::string(received);
    // In KOI8-R the doubled 0xFF is the letter "Ъ" (UTF-8 has no 0xFF).
    return FromServerCharset(ReplaceAll(received, "\xFF\xFF", "\xFF"), charset);
}

std::string ClientInputStream::WithDoorCommands(std::string_view text) const {
    std::string result(text);
    const TrackerConfig& config = tracker_.Config();
    const MudRoom* room = tracker_.TheWorld().CurrentRoom;
    std::optional<Direction> direction = MoveDirection(TrimRightControls(text), config.Parser);
    if (room == nullptr || !direction) return result;
    // With several entries, the commands of the later entry come first.
    for (const std::string& commands : DoorCommandsFor(*room, *direction, config.Parser)) {
        result = ReplaceAll(commands, ";", "\n") + "\n" + result;
    }
    return result;
}

void ClientInputStream::TakeCommandLine(std::string_view received) {
    const TrackerConfig& config = tracker_.Config();
    TrackerOutput& output = tracker_.Output();
    // The line as the tracker reads it, in Windows-1251; what goes to the
    // server is the player's own bytes.
    std::string text = InTrackerCharset(received);
    if (!IsOwnCommand(text)) {
        std::string withDoors = WithDoorCommands(text);
        if (config.Charset == ServerCharset::Windows1251) {
            output.SendToServer(withDoors);
        } else {
            const std::size_t doors = withDoors.size() - text.size();
            output.SendToServer(ToServerCharset(std::string_view(withDoors).substr(0, doors), config.Charset) +
                                std::string(received));
        }
        text = std::move(withDoors);
    }

    if (StartsWith(text, config.Speedwalk)) {
        std::string_view command = TrimRightControls(text);
        if (command == config.Speedwalk) {
            tracker_.Speedwalk().SpeedwalkCommand("");
        } else {
            tracker_.Speedwalk().SpeedwalkCommand(TrimCtl(command.substr(config.Speedwalk.size())));
        }
    } else if (StartsWith(text, config.Returnwalk)) {
        tracker_.Speedwalk().ReturnCommand();
    } else if (StartsWith(text, config.ReadOnlyOn) || StartsWith(text, config.ReadOnlyOff)) {
        bool off = !config.ReadOnlyOff.empty() && text.find(config.ReadOnlyOff) != std::string::npos;
        tracker_.ChangeWalkingMode(!off);
    } else if (StartsWithWord(text, config.MapCommand)) {
        tracker_.MapCommands().MapCommand(Argument(text, config.MapCommand));
    } else if (StartsWithWord(text, config.SetAlias)) {
        tracker_.MapCommands().SetAliasCommand(Argument(text, config.SetAlias));
    } else if (StartsWithWord(text, config.GroupLore)) {
        tracker_.Objects().TellObject(Argument(text, config.GroupLore), LoreChat::Group);
    } else if (StartsWithWord(text, config.ClanLore)) {
        tracker_.Objects().TellObject(Argument(text, config.ClanLore), LoreChat::Clan);
    } else if (!config.StopTrace.empty() && text.find(config.StopTrace) != std::string::npos) {
        tracker_.SetTracing(MovementTracker::TracingSwitch::Off);
    } else if (!config.RequestObject.empty() && StartsWith(text, config.RequestObject + " ")) {
        tracker_.Objects().SearchObjects(StripChars(text.substr(config.RequestObject.size() + 1), "\r\n"));
    } else {
        QueueCommands(text);
    }
}

void ClientInputStream::QueueCommands(std::string_view text) {
    const TrackerConfig& config = tracker_.Config();
    std::string command = TrimCtl(AsciiLower(TrimCtl(text)));
    const bool look = std::find(config.LookWords.begin(), config.LookWords.end(), command) != config.LookWords.end();
    if (look || command == config.Clear) {
        tracker_.ResetQueue();
        tracker_.SetTracing(MovementTracker::TracingSwitch::On);
    }
    // Any look word is settled as the look Trellan itself uses.
    if (look) command = config.Look;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = command.find('\n', start);
        tracker_.QueueCommand(TrimCtl(std::string_view(command).substr(start, end - start)));
        if (end == std::string::npos) break;
        start = end + 1;
    }
}

}  // namespace trellan
