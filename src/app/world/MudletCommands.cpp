#include "app/world/MudletCommands.h"

#include <QAction>
#include <QFileDialog>
#include <filesystem>

#include "app/window/Dialogs.h"
#include "app/window/TrellanForm.h"
#include "app/world/WorldCommands.h"
#include "common/Errors.h"
#include "common/FileIo.h"
#include "runtime/TrellanRuntime.h"
#include "storage/MapsDirectory.h"
#include "storage/MudletExport.h"
#include "storage/MudletImport.h"
#include "storage/StorageNames.h"
#include "text/Cp1251.h"

namespace trellan {

namespace {

constexpr const char* kMainForm = "MainForm";
const QString kJsonFilter = QStringLiteral("Mudlet JSON (*.json);;* (*)");

std::optional<std::string> Chosen(const QString& path) {
    if (path.isEmpty()) return std::nullopt;
    return QFile::encodeName(path).toStdString();
}

}  // namespace

MudletCommands::MudletCommands(TrellanRuntime& runtime, TrellanForm& form, WorldCommands& worlds, Dialogs& dialogs)
    : runtime_(runtime), form_(form), worlds_(worlds), dialogs_(dialogs) {
    ChooseExportFile = [this] {
        return Chosen(QFileDialog::getSaveFileName(&form_, form_.Menu.nExportMudlet->text(), QString(), kJsonFilter));
    };
    ChooseImportFile = [this] {
        return Chosen(QFileDialog::getOpenFileName(&form_, form_.Menu.nImportMudlet->text(), QString(), kJsonFilter));
    };
}

void MudletCommands::Connect() {
    QObject::connect(form_.Menu.nExportMudlet, &QAction::triggered, &form_, [this] { ExportMap(); });
    QObject::connect(form_.Menu.nImportMudlet, &QAction::triggered, &form_, [this] { ImportMap(); });
}

std::string MudletCommands::Caption(const char* key, const char* defaultUtf8) const {
    return runtime_.Storage().Messages().Caption(kMainForm, key, defaultUtf8);
}

void MudletCommands::ExportMap() {
    const std::optional<std::string> path = ChooseExportFile();
    if (!path) return;
    MudletExportReport report;
    try {
        WriteFileAtomically(*path, ExportMudletMap(runtime_.TheWorld(), runtime_.Mapping(), report));
    } catch (const TrellanError& error) {
        dialogs_.Error(error.what());
        return;
    }
    std::string text = Caption("MudletExported", "Карта для Mudlet записана:") + " " + Utf8ToCp1251(*path) + "\r\n" +
                       Caption("MudletZones", "Зон") + ": " + std::to_string(report.Areas) + ", " +
                       Caption("MudletRooms", "комнат") + ": " + std::to_string(report.Rooms) + ".";
    if (report.Unresolved != 0)
        text += "\r\n" + Caption("MudletUnresolved", "Связей, которые никуда не ведут (не записаны)") + ": " +
                std::to_string(report.Unresolved) + ".";
    dialogs_.Information(text);
}

std::string MudletCommands::ProposedWorld(const std::string& path) const {
    std::string name = Utf8ToCp1251(std::filesystem::path(path).stem().string());
    if (WorldNameProblem(name) || runtime_.Storage().WorldExists(name))
        return runtime_.Storage().ProposeNewWorldName();
    return name;
}

void MudletCommands::ImportMap() {
    const std::optional<std::string> path = ChooseImportFile();
    if (!path) return;
    // The file is read and checked before the player is asked anything.
    std::optional<std::string> json = ReadWholeFile(*path);
    if (!json) {
        dialogs_.Error(Caption("MudletUnreadable", "Не удалось прочитать файл") + " " + Utf8ToCp1251(*path));
        return;
    }
    MudletImport import;
    try {
        import = ImportMudletMap(*json, MappingConfig());
    } catch (const MudletMapError& error) {
        dialogs_.Error(Utf8ToCp1251(*path) + ": " + Utf8ToCp1251(error.what()));
        return;
    }
    WorldStorage& storage = runtime_.Storage();
    std::string proposal = ProposedWorld(*path);
    std::string name;
    for (;;) {
        const std::optional<std::string> typed = worlds_.RunDialog(SaveLoadMode::Create, proposal);
        if (!typed) return;
        proposal = *typed;
        try {
            RequireWorldName(*typed, storage.Messages());
        } catch (const InvalidNameError& refused) {
            dialogs_.Error(refused.what());
            continue;
        }
        if (storage.WorldExists(*typed)) {
            dialogs_.Error(Caption("World", "Мир") + " <" + *typed + "> " +
                           Caption("MudletWorldExists", "уже существует. Выберите другое имя."));
            continue;
        }
        name = *typed;
        break;
    }
    try {
        WriteImportedWorld(MapsDirectory(runtime_.Home()).WorldPath(name), import);
    } catch (const TrellanError& error) {
        dialogs_.Error(Utf8ToCp1251(error.what()));
        return;
    }
    worlds_.OpenCreatedWorld(name);
    const MudletImportReport& r = import.Report;
    auto line = [this](const char* key, const char* defaultUtf8, std::size_t count) {
        return "\r\n" + Caption(key, defaultUtf8) + ": " + std::to_string(count) + ".";
    };
    dialogs_.Information(Caption("MudletImported", "Карта Mudlet загружена в мир") + " <" + name + ">." +
                         line("MudletZones", "Зон", r.Zones) + line("MudletRoomCount", "Комнат", r.Rooms) +
                         line("MudletReplaced", "Символов без формы в Windows-1251 (заменены на «?»)",
                              r.ReplacedCharacters) +
                         line("MudletSharedCells", "Комнат на занятых клетках (перенесены на свободные)",
                              r.SharedCells) +
                         line("MudletOffGrid", "Выходов вне сетки (стали перекрёстными ссылками)", r.OffGridExits) +
                         line("MudletDangling", "Выходов в комнаты, которых нет в файле (пропущены)",
                              r.DanglingExits));
}

}  // namespace trellan
