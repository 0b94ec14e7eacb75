#include "runtime/ClientMapCommands.h"

#include "common/Errors.h"
#include "mapping/CrossLinkEntry.h"
#include "mapping/Placement.h"
#include "mapping/RoomEdits.h"
#include "mapping/ViewState.h"
#include "mapping/ZoneOperations.h"
#include "mapping/ZoneTreeOperations.h"
#include "model/World.h"
#include "navigation/AsciiMap.h"
#include "navigation/NavigationMessages.h"
#include "storage/StorageNames.h"
#include "storage/UndoHistory.h"
#include "storage/WorldStorage.h"
#include "text/TextUtils.h"
#include "text/W1251.h"
#include "tracking/ClientLines.h"
#include "tracking/MovementTracker.h"
#include "tracking/RoomQueries.h"

namespace trellan {

namespace {

// The sub-commands' own words.
const std::string kWhere = W1251("где");
const std::string kSave = W1251("сохр");
const std::string kZone = W1251("зона");
const std::string kLink = W1251("связь");
const std::string kHelp = W1251("помощь");
const std::string kUndo = W1251("отмена");
const std::string kRedo = W1251("повтор");

// "Name (#12, Zone)".
std::string RoomTitle(const World& world, const MudRoom& room) {
    return room.Hint + " (#" + std::to_string(room.Tag) + ", " + world.ZoneOf(&room) + ")";
}

}  // namespace

void ClientMapCommands::MapCommand(const std::string& argument) {
    const std::size_t blank = argument.find(' ');
    const std::string word = argument.substr(0, blank);
    const std::string rest = blank == std::string::npos ? std::string() : TrimCtl(argument.substr(blank + 1));
    if (word.empty()) {
        ShowMap();
    } else if (word == kWhere) {
        Where();
    } else if (word == kSave) {
        Save();
    } else if (word == kZone) {
        const UndoHistory::Step step(parts_.History, W1251("новая зона"));
        NewZone(rest);
    } else if (word == kLink) {
        const UndoHistory::Step step(parts_.History, W1251("связь"));
        CrossLink(rest);
    } else if (word == kUndo || word == kRedo) {
        UndoOrRedo(word == kRedo);
    } else if (word == kHelp) {
        Help();
    } else {
        Tell(Filled(Filled(Text("MapUnknownCommand", "Нет такой команды карты: {word}; наберите `{map} помощь`"),
                           "word", word),
                    "map", parts_.Tracker.Config().MapCommand),
             false);
    }
}

void ClientMapCommands::UndoOrRedo(bool redo) {
    const auto& run = redo ? parts_.Redo : parts_.Undo;
    const std::optional<std::string> step = run ? run() : std::nullopt;
    if (!step) {
        Tell(redo ? Text("MapNothingToRedo", "Повторять нечего") : Text("MapNothingToUndo", "Отменять нечего"), false);
        return;
    }
    Tell(Filled(redo ? Text("MapRedone", "повторено: {step}") : Text("MapUndone", "отменено: {step}"), "step", *step),
         true);
}

void ClientMapCommands::ShowMap() {
    const World& world = parts_.TheWorld;
    const MudRoom* room = world.CurrentRoom;
    // The grid is the shown zone's; a position elsewhere is not drawn.
    if (room == nullptr || world.ZoneOf(room) != world.CurrentZone) {
        Send(PositionUnknownLine(parts_.Captions));
        return;
    }
    std::string header = Text("MapHeader", "Зона {zone}, уровень {level}: {room}");
    header = Filled(std::move(header), "zone", world.CurrentZone);
    header = Filled(std::move(header), "level", std::to_string(room->L));
    header = Filled(std::move(header), "room", room->Hint + " (#" + std::to_string(room->Tag) + ")");
    std::string text = TrellanLine(header, LineColour::Green);
    for (const std::string& line : RenderAsciiMap(world, *room, room)) text += line + "\r\n";
    text += Text("MapLegend", "[@] вы  [^] вверх  [v] вниз  [%] вверх и вниз  # дверь  --- коридор  . другой уровень");
    text += "\r\n";
    Send(std::move(text));
}

void ClientMapCommands::Where() {
    const World& world = parts_.TheWorld;
    const MovementTracker& tracker = parts_.Tracker;
    // The parts of the answer in order; a server's own room identity, where
    // the MUD sends one, joins them as one more part.
    std::vector<std::string> parts;
    parts.push_back(Filled(Text("WhereZone", "зона {zone}"), "zone",
                           world.CurrentZone.empty() ? Text("WhereNone", "нет") : world.CurrentZone));
    if (const MudRoom* room = world.CurrentRoom) {
        parts.push_back(Filled(Filled(Text("WhereRoom", "комната {room}, номер {tag}"), "room", room->Hint), "tag",
                               std::to_string(room->Tag)));
        if (world.ZoneOf(room) != world.CurrentZone) {
            parts.push_back(Filled(Text("WhereRoomZone", "в зоне {zone}"), "zone", world.ZoneOf(room)));
        }
    } else {
        parts.push_back(Text("WhereNoRoom", "комната неизвестна"));
    }
    parts.push_back(tracker.Tracing() ? Text("WhereTracing", "трассировка включена")
                                      : Text("WhereNotTracing", "трассировка выключена"));
    if (tracker.WalkingMode()) parts.push_back(Text("WhereWalkingMode", "режим хождения"));
    std::string line;
    for (const std::string& part : parts) line += (line.empty() ? "" : "; ") + part;
    Tell(line, tracker.Tracing() && world.CurrentRoom != nullptr);
}

void ClientMapCommands::Save() {
    World& world = parts_.TheWorld;
    if (world.CurrentWorld.empty()) {
        Tell(Text("MapNoWorld", "Мир не открыт"), false);
        return;
    }
    StorageResult result;
    try {
        result = parts_.Storage.SaveWorld();
    } catch (const TrellanError& error) {
        result.Outcome = StorageOutcome::Failed;
        result.Errors.push_back(error.what());
    }
    if (result.Outcome == StorageOutcome::Done && result.Errors.empty()) {
        Tell(Filled(Text("MapSaved", "Мир {world} сохранён"), "world", world.CurrentWorld), true);
        return;
    }
    std::string errors;
    for (const std::string& error : result.Errors) {
        if (parts_.ReportError) parts_.ReportError(error);
        errors += (errors.empty() ? "" : "; ") + error;
    }
    Tell(Filled(Filled(Text("MapNotSaved", "Мир {world} не сохранён: {errors}"), "world", world.CurrentWorld), "errors",
                errors),
         false);
}

void ClientMapCommands::NewZone(const std::string& name) {
    World& world = parts_.TheWorld;
    MovementTracker& tracker = parts_.Tracker;
    if (name.empty()) {
        Tell(Filled(Text("MapZoneNoName", "Укажите имя зоны: `{map} зона <имя>`"), "map", tracker.Config().MapCommand),
             false);
        return;
    }
    if (world.CurrentWorld.empty()) {
        Tell(Text("MapNoWorld", "Мир не открыт"), false);
        return;
    }
    if (std::optional<NameProblem> problem = ZoneNameProblem(name)) {
        Tell(Filled(Text("MapZoneBadName", "Имя зоны не годится: {why}"), "why",
                    NameProblemText(*problem, parts_.Storage.Messages())),
             false);
        return;
    }
    if (world.Tree().FindZone(name) != nullptr) {
        Tell(Filled(Text("MapZoneTaken", "Зона {zone} уже есть"), "zone", name), false);
        return;
    }
    // The room the player stands in becomes the new zone's first room at
    // the next look, as it does in a zone made by the window's command.
    tracker.SetTracing(MovementTracker::TracingSwitch::Off);
    std::string created;
    try {
        created = parts_.Zones.CreateZone();
    } catch (const TrellanError& error) {
        if (parts_.ReportError) parts_.ReportError(error.what());
        Tell(error.what(), false);
        return;
    }
    ZoneResult renamed = parts_.ZoneTree.RenameZone(created, name);
    for (const std::string& error : renamed.Errors) {
        if (parts_.ReportError) parts_.ReportError(error);
    }
    if (!renamed.Succeeded()) {
        Tell(Filled(Filled(Text("MapZoneNotRenamed", "Зона начата как {zone}, а не {name}: {why}"), "zone", created),
                    "name", name) +
                 renamed.Message,
             false);
        return;
    }
    parts_.View.Refresh();
    Tell(Filled(Text("MapZoneStarted", "Новая зона {zone}; наберите look, и эта комната станет её первой"), "zone",
                name),
         true);
}

void ClientMapCommands::CrossLink(const std::string& typed) {
    World& world = parts_.TheWorld;
    MovementTracker& tracker = parts_.Tracker;
    MudRoom* here = world.CurrentRoom;
    if (here == nullptr) {
        Send(PositionUnknownLine(parts_.Captions));
        return;
    }
    const MovementTracker::Step& step = tracker.LastStep();
    MudRoom* from = step.Tag > 0 ? world.GlobalFindRoomByTag(step.Tag, step.Zone) : nullptr;
    if (from == nullptr) {
        Tell(Text("MapLinkNoPrevious", "Нет комнаты, из которой вы пришли: связь ставится после перехода"), false);
        return;
    }
    if (from == here) {
        Tell(Text("MapLinkSameRoom", "Вы там же, откуда пришли: связывать нечего"), false);
        return;
    }
    const std::string command = typed.empty() ? step.Command : typed;
    // A movement command is stored as its direction phrase, as the property
    // form stores it; any other command (a portal word) as typed.
    std::string exit = command;
    if (std::optional<Direction> direction = MoveDirection(command, tracker.Config().Parser)) {
        exit = tracker.Config().Parser.DirectionPhrases[Index(*direction)];
    }
    if (FindCrossLink(*from, exit, parts_.Placer.Config()) >= 0) {
        Tell(Filled(Filled(Text("MapLinkExists", "У комнаты {room} уже есть связь через {exit}"), "room",
                           RoomTitle(world, *from)),
                    "exit", exit),
             false);
        return;
    }
    AddCrossLink(world, parts_.Placer, *from, {world.ZoneOf(here), exit, std::to_string(here->Tag), {}});
    parts_.View.Refresh();
    std::string text = Text("MapLinked", "Связь: {from} -> {exit} -> {to}");
    text = Filled(std::move(text), "from", RoomTitle(world, *from));
    text = Filled(std::move(text), "exit", exit);
    text = Filled(std::move(text), "to", RoomTitle(world, *here));
    Tell(text, true);
}

void ClientMapCommands::Help() {
    const TrackerConfig& config = parts_.Tracker.Config();
    std::string looks;
    for (const std::string& word : config.LookWords) looks += (looks.empty() ? "" : "|") + word;
    const std::string& map = config.MapCommand;
    struct Entry {
        std::string Words;
        const char* Key;
        const char* Text;
    };
    const Entry entries[] = {
        {config.Speedwalk + W1251(" [закладка]"), "HelpSpeedwalk", "путь до закладки; без неё - список закладок"},
        {config.Returnwalk, "HelpReturn", "обратно, откуда начат последний путь"},
        {config.StopTrace, "HelpStopTrace", "выключить трассировку"},
        {looks + ", " + config.Clear, "HelpLook", "включить трассировку и найти себя на карте"},
        {config.ReadOnlyOn + " / " + config.ReadOnlyOff, "HelpReadOnly",
         "режим хождения: карта не меняется / меняется"},
        {config.RequestObject + W1251(" <имя>"), "HelpLore", "поиск в базе объектов (*часть, начало*)"},
        {config.GroupLore + " / " + config.ClanLore + W1251(" <имя>"), "HelpTellLore",
         "запись базы объектов группе / клану"},
        {config.SetAlias + W1251(" [имя]"), "HelpSetAlias", "закладка на эту комнату; без имени - снять"},
        {map, "HelpMap", "карта вокруг вас"},
        {map + " " + kWhere, "HelpWhere", "зона, комната, её номер, трассировка"},
        {map + " " + kZone + W1251(" <имя>"), "HelpZone", "новая зона с этой комнаты"},
        {map + " " + kLink + W1251(" <команда>"), "HelpLink", "связь из прошлой комнаты сюда (портал)"},
        {map + " " + kSave, "HelpSave", "сохранить мир"},
        {map + " " + kUndo + " / " + kRedo, "HelpUndo", "отменить или повторить последнее изменение карты"},
        {map + " " + kHelp, "HelpHelp", "этот список"},
    };
    std::string text = TrellanLine(Text("HelpTitle", "Команды Trellan:"), LineColour::Green);
    for (const Entry& entry : entries) {
        std::string words = "  " + entry.Words;
        if (words.size() < 28) words.resize(28, ' ');
        text += "\x1B[1;32m" + words + "\x1B[0m " + Text(entry.Key, entry.Text) + "\r\n";
    }
    Send(std::move(text));
}

void ClientMapCommands::SetAliasCommand(const std::string& alias) {
    World& world = parts_.TheWorld;
    MudRoom* room = world.CurrentRoom;
    if (room == nullptr) {
        Send(PositionUnknownLine(parts_.Captions));
        return;
    }
    if (alias.empty()) {
        if (room->QuickList.empty()) {
            Tell(Text("AliasNone", "У этой комнаты нет закладки"), false);
            return;
        }
        const std::string old = room->QuickList;
        world.SetRoomAlias(room, "");
        world.MapSaved = false;
        parts_.View.Refresh();
        Tell(Filled(Text("AliasRemoved", "Закладка {alias} снята"), "alias", old), true);
        return;
    }
    if (alias.find('|') != std::string::npos) {
        Tell(Text("AliasBar", "В закладке не может быть знака |"), false);
        return;
    }
    MudRoom* owner = world.FindRoomByAlias(alias);
    if (owner != nullptr && owner != room) {
        Tell(Filled(Filled(Text("AliasTaken", "Закладка {alias} уже у комнаты {room}"), "alias", alias), "room",
                    RoomTitle(world, *owner)),
             false);
        return;
    }
    world.SetRoomAlias(room, alias);
    world.MapSaved = false;
    parts_.View.Refresh();
    Tell(Filled(Filled(Text("AliasSet", "Закладка {alias}: {room}"), "alias", alias), "room", RoomTitle(world, *room)),
         true);
}

void ClientMapCommands::Tell(const std::string& text, bool done) {
    Send(TrellanLine(text, done ? LineColour::Green : LineColour::Red));
}

void ClientMapCommands::Send(std::string text) {
    parts_.Tracker.Output().SendToClient(ForClient(std::move(text), parts_.Tracker.Config().AddDoubleYaLor));
}

std::string ClientMapCommands::Text(const char* key, const char* utf8Default) const {
    return ClientText(parts_.Captions, key, utf8Default);
}

}  // namespace trellan
