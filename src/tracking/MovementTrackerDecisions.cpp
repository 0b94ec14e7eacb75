// Settling the command of a pass against the room output: where the player
// now stands, and in tracing mode what the map learns from it.
#include <charconv>

#include "mapping/Linker.h"
#include "mapping/Placement.h"
#include "model/MudRoom.h"
#include "model/World.h"
#include "proxy/DebugLog.h"
#include "text/Cp1251.h"
#include "text/TextUtils.h"
#include "text/W1251.h"
#include "tracking/ClientLines.h"
#include "tracking/MovementTracker.h"
#include "tracking/RoomQueries.h"

namespace trellan {

namespace {

// The room number of a cross-link entry; anything but a decimal number
// (a hand-edited entry) counts as 0, "no number".
std::int32_t RoomNumber(std::string_view field) {
    field = std::string_view(field).substr(0, field.find_last_not_of(' ') + 1);
    std::int32_t number = 0;
    auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), number);
    if (error != std::errc() || end != field.data() + field.size()) return 0;
    return number;
}

}  // namespace

bool MovementTracker::ParseNext() {
    parsedReport_.reset();
    if (outputBuffer_.find('\x01') == std::string::npos) {
        if (!ParseRoom(outputBuffer_, config_.Parser, parsed_)) return false;
        recognition_.RoomRecognised();
        return true;
    }
    // Report markers in the text: the room is paired with its report, and
    // a marker that stood inside the room's lines is no part of its texts.
    std::string before = outputBuffer_;
    if (!ParseRoom(outputBuffer_, config_.Parser, parsed_)) return false;
    recognition_.RoomRecognised();
    parsed_.ParsedName = WithoutRoomReportMarkers(parsed_.ParsedName);
    parsed_.ParsedDesc = WithoutRoomReportMarkers(parsed_.ParsedDesc);
    parsed_.ParsedExits = WithoutRoomReportMarkers(parsed_.ParsedExits);
    PairReport(before);
    return true;
}

void MovementTracker::RefreshKnownRoom(MudRoom* room) {
    if (room == nullptr) return;
    const std::string& name = parsed_.ParsedName;
    if (!ParsedIdentity().empty()) {
        placement_.RefreshProp(room, name, parsed_.ParsedDesc, parsed_.ParsedExits);
        return;
    }
    if (IsDark(name)) return;
    bool nameMissing = room->Hint.empty() || IsDark(room->Hint);
    bool descriptionMissing = room->Description.empty() && !parsed_.ParsedDesc.empty();
    bool exitsMissing =
        room->Exits().empty() && !parsed_.ParsedExits.empty() &&
        (config_.Parser.NoExits.empty() || parsed_.ParsedExits.find(config_.Parser.NoExits) == std::string::npos);
    if (!nameMissing && !descriptionMissing && !exitsMissing) return;
    world_.SetRoomText(room, nameMissing ? name : room->Hint,
                       descriptionMissing ? parsed_.ParsedDesc : room->Description,
                       exitsMissing ? parsed_.ParsedExits : room->Exits(), config_.Parser.Words);
}

bool MovementTracker::AgreesWithParsed(const MudRoom* room) const {
    if (!IdentityAllows(room)) return false;
    if (walkingMode_ || world_.CurrentZoneLocked || !ParsedIdentity().empty()) return true;
    return MapMismatch(room, parsed_.ParsedName, parsed_.ParsedDesc, parsed_.ParsedExits, config_.Parser).empty();
}

void MovementTracker::MismatchLoss(const std::string& what) {
    std::string message = W1251("комната не совпадает с картой: ") + what;
    log_.Log("TranslateCMD.Moves: " + message);
    if (output_.ClientAndServerConnected()) {
        output_.SendToClient(TrellanLine(message, LineColour::Red));
    }
    LossOfPosition(PositionLoss::RoomDiffers);
}

bool MovementTracker::IsDark(const std::string& name) const {
    return !config_.Parser.Dark.empty() && name == config_.Parser.Dark;
}

