#include "app/world/WorldCommands.h"

#include <QAction>

#include "app/window/Dialogs.h"
#include "app/window/MainToolBar.h"
#include "app/map/MapPage.h"
#include "app/map/MapWiring.h"
#include "app/window/StatusPanels.h"
#include "app/window/TrellanForm.h"
#include "common/Errors.h"
#include "runtime/TrellanRuntime.h"
#include "storage/StorageNames.h"
#include "text/Cp1251.h"
#include "text/W1251.h"

namespace trellan {

namespace {
constexpr const char* kMainForm = "MainForm";
constexpr const char* kSaveLoadForm = "SaveLoadForm";
}  // namespace

WorldCommands::WorldCommands(TrellanRuntime& runtime, TrellanForm& form, MapWiring& map, Dialogs& dialogs)
    : runtime_(runtime), form_(form), map_(map), dialogs_(dialogs) {
    RunDialog = [this](SaveLoadMode mode, const std::string& proposed) { return ShowDialog(mode, proposed); };
}

void WorldCommands::Connect() {
    MainToolBar& bar = *form_.Map->ToolBar;
    const auto on = [this](QAction* action, auto command) {
        if (action != nullptr) QObject::connect(action, &QAction::triggered, &form_, command);
    };
    const auto create = [this] { NewWorld(); };
    const auto load = [this] { LoadWorld(); };
    const auto save = [this] { SaveWorld(); };
    const auto undo = [this] { RevertWorld(); };
    on(form_.Menu.nNewWorld, create);
    on(form_.Popups.nnNewWorld, create);
    on(form_.Menu.nLoadWorld, load);
    on(form_.Popups.nnLoadWorld, load);
    on(form_.Menu.nSaveWorld, save);
    on(form_.Popups.nnSaveWorld, save);
    on(bar.btnSave, save);
    on(form_.Menu.nSaveWorldAs, [this] { SaveWorldAs(); });
    on(form_.Menu.nUndoMap, undo);
    on(bar.btnUndo, undo);
}

std::optional<std::string> WorldCommands::ShowDialog(SaveLoadMode mode, const std::string& proposed) {
    SaveLoadServices services{runtime_.Home(), runtime_.Storage(), runtime_.Captions(), runtime_.Settings(), dialogs_,
                              runtime_.TheWorld().CurrentWorld};
    SaveLoadForm dialog(services, mode, proposed, &form_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Name();
}

std::string WorldCommands::Caption(const char* section, const char* key, const char* defaultUtf8) const {
    return runtime_.Storage().Messages().Caption(section, key, defaultUtf8);
}

void WorldCommands::ShowError(const std::string& message) {
    if (!shown_.insert(message).second) return;
    // Logged by the program-wide handler; shown as the plain message.
    runtime_.AppException(message);
    dialogs_.Error(message);
}

void WorldCommands::Report(const StorageResult& result) {
    for (const std::string& error : result.Errors) ShowError(error);
}

void WorldCommands::RefreshCaption() {
    const World& world = runtime_.TheWorld();
    form_.SetCaption(world.CurrentWorld, world.CurrentZone);
}

bool WorldCommands::SaveBeforeReplacing() {
    StorageResult saved = runtime_.Storage().SaveWorldIfChanged();
    Report(saved);
    RefreshCaption();
    if (saved.Outcome != StorageOutcome::Failed) return true;
    return dialogs_.Question(Caption(kMainForm, "ReplaceUnsaved",
                                     "Не всё удалось сохранить. Всё равно закрыть этот мир и открыть другой?"));
}

bool WorldCommands::Acceptable(const std::string& name) {
    try {
        RequireWorldName(name, runtime_.Storage().Messages());
        return true;
    } catch (const InvalidNameError& refused) {
        // Not through shown_: the same mistake twice deserves two answers.
        dialogs_.Error(refused.what());
        return false;
    }
}

void WorldCommands::AfterReplace() {
    World& world = runtime_.TheWorld();
    world.CurrentRoom = nullptr;
    world.TargetRoom = nullptr;
    try {
        map_.LoadProfileSkins();
    } catch (const TrellanError& error) {
        if (ErrorReported) ErrorReported(error.what());
    }
    runtime_.View().CenterOnCurrentRoom();
    RefreshCaption();
    if (WorldReplaced) WorldReplaced();
}

void WorldCommands::LoadWorld() {
    shown_.clear();
    WorldStorage& storage = runtime_.Storage();
    Report(storage.SaveWorldIfChanged());
    RefreshCaption();
    const std::optional<std::string> name = RunDialog(SaveLoadMode::Load, std::string());
    // Nothing changed on Cancel, so the player keeps the position too.
    if (!name) return;
    if (!SaveBeforeReplacing()) return;
    const StorageResult opened = storage.OpenWorld(*name, true);
    Report(opened);
    // A world that could not be found leaves the open one as it was.
    if (opened.Outcome == StorageOutcome::NotFound) {
        RefreshCaption();
        return;
    }
    AfterReplace();
}

void WorldCommands::OpenCreatedWorld(const std::string& name) {
    shown_.clear();
    if (!SaveBeforeReplacing()) return;
    Report(runtime_.Storage().OpenWorld(name, true));
    AfterReplace();
}

bool WorldCommands::NewWorld() {
    shown_.clear();
    WorldStorage& storage = runtime_.Storage();
    std::string proposal = storage.ProposeNewWorldName();
    for (;;) {
        const std::optional<std::string> name = RunDialog(SaveLoadMode::Create, proposal);
        if (!name) return false;
        // Whatever happens next, the dialog comes back with what was typed.
        proposal = *name;
        if (!Acceptable(*name)) continue;
        if (storage.WorldExists(*name)) {
            const std::string question = Caption(kMainForm, "World", "Мир") + " <" + *name + "> " +
                                         Caption(kMainForm, "AlreadyExistLoadIt", "уже существует. Загрузить его?");
            if (!dialogs_.Question(question)) continue;
            // Loading another world saves this one first, like the load command.
            if (!SaveBeforeReplacing()) return false;
            Report(storage.OpenWorld(*name, true));
            AfterReplace();
            return runtime_.TheWorld().CurrentWorld == *name;
        }
        if (!SaveBeforeReplacing()) return false;
        StorageResult created = storage.CreateWorld(*name, true);
        // Someone made it meanwhile: ask again.
        if (created.Outcome == StorageOutcome::NameTaken) continue;
        Report(created);
        if (runtime_.TheWorld().CurrentWorld != *name) {
            RefreshCaption();
            return false;
        }
        AfterReplace();
        return true;
    }
}

void WorldCommands::SaveWorld() {
    shown_.clear();
    Report(runtime_.Storage().SaveWorld());
    RefreshCaption();
}

void WorldCommands::SaveWorldAs() {
    shown_.clear();
    WorldStorage& storage = runtime_.Storage();
    std::string proposal = storage.ProposeNewWorldName();
    for (;;) {
        const std::optional<std::string> name = RunDialog(SaveLoadMode::Save, proposal);
        if (!name) return;
        proposal = *name;
        if (!Acceptable(*name)) continue;
        bool overwrite = false;
        if (*name != runtime_.TheWorld().CurrentWorld && storage.WorldExists(*name)) {
            const std::string question =
                Caption(kSaveLoadForm, "WorldMessage", "Мир") + " <" + *name + "> " +
                Caption(kSaveLoadForm, "WorldExistsMessage", "уже существует. Перезаписать его?");
            if (!dialogs_.Question(question)) continue;
            overwrite = true;
        }
        StorageResult saved = storage.SaveWorldAs(*name, overwrite);
        if (saved.Outcome == StorageOutcome::NameTaken) continue;
        Report(saved);
        RefreshCaption();
        if (WorldReplaced) WorldReplaced();
        return;
    }
}

void WorldCommands::RevertWorld() {
    shown_.clear();
    World& world = runtime_.TheWorld();
    if (world.CurrentWorld.empty()) return;
    if (!world.MapSaved &&
        !dialogs_.Question(Caption(kMainForm, "UndoMapQuestion", "Отменить все несохранённые изменения мира") + " <" +
                           world.CurrentWorld + ">?")) {
        return;
    }
    Report(runtime_.Storage().RevertWorld());
    world.CurrentRoom = nullptr;
    world.TargetRoom = nullptr;
    runtime_.View().CenterOnCurrentRoom();
    RefreshCaption();
    if (WorldReplaced) WorldReplaced();
}

void WorldCommands::EnsureWorld() {
    World& world = runtime_.TheWorld();
    if (!world.CurrentWorld.empty()) return;
    if (NewWorld() || !world.CurrentWorld.empty()) return;
    WorldStorage& storage = runtime_.Storage();
    Report(storage.CreateWorld(storage.ProposeNewWorldName(), true));
    AfterReplace();
    if (world.CurrentWorld.empty()) return;
    // The player cancelled the dialog: say what was made and where.
    const std::string made = W1251("Создан мир \"") + world.CurrentWorld + W1251("\": ") +
                             Utf8ToCp1251(storage.WorldDirectory(), nullptr, Utf8Reading::Lenient);
    runtime_.Log().Log(made);
    form_.Status->SetText(StatusPanels::PanelCount - 1, made);
}

}  // namespace trellan
