#include "app/CommandLine.h"

#include "storage/MapTools.h"

namespace trellan {

namespace {

// Takes the value of "--name VALUE" or "--name=VALUE"; false when `arg` is
// not that option.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name, std::string& value,
               std::string& error) {
    const std::string& arg = args[i];
    if (arg == name) {
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            error = name + " needs a value";
            return true;
        }
        value = args[++i];
        return true;
    }
    if (arg.rfind(name + "=", 0) == 0) {
        value = arg.substr(name.size() + 1);
        if (value.empty()) {
            error = name + " needs a value";
        }
        return true;
    }
    return false;
}

bool ValidServer(const std::string& server) {
    const std::size_t colon = server.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 >= server.size() || server.size() - colon > 6) {
        return false;
    }
    unsigned port = 0;
    for (std::size_t i = colon + 1; i < server.size(); ++i) {
        if (server[i] < '0' || server[i] > '9') {
            return false;
        }
        port = port * 10 + static_cast<unsigned>(server[i] - '0');
    }
    return port >= 1 && port <= 65535;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    if (IsMapTool(args)) {
        line.MapTool = args;
        return line;
    }
    for (std::size_t i = 0; i < args.size() && line.Error.empty(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--headless") {
            line.Headless = true;
        } else if (arg == "--help" || arg == "-h") {
            line.Help = true;
        } else if (arg == "--version") {
            line.Version = true;
        } else if (TakeValue(args, i, "--home", line.Home, line.Error) ||
                   TakeValue(args, i, "--server", line.Server, line.Error) ||
                   TakeValue(args, i, "--language", line.Language, line.Error)) {
            continue;
        } else {
            line.Error = "unknown argument: " + arg;
        }
    }
    if (line.Error.empty() && !line.Server.empty() && !ValidServer(line.Server)) {
        line.Error = "--server wants HOST:PORT with a port from 1 to 65535: " + line.Server;
    }
    if (line.Error.empty() && !line.Language.empty() &&
        line.Language.find_first_not_of("abcdefghijklmnopqrstuvwxyz_-") != std::string::npos) {
        line.Error = "--language wants a language code such as en or ru: " + line.Language;
    }
    return line;
}

const char* UsageText() {
    return "Usage: trellan [--headless] [--home DIR] [--server HOST:PORT] [--language CODE]\n"
           "       trellan zone dump FILE.tr2\n"
           "       trellan zone write FILE.tr2\n"
           "       trellan zone export FILE.tr2 OUT.png|OUT.svg [--level N] [--scale S]\n"
           "       trellan world check DIR\n"
           "\n"
           "  --headless          run the proxy and the mapper without a window\n"
           "                      (SIGINT, SIGTERM or SIGHUP closes it, saving as the window does)\n"
           "  --home DIR          the directory with trellan.ini and Maps/ (also TRELLAN_HOME)\n"
           "  --server HOST:PORT  the MUD server for this run only (not saved)\n"
           "  --language CODE     the interface language for this run: en (language.en.ini)\n"
           "                      or ru (language.ini, the default)\n"
           "  --help              this text\n"
           "  --version           the version\n"
           "\n"
           "Each map tool tells more with --help (trellan zone dump --help).\n";
}

std::string VersionText() {
    return std::string("trellan ") + TRELLAN_VERSION + "\n";
}

}  // namespace trellan