std::string MovementTracker::DescribeParsed() const {
    return parsed_.ParsedName + "\r\n" + parsed_.ParsedDesc + "\r\n" + parsed_.ParsedExits;
}

bool MovementTracker::WasStep(const MudRoom* room, std::string_view command) const {
    return room != nullptr && placement_.WasStep(room, command);
}

bool MovementTracker::WasNotStep(const MudRoom* room, std::string_view command) const {
    std::optional<Direction> direction = MoveDirection(command, config_.Parser);
    return room != nullptr && direction && !room->Link(*direction);
}

void MovementTracker::CenterOnCurrentRoom() {
    placement_.View().CenterOnCurrentRoom();
}

void MovementTracker::Confirm() {
    currentCommand_ = TranslationDone;
    settled_ = true;
    CenterOnCurrentRoom();
}

bool MovementTracker::SwitchToZoneOf(MudRoom* room, ZoneWrite zoneWrite) {
    if (room == nullptr) return false;
    std::string target = world_.ZoneOf(room);
    if (target.empty() || target == world_.CurrentZone) return false;
    if (zoneWrite == ZoneWrite::SaveShownZone) output_.SaveZone();
    world_.ClearZone();
    world_.CurrentZone = target;
    world_.LoadZone();
    return true;
}

void MovementTracker::Settle() {
    if (currentCommand_ == config_.Look) {
        SettleLook();
        return;
    }
    if (!config_.Retreat.empty() && currentCommand_ == config_.Retreat) {
        SettleFlee();
        return;
    }
    if (SettleRefusedMove()) return;
    if (MudRoom* room = world_.CurrentRoom) {
        if (SwitchToZoneOf(room, ZoneWrite::SaveShownZone)) CenterOnCurrentRoom();
        settled_ = true;
    }
    if (SettleJump()) return;
    if (MoveDirection(currentCommand_, config_.Parser) && world_.CurrentRoom != nullptr) {
        SettleMovement();
        return;
    }
    SettleOther();
}

void MovementTracker::SettleLook() {
    log_.Log(W1251("TranslateCMD: Позиционирование Look"));
    speedwalk_->EmptySpeedwalkQueue();
    if (!ParseNext()) {
        currentCommand_.clear();
        return;
    }
    settled_ = true;
    PairLookWithLastReport();
    log_.Log(W1251("TranslateCMD.look: Описатель комнаты:") + DescribeParsed());
    const std::string& name = parsed_.ParsedName;
    const std::string& description = parsed_.ParsedDesc;
    const std::string& exits = parsed_.ParsedExits;
    bool dark = IsDark(name);
    bool readOnly = walkingMode_ || world_.CurrentZoneLocked;

    // The server's identity names the room whatever its texts say.
    if (MudRoom* known = world_.FindRoomByServerId(ParsedIdentity())) {
        log_.Log(W1251("TranslateCMD.look: комната #") + std::to_string(known->Tag) + W1251(" по номеру сервера ") +
                 known->ServerId);
        MudRoom* current = world_.CurrentRoom;
        if (current != nullptr && current != known) current->Selected = false;
        world_.CurrentRoom = known;
        known->Selected = true;
        SwitchToZoneOf(known, current != nullptr ? ZoneWrite::SaveShownZone : ZoneWrite::Skip);
        if (!walkingMode_ && !world_.CurrentZoneLocked) RefreshKnownRoom(known);
        CenterOnCurrentRoom();
        currentCommand_ = TranslationDone;
        return;
    }
    auto allowed = [&](MudRoom* room) { return IdentityAllows(room) ? room : nullptr; };

    if (MudRoom* current = world_.CurrentRoom) {
        // The current room stays only when it agrees with the parsed one, so
        // a look never rewrites another room.
        if (SameRoom(current, name, description, exits, walkingMode_, config_.Parser) && AgreesWithParsed(current)) {
            // The map is trusted as it stands in walking mode and in a locked
            // zone; a look refreshes it only otherwise.
            if (!readOnly) RefreshKnownRoom(current);
            AdoptIdentity(current);
            SwitchToZoneOf(current, ZoneWrite::SaveShownZone);
            CenterOnCurrentRoom();
        } else {
            MudRoom* found = dark ? nullptr : allowed(world_.GlobalFindRoomByName(name, description, exits));
            if (found != nullptr) {
                current->Selected = false;
                world_.CurrentRoom = found;
                AdoptIdentity(found);
                SwitchToZoneOf(found, ZoneWrite::Skip);
                CenterOnCurrentRoom();
            } else {
                LossOfPosition(PositionLoss::NotOnTheMap);
            }
        }
    } else {
        MudRoom* found = dark ? nullptr : allowed(world_.FindRoomByName(name, description, exits));
        if (found != nullptr) {
            world_.CurrentRoom = found;
            found->Selected = true;
            AdoptIdentity(found);
            CenterOnCurrentRoom();
        } else if (!world_.ZoneRooms().empty()) {
            found = dark ? nullptr : allowed(world_.GlobalFindRoomByName(name, description, exits));
            if (found != nullptr) {
                world_.CurrentRoom = found;
                AdoptIdentity(found);
                SwitchToZoneOf(found, ZoneWrite::Skip);
                CenterOnCurrentRoom();
            } else {
                LossOfPosition(PositionLoss::NotOnTheMap);
            }
        } else {
            // A fresh map: the first room.
            MudRoom* first = placement_.NewRoomAt(0, 0, 0, name, description, exits, RoomKind::Room);
            world_.SetRoomServerId(first, ParsedIdentity());
            world_.CurrentRoom = first;
            first->Selected = true;
            placement_.View().Refresh();
        }
    }
    currentCommand_ = TranslationDone;
}

