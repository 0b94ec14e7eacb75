#pragma once
// One run of the map tools as from the command line: the exit status and
// what they printed.
#include <sstream>
#include <string>
#include <vector>

#include "storage/MapTools.h"

namespace trellan::testing {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

inline ToolRun RunTool(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    int status = RunMapTool(args, in, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace trellan::testing
