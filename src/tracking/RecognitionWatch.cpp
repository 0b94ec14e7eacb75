#include "tracking/RecognitionWatch.h"

#include "text/W1251.h"

namespace trellan {

void RecognitionWatch::ServerText(std::string_view text, const RoomParserConfig& config) {
    if (!config.RoomNameStart.empty() && text.find(config.RoomNameStart) != std::string_view::npos)
        sawNameStart_ = true;
    if (!config.AutoexitStart.empty() && text.find(config.AutoexitStart) != std::string_view::npos)
        sawExitsStart_ = true;
}

void RecognitionWatch::RoomRecognised() {
    movesWithoutRoom_ = 0;
    sawNameStart_ = sawExitsStart_ = false;
    warned_ = false;
}

void RecognitionWatch::Restart() {
    RoomRecognised();
}

std::optional<std::string> RecognitionWatch::TakeWarning() {
    if (warned_ || movesWithoutRoom_ < MovesBeforeWarning) return std::nullopt;
    warned_ = true;
    std::string missing;
    if (!sawNameStart_) missing += "RoomNameStart";
    if (!sawExitsStart_) missing += std::string(missing.empty() ? "" : ", ") + "AutoexitStart";
    std::string text = W1251("ни одна комната не распознана за ") + std::to_string(movesWithoutRoom_) +
                       W1251(" ходов; ");
    if (!missing.empty()) {
        text += W1251("в выводе сервера не встретились ") + missing;
    } else {
        text += W1251("начала имени и выходов есть, но комната не складывается");
    }
    text += W1251("; проверьте RoomNameStart / AutoexitStart / AutoexitEnd в профиле (и что показ выходов в игре включён)");
    return text;
}

}  // namespace trellan