void MovementTracker::SettleFlee() {
    if (!ParseNext()) {
        currentCommand_.clear();
        return;
    }
    const std::string& name = parsed_.ParsedName;
    if (IsDark(name)) {
        LossOfPosition(PositionLoss::FledIntoDarkness);
        return;
    }
    // The flight is settled by its room whether or not the position can
    // follow it, so it never eats the rooms of the commands behind it.
    currentCommand_ = TranslationDone;
    settled_ = true;
    MudRoom* current = world_.CurrentRoom;
    if (current == nullptr) return;

    // The MUD does not say where the player fled: its identity does, when
    // it sends one; else the rooms next door, by cross link first, then on
    // the grid.
    MudRoom* taken = world_.FindRoomByServerId(ParsedIdentity());
    for (const std::string& entry : current->AutoMaps) {
        if (taken != nullptr) break;
        std::string zone = GetToken(1, entry, "|");
        std::int32_t number = RoomNumber(GetToken(3, entry, "|"));
        if (zone.empty() || number <= 0) continue;
        std::string exit = UpperCp1251(DecodeEscapes(GetToken(2, entry, "|")));
        bool isDirection = false;
        for (const std::string& phrase : config_.Parser.DirectionPhrases) {
            if (!phrase.empty() && UpperCp1251(phrase) == exit) isDirection = true;
        }
        if (!isDirection) continue;
        MudRoom* candidate = world_.GlobalFindRoomByTag(number, zone);
        if (SameRoom(candidate, name, parsed_.ParsedDesc, "", walkingMode_, config_.Parser) &&
            IdentityAllows(candidate)) {
            taken = candidate;
            break;
        }
    }
    for (Direction dir : kAllDirections) {
        if (taken != nullptr) break;
        std::int32_t x = current->X, y = current->Y, l = current->L;
        StepCell(dir, x, y, l);
        MudRoom* candidate = world_.FindRoom(x, y, l);
        if (SameRoom(candidate, name, parsed_.ParsedDesc, "", walkingMode_, config_.Parser) &&
            IdentityAllows(candidate)) {
            taken = candidate;
        }
    }
    if (taken == nullptr) return;
    AdoptIdentity(taken);
    current->Selected = false;
    world_.CurrentRoom = taken;
    SwitchToZoneOf(taken, ZoneWrite::SaveShownZone);
    taken->Selected = true;
    CenterOnCurrentRoom();
}

