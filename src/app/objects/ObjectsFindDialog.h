#pragma once
// The find and the find-and-replace dialog of the objects page: modeless
// windows over the main window that remember their texts between openings.
// Every search goes forward and ignores letter case, so they offer no
// options. Their texts come from section "FindDialog" of the language file.
#include <QDialog>
#include <string>

class QLineEdit;
class QPushButton;

namespace trellan {

class Localisation;

class ObjectsFindDialog final : public QDialog {
    Q_OBJECT

public:
    enum class Kind { Find, Replace };

    // `captions` may be null (the built-in texts); it must outlive the dialog.
    ObjectsFindDialog(Kind kind, Localisation* captions, QWidget* parent = nullptr);

    Kind DialogKind() const { return kind_; }
    // The texts as typed, Windows-1251.
    std::string FindText() const;
    std::string ReplaceText() const;

    QLineEdit* FindEdit = nullptr;
    QLineEdit* ReplaceEdit = nullptr;  // null in the find dialog
    QPushButton* btnFindNext = nullptr;
    QPushButton* btnReplace = nullptr;  // null in the find dialog
    QPushButton* btnReplaceAll = nullptr;
    QPushButton* btnCancel = nullptr;

    // Shows the dialog (or brings it forward) with the text to find selected.
    void Open();

signals:
    void FindNextClicked();
    void ReplaceClicked();
    void ReplaceAllClicked();

private:
    QString Text(const char* key, const char* defaultUtf8) const;

    Kind kind_;
    Localisation* captions_;
};

}  // namespace trellan
