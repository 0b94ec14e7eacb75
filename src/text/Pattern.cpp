#include "text/Pattern.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace trellan {

namespace {

constexpr std::size_t kNone = std::string_view::npos;
constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kAlternativesEnd = "]]";
constexpr std::string_view kAlternativesSeparator = "][";

// An alternative is cut from a block that holds no "]]", so a "[[" inside it
// always fails and matching goes at most two levels deep. The limit only
// guards that reasoning.
constexpr int kMaxDepth = 4;

// Needles at least this long are searched with Boyer-Moore, so that a long
// literal over a long subject stays linear.
constexpr std::size_t kLongNeedle = 32;

enum class TokenKind { Literal, AnyText, AnyLines, Optional, Capture, Alternatives };

struct Token {
    TokenKind kind;
    std::string_view text;  // the literal (CR LF included); empty for markers
};

// The marker starting at `pos`, if any. A line break is a marker in the
// sense that it ends a literal, but it is processed as a literal itself.
bool MarkerAt(std::string_view pattern, std::size_t pos, TokenKind& kind) {
    if (pos + 1 >= pattern.size()) return false;
    char c = pattern[pos];
    char next = pattern[pos + 1];
    if (c == '/') {
        switch (next) {
            case '*':
                kind = TokenKind::AnyText;
                return true;
            case '/':
                kind = TokenKind::AnyLines;
                return true;
            case '+':
                kind = TokenKind::Optional;
                return true;
            case '$':
                kind = TokenKind::Capture;
                return true;
            default:
                return false;
        }
    }
    if (c == '[' && next == '[') {
        kind = TokenKind::Alternatives;
        return true;
    }
    if (c == '\r' && next == '\n') {
        kind = TokenKind::Literal;
        return true;
    }
    return false;
}

// Reads the token at `pos` and moves `pos` past it.
Token NextToken(std::string_view pattern, std::size_t& pos) {
    TokenKind kind;
    if (MarkerAt(pattern, pos, kind)) {
        Token token{kind, kind == TokenKind::Literal ? pattern.substr(pos, 2) : std::string_view()};
        pos += 2;
        return token;
    }
    std::size_t end = pos + 1;
    while (end < pattern.size() && !MarkerAt(pattern, end, kind)) ++end;
    Token token{TokenKind::Literal, pattern.substr(pos, end - pos)};
    pos = end;
    return token;
}

std::size_t FindIn(std::string_view haystack, std::string_view needle) {
    if (needle.size() < kLongNeedle) return haystack.find(needle);
    auto it = std::search(haystack.begin(), haystack.end(), std::boyer_moore_searcher(needle.begin(), needle.end()));
    return it == haystack.end() ? kNone : static_cast<std::size_t>(it - haystack.begin());
}

// Matching works on offsets into the one subject; nothing is copied but the
// captures themselves.
class Matcher {
public:
    Matcher(std::string_view subject, std::vector<std::string>& captures) : subject_(subject), captures_(captures) {}

    // Bytes consumed from `start` by the pattern, 0 for no match.
    std::size_t Match(std::size_t start, std::string_view pattern, int depth);

private:
    bool MatchAlternatives(std::size_t& offset, std::string_view block, int depth);

    std::string_view subject_;
    std::vector<std::string>& captures_;
};

std::size_t Matcher::Match(std::size_t start, std::string_view pattern, int depth) {
    if (pattern.empty() || start >= subject_.size()) return 0;

    std::size_t offset = start;  // where the rest of the subject begins
    std::size_t saved = start;   // the rest as it was at the last "/$"
    TokenKind previous = TokenKind::Literal;

    // The first line break at or after the offset; the offset only grows, so
    // one search serves until the offset passes the break found.
    std::size_t lineBreak = kNone;
    std::size_t lineBreakFrom = kNone;
    auto firstLineBreak = [&]() {
        bool valid = lineBreakFrom != kNone && lineBreakFrom <= offset && (lineBreak == kNone || lineBreak >= offset);
        if (!valid) {
            lineBreak = subject_.find(kLineBreak, offset);
            lineBreakFrom = offset;
        }
        return lineBreak;
    };

    std::size_t pos = 0;
    while (pos < pattern.size()) {
        Token token = NextToken(pattern, pos);
        switch (token.kind) {
            case TokenKind::Capture:
                saved = offset;
                break;
            case TokenKind::AnyText:
            case TokenKind::AnyLines:
            case TokenKind::Optional:
                break;
            case TokenKind::Alternatives: {
                std::size_t close = pattern.find(kAlternativesEnd, pos);
                if (close == kNone) return 0;
                std::string_view block = pattern.substr(pos, close - pos);
                pos = close + kAlternativesEnd.size();
                if (!MatchAlternatives(offset, block, depth)) return 0;
                break;
            }
            case TokenKind::Literal: {
                std::string_view literal = token.text;
                // Unless "//" allows any later line, the literal has to begin on
                // the current line (at the latest where its line break begins).
                std::size_t searchEnd = subject_.size();
                if (previous != TokenKind::AnyLines) {
                    std::size_t brk = firstLineBreak();
                    if (brk != kNone) searchEnd = std::min(subject_.size(), brk + literal.size());
                }
                std::size_t found = FindIn(subject_.substr(offset, searchEnd - offset), literal);
                if (found != kNone) {
                    std::size_t at = offset + found;
                    if (previous == TokenKind::Capture) {
                        captures_.emplace_back(subject_.substr(saved, at - saved));
                    } else if (previous == TokenKind::Optional) {
                        captures_.emplace_back(literal);
                    }
                    offset = at + literal.size();
                } else if (previous == TokenKind::Optional) {
                    captures_.emplace_back();
                } else {
                    return 0;
                }
                break;
            }
        }
        // After a literal or a block the previous token is neither of the
        // markers that change how the next literal is handled.
        previous = token.kind == TokenKind::Alternatives ? TokenKind::Literal : token.kind;
    }
    return offset - start;
}

bool Matcher::MatchAlternatives(std::size_t& offset, std::string_view block, int depth) {
    if (depth >= kMaxDepth) return false;
    std::size_t cut = 0;
    while (true) {
        std::size_t separator = block.find(kAlternativesSeparator, cut);
        std::string_view alternative = separator == kNone ? block.substr(cut) : block.substr(cut, separator - cut);
        // An empty alternative ends the trying, like the end of the block.
        if (alternative.empty()) return false;
        std::size_t consumed = Match(offset, alternative, depth + 1);
        if (consumed > 0) {
            offset += consumed;
            return true;
        }
        if (separator == kNone) return false;
        cut = separator + kAlternativesSeparator.size();
    }
}

}  // namespace

int MatchPattern(std::string& subject, std::string_view pattern, std::vector<std::string>& captures) {
    // Captures are gathered apart and appended last: the subject may itself
    // be an element of the capture list, which appending could move.
    std::vector<std::string> found;
    std::size_t consumed = Matcher(subject, found).Match(0, pattern, 0);
    if (consumed > 0) subject.erase(0, consumed);
    captures.insert(captures.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
    return static_cast<int>(consumed);
}

std::string PatternPrefix(std::string_view pattern) {
    std::size_t anyText = pattern.find("/*");
    std::size_t capture = pattern.find("/$");
    if (anyText == kNone && capture == kNone) return std::string();
    std::size_t end = std::min({anyText, capture, pattern.find("[[")});
    return std::string(pattern.substr(0, end));
}

}  // namespace trellan
