#pragma once
// The words after the program name: options for the proxy, or a map tool.
#include <string>
#include <vector>

namespace trellan {

struct CommandLine {
    bool Headless = false;
    bool Help = false;
    bool Version = false;
    std::string Home;    // --home DIR
    std::string Server;  // --server HOST:PORT
    std::string Language;  // --language CODE
    // The map tool's words when the command line names one ("zone dump ...").
    std::vector<std::string> MapTool;
    // Set when the arguments are bad; says what is wrong.
    std::string Error;
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);

const char* UsageText();
// "trellan 2.5.3", for --version.
std::string VersionText();

}  // namespace trellan
