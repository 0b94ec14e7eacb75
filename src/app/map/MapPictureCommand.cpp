#include "app/map/MapPictureCommand.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <stdexcept>

#include "app/map/MapWiring.h"
#include "app/window/Dialogs.h"
#include "app/window/TrellanForm.h"
#include "common/Errors.h"
#include "runtime/TrellanRuntime.h"
#include "text/Cp1251.h"
#include "view/MapPicture.h"
#include "view/QtText.h"

namespace trellan {

namespace {

constexpr const char* kMainForm = "MainForm";

}  // namespace

MapPictureCommand::MapPictureCommand(TrellanRuntime& runtime, TrellanForm& form, MapWiring& map, Dialogs& dialogs)
    : runtime_(runtime), form_(form), map_(map), dialogs_(dialogs) {
    ChooseArea = [this]() -> std::optional<Area> {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Trellan"),
                        ToQt(Caption("PictureArea", "Сохранить весь уровень зоны или только то, что видно в окне?")),
                        QMessageBox::Cancel, &form_);
        QPushButton* whole = box.addButton(ToQt(Caption("PictureWhole", "Весь уровень")), QMessageBox::AcceptRole);
        QPushButton* visible = box.addButton(ToQt(Caption("PictureVisible", "Видимую часть")), QMessageBox::AcceptRole);
        box.setDefaultButton(whole);
        box.exec();
        if (box.clickedButton() == whole) return Area::WholeLevel;
        if (box.clickedButton() == visible) return Area::Visible;
        return std::nullopt;
    };
    ChooseFile = [this](const std::string& zone) -> std::optional<std::string> {
        const QString path = QFileDialog::getSaveFileName(&form_, form_.Menu.nExportPicture->text(),
                                                          QString::fromStdString(zone) + ".png",
                                                          QStringLiteral("PNG (*.png);;SVG (*.svg)"));
        if (path.isEmpty()) return std::nullopt;
        return QFile::encodeName(path).toStdString();
    };
}

void MapPictureCommand::Connect() {
    QObject::connect(form_.Menu.nExportPicture, &QAction::triggered, &form_, [this] { SavePicture(); });
}

std::string MapPictureCommand::Caption(const char* key, const char* defaultUtf8) const {
    return runtime_.Storage().Messages().Caption(kMainForm, key, defaultUtf8);
}

void MapPictureCommand::SavePicture() {
    World& world = runtime_.TheWorld();
    if (world.ZoneRooms().empty()) {
        dialogs_.Error(Caption("PictureNoZone", "На карте нет зоны с комнатами."));
        return;
    }
    const std::optional<Area> area = ChooseArea();
    if (!area) return;
    std::string proposal = Cp1251ToUtf8(world.ShownZone());
    for (char& c : proposal) {
        if (c == '/') c = '_';
    }
    const std::optional<std::string> chosen = ChooseFile(proposal);
    if (!chosen) return;
    std::string path = *chosen;
    if (!PictureFormatOf(path)) path += ".png";

    MapPanel& panel = map_.Panel();
    ViewState& view = runtime_.View();
    view.RecomputeBounds();
    const SkinSet& skins = map_.Skins();
    const MappingConfig& config = runtime_.Mapping();
    const MapPictureSource source{world,           view.Bounds, skins.Active(),          skins.IconPoint,
                                  skins.FillPoint, config.Dark, config.DirectionPhrases, panel.PaintOptions()};
    std::optional<MapPictureFrame> frame;
    if (*area == Area::WholeLevel) {
        frame = WholeLevelFrame(world, view.RoomOrigin().DL, panel.CellSize());
        if (!frame) {
            dialogs_.Error(Caption("PictureEmptyLevel", "На этом уровне зоны нет комнат."));
            return;
        }
    } else {
        frame = ViewFrame(view.RoomOrigin(), panel.CellSize(), panel.PanelMain()->size());
    }
    frame->Names = panel.RoomNamesShown();
    try {
        WriteMapPicture(path, source, *frame);
    } catch (const std::invalid_argument& refused) {
        dialogs_.Error(Utf8ToCp1251(refused.what()));
        return;
    } catch (const TrellanError& failed) {
        dialogs_.Error(Utf8ToCp1251(failed.what()));
        return;
    }
    dialogs_.Information(Caption("PictureWritten", "Картинка записана:") + " " + Utf8ToCp1251(path) + " (" +
                         std::to_string(frame->Kept.width()) + " x " + std::to_string(frame->Kept.height()) + ")");
}

}  // namespace trellan