bool MovementTracker::SettleRefusedMove() {
    std::size_t exitsStart =
        config_.Parser.AutoexitStart.empty() ? std::string::npos : outputBuffer_.find(config_.Parser.AutoexitStart);
    std::string_view before = std::string_view(outputBuffer_).substr(0, exitsStart);
    for (std::size_t i = 0; i < config_.CantMoves.size(); ++i) {
        const std::string& refusal = config_.CantMoves[i];
        if (refusal.empty()) continue;
        std::size_t pos = before.find(refusal);
        if (pos == std::string_view::npos) continue;
        settled_ = true;
        currentCommand_ = TranslationDone;
        outputBuffer_.erase(0, pos + refusal.size());
        speedwalk_->EmptySpeedwalkQueue();
        log_.Log(W1251("TranslateCMD: Отбой по мувам ") + std::to_string(i) + " - " + refusal);
        return true;
    }
    return false;
}

bool MovementTracker::SettleJump() {
    MudRoom* current = world_.CurrentRoom;
    if (current == nullptr) return false;
    std::optional<Direction> direction = MoveDirection(currentCommand_, config_.Parser);
    for (const std::string& entry : current->AutoMaps) {
        std::string zone = GetToken(1, entry, "|");
        if (zone.empty()) continue;
        std::string exit = DecodeEscapes(GetToken(2, entry, "|"));
        bool used = (direction && exit == config_.Parser.DirectionPhrases[Index(*direction)]) ||
                    exit == currentCommand_ || exit == "=" + currentCommand_;
        if (!used) continue;

        if (!ParseNext()) {
            currentCommand_.clear();
            settled_ = false;
            log_.Log(W1251("TranslateCMD: Описание комнаты не получено"));
            return true;
        }
        std::string numberText = GetToken(3, entry, "|");
        log_.Log(W1251("TranslateCMD: Прыжок по карте ") + zone + "/" + exit + "/" + numberText);
        current->Selected = false;
        currentCommand_ = TranslationDone;
        if (zone != world_.CurrentZone) {
            log_.Log(W1251("TranslateCMD: Подгрузка зоны ") + zone);
            output_.SaveZone();
            world_.ClearZone();
            world_.CurrentZone = zone;
            world_.LoadZone();
        }
        std::int32_t number = RoomNumber(numberText);
        MudRoom* target = nullptr;
        if (number > 0) {
            target = world_.FindRoomByTag(number);
        } else if (!IsDark(parsed_.ParsedName) && !world_.ShortMode()) {
            target = world_.FindRoomByName(parsed_.ParsedName, parsed_.ParsedDesc, parsed_.ParsedExits);
        }
        if (MudRoom* known = world_.FindRoomByServerId(ParsedIdentity())) {
            target = known;
            SwitchToZoneOf(known, ZoneWrite::SaveShownZone);
        } else if (!IdentityAllows(target)) {
            target = nullptr;
        }
        if (target != nullptr) {
            AdoptIdentity(target);
            world_.CurrentRoom = target;
            CenterOnCurrentRoom();
        } else {
            LossOfPosition(PositionLoss::LinkTargetMissing);
        }
        return true;
    }
    return false;
}

void MovementTracker::SettleMovement() {
    log_.Log(W1251("TranslateCMD: Секция Moves"));
    if (!ParseNext()) {
        currentCommand_.clear();
        settled_ = false;
        return;
    }
    log_.Log(W1251("TranslateCMD.Moves: Описатель комнаты:") + DescribeParsed());
    MudRoom* from = world_.CurrentRoom;
    if (MudRoom* known = world_.FindRoomByServerId(ParsedIdentity())) {
        MoveToIdentifiedRoom(from, known);
        return;
    }
    if (WasStep(from, currentCommand_)) {
        MoveAlongKnownLink(from);
    } else {
        MoveIntoNewWay(from);
    }
}

