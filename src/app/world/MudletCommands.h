#pragma once
// The exchange with Mudlet in the window: "Экспорт карты для Mudlet…" writes
// the world in memory (unsaved edits included) as a Mudlet JSON map;
// "Импорт карты Mudlet…" reads one, asks for the new world's name and opens
// the world it made. The file dialogs run through replaceable functions so
// that tests answer them.
#include <functional>
#include <optional>
#include <string>

namespace trellan {

class Dialogs;
class TrellanForm;
class TrellanRuntime;
class WorldCommands;

class MudletCommands {
public:
    // Every reference must outlive the commands.
    MudletCommands(TrellanRuntime& runtime, TrellanForm& form, WorldCommands& worlds, Dialogs& dialogs);

    void Connect();

    // A path in the file system's encoding, or nothing for Cancel.
    using FileChooser = std::function<std::optional<std::string>()>;
    FileChooser ChooseExportFile;
    FileChooser ChooseImportFile;

    void ExportMap();
    void ImportMap();

private:
    std::string Caption(const char* key, const char* defaultUtf8) const;
    // A name for the new world from the file's, or the usual proposal.
    std::string ProposedWorld(const std::string& path) const;

    TrellanRuntime& runtime_;
    TrellanForm& form_;
    WorldCommands& worlds_;
    Dialogs& dialogs_;
};

}  // namespace trellan
