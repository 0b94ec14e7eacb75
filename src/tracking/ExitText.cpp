#include "tracking/ExitText.h"

#include "text/Cp1251.h"

namespace trellan {

std::string MatchExitWordCase(std::string_view exits, const ExitWords& words) {
    // Upper-casing keeps every byte where it was, so a match in the upper
    // copy marks the bytes to overwrite in the result.
    const std::string upper = UpperCp1251(exits);
    std::string result(exits);
    for (Direction dir : kAllDirections) {
        const std::string& word = words[dir];
        if (word.empty()) continue;
        const std::string upperWord = UpperCp1251(word);
        for (std::size_t at = upper.find(upperWord); at != std::string::npos; at = upper.find(upperWord, at + 1)) {
            result.replace(at, word.size(), word);
        }
    }
    return result;
}

std::string ExitsFromPromptLetters(std::string_view prompt, const RoomParserConfig& config) {
    const bool ignoreCase = config.ExitsIgnoreCase;
    const std::string text = ignoreCase ? UpperCp1251(prompt) : std::string(prompt);
    std::string result;
    bool inDoor = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == '(' || c == ')') {
            inDoor = c == '(';
            ++pos;
            continue;
        }
        // The longest letter that stands here wins ("вв" before "в").
        std::size_t bestLength = 0;
        Direction best = Direction::North;
        for (Direction dir : kAllDirections) {
            const std::string& letter = config.PromptExitLetters[Index(dir)];
            if (letter.empty() || letter.size() <= bestLength) continue;
            const std::string wanted = ignoreCase ? UpperCp1251(letter) : letter;
            if (text.compare(pos, wanted.size(), wanted) == 0) {
                bestLength = wanted.size();
                best = dir;
            }
        }
        if (bestLength == 0) {
            ++pos;
            continue;
        }
        pos += bestLength;
        const std::string& word = config.Words[best];
        if (word.empty()) continue;
        if (!result.empty()) result += ' ';
        result += inDoor ? "(" + word + ")" : word;
    }
    return result;
}

}  // namespace trellan
