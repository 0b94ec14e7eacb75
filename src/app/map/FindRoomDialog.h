#pragma once
// The find dialog of the room search: a text and Find Next, nothing about
// letter case, whole words or direction (the search has its own rules for
// those). Modeless; it stays open while the player looks at each match.
// Texts come from section "MainForm" under the widgets' object names.
#include <QDialog>
#include <functional>
#include <string>

class QLineEdit;
class QPushButton;

namespace trellan {

class Localisation;

class FindRoomDialog final : public QDialog {
    Q_OBJECT

public:
    // `captions` may be null (built-in texts); it must outlive the dialog.
    FindRoomDialog(Localisation* captions, QWidget* parent = nullptr);

    // The text to find, Windows-1251.
    std::string Text() const;
    void SetText(const std::string& text);

    // Find Next was pressed (never with an empty text).
    std::function<void(const std::string& text)> FindNext;

    QLineEdit* EditFindWhat = nullptr;
    QPushButton* BtnFindNext = nullptr;
    QPushButton* BtnCancel = nullptr;
};

}  // namespace trellan
