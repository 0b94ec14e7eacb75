#include "tracking/ClientLines.h"

#include "common/Errors.h"
#include "settings/Localisation.h"
#include "text/TextUtils.h"
#include "text/W1251.h"

namespace trellan {

std::string TrellanLine(std::string_view text, LineColour colour) {
    std::string_view code = colour == LineColour::Green ? "\033[1;32m" : colour == LineColour::Red ? "\033[1;31m" : "";
    return "\r\n\033[1;33m<Trellan> : " + std::string(code) + std::string(text) + "\033[0m\r\n";
}

std::string ClientText(Localisation* captions, std::string_view key, std::string_view utf8Default) {
    std::string fallback = W1251(utf8Default);
    if (captions == nullptr) return fallback;
    try {
        return captions->GetCaption("MainForm", key, fallback);
    } catch (const TrellanError&) {
        return fallback;
    }
}

std::string ForClient(std::string text, bool doubledFF) {
    if (!doubledFF || text.find('\xFF') == std::string::npos) return text;
    return ReplaceAll(text, "\xFF", "\xFF\xFF");
}

std::string Filled(std::string text, std::string_view name, std::string_view value) {
    return ReplaceAll(text, "{" + std::string(name) + "}", value);
}

}  // namespace trellan
