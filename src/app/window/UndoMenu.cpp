#include "app/window/UndoMenu.h"

#include <QAction>
#include <QMenu>

#include "app/window/MainCaptions.h"
#include "app/window/MainMenu.h"
#include "runtime/TrellanRuntime.h"
#include "view/QtText.h"

namespace trellan {

UndoMenu::UndoMenu(MainMenu& menu, TrellanRuntime& runtime, std::function<void()> refreshed)
    : menu_(menu), runtime_(runtime), refreshed_(std::move(refreshed)) {
    QObject::connect(menu_.nEdit, &QMenu::aboutToShow, menu_.nEdit, [this] { Update(); });
    // Shortcuts of a disabled item do not fire: between openings of the
    // menu the items stay enabled (and do nothing when there is no step).
    QObject::connect(menu_.nEdit, &QMenu::aboutToHide, menu_.nEdit, [this] {
        menu_.nUndo->setEnabled(true);
        menu_.nRedo->setEnabled(true);
    });
    QObject::connect(menu_.nUndo, &QAction::triggered, menu_.nEdit, [this] { Run(false); });
    QObject::connect(menu_.nRedo, &QAction::triggered, menu_.nEdit, [this] { Run(true); });
}

void UndoMenu::Update() {
    Localisation& captions = runtime_.Captions();
    const auto show = [&captions](QAction* item, const char* key, const std::optional<std::string>& step) {
        std::string text = captions.GetCaption(MainFormSection, key, MainFormDefault(key));
        if (step) text += ": " + *step;
        item->setText(ToQt(text));
        item->setEnabled(step.has_value());
    };
    show(menu_.nUndo, "nUndo", runtime_.History().UndoName());
    show(menu_.nRedo, "nRedo", runtime_.History().RedoName());
}

void UndoMenu::Run(bool redo) {
    const std::optional<std::string> step = redo ? runtime_.RedoStep() : runtime_.UndoStep();
    if (step && refreshed_) refreshed_();
}

}  // namespace trellan
