#pragma once
// The exit-word replacement: when the way a MUD names its exits changes and
// maps exist, the exits texts of every room must be converted to the new
// words (and converting back restores them). Shows the words the rooms are
// written in and six fields for the new ones; "Заменить" is enabled only
// while all twelve fields hold something, asks once more, and then hands
// both sets of words to Convert and closes with Accepted.
#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "model/ExitWords.h"

class QLineEdit;
class QPushButton;

namespace trellan {

class Dialogs;
class Localisation;

class ExitWizardForm final : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* Section = "ExitWizardForm";

    // `directionLabels` are the six direction captions (north, south, west,
    // east, up, down; Windows-1251). `localisation` and `dialogs` must
    // outlive the form; looking the texts up may throw FileWriteError.
    ExitWizardForm(Localisation& localisation, const std::array<std::string, kDirectionCount>& directionLabels,
                   const ExitWords& current, Dialogs& dialogs, QWidget* parent = nullptr);

    QLineEdit* OldWord(Direction direction) const { return old_[Index(direction)]; }
    QLineEdit* NewWord(Direction direction) const { return new_[Index(direction)]; }
    QPushButton* ReplaceButton() const { return replace_; }

    ExitWords OldWords() const;
    ExitWords NewWords() const;

    // "Заменить": the question, then Convert and the form closes; on No the
    // form stays open.
    void ConfirmReplace();

    // Converts the rooms; called once, after the player confirmed.
    std::function<void(const ExitWords& oldWords, const ExitWords& newWords)> Convert;

private:
    void UpdateReplaceButton();

    Localisation& localisation_;
    Dialogs& dialogs_;
    std::array<QLineEdit*, kDirectionCount> old_{};
    std::array<QLineEdit*, kDirectionCount> new_{};
    QPushButton* replace_ = nullptr;
};

}  // namespace trellan
