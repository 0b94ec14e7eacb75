#pragma once
// "Сохранить зону как картинку…": the shown zone's viewed level, whole or
// as far as the window shows it, at the map's zoom and with its names
// option, written as a PNG or SVG picture (by the name's extension, PNG
// when it has neither). The area and the file are asked through
// replaceable functions so that tests answer them.
#include <functional>
#include <optional>
#include <string>

namespace trellan {

class Dialogs;
class MapWiring;
class TrellanForm;
class TrellanRuntime;

class MapPictureCommand {
public:
    // Every reference must outlive the command.
    MapPictureCommand(TrellanRuntime& runtime, TrellanForm& form, MapWiring& map, Dialogs& dialogs);

    void Connect();

    enum class Area { WholeLevel, Visible };
    // Nothing for Cancel.
    std::function<std::optional<Area>()> ChooseArea;
    // A path in the file system's encoding proposed from `zone` (UTF-8);
    // nothing for Cancel.
    std::function<std::optional<std::string>(const std::string& zone)> ChooseFile;

    void SavePicture();

private:
    std::string Caption(const char* key, const char* defaultUtf8) const;

    TrellanRuntime& runtime_;
    TrellanForm& form_;
    MapWiring& map_;
    Dialogs& dialogs_;
};

}  // namespace trellan
