#pragma once
// Converting the exits texts of a whole world from one set of exit words to
// another (and back), when the way exits are recognised changes.
#include <string>
#include <string_view>

#include "model/ExitWords.h"

namespace trellan {

class World;

// Replaces the old words by the new ones in one left-to-right pass: at each
// position the longest old word found there is replaced (on a tie the first
// in the order north, south, west, east, up, down), and replaced text is
// never searched again. For words that do not overlap this is the same as
// replacing one direction after the other; unlike that it cannot turn a new
// word into another direction's old word ("N" -> "S" and "S" -> "N" swap
// cleanly) or cut a longer old word apart because a shorter one is inside it.
// Empty old words are never found.
std::string ReplaceExitWordsInText(std::string_view exits, const ExitWords& oldWords, const ExitWords& newWords);

// Rewrites Exits of every room of the world (all zones). The exit states are
// recomputed with `stateWords`, which should be the words that will be in
// force once the conversion is confirmed. Clears MapSaved when anything
// changed; the rooms are written by the next save.
void ReplaceExitWords(World& world, const ExitWords& oldWords, const ExitWords& newWords, const ExitWords& stateWords);

// Sets Exits of every room again so its exit states follow `words` (after
// the exit words of the profile changed). Does not count as an edit.
void RecomputeExitStates(World& world, const ExitWords& words);

}  // namespace trellan
