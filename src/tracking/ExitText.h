#pragma once
// The exits a MUD shows, brought to the profile's exit words: letters in
// another case (many MUDs print exits into another zone in upper case), and
// the prompt's own exit letters ("Вых:С(В)Ю^>").
#include <string>
#include <string_view>

#include "tracking/RoomParserConfig.h"

namespace trellan {

// Every exit word found regardless of letter case is written as the profile
// spells it ("[ Exits: E w ]" -> " E W "); the rest stays as it was.
std::string MatchExitWordCase(std::string_view exits, const ExitWords& words);

// The prompt's exit letters as exit words, in the order they stand, a
// closed door kept in parentheses: "С(В)Ю^" -> "N (E) S U". Characters that
// are no direction's letter are left out. Letter case counts unless
// `ignoreCase`.
std::string ExitsFromPromptLetters(std::string_view prompt, const RoomParserConfig& config);

}  // namespace trellan
