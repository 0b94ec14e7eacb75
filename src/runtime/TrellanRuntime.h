#pragma once
// The one object that owns a running Trellan's state: settings, localisation,
// debug log and the proxy session. It wires the parts together and forwards;
// the GUI and the headless runner each create one and drive it.
#include <memory>
#include <optional>
#include <string>

#include "proxy/DebugLog.h"
#include "proxy/ProxySession.h"
#include "runtime/ErrorHandler.h"
#include "settings/HomeDirectory.h"
#include "settings/Localisation.h"
#include "settings/MainSettings.h"
#include "settings/WorldProfile.h"

namespace trellan {

class Transport;

struct RuntimeOptions {
    // --home DIR; empty for TRELLAN_HOME or the default home directory.
    std::string HomeDirectory;
    // --server HOST:PORT, this run only; empty when not given.
    std::string ServerOverride;
    // Where the program file lives; the home directory when it is writable.
    std::string ProgramDirectory;
    // Per-window opacity is possible (never on Linux so far).
    bool LayeredWindowsAvailable = false;
};

class TrellanRuntime {
public:
    // `transport` must outlive the runtime.
    TrellanRuntime(RuntimeOptions options, Transport& transport);
    ~TrellanRuntime();
    TrellanRuntime(const TrellanRuntime&) = delete;
    TrellanRuntime& operator=(const TrellanRuntime&) = delete;

    // Resolves the home directory, reads the main settings and the profile of
    // the world named by `World`, and opens the listening socket. Throws
    // TrellanError for a bad --server value and FileWriteError when the home
    // directory cannot be created; a port that cannot be bound is logged and
    // reported by ListenError() (the program runs on, without a client port).
    void Start();

    // The closing sequence: the settings written (partial), the debug log
    // saved to "trdebug.log" when logging is on. Throws FileWriteError when a
    // file cannot be written, after trying the others.
    void Close();

    // The program-wide error handler: the text to show, or nothing.
    std::optional<std::string> AppException(const std::string& message);

    // "Trellan listens on 127.0.0.1:4999 and connects to mud.example.org:4000".
    std::string ListenLine() const;
    const std::string& ListenError() const { return session_.ListenError(); }

    bool Started() const { return home_ != nullptr; }
    // Valid after Start().
    const trellan::HomeDirectory& Home() const { return *home_; }
    ProxySession& Session() { return session_; }
    const MccpStatus& OutputStatus() const { return session_.Status(); }
    DebugLog& Log() { return log_; }
    MainSettings& Settings() { return main_; }
    WorldProfile& Profile() { return profile_; }
    // Valid after Start().
    Localisation& Captions() { return *localisation_; }
    // The connection settings in use (profile values, the override applied).
    const ProxyConfig& Connection() const { return session_.Config(); }

private:
    ProxyConfig ConnectionFromProfile() const;
    WorldProfile ReadProfile() const;

    RuntimeOptions options_;
    std::unique_ptr<trellan::HomeDirectory> home_;
    DebugLog log_;
    ProxySession session_;
    MainSettings main_;
    WorldProfile profile_;
    std::unique_ptr<Localisation> localisation_;
    ErrorHandler errorHandler_;
};

}  // namespace trellan
