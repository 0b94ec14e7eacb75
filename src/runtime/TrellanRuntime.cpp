#include "runtime/TrellanRuntime.h"

#include <exception>

#include "common/Errors.h"
#include "common/FileIo.h"
#include "settings/IniFile.h"
#include "settings/SettingsFiles.h"

namespace trellan {

namespace {

// A port from a hand-edited profile may be anything; 0 would bind a random
// port and the rest cannot be bound at all, so those take the default.
std::uint16_t PortOrDefault(int port, std::uint16_t fallback) {
    return port >= 1 && port <= 65535 ? static_cast<std::uint16_t>(port) : fallback;
}

}  // namespace

TrellanRuntime::TrellanRuntime(RuntimeOptions options, Transport& transport)
    : options_(std::move(options)),
      session_(transport, log_),
      errorHandler_(log_, session_,
                    [this](const std::string& section, const std::string& key, const std::string& fallback) {
                        return localisation_ ? localisation_->GetCaption(section, key, fallback) : fallback;
                    }) {}

TrellanRuntime::~TrellanRuntime() = default;

void TrellanRuntime::Start() {
    if (!options_.ServerOverride.empty()) {
        std::string host;
        std::uint16_t port = 0;
        if (!ParseServerOverride(options_.ServerOverride, host, port)) {
            throw TrellanError("--server expects HOST:PORT, not \"" + options_.ServerOverride + "\"");
        }
    }
    home_ = std::make_unique<trellan::HomeDirectory>(
        HomeDirectory::Resolve(options_.HomeDirectory, options_.ProgramDirectory));
    localisation_ = std::make_unique<Localisation>(home_->LanguageIniPath());
    main_ = ReadMainIniFile(*home_, options_.LayeredWindowsAvailable);
    log_.SetActive(main_.DebugActiv);
    profile_ = ReadProfile();
    session_.ApplyConnectionSettings(ConnectionFromProfile());
}

WorldProfile TrellanRuntime::ReadProfile() const {
    if (std::optional<WorldProfile> profile = ReadIniFile(*home_, main_.World, "")) return *profile;
    // No world yet: the template a new world would start from, if there is one.
    if (FileExists(home_->TemplateProfilePath())) {
        return ReadWorldProfile(IniFile::Load(home_->TemplateProfilePath()), "");
    }
    return WorldProfile();
}

ProxyConfig TrellanRuntime::ConnectionFromProfile() const {
    ProxyConfig config;
    config.ClientAddress = profile_.ClientAddress.empty() ? config.ClientAddress : profile_.ClientAddress;
    config.ClientPort = PortOrDefault(profile_.ClientPort, 4999);
    config.ServerName = profile_.ServerName;
    config.ServerPort = PortOrDefault(profile_.ServerPort, 4000);
    config.MccpEnabled = profile_.MccpEnabled;
    config.NoDoubleYa = profile_.NoDoubleYa;
    config.ServerOverride = options_.ServerOverride;
    return config;
}

void TrellanRuntime::Close() {
    if (!home_) return;
    std::exception_ptr firstError;
    try {
        SettingsWriteOptions write;
        write.full = false;
        write.layeredWindowsAvailable = options_.LayeredWindowsAvailable;
        WriteIniFile(*home_, main_, profile_, main_.World, write);
    } catch (const TrellanError&) {
        firstError = std::current_exception();
    }
    if (main_.DebugActiv) {
        try {
            log_.SaveTo(home_->DebugLogPath());
        } catch (const TrellanError&) {
            if (!firstError) firstError = std::current_exception();
        }
    }
    if (firstError) std::rethrow_exception(firstError);
}

std::optional<std::string> TrellanRuntime::AppException(const std::string& message) {
    return errorHandler_.AppException(message);
}

std::string TrellanRuntime::ListenLine() const {
    const ProxyConfig& config = session_.Config();
    std::string line = "Trellan listens on " + config.ClientAddress + ":" + std::to_string(config.ClientPort);
    std::string server = config.ServerHost();
    if (server.empty()) return line + " (no MUD server configured)";
    return line + " and connects to " + server + ":" + std::to_string(config.ServerPortInUse());
}

}  // namespace trellan
