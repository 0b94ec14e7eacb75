#pragma once
// The code page a player's client speaks. Russian MUDs ask for it at login
// with a numbered menu; the game itself works in UTF-8 and the world's
// Windows-1251 alphabet (Win1251.h), and only the wire differs.
#include <optional>
#include <string>
#include <string_view>

namespace demomud {

enum class Charset { Windows1251, Koi8r, Utf8 };

// "koi8-r", "windows-1251", "utf-8" (any letter case).
std::optional<Charset> CharsetByName(std::string_view name);

// The login menu, plain ASCII so that every client reads it.
std::string CharsetMenu();
// The player's answer to the menu: "1", "2" or "3", blanks around allowed.
std::optional<Charset> CharsetChoice(std::string_view line);

// Game text (UTF-8) as bytes in `charset`, before telnet framing; characters
// outside the world's alphabet become '?'.
std::string EncodeOutput(Charset charset, std::string_view utf8);
// A command line from the client (0xFF already undoubled) as Windows-1251.
// Windows-1251 players may also type UTF-8, as without a chosen code page.
std::string DecodeInput(Charset charset, std::string_view line);

}  // namespace demomud
