#pragma once
// The program-wide error handler: every error that reaches the event loop
// ends here. It logs the error; a lost connection (socket errors 10053 and
// 10054) silently closes the server connection, anything else gives the text
// the GUI shows in an error box and the headless runner prints.
#include <functional>
#include <optional>
#include <string>

namespace trellan {

class DebugLog;
class ProxySession;

class ErrorHandler {
public:
    // (section, key, default) -> the localised text.
    using CaptionLookup = std::function<std::string(const std::string&, const std::string&, const std::string&)>;

    // "Ошибка. Ну и хрен с ней." in Windows-1251.
    static constexpr const char* DefaultErrorMsg =
        "\xCE\xF8\xE8\xE1\xEA\xE0. \xCD\xF3 \xE8 \xF5\xF0\xE5\xED \xF1 \xED\xE5\xE9.";

    // All three must outlive the handler; `captions` may be empty (the
    // default text is used then).
    ErrorHandler(DebugLog& log, ProxySession& session, CaptionLookup captions);

    // The text to show, or nothing when the error is a lost connection.
    std::optional<std::string> AppException(const std::string& message);

private:
    DebugLog& log_;
    ProxySession& session_;
    CaptionLookup captions_;
};

}  // namespace trellan
