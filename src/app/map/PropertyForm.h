#pragma once
// The room properties dialog: name, description, alias, exits, link
// letters, colour, marks, picture and note of one room, edited on a preview
// room drawn as the map draws rooms, and copied to the room only on OK. The
// room's cross links (second page) change the room at once, whichever
// button closes the dialog. Created for each edit, shown modally.
#include <QDialog>
#include <memory>
#include <string>

#include "app/map/RoomEditContext.h"
#include "model/MudRoom.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace trellan {

class AutomapList;

class PropertyForm final : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* Section = "PropertyForm";

    // `room` must stay in the world while the dialog lives. Looks up its
    // texts (may write language.ini and throw FileWriteError).
    PropertyForm(const RoomEditContext& context, MudRoom& room, QWidget* parent = nullptr);
    ~PropertyForm() override;

    // OK: the preview's values into the room, the alias with its bookmark,
    // removed link letters with their corridors. Returns whether the room
    // got an alias it did not have (its bookmark is then to be selected).
    bool ApplyToRoom();

    const MudRoom& Preview() const { return preview_; }
    AutomapList& Automaps() { return *automaps_; }
    ColorPicker PickColor;

    QTabWidget* PageControl = nullptr;
    QLineEdit* edName = nullptr;
    QPlainTextEdit* memoDescription = nullptr;
    QLineEdit* edAlias = nullptr;
    QLineEdit* edExits = nullptr;
    QLineEdit* edChecked = nullptr;
    QPushButton* btnColor = nullptr;
    QWidget* RoomPreview = nullptr;
    QCheckBox* cbDT = nullptr;
    QCheckBox* cbFlyDT = nullptr;
    QCheckBox* cbAgro = nullptr;
    QCheckBox* cbNoStep = nullptr;
    QComboBox* cbPicture = nullptr;
    QPlainTextEdit* memoNote = nullptr;
    QTreeWidget* lvAutomap = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    void BuildMainPage(QWidget* page);
    void BuildMorePage(QWidget* page);
    void Fill();
    void Connect();
    void MarkTicked(int mark, bool ticked);
    void PictureChosen(int index);
    void ShowMarks(int mark);
    void ChooseRoomColor();
    void RefreshLetters();
    QString Text(const char* key, const char* utf8Default) const;

    RoomEditContext context_;
    MudRoom& room_;
    // Never part of the world: painted on its own and thrown away.
    MudRoom preview_;
    std::unique_ptr<AutomapList> automaps_;
    bool syncing_ = false;
};

}  // namespace trellan
