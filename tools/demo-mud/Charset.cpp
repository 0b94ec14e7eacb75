#include "Charset.h"

#include "Win1251.h"
#include "text/Cp1251.h"
#include "text/Koi8r.h"

namespace demomud {

std::optional<Charset> CharsetByName(std::string_view name) {
    const std::string lower = trellan::AsciiLower(name);
    if (lower == "koi8-r") return Charset::Koi8r;
    if (lower == "windows-1251") return Charset::Windows1251;
    if (lower == "utf-8") return Charset::Utf8;
    return std::nullopt;
}

std::string CharsetMenu() {
    return "Select encoding:\r\n"
           " 1) KOI8-R\r\n"
           " 2) Windows-1251\r\n"
           " 3) UTF-8\r\n"
           "> ";
}

std::optional<Charset> CharsetChoice(std::string_view line) {
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
    if (line == "1") return Charset::Koi8r;
    if (line == "2") return Charset::Windows1251;
    if (line == "3") return Charset::Utf8;
    return std::nullopt;
}

std::string EncodeOutput(Charset charset, std::string_view utf8) {
    const std::string text = ToWin1251(utf8);
    switch (charset) {
        case Charset::Koi8r:
            return trellan::Cp1251ToKoi8r(text);
        case Charset::Utf8:
            return trellan::Cp1251ToUtf8(text);
        case Charset::Windows1251:
            break;
    }
    return text;
}

std::string DecodeInput(Charset charset, std::string_view line) {
    switch (charset) {
        case Charset::Koi8r:
            return trellan::Koi8rToCp1251(line);
        case Charset::Utf8:
            return ToWin1251(line);
        case Charset::Windows1251:
            break;
    }
    return InputToWin1251(line);
}

}  // namespace demomud
