#pragma once
// The files that come with the program (the English interface file, the
// demo world's profiles): beside the executable in a build tree, in
// <prefix>/share/trellan when installed as <prefix>/bin/trellan.
#include <string>

namespace trellan {

// True for <prefix>/bin of an installed Trellan (a <prefix>/share/trellan
// beside it): never the home directory, even where it is writable (root).
bool IsInstalledProgramDirectory(const std::string& programDirectory);

// The path of the program file `name`: the program's directory first, then
// the installed data directory; empty when neither has it.
std::string FindProgramFile(const std::string& programDirectory, const std::string& name);

}  // namespace trellan
