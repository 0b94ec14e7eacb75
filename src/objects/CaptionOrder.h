#pragma once
// How captions of the objects base compare: sorting follows the alphabet
// the way a Russian user expects (letters regardless of case, Ё after Е,
// Latin before Cyrillic, digits before letters), and top-level nodes are
// matched without regard to letter case.
#include <string_view>

namespace trellan {

// Negative, zero or positive like strcmp. Equal only for equal bytes: texts
// that differ only in case order lower case first.
int CompareCaptions(std::string_view a, std::string_view b);

// Equal after Windows-1251 upper-casing (Cyrillic included).
bool SameCaptionIgnoringCase(std::string_view a, std::string_view b);

}  // namespace trellan
