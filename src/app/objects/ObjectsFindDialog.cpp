#include "app/objects/ObjectsFindDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/Errors.h"
#include "settings/Localisation.h"
#include "text/Cp1251.h"
#include "view/QtText.h"

namespace trellan {

namespace {

constexpr const char* kSection = "FindDialog";

QPushButton* Button(QVBoxLayout& column, const char* name, const QString& text) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    column.addWidget(button);
    return button;
}

}  // namespace

ObjectsFindDialog::ObjectsFindDialog(Kind kind, Localisation* captions, QWidget* parent)
    : QDialog(parent), kind_(kind), captions_(captions) {
    const bool replace = kind == Kind::Replace;
    setObjectName(replace ? "ReplaceDialog" : "FindDialog");
    setWindowTitle(replace ? Text("ReplaceCaption", "Заменить") : Text("FindCaption", "Найти"));
    setModal(false);

    auto* fields = new QFormLayout;
    FindEdit = new QLineEdit;
    FindEdit->setObjectName("FindText");
    FindEdit->setMinimumWidth(220);
    auto* findLabel = new QLabel(Text("lblFindWhat", "&Что:"));
    findLabel->setObjectName("lblFindWhat");
    findLabel->setBuddy(FindEdit);
    fields->addRow(findLabel, FindEdit);
    if (replace) {
        ReplaceEdit = new QLineEdit;
        ReplaceEdit->setObjectName("ReplaceText");
        auto* replaceLabel = new QLabel(Text("lblReplaceWith", "&Заменить на:"));
        replaceLabel->setObjectName("lblReplaceWith");
        replaceLabel->setBuddy(ReplaceEdit);
        fields->addRow(replaceLabel, ReplaceEdit);
    }

    auto* buttons = new QVBoxLayout;
    btnFindNext = Button(*buttons, "btnFindNext", Text("btnFindNext", "&Найти далее"));
    btnFindNext->setDefault(true);
    if (replace) {
        btnReplace = Button(*buttons, "btnReplace", Text("btnReplace", "&Заменить"));
        btnReplaceAll = Button(*buttons, "btnReplaceAll", Text("btnReplaceAll", "Заменить &все"));
    }
    btnCancel = Button(*buttons, "btnCancel", Text("btnCancel", "Отмена"));
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addStretch(1);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(btnFindNext, &QPushButton::clicked, this, &ObjectsFindDialog::FindNextClicked);
    if (btnReplace) connect(btnReplace, &QPushButton::clicked, this, &ObjectsFindDialog::ReplaceClicked);
    if (btnReplaceAll) connect(btnReplaceAll, &QPushButton::clicked, this, &ObjectsFindDialog::ReplaceAllClicked);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString ObjectsFindDialog::Text(const char* key, const char* defaultUtf8) const {
    std::string text = Utf8ToCp1251(defaultUtf8);
    if (captions_ != nullptr) {
        try {
            text = captions_->GetCaption(kSection, key, text);
        } catch (const TrellanError&) {
            // An unwritable language file leaves the built-in text.
        }
    }
    return ToQt(text);
}

std::string ObjectsFindDialog::FindText() const {
    return FromQt(FindEdit->text());
}

std::string ObjectsFindDialog::ReplaceText() const {
    return ReplaceEdit ? FromQt(ReplaceEdit->text()) : std::string();
}

void ObjectsFindDialog::Open() {
    show();
    raise();
    activateWindow();
    FindEdit->setFocus(Qt::OtherFocusReason);
    FindEdit->selectAll();
}

}  // namespace trellan
