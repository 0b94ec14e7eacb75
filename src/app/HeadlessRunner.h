#pragma once
// Runs Trellan without a window: the runtime on a QtTransport, one line on
// stdout saying where it listens, then the event loop until SIGINT,
// SIGTERM or SIGHUP closes it the way closing the main window does.
#include "runtime/TrellanRuntime.h"

namespace trellan {

class TrellanApplication;

class HeadlessRunner {
public:
    // `app` must outlive the runner.
    HeadlessRunner(TrellanApplication& app, RuntimeOptions options);

    // Returns the process exit status: 0 after a clean close, 1 when start-up
    // failed or closing could not write its files.
    int Run();

private:
    TrellanApplication& app_;
    RuntimeOptions options_;
};

}  // namespace trellan
