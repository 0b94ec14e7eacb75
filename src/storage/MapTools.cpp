#include "storage/MapTools.h"

#include <ostream>

namespace trellan {

bool IsMapTool(const std::vector<std::string>& args) {
    return !args.empty() && (args[0] == "zone" || args[0] == "world");
}

int RunMapTool(const std::vector<std::string>& args, std::istream&, std::ostream&, std::ostream& err) {
    err << "trellan: map tools are not available yet\n";
    return 2;
}

}  // namespace trellan
