#pragma once
// Window transparency: a slider from 0 to 80 (ticks every 5) and nine menu
// items for 0 % to 80 %. The window's alpha is (100 - position) * 2.55 with
// the fraction cut off; the menu item whose band holds the position is
// checked. Where the window system cannot make a window translucent, or the
// user switched it off, the slider and the menu are disabled and the
// position goes back to 0.
#include <QObject>
#include <array>
#include <functional>
#include <string>

class QAction;
class QMenu;
class QSlider;
class QWidget;

namespace trellan {

// 255 at 0, 229 at 10, 170 at 33, 51 at 80. Positions outside 0..80 are
// brought into it.
int TransparencyAlpha(int position);

// The menu tag (0, 10, ... 80) whose band holds the position: below 6 is 0,
// 6 to 15 is 10, ..., 76 to 80 is 80.
int TransparencyBand(int position);

class Transparency final : public QObject {
    Q_OBJECT

public:
    static constexpr int MaxPosition = 80;
    static constexpr int ItemCount = 9;

    // None of the widgets is owned; all must outlive this object. The menu
    // items carry their tag (0, 10, ... 80) as data. `caption` gives the
    // localised nTransparency text (Windows-1251) for the slider's hint.
    Transparency(QWidget& window, QSlider& slider, QMenu& menu, std::array<QAction*, ItemCount> items,
                 std::function<std::string()> caption, QObject* parent = nullptr);

    // Switched off by the settings or not possible on this window system.
    void SetAvailable(bool available) { available_ = available; }
    bool Available() const { return available_; }

    // Moves the slider and applies the position.
    void SetPosition(int position);
    int Position() const;
    // The alpha last given to the window (255 while opaque).
    int Alpha() const { return alpha_; }

    // Applies the slider's position to the window (again).
    void Apply();

private:
    void OnMenuItem(QAction* item);

    QWidget& window_;
    QSlider& slider_;
    QMenu& menu_;
    std::array<QAction*, ItemCount> items_;
    std::function<std::string()> caption_;
    bool available_ = false;
    int alpha_ = 255;
};

}  // namespace trellan

namespace trellan {

// The window system can make a whole window translucent (X11 with a
// compositing manager, Windows, macOS); a QGuiApplication must exist.
bool WindowOpacityAvailable();

}  // namespace trellan
