#include "storage/DescriptionCleanup.h"

#include <string_view>

#include "text/TextUtils.h"

namespace trellan {

namespace {

void CollapseRepeats(std::string& text, std::string_view doubled, std::string_view single) {
    while (text.find(doubled) != std::string::npos) text = ReplaceAll(text, doubled, single);
}

bool EndsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() && std::string_view(text).substr(text.size() - tail.size()) == tail;
}

void DropTrailingCrLf(std::string& text) {
    while (EndsWith(text, "\r\n")) text.resize(text.size() - 2);
}

}  // namespace

void CleanDescriptionOnLoad(std::string& description) {
    CollapseRepeats(description, "\r\n\r\n", "\r\n");
    CollapseRepeats(description, "\r\r", "\r");
    CollapseRepeats(description, "\n\n", "\n");
    // Most descriptions need none of this; they are left as they are
    // rather than copied.
    if (description.find("\n\r") != std::string::npos) description = ReplaceAll(description, "\n\r", "\r\n");
    if (description.starts_with("\r\n")) description.erase(0, 2);
    DropTrailingCrLf(description);
    while (!description.empty() && description.back() == '\r') description.pop_back();
    while (!description.empty() && description.back() == '\n') description.pop_back();
}

void CleanDescriptionOnRevert(std::string& description) {
    DropTrailingCrLf(description);
}

}  // namespace trellan
