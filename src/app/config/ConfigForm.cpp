#include "app/config/ConfigForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

#include "app/config/ConfigBindings.h"
#include "app/config/ConfigCaptions.h"
#include "app/config/ConfigWidgets.h"
#include "app/config/ExitWizardForm.h"
#include "app/map/MapPage.h"
#include "app/map/MapWiring.h"
#include "app/window/Dialogs.h"
#include "app/window/MainCaptions.h"
#include "app/window/Transparency.h"
#include "app/window/TrellanForm.h"
#include "common/Errors.h"
#include "mapping/MappingConfig.h"
#include "mapping/RoomColorReplacement.h"
#include "runtime/TrellanRuntime.h"
#include "text/Cp1251.h"
#include "text/W1251.h"
#include "view/BuiltinSkin.h"
#include "view/ColorRef.h"
#include "view/QtText.h"

namespace trellan {

namespace {

constexpr int kScrollButtons = 5;

// A port field's value; nothing when it is empty or out of range.
std::optional<int> PortOf(const QLineEdit& field) {
    bool ok = false;
    const int port = field.text().toInt(&ok);
    if (!ok || port < 1 || port > 65535) return std::nullopt;
    return port;
}

}  // namespace

int ScrollMultIndex(int scrollMult) {
    int index = 0;
    while (scrollMult > 1) {
        scrollMult /= 2;
        ++index;
    }
    return std::min(index, kScrollButtons - 1);
}

ConfigForm::ConfigForm(TrellanRuntime& runtime, TrellanForm& window, MapWiring& map, Dialogs& dialogs,
                       ConfigFormOptions options, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      runtime_(runtime),
      window_(window),
      map_(map),
      dialogs_(dialogs),
      options_(options) {
    setObjectName("ConfigForm");
    BuildConfigPages(*this, Pages);
    bindings_ = std::make_unique<ConfigBindings>(*this, runtime_.Settings(), runtime_.Profile());
    LocaliseConfigForm(*this, runtime_.Captions());

    ChooseColor = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        if (!chosen.isValid()) return std::nullopt;
        return chosen;
    };
    ChooseSkinFile = [this](const QString& title, const QString& directory, const QString& proposed) {
        return QFileDialog::getOpenFileName(this, title, directory + "/" + proposed,
                                            QStringLiteral("ini files (*.ini)"));
    };
    RunExitWizard = [](ExitWizardForm& wizard) { wizard.exec(); };

    Fill();
    ConnectTools();
    // Wide enough for every tab to show its caption, whatever the language.
    resize(std::max(600, Pages.PageControl->tabBar()->sizeHint().width() + 40), 560);
}

ConfigForm::~ConfigForm() = default;

std::string ConfigForm::Text(const char* section, const char* key, const char* defaultUtf8) const {
    return runtime_.Captions().GetCaption(section, key, Utf8ToCp1251(defaultUtf8));
}

void ConfigForm::Fill() {
    const MainSettings& settings = runtime_.Settings();
    const WorldProfile& profile = runtime_.Profile();
    bindings_->Fill();
    mapWords_ = ProfileExitWords(profile);

    // The client side only ever listens on this machine unless the profile says otherwise.
    Pages.ClientName->setText(profile.ClientAddress == "127.0.0.1" ? QStringLiteral("localhost")
                                                                   : ToQt(profile.ClientAddress));
    Pages.ClientPort->setText(QString::number(profile.ClientPort));
    Pages.ServerName->setText(ToQt(profile.ServerName));
    Pages.ServerPort->setText(QString::number(profile.ServerPort));
    Pages.ServerEncoding->setCurrentText(QString::fromLatin1(ServerCharsetName(ProfileServerCharset(profile))));
    Pages.MccpEnabled->setChecked(profile.MccpEnabled);
    const QString disconnectFirst = ToQt(W1251("Отключитесь от MUD, чтобы изменить"));
    for (QWidget* field :
         std::initializer_list<QWidget*>{Pages.ClientPort, Pages.ServerName, Pages.ServerPort, Pages.MccpEnabled}) {
        field->setEnabled(!options_.Connected);
        field->setToolTip(options_.Connected ? disconnectFirst : QString());
    }
    // A server given with --server is the one in use for this run; the
    // profile's own stays as it is, and is named beside it.
    const ProxyConfig& connection = runtime_.Connection();
    QStringList notes;
    if (!connection.ServerOverride.empty()) {
        Pages.ServerName->setText(ToQt(connection.ServerHost()));
        Pages.ServerPort->setText(QString::number(connection.ServerPortInUse()));
        Pages.ServerName->setEnabled(false);
        Pages.ServerPort->setEnabled(false);
        const std::string own = profile.ServerName.empty() ? W1251("не задан")
                                                           : profile.ServerName + ":" + std::to_string(profile.ServerPort);
        notes << ToQt(W1251("Сервер задан в командной строке (--server) на этот запуск; в профиле: ") + own);
    }
    if (options_.Connected) notes << ToQt(W1251("Соединение открыто: отключитесь от MUD, чтобы изменить адрес и порты."));
    Pages.ServerNote->setText(notes.join(QLatin1Char('\n')));
    Pages.ServerNote->setVisible(!notes.isEmpty());

    FillTextureList(*Pages.Texture, static_cast<std::uint32_t>(settings.PanelColor));
    const int entry = settings.PanelBitmap + 1;
    Pages.Texture->setCurrentIndex(entry >= 0 && entry < Pages.Texture->count() ? entry : 0);
    Pages.Preview->SetColorRef(static_cast<std::uint32_t>(settings.PanelColor));
    Pages.Preview->SetTexture(Pages.Texture->currentIndex() - 1);

    Pages.NoTransparency->setChecked(settings.NoTransparency);
    Pages.NoTransparency->setEnabled(options_.LayeredWindows);
    Pages.ScrollMult->button(ScrollMultIndex(settings.ScrollMult))->setChecked(true);

    Pages.SkinFile->setText(ToQt(profile.SkinIniFile));
    Pages.RoomColorFrom->SetColorRef(map_.Skins().SkinRoomColor);
    Pages.RoomColorTo->SetColorRef(map_.Skins().SkinRoomColor);

    Pages.StepCount->setText(QString::number(settings.SpeedWalkLength));
    Pages.MaxSteps->setText(QString::number(settings.MaxSpeedWalkLength));

    UpdatePromptExit();
    Pages.PageControl->setCurrentIndex(0);
}

void ConfigForm::ConnectTools() {
    connect(Pages.UsePromptExit, &QCheckBox::toggled, this, &ConfigForm::UpdatePromptExit);
    connect(Pages.Color, &QPushButton::clicked, this, &ConfigForm::ChooseBackgroundColor);
    connect(Pages.Texture, &QComboBox::currentIndexChanged, this, &ConfigForm::SelectTexture);
    connect(Pages.SkinChoose, &QPushButton::clicked, this, &ConfigForm::PickSkinFile);
    connect(Pages.NoSkin, &QPushButton::clicked, this, &ConfigForm::UseDefaultSkin);
    connect(Pages.RoomColorFrom, &QPushButton::clicked, this, [this] { ChooseSwatchColor(*Pages.RoomColorFrom); });
    connect(Pages.RoomColorTo, &QPushButton::clicked, this, [this] { ChooseSwatchColor(*Pages.RoomColorTo); });
    connect(Pages.ReplaceColor, &QPushButton::clicked, this, &ConfigForm::ReplaceRoomColors);
    connect(Pages.ExitWizard, &QPushButton::clicked, this, &ConfigForm::OpenExitWizard);
    connect(Pages.ButtonOk, &QPushButton::clicked, this, [this] { ApplyAndClose(); });
    connect(Pages.ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void ConfigForm::UpdatePromptExit() {
    const bool on = Pages.UsePromptExit->isChecked();
    for (QWidget* field :
         std::initializer_list<QWidget*>{Pages.PromptExitLabel, Pages.PromptExitStart, Pages.PromptExitEnd}) {
        field->setEnabled(on);
    }
}

// --- The live tools ---------------------------------------------------------------

void ConfigForm::ChooseBackgroundColor() {
    const QColor current = QColor::fromRgb(ColorRefToRgb(Pages.Preview->ColorRef()));
    if (const std::optional<QColor> chosen = ChooseColor(current)) {
        Pages.Preview->SetColorRef(RgbToColorRef(chosen->rgb()));
        FillTextureList(*Pages.Texture, Pages.Preview->ColorRef());
    }
    // Choosing a colour means the plain colour, chosen or not.
    Pages.Texture->setCurrentIndex(0);
    Pages.Preview->SetTexture(-1);
}

void ConfigForm::SelectTexture(int entry) {
    Pages.Preview->SetTexture(entry - 1);
}

void ConfigForm::PickSkinFile() {
    const std::string world = runtime_.TheWorld().CurrentWorld;
    const QString directory = world.empty() ? QString::fromStdString(runtime_.Home().Root())
                                            : QString::fromStdString(runtime_.Home().WorldDirectory(world));
    const QString chosen = ChooseSkinFile(Pages.SkinLabel->text(), directory, Pages.SkinFile->text());
    if (chosen.isEmpty()) return;
    Pages.SkinFile->setText(QFileInfo(chosen).fileName());
}

void ConfigForm::UseDefaultSkin() {
    Pages.SkinFile->setText(QString::fromLatin1(SkinSet::kDefaultFile));
}

void ConfigForm::ChooseSwatchColor(ColorSwatch& swatch) {
    if (const std::optional<QColor> chosen = ChooseColor(QColor::fromRgb(ColorRefToRgb(swatch.ColorRef())))) {
        swatch.SetColorRef(RgbToColorRef(chosen->rgb()));
    }
}

void ConfigForm::ReplaceRoomColors() {
    ReplaceRoomColor(runtime_.TheWorld(), Pages.RoomColorFrom->ColorRef(), Pages.RoomColorTo->ColorRef());
    runtime_.View().Refresh();
}

void ConfigForm::OpenExitWizard() {
    std::array<std::string, kDirectionCount> labels;
    static const char* const names[] = {"lblExitN", "lblExitS", "lblExitW", "lblExitE", "lblExitU", "lblExitD"};
    for (int d = 0; d < kDirectionCount; ++d) labels[d] = FromQt(findChild<QLabel*>(names[d])->text());
    ExitWizardForm wizard(runtime_.Captions(), labels, mapWords_, dialogs_, this);
    wizard.Convert = [this](const ExitWords& oldWords, const ExitWords& newWords) {
        for (int d = 0; d < kDirectionCount; ++d) Pages.ExitWords[d]->setText(ToQt(newWords.Word[d]));
        // The exit states follow the new words, which are the ones in force
        // once this dialog is confirmed.
        runtime_.Storage().ReplaceExitWords(oldWords, newWords, newWords);
        mapWords_ = newWords;
        runtime_.View().Refresh();
    };
    RunExitWizard(wizard);
}

// --- OK -------------------------------------------------------------------------------

bool ConfigForm::PortsValid() {
    if (options_.Connected) return true;
    for (QLineEdit* field : {Pages.ClientPort, Pages.ServerPort}) {
        if (PortOf(*field)) continue;
        dialogs_.Error(Text(ConfigFormSection, "BadPort", "Порт - это число от 1 до 65535."));
        Pages.PageControl->setCurrentIndex(0);
        field->setFocus();
        field->selectAll();
        return false;
    }
    return true;
}

bool ConfigForm::ApplyAndClose() {
    // Checked before anything is applied, so a refused OK changes nothing.
    if (!PortsValid()) return false;
    MainSettings& settings = runtime_.Settings();
    WorldProfile& profile = runtime_.Profile();

    // 1. The connection, only while no MUD session is open.
    ApplyConnection();

    // 2., 5., 7., 8. The fields the tables bind: options, texts, markers
    // (decoded again), templates and lists.
    bindings_->Store();
    profile.ServerEncoding = FromQt(Pages.ServerEncoding->currentText());
    // The search command is the profile's; the main setting follows it until the next load.
    settings.RequestObject = profile.RequestCommand;
    settings.PanelBitmap = Pages.Texture->currentIndex() - 1;
    window_.Map->SetNoteVisible(settings.ShowNote);

    // 3. Transparency, 4. scroll speed, 6. speedwalk lengths.
    ApplyTransparency();
    if (Pages.ScrollMult->checkedId() >= 0) settings.ScrollMult = 1 << Pages.ScrollMult->checkedId();
    ApplySpeedwalkLengths();

    // 8. The map background; the tracker and the map take the new words.
    settings.PanelColor = static_cast<int>(Pages.Preview->ColorRef());
    runtime_.ApplyTrackerSettings();
    runtime_.View().Refresh();

    // 9. Another skin file; 10. both files, in full.
    ApplySkin();
    WriteSettings();
    accept();
    return true;
}

void ConfigForm::ApplyConnection() {
    if (options_.Connected) return;
    WorldProfile& profile = runtime_.Profile();
    // The fields show a --server given for this run, which is not saved.
    const bool overridden = !runtime_.Connection().ServerOverride.empty();
    QString server = overridden ? ToQt(profile.ServerName) : Pages.ServerName->text();
    server.remove(QLatin1Char(' '));
    server.remove(QLatin1Char('\t'));
    if (!overridden) Pages.ServerName->setText(server);

    const int oldClientPort = profile.ClientPort;
    const std::string oldServer = profile.ServerName;
    const int oldServerPort = profile.ServerPort;
    const bool oldMccp = profile.MccpEnabled;
    profile.ClientPort = *PortOf(*Pages.ClientPort);
    if (!overridden) profile.ServerPort = *PortOf(*Pages.ServerPort);
    profile.ServerName = FromQt(server);
    profile.MccpEnabled = Pages.MccpEnabled->isChecked();
    // Listening again drops a client that is waiting for its server; only
    // when something changed.
    if (profile.ClientPort == oldClientPort && profile.ServerName == oldServer && profile.ServerPort == oldServerPort &&
        profile.MccpEnabled == oldMccp) {
        return;
    }
    if (runtime_.ApplyConnection()) return;
    // A port that cannot be bound: the old one keeps the client able to connect.
    const std::string error = runtime_.ListenError();
    profile.ClientPort = oldClientPort;
    runtime_.ApplyConnection();
    Report(error);
}

void ConfigForm::ApplyTransparency() {
    MainSettings& settings = runtime_.Settings();
    const bool off = Pages.NoTransparency->isChecked();
    if (off && !settings.NoTransparency) {
        dialogs_.Information(Text(MainFormSection, "TransparencyWillTurnedOn",
                                  "Управление прозрачностью будет выключено при следующем запуске программы."));
    }
    settings.NoTransparency = off;
    Transparency& control = *window_.TransparencyControl;
    control.SetAvailable(options_.LayeredWindows && !off);
    control.Apply();
}

void ConfigForm::ApplySpeedwalkLengths() {
    MainSettings& settings = runtime_.Settings();
    // The fields hold digits only; an empty one keeps the value.
    if (!Pages.StepCount->text().isEmpty()) settings.SpeedWalkLength = Pages.StepCount->text().toInt();
    if (!Pages.MaxSteps->text().isEmpty()) settings.MaxSpeedWalkLength = Pages.MaxSteps->text().toInt();
    if (settings.SpeedWalkLength < 1) settings.SpeedWalkLength = 5;
    if (settings.MaxSpeedWalkLength < 10) settings.MaxSpeedWalkLength = 10;
}

void ConfigForm::ApplySkin() {
    WorldProfile& profile = runtime_.Profile();
    const std::string file = FromQt(Pages.SkinFile->text().trimmed());
    if (file == profile.SkinIniFile) return;
    const std::string oldFile = profile.SkinIniFile;
    const int oldSkin = profile.CurrentSkin;
    profile.SkinIniFile = file;
    // The chooser goes back to the file's first skin.
    profile.CurrentSkin = 0;
    try {
        map_.LoadProfileSkins();
    } catch (const TrellanError& error) {
        // The skins stay as they were, and so does the profile.
        profile.SkinIniFile = oldFile;
        profile.CurrentSkin = oldSkin;
        Report(error.what());
    }
    runtime_.View().Refresh();
}

void ConfigForm::WriteSettings() {
    // The window's own part (geometry, transparency, tree) as it is now.
    window_.StoreSettings(runtime_.Settings());
    const StorageResult written = runtime_.Storage().WriteSettings(WorldStorage::ProfileSections::All);
    for (const std::string& error : written.Errors) Report(error);
}

void ConfigForm::Report(const std::string& message) {
    if (ErrorReported) {
        ErrorReported(message);
    } else {
        dialogs_.Error(message);
    }
}

}  // namespace trellan
