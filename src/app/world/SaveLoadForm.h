#pragma once
// The open/save dialog of the world commands: the worlds of the maps
// directory as icons or as a list, a name field and OK/Cancel. It opens in
// one of three modes (load, save as, create) and hands back the name; the
// commands decide what to do with it. Its list menu renames and deletes
// worlds on disk; the open world is never renamed or deleted from here,
// since the program keeps working in its directory.
#include <QDialog>
#include <string>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;

namespace trellan {

class Dialogs;
class HomeDirectory;
class Localisation;
class WorldStorage;
struct MainSettings;

enum class SaveLoadMode { Load, Save, Create };

// What the dialog works with; every reference must outlive it.
struct SaveLoadServices {
    const HomeDirectory& Home;
    WorldStorage& Storage;
    Localisation& Captions;
    // ListViewStyle: 1 icons, anything else the list.
    MainSettings& Settings;
    // The delete question and the errors of renaming and deleting.
    Dialogs& Boxes;
    // Windows-1251; empty when no world is open.
    std::string OpenWorld;
};

class SaveLoadForm final : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* Section = "SaveLoadForm";
    static constexpr int IconStyle = 1;
    static constexpr int ListStyle = 2;

    // Looks up its texts (which may write language.ini and throw
    // FileWriteError) and lists the worlds. `proposed` is Windows-1251; the
    // load mode starts with an empty name whatever is proposed.
    SaveLoadForm(SaveLoadServices services, SaveLoadMode mode, const std::string& proposed,
                 QWidget* parent = nullptr);

    // The name field without surrounding blanks, Windows-1251.
    std::string Name() const;

    // 1 (icons) or 2 (list); stored in ListViewStyle.
    void SetViewStyle(int style);
    // The list's menu commands on the selected world.
    void RenameSelected();
    void DeleteSelected();

    // Closes with OK when the name field holds a name Windows-1251 can spell.
    void accept() override;

    QLabel* lblWhatIsAWorld = nullptr;
    QLabel* lblName = nullptr;
    QListWidget* ListViewWorlds = nullptr;
    QLineEdit* EditName = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* ButtonCancel = nullptr;
    QMenu* PopupList = nullptr;
    QAction* nSelect = nullptr;
    QMenu* nView = nullptr;
    QAction* nIcons = nullptr;
    QAction* nList = nullptr;
    QAction* nRename = nullptr;
    QAction* nDelete = nullptr;

private:
    void BuildWidgets();
    void LocaliseAndFill(SaveLoadMode mode, const std::string& proposed);
    void NameEdited();
    void TakeSelectedName();
    void ShowMenu(const QPoint& at);
    void ItemRenamed(QListWidgetItem* item);
    QListWidgetItem* SelectedItem() const;
    bool IsOpenWorld(const QListWidgetItem* item) const;
    std::string Text(const char* key, const char* defaultUtf8) const;

    SaveLoadServices services_;
    SaveLoadMode mode_;
    QActionGroup* viewGroup_ = nullptr;
    // A name put back after a refused rename is no rename.
    bool restoringName_ = false;
};

}  // namespace trellan
