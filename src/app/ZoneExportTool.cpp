#include "app/ZoneExportTool.h"

#include <QGuiApplication>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <stdexcept>

#include "common/Errors.h"
#include "common/FileIo.h"
#include "mapping/LevelBounds.h"
#include "mapping/MappingConfig.h"
#include "model/RoomDefaults.h"
#include "model/World.h"
#include "model/zonefile/ZoneFileReader.h"
#include "settings/MainSettings.h"
#include "text/Cp1251.h"
#include "view/MapPicture.h"
#include "view/MapZoom.h"
#include "view/SkinSet.h"

namespace trellan {

namespace {

constexpr const char* kHelp =
    "Usage: trellan zone export FILE.tr2 OUT.png|OUT.svg [--level N] [--scale S]\n"
    "\n"
    "Paints one level of the zone file whole, as the map shows it with the\n"
    "built-in skin, and writes it as a PNG or SVG picture (by OUT's extension).\n"
    "  --level N   the level (default: the one the zone was last shown at)\n"
    "  --scale S   the size of a cell against the skin's own, 0.1 to 4\n"
    "              (default 1); from 1.5 on the rooms' names are drawn\n"
    "An SVG names every room in its text, drawn or not. Needs no display.\n";

struct Request {
    std::string Zone;
    std::string Out;
    std::optional<std::int32_t> Level;
    double Scale = 1.0;
};

bool IsHelpWord(const std::string& word) {
    return word == "--help" || word == "-h";
}

// Fills `request`; an error text for arguments that do not make one.
std::optional<std::string> Parse(const std::vector<std::string>& args, Request& request) {
    std::vector<std::string> positional;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string name = arg;
        std::string value;
        const std::size_t equals = arg.find('=');
        if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        } else if (arg == "--level" || arg == "--scale") {
            if (i + 1 >= args.size()) return arg + " needs a value";
            value = args[++i];
        }
        if (name == "--level") {
            std::int32_t level = 0;
            const auto [end, fault] = std::from_chars(value.data(), value.data() + value.size(), level);
            if (fault != std::errc() || end != value.data() + value.size())
                return "--level wants a whole number: " + value;
            request.Level = level;
        } else if (name == "--scale") {
            char* end = nullptr;
            const double scale = std::strtod(value.c_str(), &end);
            if (value.empty() || *end != '\0' || !(scale >= kMinZoom / 100.0 && scale <= kMaxZoom / 100.0))
                return "--scale wants a number from 0.1 to 4: " + value;
            request.Scale = scale;
        } else if (arg.rfind("--", 0) == 0) {
            return "unknown option: " + arg;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) return "zone export wants FILE.tr2 and OUT.png or OUT.svg";
    request.Zone = positional[0];
    request.Out = positional[1];
    if (!PictureFormatOf(request.Out)) return "the picture's name must end in .png or .svg: " + request.Out;
    return std::nullopt;
}

// Painting text needs a GUI application; there is no display to ask for.
std::unique_ptr<QGuiApplication> OffscreenApplication() {
    if (QCoreApplication::instance() != nullptr) return nullptr;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        // Qt's own notices (fonts, runtime directory) are not the tool's output.
        if (type == QtFatalMsg) std::abort();
        (void)message;
    });
    static int argc = 1;
    static char name[] = "trellan";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

std::int32_t DefaultLevel(const World& world) {
    const MudRoom& first = *world.ZoneRooms().begin()->Room();
    return LevelBounds(world, first.DL) ? first.DL : first.L;
}

std::string LevelsWithRooms(const MapBounds& zone) {
    return zone.MinL == zone.MaxL ? std::to_string(zone.MinL)
                                  : std::to_string(zone.MinL) + " to " + std::to_string(zone.MaxL);
}

}  // namespace

bool IsZoneExport(const std::vector<std::string>& args) {
    return args.size() >= 2 && args[0] == "zone" && args[1] == "export";
}

int RunZoneExport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 3 && IsHelpWord(args[2])) {
        out << kHelp;
        return 0;
    }
    Request request;
    if (std::optional<std::string> problem = Parse(args, request)) {
        err << "trellan: " << *problem << "\n" << kHelp;
        return 2;
    }
    const std::optional<std::string> bytes = ReadWholeFile(request.Zone);
    if (!bytes) {
        err << "trellan: Unable to read " << request.Zone << "\n";
        return 1;
    }
    ZoneReadResult zone = ReadZoneBytes(*bytes, request.Zone, ExitWords::Defaults(), room_defaults::BColor);
    if (zone.Error) {
        err << "trellan: " << zone.Error->what() << "; nothing written\n";
        return 1;
    }
    if (zone.Rooms.empty()) {
        err << "trellan: " << request.Zone << " has no rooms; nothing written\n";
        return 1;
    }

    const std::unique_ptr<QGuiApplication> app = OffscreenApplication();
    World world;
    const std::string zoneName = Utf8ToCp1251(std::filesystem::path(request.Zone).stem().string());
    world.AddLoadedRooms(zoneName, std::move(zone.Rooms));
    world.CurrentZone = zoneName;
    world.LoadZone();
    const std::int32_t level = request.Level.value_or(DefaultLevel(world));
    // The whole zone's box: the painter looks for lower levels' rooms too.
    const MapBounds bounds = *ZoneBounds(world);

    SkinSet skins;
    const int cell = std::max(1, static_cast<int>(skins.CellSize() * request.Scale + 0.5));
    std::optional<MapPictureFrame> frame = WholeLevelFrame(world, level, cell);
    if (!frame) {
        err << "trellan: level " << level << " of " << request.Zone
            << " has no rooms (levels with rooms: " << LevelsWithRooms(bounds) << "); nothing written\n";
        return 1;
    }
    frame->Names = cell >= ZoomedCellSize(skins.CellSize(), kNamesZoom);
    const MappingConfig config;
    const MapPictureSource source{
        world,           bounds,      skins.Active(),          skins.IconPoint,
        skins.FillPoint, config.Dark, config.DirectionPhrases, PaintOptionsOf(MainSettings{})};
    try {
        WriteMapPicture(request.Out, source, *frame);
    } catch (const std::invalid_argument& refused) {
        err << "trellan: " << refused.what() << "; nothing written\n";
        return 1;
    } catch (const TrellanError& failed) {
        err << "trellan: " << failed.what() << "\n";
        return 1;
    }
    out << "trellan: " << request.Out << ": level " << level << ", " << frame->Kept.width() << " x "
        << frame->Kept.height() << " pixels\n";
    return 0;
}

}  // namespace trellan
