// The pre-scans of a tracker pass: messages in the server text that change
// what the command at the head of the queue means.
#include <algorithm>
#include <vector>

#include "model/MudRoom.h"
#include "model/World.h"
#include "proxy/DebugLog.h"
#include "text/TextUtils.h"
#include "text/W1251.h"
#include "tracking/MovementTracker.h"

namespace trellan {

namespace {

constexpr std::string_view kSharedMark = "->>";

// The end of the line that holds `pos`: the index just past its line feed,
// or npos while the line break has not arrived.
std::size_t LineEndAfter(const std::string& text, std::size_t pos) {
    std::size_t lineFeed = text.find('\n', pos);
    return lineFeed == std::string::npos ? std::string::npos : lineFeed + 1;
}

// The rest of the line from `pos`, without its line break.
std::string RestOfLine(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return std::string();
    std::size_t lineFeed = text.find('\n', pos);
    std::string_view rest = text.substr(pos, lineFeed == std::string_view::npos ? lineFeed : lineFeed - pos);
    if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
    return std::string(rest);
}

}  // namespace

void MovementTracker::StripSharedLines() {
    // A shared-object line is text for the group, not a room; its line break
    // stays so the lines around it keep their shape. A line still waiting
    // for its break is left for the next event.
    std::size_t from = 0;
    for (;;) {
        std::size_t mark = outputBuffer_.find(kSharedMark, from);
        if (mark == std::string::npos) return;
        std::size_t lineFeed = outputBuffer_.find('\n', mark);
        if (lineFeed == std::string::npos) return;
        std::size_t end = lineFeed > mark && outputBuffer_[lineFeed - 1] == '\r' ? lineFeed - 1 : lineFeed;
        outputBuffer_.erase(mark, end - mark);
        from = mark;
    }
}

void MovementTracker::ScanPanic() {
    if (config_.Retreat.empty()) return;
    std::size_t pos = outputBuffer_.find(config_.Retreat);
    if (pos == std::string::npos) return;
    std::size_t end = LineEndAfter(outputBuffer_, pos);
    if (end == std::string::npos) return;
    log_.Log(W1251("Паника."));
    outputBuffer_.erase(pos, end - pos);
    // A flight the player aimed ("убежать n") is settled as that move; a
    // flee queued behind it would wait for a room that never comes and take
    // the room of the next command instead.
    std::string aimed = config_.Fleewalk + " ";
    if (!config_.Fleewalk.empty() && !commandQueue_.empty() &&
        commandQueue_.front().compare(0, aimed.size(), aimed) == 0) {
        return;
    }
    QueueCommand(config_.Retreat);
    currentCommand_ = commandQueue_.front();
}

void MovementTracker::ScanFollow() {
    if (config_.Follow.empty()) return;
    std::size_t pos = outputBuffer_.find(config_.Follow);
    if (pos == std::string::npos) return;
    std::size_t end = LineEndAfter(outputBuffer_, pos);
    if (end == std::string::npos) return;
    log_.Log(W1251("Cледование есть."));
    const std::array<std::string, kDirectionCount>& moves = config_.Parser.MoveCommands;

    std::string derived;
    if (config_.FollowLine) {
        std::string rest = RestOfLine(outputBuffer_, pos + config_.Follow.size() + 1);
        for (int dir = 0; dir < kDirectionCount; ++dir) {
            const std::string& phrase = config_.LeaderPhrases[dir];
            if (!phrase.empty() && rest.find(phrase) != std::string::npos) derived = moves[dir];
        }
    } else {
        std::string_view before = std::string_view(outputBuffer_).substr(0, pos);
        // Each pattern's next occurrence at or after `start`; the rest of the
        // text only shrinks from the front, so each is searched again only
        // once the scan has passed it (linear, not quadratic, in long text).
        std::vector<std::size_t> next;
        for (const std::string& move : config_.LeaderMoves) {
            next.push_back(move.empty() ? std::string_view::npos : before.find(move));
        }
        std::size_t start = 0;
        while (start < before.size()) {
            std::size_t found = std::string_view::npos;
            std::size_t pattern = 0;
            for (std::size_t i = 0; i < config_.LeaderMoves.size(); ++i) {
                if (next[i] != std::string_view::npos && next[i] < start) {
                    next[i] = before.find(config_.LeaderMoves[i], start);
                }
                if (next[i] != std::string_view::npos) {
                    found = next[i];
                    pattern = i;
                    break;
                }
            }
            if (found == std::string_view::npos) break;
            const std::string& move = config_.LeaderMoves[pattern];
            log_.Log(W1251("Лидер :") + move);
            start = found + move.size();
            // The blank between the leader's words and the direction does
            // not belong to the direction.
            std::string direction =
                move.find(' ') == std::string::npos ? TrimLeftCtl(RestOfLine(before, start)) : config_.Portal;
            log_.Log(W1251("Направление :") + direction);
            derived = direction;
            for (int dir = 0; dir < kDirectionCount; ++dir) {
                const std::string& phrase = config_.LeaderPhrases[dir];
                if (!phrase.empty() && direction.compare(0, phrase.size(), phrase) == 0) derived = moves[dir];
            }
            currentCommand_.clear();
            settled_ = true;
            std::size_t lineFeed = before.find('\n', start);
            start = lineFeed == std::string_view::npos ? before.size() : lineFeed + 1;
        }
    }

    if (derived.empty()) {
        // The leader went where the tracker cannot follow.
        LossOfPosition(PositionLoss::LeaderLost);
        return;
    }
    commandQueue_.push_front(derived);
    currentCommand_ = derived;
    outputBuffer_.erase(pos, end - pos);
}

void MovementTracker::ScanTriggers(std::size_t exitsStart) {
    const MudRoom* room = world_.CurrentRoom;
    if (room == nullptr || exitsStart == std::string::npos) return;
    for (const std::string& entry : room->AutoMaps) {
        std::string exit = GetToken(2, entry, "|");
        if (exit.empty() || exit[0] != '=') continue;
        std::string trigger = DecodeEscapes(std::string_view(exit).substr(1));
        if (trigger.empty()) continue;
        std::size_t pos = outputBuffer_.find(trigger);
        if (pos == std::string::npos || pos >= exitsStart) continue;
        currentCommand_ = trigger;
        // The same trigger text waits at the head already when its room has
        // not arrived yet; queuing it again every event would grow the queue.
        if (commandQueue_.empty() || commandQueue_.front() != trigger) commandQueue_.push_front(trigger);
        log_.Log(W1251("Ждущий триггер сработал: ") + trigger);
        return;
    }
}

}  // namespace trellan
