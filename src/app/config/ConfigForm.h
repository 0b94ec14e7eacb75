#pragma once
// The configuration dialog: the connection and the loaded world's profile,
// and the main options, on eight pages. Filled from the settings in memory
// when created; OK applies the fields to the settings, the connection, the
// window and the map, and writes both settings files in full; Cancel
// applies nothing. Three tools act at once, before OK, and are not undone by
// Cancel: the exit-word conversion of the world's rooms, the room colour
// replacement, and the skin file chooser (which only fills its field).
//
// Created when the command is chosen, shown modally, destroyed when closed.
// The runtime, the window, the map wiring and the message boxes must
// outlive it.
#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/config/ConfigPages.h"
#include "model/ExitWords.h"

class QColor;

namespace trellan {

class ConfigBindings;
class Dialogs;
class ExitWizardForm;
class MapWiring;
class TrellanForm;
class TrellanRuntime;

struct ConfigFormOptions {
    // The window system can make the window translucent.
    bool LayeredWindows = false;
    // A MUD server connection is open (or being opened): the connection
    // fields cannot be changed and OK leaves the sockets alone.
    bool Connected = false;
};

// The scroll-speed button for a factor: the number of halvings down to 1
// (16 gives 4, 3 gives 1, anything up to 1 gives 0), at most the last button.
int ScrollMultIndex(int scrollMult);

class ConfigForm final : public QDialog {
    Q_OBJECT

public:
    // Looks up its texts (which may write language.ini and throw
    // FileWriteError) and fills every field.
    ConfigForm(TrellanRuntime& runtime, TrellanForm& window, MapWiring& map, Dialogs& dialogs,
               ConfigFormOptions options, QWidget* parent = nullptr);
    ~ConfigForm() override;

    ConfigPages Pages;

    // OK: applies the fields in order and closes with Accepted. False (the
    // dialog stays open, nothing applied) when a port field holds no port.
    bool ApplyAndClose();

    // The live tools.
    void ChooseBackgroundColor();
    void SelectTexture(int entry);
    void PickSkinFile();
    void UseDefaultSkin();
    void ChooseSwatchColor(ColorSwatch& swatch);
    void ReplaceRoomColors();
    void OpenExitWizard();

    // The standard choosers, replaceable (tests). The colour chooser returns
    // nothing when cancelled; the file chooser an empty path.
    std::function<std::optional<QColor>(const QColor& initial)> ChooseColor;
    std::function<QString(const QString& title, const QString& directory, const QString& proposed)> ChooseSkinFile;
    // Shows the exit-word dialog modally (tests answer it instead).
    std::function<void(ExitWizardForm& wizard)> RunExitWizard;
    // Where errors go (the program-wide error handler); the message boxes when unset.
    std::function<void(const std::string& message)> ErrorReported;

private:
    void Fill();
    void ConnectTools();
    void UpdatePromptExit();
    bool PortsValid();
    void ApplyConnection();
    void ApplyTransparency();
    void ApplySpeedwalkLengths();
    void ApplySkin();
    void WriteSettings();
    void Report(const std::string& message);
    std::string Text(const char* section, const char* key, const char* defaultUtf8) const;

    TrellanRuntime& runtime_;
    TrellanForm& window_;
    MapWiring& map_;
    Dialogs& dialogs_;
    ConfigFormOptions options_;
    std::unique_ptr<ConfigBindings> bindings_;
    // The words the rooms' exits texts are written in now: the profile's,
    // until the exit-word dialog converts them.
    ExitWords mapWords_;
};

}  // namespace trellan
