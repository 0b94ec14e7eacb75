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
#include "storage/ZoneIdentityFile.h"

namespace trellan {

namespace {

constexpr const char* kUsage =
    "Usage: trellan zone dump FILE.tr2\n"
    "       trellan zone write FILE.tr2   (JSON lines on standard input)\n"
    "       trellan zone export FILE.tr2 OUT.png|OUT.svg [--level N] [--scale S]\n"
    "       trellan world check DIR\n"
    "       trellan world export-mudlet DIR OUT.json\n"
    "       trellan world import-mudlet IN.json DIR\n"
    "       trellan world merge MINE THEIRS [--prefer mine|theirs] [--dry-run]\n"
    "       trellan zone|world [TOOL] --help\n";

constexpr const char* kZoneDumpHelp =
    "Usage: trellan zone dump FILE.tr2\n"
    "\n"
    "Prints every room of the zone file as one JSON object per line (UTF-8),\n"
    "in file order. A damaged file prints the rooms before the damage, then\n"
    "the error on standard error, and exits with 1.\n";

constexpr const char* kZoneWriteHelp =
    "Usage: trellan zone write FILE.tr2 < ROOMS.jsonl\n"
    "\n"
    "Reads one JSON object per room from standard input (the form zone dump\n"
    "prints; missing properties take a new room's defaults) and writes the\n"
    "zone file atomically. A bad line names its number and column, and\n"
    "nothing is written (exit 1).\n";

constexpr const char* kWorldCheckHelp =
    "Usage: trellan world check DIR\n"
    "\n"
    "Loads the world directory DIR (Maps/<world>) the way Trellan does and\n"
    "prints its zones, rooms, corridor cells, aliases and cross links, then\n"
    "every inconsistency found. Exits with 0 when there is none, 1 otherwise.\n";

constexpr const char* kExportMudletHelp =
    "Usage: trellan world export-mudlet DIR OUT.json\n"
    "\n"
    "Writes the world directory DIR as a map in Mudlet's JSON format: zones\n"
    "become areas, rooms keep their places, names, exits and doors; what\n"
    "Mudlet has no field for stays in the rooms' user data under \"trellan.\".\n";

constexpr const char* kImportMudletHelp =
    "Usage: trellan world import-mudlet IN.json DIR\n"
    "\n"
    "Makes a new world in DIR (missing or empty) from a Mudlet JSON map, one\n"
    "zone file per area, and reports what could not be kept as it was.\n"
    "A damaged or foreign file writes nothing (exit 1).\n";

constexpr const char* kMergeHelp =
    "Usage: trellan world merge MINE THEIRS [--prefer mine|theirs] [--dry-run]\n"
    "\n"
    "Joins the world directory THEIRS into MINE zone by zone and lists the\n"
    "conflicts, settled by --prefer (mine by default). --dry-run only reports.\n";

bool IsHelpWord(const std::string& word) {
    return word == "--help" || word == "-h";
}

// "zone dump --help", "zone --help", "world check -h", ...: the help of the
// tool named before the help word, or the list of tools.
std::optional<const char*> HelpFor(const std::vector<std::string>& args) {
    if (args.size() == 2 && IsHelpWord(args[1])) return kUsage;
    if (args.size() != 3 || !IsHelpWord(args[2])) return std::nullopt;
    if (args[0] == "zone" && args[1] == "dump") return kZoneDumpHelp;
    if (args[0] == "zone" && args[1] == "write") return kZoneWriteHelp;
    if (args[0] == "world" && args[1] == "check") return kWorldCheckHelp;
    if (args[0] == "world" && args[1] == "export-mudlet") return kExportMudletHelp;
    if (args[0] == "world" && args[1] == "import-mudlet") return kImportMudletHelp;
    if (args[0] == "world" && args[1] == "merge") return kMergeHelp;
    return std::nullopt;
}

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
    std::vector<MudRoom*> rooms;
    for (const auto& room : zone.Rooms) rooms.push_back(room.get());
    if (std::optional<std::string> damage = ApplyZoneIdentities(path, rooms)) {
        err << "trellan: " << IdentityFilePath(path) << ": " << *damage << "\n";
    }
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
        std::vector<const MudRoom*> written;
        for (const auto& room : rooms) written.push_back(room.get());
        WriteZoneIdentities(path, written, true);
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
    if (std::optional<const char*> help = HelpFor(args)) {
        out << *help;
        return 0;
    }
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