void MovementTracker::MoveAlongKnownLink(MudRoom* from) {
    // A known link may run through corridor cells; the room is at their end.
    std::int32_t x = from->X, y = from->Y, l = from->L;
    MudRoom* reached = nullptr;
    for (std::size_t steps = 0; steps <= world_.RoomCount(); ++steps) {
        placement_.ReposXYL(currentCommand_, x, y, l);
        reached = world_.FindRoom(x, y, l);
        if (reached == nullptr || !reached->Pipe) break;
    }
    if (reached != nullptr && reached->Pipe) reached = nullptr;

    if (!walkingMode_ && reached != nullptr && !IdentityAllows(reached)) {
        // The link leads to a room the server numbers otherwise: the map's
        // link is wrong (or the exit leads elsewhere each time). A new room
        // cannot take the cell the link runs through, so tracing stops.
        MismatchLoss(W1251("номер на сервере"));
        return;
    }
    // A read-only map (walking mode, a locked zone) is trusted as it is and
    // never rewritten, so only otherwise does a difference count.
    if (!walkingMode_ && !world_.CurrentZoneLocked && reached != nullptr && ParsedIdentity().empty() &&
        SameRoom(reached, parsed_.ParsedName, "", "", walkingMode_, config_.Parser)) {
        std::string mismatch =
            MapMismatch(reached, parsed_.ParsedName, parsed_.ParsedDesc, parsed_.ParsedExits, config_.Parser);
        if (!mismatch.empty()) {
            // Same name, other description or exits: the map's room is not
            // the one entered, and its stored texts stay as they are.
            MismatchLoss(mismatch);
            return;
        }
    }
    if (walkingMode_ || SameRoom(reached, parsed_.ParsedName, "", "", walkingMode_, config_.Parser)) {
        log_.Log(W1251("TranslateCMD.Moves: уже ходили, комната подошла"));
        from->Selected = false;
        world_.CurrentRoom = reached;
        if (reached != nullptr && !walkingMode_ && !world_.CurrentZoneLocked) {
            RefreshKnownRoom(reached);
            AdoptIdentity(reached);
        }
        currentCommand_ = TranslationDone;
        settled_ = true;
        if (commandQueue_.size() <= 1 || config_.NeedRepos) CenterOnCurrentRoom();
        return;
    }
    log_.Log(W1251("TranslateCMD.Moves: уже ходили, комната НЕ подошла"));
    if (reached != nullptr && !reached->Hint.empty()) {
        MismatchLoss(W1251("название"));
        return;
    }
    LossOfPosition(PositionLoss::RoomDiffers);
}

bool MovementTracker::MoveToIdentifiedRoom(MudRoom* from, MudRoom* known) {
    log_.Log(W1251("TranslateCMD.Moves: комната известна по номеру ") + known->ServerId);
    const std::string command = currentCommand_;
    bool readOnly = walkingMode_ || world_.CurrentZoneLocked;
    if (!readOnly && known != from && !WasStep(from, command)) {
        // The links the documented rules would make: a grid neighbour gets
        // its two link flags, a room elsewhere is linked by the linker.
        std::int32_t x = from->X, y = from->Y, l = from->L;
        placement_.ReposXYL(command, x, y, l);
        if (world_.FindRoom(x, y, l) == known && world_.ZoneOf(known) == world_.ZoneOf(from)) {
            placement_.SetCheck(from, command, true);
            placement_.SetCheck(known, placement_.Opposite(command), true);
        } else if (WasNotStep(known, placement_.Opposite(command))) {
            linker_.TryToLink(from, known, command);
        }
    }
    from->Selected = false;
    world_.CurrentRoom = known;
    SwitchToZoneOf(known, ZoneWrite::SaveShownZone);
    if (!readOnly) RefreshKnownRoom(known);
    currentCommand_ = TranslationDone;
    settled_ = true;
    if (commandQueue_.size() <= 1 || config_.NeedRepos) CenterOnCurrentRoom();
    return true;
}

