#pragma once
// "trellan zone export FILE.tr2 OUT.png|OUT.svg [--level N] [--scale S]":
// a picture of one level of a zone file, painted by the map's own painter
// with the built-in skin, with no display (Qt's offscreen platform), so a
// map can be published from a script or a server. The other map tools are
// the storage layer's (storage/MapTools); this one paints, so it lives here.
#include <iosfwd>
#include <string>
#include <vector>

namespace trellan {

// True when args (the words after the program name) are "zone export ...".
bool IsZoneExport(const std::vector<std::string>& args);

// Runs it; returns the process exit status (0 written, 1 failed, 2 bad
// arguments).
int RunZoneExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace trellan
