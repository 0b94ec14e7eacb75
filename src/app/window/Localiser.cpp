#include "app/window/Localiser.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QWidget>

#include "app/window/MainCaptions.h"
#include "settings/Localisation.h"
#include "text/Cp1251.h"
#include "view/QtText.h"

namespace trellan {

namespace {

QTabWidget* TabsOf(QWidget* page) {
    for (QWidget* w = page->parentWidget(); w; w = w->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) return tabs;
    }
    return nullptr;
}

}  // namespace

void Localiser::Apply(QObject& root) {
    Localisation::Batch batch(localisation_);
    for (const CaptionKey& key : MainFormKeys()) {
        captions_[key.Key] = localisation_.GetCaption(MainFormSection, key.Key, Utf8ToCp1251(key.DefaultUtf8));
        SetText(root, key.Key, captions_[key.Key], key.What == CaptionKey::Kind::Hint);
    }
    SetDerived(root);
    // Written once; a file that cannot be written is reported after the
    // window has its texts.
    batch.Finish();
}

std::string Localiser::Caption(const std::string& key) const {
    const auto found = captions_.find(key);
    return found != captions_.end() ? found->second : MainFormDefault(key);
}

void Localiser::SetText(QObject& root, const std::string& key, const std::string& text, bool hint) const {
    const QString name = QString::fromStdString(key);
    const QString shown = ToQt(text);
    for (QObject* object : root.findChildren<QObject*>(name)) {
        if (auto* menu = qobject_cast<QMenu*>(object)) {
            menu->setTitle(shown);
        } else if (auto* action = qobject_cast<QAction*>(object)) {
            if (hint) {
                action->setToolTip(shown);
                if (action->text().isEmpty() || action->text() == action->iconText()) action->setText(shown);
            } else {
                action->setText(shown);
            }
        } else if (auto* widget = qobject_cast<QWidget*>(object)) {
            if (QTabWidget* tabs = TabsOf(widget); tabs && tabs->indexOf(widget) >= 0) {
                tabs->setTabText(tabs->indexOf(widget), shown);
            } else if (hint) {
                widget->setToolTip(shown);
            }
        }
    }
}

void Localiser::SetDerived(QObject& root) const {
    // Popup twins take the main item's caption.
    for (const char* key : {"nNewWorld", "nLoadWorld", "nSaveWorld", "nNewZone", "nSpeedWalk", "nSpeedWalkNT",
                            "nSpeedWalkNTD", "nRemoveRoom"}) {
        SetText(root, std::string("n") + key, Caption(key), false);
    }
    // Direction sub-items take the add-room direction captions.
    static const char* const directions[] = {"North", "South", "East", "West", "Up", "Down"};
    for (int i = 0; i < 6; ++i) {
        const std::string caption = Caption(std::string("to") + directions[i]);
        for (const char* prefix : {"nDoor", "nNewZone", "nMerge"}) {
            SetText(root, prefix + std::string(directions[i]), caption, false);
        }
        if (i < 4) {
            for (const char* prefix : {"nMove", "nLink"})
                SetText(root, prefix + std::string(directions[i]), caption, false);
        }
    }
    SetText(root, "nSteps", Caption("nWalking"), false);
    SetText(root, "nLastColor", Caption("nColor"), false);
    for (int percent = 0; percent <= 80; percent += 10) {
        SetText(root, "nTransparency" + std::to_string(percent),
                TransparencyItemText(Caption("nTransparency"), percent), false);
    }
    SetText(root, "btnUndo", Caption("nUndoMap"), true);
    SetText(root, "btnSave", HintWithKey(Caption("nSaveWorld"), "F3"), true);
    SetText(root, "btnConfig", HintWithKey(Caption("nConfig"), "Alt+F9"), true);
    SetText(root, "btnCenter", HintWithKey(Caption("nCenter"), "F8"), true);
    SetText(root, "btnZoomFit", HintWithKey(Caption("nZoomFit"), "Ctrl+9"), true);
    SetText(root, "btnRoomNames", Caption("nRoomNames"), true);
    SetText(root, "btnSteps", HintWithKey(Caption("nWalking"), "F9"), true);
    SetText(root, "btnShowTree", HintWithKey(Caption("nShowTree"), "F5"), true);
    SetText(root, "btnShortMode", HintWithKey(Caption("nAutolink"), "F6"), true);
    SetText(root, "btnStayOnTop", HintWithKey(Caption("nStayOnTop"), "F7"), true);
    SetText(root, "btnWalking", HintWithKey(Caption("nStopTrace"), "Shift+F9"), true);
}

}  // namespace trellan
