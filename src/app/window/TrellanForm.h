#pragma once
// The main window: menu, the notebook with the map and objects pages (tabs
// below), the debug pane under a splitter, the status bar. It lays out and
// switches its own widgets; the program's state lives in the runtime, and
// GuiRunner wires the two together. Everything here is owned by the window.
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "app/window/MainMenu.h"
#include "app/window/PopupMenus.h"

class QSplitter;
class QTabWidget;

namespace trellan {

class DebugPane;
class Localiser;
class MapPage;
class ObjectsPage;
class StatusPanels;
class Transparency;
struct MainSettings;

class TrellanForm final : public QMainWindow {
    Q_OBJECT

public:
    explicit TrellanForm(QWidget* parent = nullptr);
    ~TrellanForm() override;

    // Gives every element its text; the localiser must outlive the window.
    // Throws FileWriteError when language.ini cannot be written.
    void Localise(Localiser& localiser);
    std::string Caption(const std::string& key) const;

    // Geometry, panes and switches as the settings say; transparency is
    // possible only when `layeredWindows`.
    void ApplySettings(const MainSettings& settings, bool layeredWindows);
    // The window's part of the settings, before they are written.
    void StoreSettings(MainSettings& settings) const;
    // Where a first start (no size in the settings) opens the window.
    QRect FirstStartGeometry() const;

    // "[world.zone] Trellan v. ..." (Windows-1251).
    void SetCaption(const std::string& world, const std::string& zone);

    // The switches as the tracker reports them.
    void ShowTracing(bool tracing);
    void ShowWalkingMode(bool on, bool tellHint);
    void ShowShortMode(bool shortMode);

    // Toggles the tree panels (zone tree with note, objects tree).
    void ToggleTree();
    // Toggles staying above other windows; neither moves nor activates it.
    void ToggleStayOnTop();
    bool StayOnTop() const;

    // Moves the keyboard focus to the zone tree (or the auxiliary tree).
    void FocusKeyTarget();

    // The closing sequence decides whether the window may close; `bySignal`
    // when SIGINT, SIGTERM or SIGHUP asked (nobody is there to answer questions).
    std::function<bool(bool bySignal)> OnClosing;
    // The first activation (and only the first).
    std::function<void()> OnFirstActivation;
    // Closes as a signal asks: the same sequence, no questions.
    void CloseBySignal();

    MainMenu Menu;
    PopupMenus Popups;
    QTabWidget* PageControl = nullptr;
    MapPage* Map = nullptr;
    ObjectsPage* Objects = nullptr;
    QSplitter* SplitterDebug = nullptr;
    DebugPane* Debug = nullptr;
    StatusPanels* Status = nullptr;
    Transparency* TransparencyControl = nullptr;

    bool FirstActivationPending() const { return firstActivation_; }
    // Runs the first activation now unless it has run: for window systems
    // that never activate a window the user did not click.
    void EnsureFirstActivation();
    // Set in the closing sequence; the view refresh stops from then on.
    void MarkClosing(bool closing) { closing_ = closing; }
    bool Closing() const { return closing_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void ConnectWindowCommands();

    Localiser* localiser_ = nullptr;
    bool firstActivation_ = true;
    bool closing_ = false;
    bool closeBySignal_ = false;
    // The closing sequence has run; a second close only closes.
    bool closed_ = false;
};

}  // namespace trellan
