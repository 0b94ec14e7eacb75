#include "text/TextUtils.h"

#include <cstdint>

namespace trellan {

namespace {

constexpr char kEsc = '\x1B';

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;  // lower-case digits are not part of the notation
}

bool IsCtl(char c) {
    return static_cast<unsigned char>(c) < 0x21;
}

}  // namespace

std::string DecodeEscapes(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        std::size_t mark = text.find("#$", pos);
        if (mark == std::string_view::npos) {
            result.append(text.substr(pos));
            return result;
        }
        result.append(text.substr(pos, mark - pos));
        int high = mark + 2 < text.size() ? HexDigitValue(text[mark + 2]) : -1;
        int low = mark + 3 < text.size() ? HexDigitValue(text[mark + 3]) : -1;
        if (high >= 0 && low >= 0) {
            result.push_back(static_cast<char>(high * 16 + low));
            pos = mark + 4;
        } else {
            result.append("#$");
            pos = mark + 2;
        }
    }
}

std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement) {
    if (search.empty()) return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        std::size_t hit = text.find(search, pos);
        if (hit == std::string_view::npos) break;
        result.append(text.substr(pos, hit - pos));
        result.append(replacement);
        pos = hit + search.size();
    }
    result.append(text.substr(pos));
    return result;
}

std::string GetToken(int index, std::string_view text, std::string_view separator) {
    std::string_view rest = text;
    std::string_view field;
    // Stopping once the rest is used up keeps a huge index from looping.
    for (int i = 1; i <= index; ++i) {
        if (rest.empty()) return std::string();
        std::size_t cut = separator.empty() ? std::string_view::npos : rest.find(separator);
        if (cut == std::string_view::npos) {
            field = rest;
            rest = std::string_view();
        } else {
            field = rest.substr(0, cut);
            rest = rest.substr(cut + separator.size());
        }
    }
    return std::string(field);
}

std::string TrimLeftCtl(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && IsCtl(text[first])) ++first;
    return std::string(text.substr(first));
}

std::string TrimRightCtl(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && IsCtl(text[end - 1])) --end;
    return std::string(text.substr(0, end));
}

std::string TrimCtl(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && IsCtl(text[first])) ++first;
    std::size_t end = text.size();
    while (end > first && IsCtl(text[end - 1])) --end;
    return std::string(text.substr(first, end - first));
}

std::string StripChars(std::string_view text, std::string_view set) {
    bool drop[256] = {};
    for (char c : set) drop[static_cast<unsigned char>(c)] = true;
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (!drop[static_cast<unsigned char>(c)]) result.push_back(c);
    }
    return result;
}

void StripAnsiColors(std::string& text) {
    // One pass with the same result as deleting the first ESC "[" ... "m" over
    // and over: everything already copied holds no ESC "[", so the only new
    // sequence a deletion can create starts with an ESC at the end of the
    // copied part followed by a "[" of the unread part.
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    const std::size_t size = text.size();
    while (pos < size) {
        std::size_t start;
        bool joined = !out.empty() && out.back() == kEsc && text[pos] == '[';
        if (joined) {
            start = pos;  // the "[" of a sequence whose ESC is already copied
        } else {
            start = text.find("\x1B[", pos);
            if (start == std::string::npos) break;
        }
        std::size_t end = text.find('m', start + 1);
        if (end == std::string::npos) break;  // no "m" anywhere later: removal ends
        if (joined) {
            out.pop_back();
        } else {
            out.append(text, pos, start - pos);
        }
        pos = end + 1;
    }
    out.append(text, pos, std::string::npos);
    text = std::move(out);
}

std::string ZeroPad(long long value, int width) {
    bool negative = value < 0;
    // Through unsigned so that the most negative value has its digits too.
    unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    std::string digits = std::to_string(magnitude);
    // The width counts digits; a minus sign goes in front of the padding.
    std::string result;
    if (negative) result.push_back('-');
    if (width > static_cast<int>(digits.size())) result.append(static_cast<std::size_t>(width) - digits.size(), '0');
    result.append(digits);
    return result;
}

void SplitLines(std::string_view text, std::vector<std::string>& list) {
    list.clear();
    std::size_t pos = 0;
    while (true) {
        std::size_t cut = text.find("\r\n", pos);
        if (cut == std::string_view::npos) break;
        list.emplace_back(text.substr(pos, cut - pos));
        pos = cut + 2;
    }
    list.emplace_back(text.substr(pos));
}

}  // namespace trellan
