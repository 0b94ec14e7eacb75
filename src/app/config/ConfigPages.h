#pragma once
// The eight pages of the configuration dialog and the elements its code
// works with. Every element carries an object name: labels, group boxes and
// buttons their localisation key, fields the name the settings bindings
// find them by ("ed" + the setting). The dialog owns everything.
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace trellan {

class ColorPreview;
class ColorSwatch;

struct ConfigPages {
    QTabWidget* PageControl = nullptr;

    // "Соединение"
    QLineEdit* ClientName = nullptr;
    QLineEdit* ClientPort = nullptr;
    QLineEdit* ServerName = nullptr;
    QLineEdit* ServerPort = nullptr;
    QComboBox* ServerEncoding = nullptr;
    // Why the server fields show what they show, or cannot be edited.
    QLabel* ServerNote = nullptr;
    QCheckBox* MccpEnabled = nullptr;

    // "Автоматика"
    QCheckBox* UsePromptExit = nullptr;
    QLabel* PromptExitLabel = nullptr;
    QLineEdit* PromptExitStart = nullptr;
    QLineEdit* PromptExitEnd = nullptr;
    QPushButton* ExitWizard = nullptr;
    // North, south, west, east, up, down, like the rooms' lists of six.
    std::array<QLineEdit*, 6> ExitWords{};

    // "Общие"
    QPushButton* Color = nullptr;
    QComboBox* Texture = nullptr;
    ColorPreview* Preview = nullptr;
    QCheckBox* NoTransparency = nullptr;
    // Button i stands for the factor 2 to the power i (x1 ... x16).
    QButtonGroup* ScrollMult = nullptr;
    QLabel* SkinLabel = nullptr;
    QLineEdit* SkinFile = nullptr;
    QPushButton* SkinChoose = nullptr;
    QPushButton* NoSkin = nullptr;
    ColorSwatch* RoomColorFrom = nullptr;
    ColorSwatch* RoomColorTo = nullptr;
    QPushButton* ReplaceColor = nullptr;

    // "Управление"
    QLineEdit* StepCount = nullptr;
    QLineEdit* MaxSteps = nullptr;

    QPushButton* ButtonOk = nullptr;
    QPushButton* ButtonCancel = nullptr;
};

// Builds the pages and the two buttons into `dialog`.
void BuildConfigPages(QDialog& dialog, ConfigPages& pages);

// The pages one by one (ConfigPages.cpp and ConfigPagesGeneralFollowingControlLore.cpp).
QWidget* BuildConnectionPage(ConfigPages& pages);
QWidget* BuildMovesPage();
QWidget* BuildAutomaticsPage(ConfigPages& pages);
QWidget* BuildMessagesPage();
QWidget* BuildGeneralPage(ConfigPages& pages);
QWidget* BuildFollowingPage();
QWidget* BuildControlPage(ConfigPages& pages);
QWidget* BuildLorePage();

}  // namespace trellan
