#include "app/zonetree/ZoneTreeKeys.h"

#include <QAction>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

#include "mapping/ViewState.h"
#include "settings/MainSettings.h"

namespace trellan {

ZoneTreeKeys::ZoneTreeKeys(ViewState& view, const MainSettings& settings, Targets targets, QObject* parent)
    : QObject(parent),
      view_(view),
      settings_(settings),
      rows_(targets.Rows),
      columns_(targets.Columns),
      levelUp_(targets.LevelUp),
      levelDown_(targets.LevelDown) {}

bool ZoneTreeKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Ctrl with the keypad's plus and minus changes the level here; the
        // map's zoom keys must not take them first.
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers();
        if (settings_.SwapUpDown && mods.testFlag(Qt::ControlModifier) && mods.testFlag(Qt::KeypadModifier) &&
            (key->key() == Qt::Key_Plus || key->key() == Qt::Key_Minus)) {
            event->accept();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
        return QObject::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (!key->modifiers().testFlag(Qt::ControlModifier)) return false;
    if (event->type() == QEvent::KeyRelease) return true;
    const bool keypad = key->modifiers().testFlag(Qt::KeypadModifier);
    switch (key->key()) {
        case Qt::Key_Up:
            Step(rows_, view_.DX, -1);
            break;
        case Qt::Key_Down:
            Step(rows_, view_.DX, +1);
            break;
        case Qt::Key_Left:
            Step(columns_, view_.DY, -1);
            break;
        case Qt::Key_Right:
            Step(columns_, view_.DY, +1);
            break;
        case Qt::Key_Plus:
            if (keypad) Level(true);
            break;
        case Qt::Key_Minus:
            if (keypad) Level(false);
            break;
        default:
            break;
    }
    return true;
}

void ZoneTreeKeys::Step(QScrollBar* bar, int& position, int delta) {
    // The bar's range is the zone's extent; at its end the view stays, but
    // the map is refreshed all the same.
    if (bar != nullptr) {
        position = std::clamp(bar->value() + delta, bar->minimum(), bar->maximum());
    }
    view_.Refresh();
}

void ZoneTreeKeys::Level(bool plus) {
    if (!settings_.SwapUpDown) return;
    QAction* first = plus ? levelDown_ : levelUp_;
    QAction* second = plus ? levelUp_ : levelDown_;
    QAction* pressed = first != nullptr && first->isEnabled() ? first : second;
    if (pressed != nullptr && pressed->isEnabled()) pressed->trigger();
}

}  // namespace trellan
