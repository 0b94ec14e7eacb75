#include "tracking/PositionLoss.h"

#include <string_view>

#include "tracking/ClientLines.h"
#include "tracking/TrackerConfig.h"

namespace trellan {

namespace {

struct LossText {
    PositionLoss Reason;
    std::string_view Key;
    std::string_view Text;
};

constexpr LossText kTexts[] = {
    {PositionLoss::PortalWithoutLink, "TraceOffPortal",
     "Трассировка выключена: портал без связи; наберите look, затем `{map} связь {command}` "
     "(место новое: сначала `{map} зона <имя>`)"},
    {PositionLoss::RoomDiffers, "TraceOffRoomDiffers",
     "Трассировка выключена: комната не та, что на карте за этим выходом; наберите look"},
    {PositionLoss::UnknownInWalkingMode, "TraceOffWalkingMode",
     "Трассировка выключена: режим хождения, а этой комнаты нет на карте; наберите {off}, затем look"},
    {PositionLoss::LockedZone, "TraceOffLockedZone",
     "Трассировка выключена: зона заперта, её карта не меняется; наберите look"},
    {PositionLoss::CellTaken, "TraceOffCellTaken",
     "Трассировка выключена: клетка для новой комнаты занята; наберите look"},
    {PositionLoss::NotOnTheMap, "TraceOffNotOnTheMap",
     "Трассировка выключена: этой комнаты нет на карте; наберите `{map} зона <имя>` и look для новой зоны "
     "или дойдите до знакомой комнаты и наберите look"},
    {PositionLoss::LinkTargetMissing, "TraceOffLinkTargetMissing",
     "Трассировка выключена: связь ведёт в комнату, которой нет на карте; наберите look"},
    {PositionLoss::LeaderLost, "TraceOffLeaderLost",
     "Трассировка выключена: не понять, куда ушёл лидер; наберите look"},
    {PositionLoss::FledIntoDarkness, "TraceOffDarkFlight",
     "Трассировка выключена: бегство в темноту; наберите look, когда станет светло"},
};

}  // namespace

std::string PositionLossLine(PositionLoss reason, const std::string& command, const TrackerConfig& config,
                             Localisation* captions) {
    for (const LossText& text : kTexts) {
        if (text.Reason != reason) continue;
        std::string line = ClientText(captions, text.Key, text.Text);
        line = Filled(std::move(line), "map", config.MapCommand);
        line = Filled(std::move(line), "command", command);
        line = Filled(std::move(line), "off", config.ReadOnlyOff);
        return TrellanLine(line, LineColour::Red);
    }
    return {};
}

}  // namespace trellan
