#include "app/map/FindRoomDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/window/MainCaptions.h"
#include "settings/Localisation.h"
#include "text/W1251.h"
#include "view/QtText.h"

namespace trellan {

namespace {

QString Caption(Localisation* captions, const char* key, const char* utf8Default) {
    const std::string text = captions != nullptr
                                 ? captions->GetCaption(MainFormSection, key, W1251(utf8Default))
                                 : W1251(utf8Default);
    return ToQt(text);
}

}  // namespace

FindRoomDialog::FindRoomDialog(Localisation* captions, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName("FindRoomDialog");
    setWindowTitle(Caption(captions, "FindRoomDialog", "Найти"));
    setModal(false);

    auto* layout = new QHBoxLayout(this);
    auto* label = new QLabel(Caption(captions, "lblFindWhat", "Что:"), this);
    label->setObjectName("lblFindWhat");
    EditFindWhat = new QLineEdit(this);
    EditFindWhat->setObjectName("EditFindWhat");
    EditFindWhat->setMinimumWidth(220);
    label->setBuddy(EditFindWhat);
    // The text line stands level with Find Next, as in every find dialog.
    auto* line = new QHBoxLayout;
    line->addWidget(label);
    line->addWidget(EditFindWhat, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(line);
    left->addStretch(1);
    layout->addLayout(left, 1);

    auto* buttons = new QVBoxLayout;
    BtnFindNext = new QPushButton(Caption(captions, "btnFindNext", "Найти далее"), this);
    BtnFindNext->setObjectName("btnFindNext");
    BtnFindNext->setDefault(true);
    BtnFindNext->setEnabled(false);
    BtnCancel = new QPushButton(Caption(captions, "btnFindCancel", "Отмена"), this);
    BtnCancel->setObjectName("btnFindCancel");
    buttons->addWidget(BtnFindNext);
    buttons->addWidget(BtnCancel);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(EditFindWhat, &QLineEdit::textChanged, this,
            [this](const QString& text) { BtnFindNext->setEnabled(!text.isEmpty()); });
    connect(BtnFindNext, &QPushButton::clicked, this, [this] {
        const std::string text = Text();
        if (!text.empty() && FindNext) FindNext(text);
    });
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::string FindRoomDialog::Text() const {
    return FromQt(EditFindWhat->text());
}

void FindRoomDialog::SetText(const std::string& text) {
    EditFindWhat->setText(ToQt(text));
}

}  // namespace trellan
