#pragma once
// The map tools of the command line: "trellan zone dump FILE.tr2",
// "trellan zone write FILE.tr2", "trellan world check DIR" and the exchange
// with Mudlet, "trellan world export-mudlet|import-mudlet", and
// "trellan world merge MINE THEIRS". "trellan zone export" paints, so the
// program runs it from the window's layer (app/ZoneExportTool); its line in
// the list of tools is here.
#include <iosfwd>
#include <string>
#include <vector>

namespace trellan {

// True when args (the words after the program name) name a map tool.
bool IsMapTool(const std::vector<std::string>& args);

// Runs the map tool named by args; returns the process exit status.
int RunMapTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace trellan
