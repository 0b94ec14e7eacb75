#include "storage/MapTools.h"

#include <istream>
#include <optional>
#include <ostream>

#include "common/Errors.h"
#include "common/FileIo.h"
#include "model/RoomDefaults.h"
#include "model/zonefile/ZoneFileReader.h"
#include "model/zonefile/ZoneFileWriter.h"
#include "storage/JsonLine.h"
#include "storage/MudletExport.h"
#include "storage/MudletImport.h"
#include "storage/WorldCheck.h"
#include "storage/WorldMerge.h"
#include "storage/ZoneFileJson.h"

namespace trellan {

namespace {

constexpr const char* kUsage =
    "usage: trellan zone dump FILE.tr2\n"
    "       trellan zone write FILE.tr2   (JSON lines on standard input)\n"
    "       trellan world check DIR\n"
    "       trellan world export-mudlet DIR OUT.json\n"
    "       trellan world import-mudlet IN.json DIR\n"
    "       trellan world merge MINE THEIRS [--prefer mine|theirs] [--dry-run]\n";

// Prints every undamaged room, then the damage. A record without BColor is
// shown with the stream default (clSilver) rather than a fresh room's 0, so
// that writing the dump back leaves the colour out again.
int ZoneDump(const std::string& path, std::ostream& out, std::ostream& err) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) {
        err << "trellan: Unable to read " << path << "\n";
        return 1;
    }
    ZoneReadResult zone = ReadZoneBytes(*bytes, path, ExitWords::Defaults(), room_defaults::BColor);
    std::string text;
    for (const auto& room : zone.Rooms) {
        text += RoomToJsonLine(*room);
        text += '\n';
    }
    out << text;
    out.flush();
    if (zone.Error) {
        err << "trellan: " << zone.Error->what() << "\n";
        return 1;
    }
    return 0;
}

// All lines are checked before anything is written: a bad line leaves the
// old file as it was.
int ZoneWrite(const std::string& path, std::istream& in, std::ostream& err) {
    const ExitWords words = ExitWords::Defaults();
    std::vector<std::unique_ptr<MudRoom>> rooms;
    std::string line;
    for (long lineNo = 1; std::getline(in, line); ++lineNo) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        try {
            rooms.push_back(std::make_unique<MudRoom>(RoomFromJson(ParseJsonObject(line), words)));
        } catch (const JsonError& e) {
            err << "trellan: line " << lineNo << ": " << e.what() << "; nothing written\n";
            return 1;
        }
    }
    if (in.bad()) {
        err << "trellan: error reading standard input; nothing written\n";
        return 1;
    }
    try {
        WriteZoneFile(path, rooms);
    } catch (const TrellanError& e) {
        err << "trellan: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

bool IsMapTool(const std::vector<std::string>& args) {
    return !args.empty() && (args[0] == "zone" || args[0] == "world");
}

int RunMapTool(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    if (args.size() == 3 && args[0] == "world" && args[1] == "check") return RunWorldCheck(args[2], out, err);
    if (args.size() == 4 && args[0] == "world" && args[1] == "export-mudlet")
        return RunMudletExport(args[2], args[3], out, err);
    if (args.size() == 4 && args[0] == "world" && args[1] == "import-mudlet")
        return RunMudletImport(args[2], args[3], out, err);
    if (args.size() >= 4 && args[0] == "world" && args[1] == "merge")
        return RunWorldMerge(std::vector<std::string>(args.begin() + 2, args.end()), out, err);
    if (args.size() == 3 && args[0] == "zone" && args[1] == "dump") return ZoneDump(args[2], out, err);
    if (args.size() == 3 && args[0] == "zone" && args[1] == "write") return ZoneWrite(args[2], in, err);
    err << kUsage;
    return 2;
}

}  // namespace trellan
