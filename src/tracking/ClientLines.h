#pragma once
// Trellan's own lines to the player's client: "<Trellan> : " in yellow, the
// message in green (done, on) or red (refused, off), and the localised texts
// that go into them. Texts are Windows-1251.
#include <string>
#include <string_view>

namespace trellan {

class Localisation;

enum class LineColour { Green, Red, Yellow };

// "\r\n\033[1;33m<Trellan> : " + colour + text + "\033[0m\r\n".
std::string TrellanLine(std::string_view text, LineColour colour);

// The text of `key` in section "MainForm" of the localisation, with the
// built-in default `utf8Default`; the default when there are no captions or
// the localisation file cannot take the new key (a message to the client
// must not fail for that).
std::string ClientText(Localisation* captions, std::string_view key, std::string_view utf8Default);

// Every 0xFF byte ("я") doubled when `doubledFF` (the profile's
// AddDoubleYaLor), as the client undoubles it.
std::string ForClient(std::string text, bool doubledFF);

// Every "{name}" in `text` replaced by `value`.
std::string Filled(std::string text, std::string_view name, std::string_view value);

}  // namespace trellan
