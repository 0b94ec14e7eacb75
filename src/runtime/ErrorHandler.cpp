#include "runtime/ErrorHandler.h"

#include <exception>

#include "proxy/DebugLog.h"
#include "proxy/ProxySession.h"

namespace trellan {

ErrorHandler::ErrorHandler(DebugLog& log, ProxySession& session, CaptionLookup captions)
    : log_(log), session_(session), captions_(std::move(captions)) {}

std::optional<std::string> ErrorHandler::AppException(const std::string& message) {
    log_.Log("ON Error:" + message);
    // Connection aborted or reset: the server is gone, which is no news to
    // the player.
    if (message.find("10053") != std::string::npos || message.find("10054") != std::string::npos) {
        session_.CloseServerConnection();
        return std::nullopt;
    }
    log_.Log("Error:(0) Error: " + message);
    std::string caption = DefaultErrorMsg;
    if (captions_) {
        // The handler must not fail itself: an unwritable language.ini only
        // costs the translation.
        try {
            caption = captions_("MainForm", "ErrorMsg", DefaultErrorMsg);
        } catch (const std::exception&) {
        }
    }
    return caption + " \r\n" + message;
}

}  // namespace trellan
