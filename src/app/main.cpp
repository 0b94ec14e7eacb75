// trellan: the automatic mapper as a proxy between a MUD client and a MUD
// server, or one of the map tools.
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/CatchingApplication.h"
#include "app/GuiRunner.h"
#include "app/HeadlessRunner.h"
#include "app/ZoneExportTool.h"
#include "app/window/Transparency.h"
#include "storage/MapTools.h"

namespace {

std::string ProgramDirectory() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) {
        return ".";
    }
    const std::string exe(path, static_cast<std::size_t>(n));
    const std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : exe.substr(0, slash));
}

// A window can be shown: a display to connect to, or a Qt platform chosen
// explicitly (offscreen, for tests).
bool DisplayAvailable() {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        if (const char* value = std::getenv(name); value && *value) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace trellan;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const CommandLine line = ParseCommandLine(args);
    if (IsZoneExport(line.MapTool)) {
        return RunZoneExport(line.MapTool, std::cout, std::cerr);
    }
    if (!line.MapTool.empty()) {
        return RunMapTool(line.MapTool, std::cin, std::cout, std::cerr);
    }
    if (!line.Error.empty()) {
        std::cerr << "trellan: " << line.Error << "\n" << UsageText();
        return 2;
    }
    if (line.Help) {
        std::cout << UsageText();
        return 0;
    }
    if (line.Version) {
        std::cout << VersionText();
        return 0;
    }
    const bool windowed = !line.Headless && DisplayAvailable();
    if (!line.Headless && !windowed) {
        std::cerr << "trellan: no display (DISPLAY is not set); running headless" << std::endl;
    }

    RuntimeOptions options;
    options.HomeDirectory = line.Home;
    if (options.HomeDirectory.empty()) {
        if (const char* env = std::getenv("TRELLAN_HOME"); env && *env) {
            options.HomeDirectory = env;
        }
    }
    options.ServerOverride = line.Server;
    options.Language = line.Language;
    options.ProgramDirectory = ProgramDirectory();

    if (windowed) {
        GuiApplication app(argc, argv);
        options.LayeredWindowsAvailable = WindowOpacityAvailable();
        options.CreateStartWorld = false;
        GuiRunner runner(options);
        return runner.Run();
    }
    TrellanApplication app(argc, argv);
    HeadlessRunner runner(app, options);
    return runner.Run();
}
