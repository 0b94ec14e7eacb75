#include "app/map/AutomapForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <algorithm>
#include <charconv>

#include "settings/Localisation.h"
#include "text/Cp1251.h"
#include "view/QtText.h"

namespace trellan {

namespace {

QComboBox* EditableList(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(18);
    return box;
}

}  // namespace

AutomapForm::AutomapForm(Localisation& localisation, const std::array<std::string, 6>& phrases,
                         const std::vector<std::string>& zones, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), phrases_(phrases) {
    setObjectName("AutomapForm");
    Localisation::Batch batch(localisation);
    const auto text = [&](const char* key, const char* utf8) {
        return ToQt(localisation.GetCaption(Section, key, Utf8ToCp1251(utf8)));
    };
    setWindowTitle(text("Caption", " Автозагрузка карты"));
    auto* grid = new QGridLayout(this);
    const auto label = [&](const char* key, const char* utf8, int row) {
        auto* shown = new QLabel(text(key, utf8), this);
        shown->setObjectName(key);
        grid->addWidget(shown, row, 0);
        return shown;
    };

    label("lblOnExit", "При выходе", 0);
    cbExit = EditableList(this, "cbExit");
    for (const std::string& phrase : phrases_) cbExit->addItem(ToQt(phrase));
    grid->addWidget(cbExit, 0, 1, 1, 2);
    label("lblCommand", "Послать команду", 1);
    edCommand = new QLineEdit(this);
    edCommand->setObjectName("edCommand");
    grid->addWidget(edCommand, 1, 1, 1, 2);
    label("lblLoadZone", "Загрузить карту", 2);
    cbZone = EditableList(this, "cbZone");
    std::vector<std::string> sorted = zones;
    std::sort(sorted.begin(), sorted.end());
    for (const std::string& zone : sorted) cbZone->addItem(ToQt(zone));
    grid->addWidget(cbZone, 2, 1, 1, 2);
    label("lblEnterTheRoom", "Войти в комнату", 3);
    auto* hash = new QLabel(QStringLiteral("#"), this);
    hash->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(hash, 3, 1);
    edRoom = new QLineEdit(this);
    edRoom->setObjectName("edRoom");
    edRoom->setMaxLength(4);
    edRoom->setValidator(new QRegularExpressionValidator(QRegularExpression("[-+0-9][0-9]{0,3}"), edRoom));
    edRoom->setMaximumWidth(edRoom->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    grid->addWidget(edRoom, 3, 2, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);

    auto* buttons = new QDialogButtonBox(this);
    btnOk = buttons->addButton(text("btnOk", "OK"), QDialogButtonBox::AcceptRole);
    btnOk->setObjectName("btnOk");
    btnOk->setDefault(true);
    btnCancel = buttons->addButton(text("btnCancel", "Отмена"), QDialogButtonBox::RejectRole);
    btnCancel->setObjectName("btnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 4, 0, 1, 3);
    batch.Finish();

    // An empty dialog: nothing chosen yet, room 0 (only the zone is loaded).
    SetFields({}, {}, {}, "0");
    connect(cbExit, &QComboBox::editTextChanged, this, [this] { UpdateControls(); });
    connect(cbZone, &QComboBox::editTextChanged, this, [this] { UpdateControls(); });
    connect(edCommand, &QLineEdit::textChanged, this, [this] { UpdateControls(); });
    UpdateControls();
}

void AutomapForm::SetFields(const std::string& zone, const std::string& command, const std::string& exit,
                            const std::string& number) {
    cbZone->setEditText(ToQt(zone));
    edCommand->setText(ToQt(command));
    cbExit->setEditText(ToQt(exit));
    edRoom->setText(ToQt(number));
}

std::string AutomapForm::Zone() const {
    return FromQt(cbZone->currentText());
}

std::string AutomapForm::Exit() const {
    return FromQt(cbExit->currentText());
}

std::string AutomapForm::Command() const {
    return FromQt(edCommand->text());
}

std::string AutomapForm::NumberText() const {
    return FromQt(edRoom->text());
}

std::optional<std::int32_t> AutomapForm::Number() const {
    std::string text = NumberText();
    if (!text.empty() && text.front() == '+') text.erase(0, 1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

void AutomapForm::UpdateControls() {
    const std::string exit = Exit();
    const bool direction = std::find(phrases_.begin(), phrases_.end(), exit) != phrases_.end() && !exit.empty();
    edCommand->setEnabled(direction);
    const bool loads = !exit.empty() && !Zone().empty();
    const bool sends = direction && !edCommand->text().isEmpty();
    btnOk->setEnabled(loads || sends);
}

}  // namespace trellan
