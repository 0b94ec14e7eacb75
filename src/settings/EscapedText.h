#pragma once
// A profile string stored in the escape notation ("#$1B[36m"): the raw text
// is kept for writing back and for the configuration dialog, the decoded
// copy is what the room parser uses. Build a new one to change it, so the
// two never disagree.
#include <string>
#include <string_view>

#include "text/TextUtils.h"

namespace trellan {

struct EscapedText {
    EscapedText() = default;
    explicit EscapedText(std::string_view raw) : Raw(raw), Text(DecodeEscapes(raw)) {}

    std::string Raw;
    std::string Text;

    bool operator==(const EscapedText&) const = default;
};

}  // namespace trellan
