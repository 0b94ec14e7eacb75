#pragma once
// The world commands of the main window: new world, load, save, save as and
// revert. Each asks the player through the open/save dialog and the message
// boxes, then calls the world storage, and brings the window up to date
// (caption, skins, view) once the world has changed. The dialog is run
// through RunDialog, which tests replace to answer it without a modal loop.
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "app/world/SaveLoadForm.h"
#include "storage/WorldStorage.h"

namespace trellan {

class Dialogs;
class MapWiring;
class TrellanForm;
class TrellanRuntime;

class WorldCommands {
public:
    // Every reference must outlive the commands.
    WorldCommands(TrellanRuntime& runtime, TrellanForm& form, MapWiring& map, Dialogs& dialogs);

    // Wires the menu items, their popup twins and the tool buttons.
    void Connect();

    // The name the player chose (Windows-1251), or nothing for Cancel.
    using DialogRunner = std::function<std::optional<std::string>(SaveLoadMode mode, const std::string& proposed)>;
    // Shows SaveLoadForm over the window unless replaced.
    DialogRunner RunDialog;
    std::optional<std::string> ShowDialog(SaveLoadMode mode, const std::string& proposed);

    // Errors that belong to the program-wide error handler (a damaged skin).
    std::function<void(const std::string& message)> ErrorReported;
    // After another world was opened or the open one read again, for the
    // parts of the window that show the world (the zone tree).
    std::function<void()> WorldReplaced;

    void LoadWorld();
    // True when a world was created or an existing one loaded.
    bool NewWorld();
    void SaveWorld();
    void SaveWorldAs();
    // Reads the open world's files again; asks first when that throws
    // changes away.
    void RevertWorld();
    // The first activation found no world: the new-world command, and when
    // the player cancels it, the proposed world all the same, so that the
    // map being drawn has somewhere to be saved.
    void EnsureWorld();
    // Opens a world just written into the maps directory (an imported
    // map), saving the open one first as loading does.
    void OpenCreatedWorld(const std::string& name);

private:
    // Shows each message of the current command once.
    void Report(const StorageResult& result);
    void ShowError(const std::string& message);
    // Saves a changed world before another replaces it; false when that
    // failed and the player chose to keep it open.
    bool SaveBeforeReplacing();
    // The name is one a world directory can have; says why not otherwise.
    bool Acceptable(const std::string& name);
    void AfterReplace();
    void RefreshCaption();
    std::string Caption(const char* section, const char* key, const char* defaultUtf8) const;

    TrellanRuntime& runtime_;
    TrellanForm& form_;
    MapWiring& map_;
    Dialogs& dialogs_;
    std::set<std::string> shown_;
};

}  // namespace trellan
