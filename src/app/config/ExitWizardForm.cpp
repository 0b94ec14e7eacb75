#include "app/config/ExitWizardForm.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/config/ConfigCaptions.h"
#include "app/window/Dialogs.h"
#include "settings/Localisation.h"
#include "text/Cp1251.h"
#include "view/QtText.h"

namespace trellan {

namespace {

ExitWords WordsOf(const std::array<QLineEdit*, kDirectionCount>& fields) {
    ExitWords words;
    for (int d = 0; d < kDirectionCount; ++d) words.Word[d] = FromQt(fields[d]->text());
    return words;
}

}  // namespace

ExitWizardForm::ExitWizardForm(Localisation& localisation,
                               const std::array<std::string, kDirectionCount>& directionLabels,
                               const ExitWords& current, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      localisation_(localisation),
      dialogs_(dialogs) {
    setObjectName("ExitWizardForm");
    std::string title, info, oldCaption, newCaption, replace, cancel;
    {
        Localisation::Batch batch(localisation);
        const auto text = [&](const char* key, const char* defaultUtf8) {
            return localisation.GetCaption(Section, key, Utf8ToCp1251(defaultUtf8));
        };
        title = text("Caption", "Замена выходов");
        info = text("lblInfo",
                    "Если меняется способ распознавания выходов, а карты уже есть, строки выходов всех комнат "
                    "мира нужно сконвертировать: каждое текущее слово заменяется новым. Обратная замена "
                    "восстанавливает прежние строки.");
        oldCaption = text("lblOldWords", "Сейчас");
        newCaption = text("lblNewWords", "Заменить на");
        replace = text("btnReplace", "Заменить");
        cancel = text("btnCancel", "Отмена");
        batch.Finish();
    }
    setWindowTitle(ToQt(title));

    auto* layout = new QVBoxLayout(this);
    auto* explanation = new QLabel(ToQt(info));
    explanation->setObjectName("lblInfo");
    explanation->setWordWrap(true);
    layout->addWidget(explanation);

    auto* grid = new QGridLayout;
    auto* oldLabel = new QLabel(ToQt(oldCaption));
    oldLabel->setObjectName("lblOldWords");
    auto* newLabel = new QLabel(ToQt(newCaption));
    newLabel->setObjectName("lblNewWords");
    grid->addWidget(oldLabel, 0, 1);
    grid->addWidget(newLabel, 0, 2);
    static const char* const suffix[] = {"N", "S", "W", "E", "U", "D"};
    for (int d = 0; d < kDirectionCount; ++d) {
        auto* direction = new QLabel(ToQt(directionLabels[d]));
        old_[d] = new QLineEdit(ToQt(current.Word[d]));
        old_[d]->setObjectName(QStringLiteral("edOld%1").arg(QLatin1String(suffix[d])));
        new_[d] = new QLineEdit;
        new_[d]->setObjectName(QStringLiteral("edNew%1").arg(QLatin1String(suffix[d])));
        direction->setBuddy(old_[d]);
        grid->addWidget(direction, d + 1, 0);
        grid->addWidget(old_[d], d + 1, 1);
        grid->addWidget(new_[d], d + 1, 2);
        for (QLineEdit* field : {old_[d], new_[d]}) {
            connect(field, &QLineEdit::textChanged, this, &ExitWizardForm::UpdateReplaceButton);
        }
    }
    layout->addLayout(grid);

    auto* buttons = new QDialogButtonBox;
    replace_ = buttons->addButton(ToQt(replace), QDialogButtonBox::ActionRole);
    replace_->setObjectName("btnReplace");
    QPushButton* cancelButton = buttons->addButton(ToQt(cancel), QDialogButtonBox::RejectRole);
    cancelButton->setObjectName("btnCancel");
    connect(replace_, &QPushButton::clicked, this, &ExitWizardForm::ConfirmReplace);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    UpdateReplaceButton();
    // The old words are usually right; the new ones are what the player came for.
    new_[0]->setFocus();
    resize(420, sizeHint().height());
}

ExitWords ExitWizardForm::OldWords() const {
    return WordsOf(old_);
}

ExitWords ExitWizardForm::NewWords() const {
    return WordsOf(new_);
}

void ExitWizardForm::UpdateReplaceButton() {
    bool filled = true;
    for (int d = 0; d < kDirectionCount; ++d)
        filled = filled && !old_[d]->text().isEmpty() && !new_[d]->text().isEmpty();
    replace_->setEnabled(filled);
}

void ExitWizardForm::ConfirmReplace() {
    if (!replace_->isEnabled()) return;
    const std::string question = localisation_.GetCaption(
        ConfigFormSection, "ConvertMaps",
        Utf8ToCp1251("Вы действительно хотите заменить способ выбора автовыходов и сконвертировать карты?"));
    if (!dialogs_.Question(question)) return;
    if (Convert) Convert(OldWords(), NewWords());
    accept();
}

}  // namespace trellan
