#include "Win1251.h"

#include "text/Cp1251.h"
#include "text/Utf8.h"

namespace demomud {

namespace {

using trellan::Utf8Reading;

// Bytes from 0x80 to 0xBF that the world uses; 0xC0 and up are all letters.
bool InWorldAlphabet(unsigned char b) {
    switch (b) {
        case 0xA8:  // Ё
        case 0xB8:  // ё
        case 0xAB:  // «
        case 0xBB:  // »
        case 0x97:  // em dash
        case 0x96:  // en dash
        case 0x85:  // ellipsis
        case 0xB9:  // numero sign
            return true;
        default:
            return b < 0x80 || b >= 0xC0;
    }
}

std::string KeepWorldAlphabet(std::string text) {
    for (char& c : text) {
        if (!InWorldAlphabet(static_cast<unsigned char>(c))) c = '?';
    }
    return text;
}

}  // namespace

std::string FromWin1251(std::string_view text) {
    return trellan::Cp1251ToUtf8(KeepWorldAlphabet(std::string(text)));
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
    return KeepWorldAlphabet(trellan::Utf8ToCp1251(utf8, nullptr, Utf8Reading::Lenient));
}

std::string InputToWin1251(std::string_view line) {
    bool multiByte = false;
    for (std::size_t i = 0; i < line.size();) {
        const trellan::Utf8Sequence seq = trellan::DecodeUtf8(line, i, Utf8Reading::Lenient);
        if (!seq.Valid) {
            return std::string(line);
        }
        multiByte = multiByte || seq.Length > 1;
        i += seq.Length;
    }
    return multiByte ? ToWin1251(line) : std::string(line);
}

}  // namespace demomud
