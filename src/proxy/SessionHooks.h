#pragma once
// What the proxy session calls in the mapper: the tracker implements these.
// The defaults do nothing, so the proxy runs on its own (tests, a plain relay).
#include <string>

namespace trellan {

class SessionHooks {
public:
    virtual ~SessionHooks() = default;

    // The player's position can no longer be trusted (the session ended or
    // failed): tracing goes back to walking mode.
    virtual void TracingOff() {}

    // The normalised server text of one read event (or of one piece of it,
    // when the server sends more than the stream holds at once).
    virtual void TranslateCmd(const std::string& text) {}
};

}  // namespace trellan
