#pragma once
// Until a user interface listens to the objects base (headless, tests), its
// log lines still reach the debug log. A GUI listener forwards Log the same
// way.
#include <string>
#include <string_view>

#include "objects/ObjectsListener.h"
#include "proxy/DebugLog.h"

namespace trellan {

class ObjectsLogListener : public ObjectsListener {
public:
    // `log` must outlive the listener.
    explicit ObjectsLogListener(DebugLog& log) : log_(log) {}
    void Log(std::string_view line) override { log_.Log(std::string(line)); }

private:
    DebugLog& log_;
};

}  // namespace trellan
