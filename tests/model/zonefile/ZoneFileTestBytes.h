#pragma once
// Helpers for byte-exact zone file fixtures.
#include <cstdint>
#include <string>
#include <string_view>

namespace trellan::test {

// "54 50 46 30" -> the four bytes; blanks and commas are ignored.
inline std::string Hex(std::string_view text) {
    std::string out;
    int high = -1;
    for (char c : text) {
        int v;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else
            continue;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<char>(high * 16 + v));
            high = -1;
        }
    }
    return out;
}

// The record head the writer produces: signature, class name, empty name.
inline std::string RecordHead() {
    return Hex("54 50 46 30 09 54 4D 75 64 52 6F 6F 6D 32 00");
}

// A property entry name as stored: length byte and name.
inline std::string Name(std::string_view name) {
    return std::string(1, static_cast<char>(name.size())) + std::string(name);
}

// The 89-byte record of a room numbered 7 with exits "N", linked north, at
// X 5, Y -3, L 0 with the view centre on it, silver, everything else default.
inline std::string WorkedRecord() {
    return Hex(
        "54 50 46 30"
        "09 54 4D 75 64 52 6F 6F 6D 32"
        "00"
        "03 54 61 67 02 07"
        "05 45 78 69 74 73 06 01 4E"
        "03 43 68 4E 09"
        "03 43 68 53 08 03 43 68 57 08 03 43 68 45 08 03 43 68 55 08 03 43 68 44 08"
        "01 58 02 05 01 59 02 FD 01 4C 02 00"
        "02 44 58 02 05 02 44 59 02 FD 02 44 4C 02 00"
        "00 00");
}

}  // namespace trellan::test