void MovementTracker::MoveIntoNewWay(MudRoom* from) {
    const std::string& command = currentCommand_;
    const std::string& name = parsed_.ParsedName;
    const std::string& description = parsed_.ParsedDesc;
    const std::string& exits = parsed_.ParsedExits;
    // The map is read-only in walking mode and in a locked zone: the player
    // is followed, but neither links nor rooms are added.
    bool readOnly = walkingMode_ || world_.CurrentZoneLocked;

    std::int32_t x = from->X, y = from->Y, l = from->L;
    placement_.ReposXYL(command, x, y, l);
    MudRoom* neighbour = world_.FindRoom(x, y, l);
    // A neighbour whose stored texts differ from the server's is another
    // room (unless the server's identity says otherwise): a new room is
    // made beside it rather than the neighbour rewritten.
    bool neighbourFits =
        SameRoom(neighbour, name, description, exits, walkingMode_, config_.Parser) && AgreesWithParsed(neighbour);
    if (neighbourFits) {
        log_.Log(W1251("TranslateCMD.Moves: еще не ходили, комната подошла"));
        from->Selected = false;
        if (!readOnly) placement_.SetCheck(from, command, true);
        world_.CurrentRoom = neighbour;
        if (!readOnly) {
            RefreshKnownRoom(neighbour);
            AdoptIdentity(neighbour);
            placement_.SetCheck(neighbour, placement_.Opposite(command), true);
        }
        Confirm();
        return;
    }
    log_.Log(W1251("TranslateCMD.Moves: еще не ходили, комнаты нет или НЕ подошла"));

    if (world_.CurrentZoneLocked) {
        LossOfPosition(PositionLoss::LockedZone);
        return;
    }
    MudRoom* known = nullptr;
    // An identity the map does not know is a new room, however alike.
    if (!IsDark(name) && !world_.ShortMode() && ParsedIdentity().empty()) {
        known = world_.FindRoomByName(name, description, exits);
        if (known == nullptr) known = world_.GlobalFindRoomByName(name, description, exits);
    }
    if (known != nullptr && known != from && WasNotStep(known, placement_.Opposite(command)) && !walkingMode_) {
        linker_.TryToLink(from, known, command);
        from->Selected = false;
        world_.CurrentRoom = known;
        SwitchToZoneOf(known, ZoneWrite::SaveShownZone);
        RefreshKnownRoom(known);
        Confirm();
        return;
    }
    log_.Log(W1251("TranslateCMD.Moves: не нашли или не канает"));

    if (walkingMode_) {
        // Walking mode adds no rooms: a room the map does not know ends the
        // tracing rather than growing the map.
        LossOfPosition(PositionLoss::UnknownInWalkingMode);
        return;
    }
    if (neighbour != nullptr) {
        placement_.ExpandRooms(from, neighbour, command);
        x = from->X, y = from->Y, l = from->L;
        placement_.ReposXYL(command, x, y, l);
        if (world_.FindRoom(x, y, l) != nullptr) {
            // Two rooms never share a cell.
            LossOfPosition(PositionLoss::CellTaken);
            return;
        }
    }
    placement_.SetCheck(from, command, true);
    from->Selected = false;
    MudRoom* created = placement_.NewRoomAt(x, y, l, name, description, exits, RoomKind::Room);
    world_.SetRoomServerId(created, ParsedIdentity());
    world_.CurrentRoom = created;
    placement_.SetCheck(created, placement_.Opposite(command), true);
    Confirm();
}

void MovementTracker::SettleOther() {
    if (!config_.Portal.empty() && currentCommand_ == config_.Portal) {
        LossOfPosition(PositionLoss::PortalWithoutLink);
        log_.Log(W1251("TranslateCMD.Moves: команда портала, а линка нет"));
        currentCommand_ = TranslationDone;
        settled_ = true;
        return;
    }
    if (currentCommand_.empty()) return;
    log_.Log(W1251("TranslateCmd: Не отработала команда ") + currentCommand_);
    currentCommand_ = TranslationDone;
    settled_ = true;
}

}  // namespace trellan
