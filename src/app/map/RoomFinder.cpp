#include "app/map/RoomFinder.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>

#include "app/map/FindRoomDialog.h"
#include "app/window/Dialogs.h"
#include "common/Errors.h"
#include "navigation/NavigationMessages.h"
#include "navigation/RoomSearch.h"

namespace trellan {

RoomFinder::RoomFinder(RoomSearch& search, Localisation& captions, Dialogs& dialogs, QWidget& window)
    : search_(search), captions_(captions), dialogs_(dialogs), window_(&window) {}

void RoomFinder::Connect(QAction* byName, QAction* byDescription) {
    if (byName != nullptr) connect(byName, &QAction::triggered, this, [this] { Open(RoomSearchMode::Name); });
    if (byDescription != nullptr) {
        connect(byDescription, &QAction::triggered, this, [this] { Open(RoomSearchMode::Description); });
    }
}

FindRoomDialog* RoomFinder::Dialog() const {
    return dialog_.data();
}

void RoomFinder::Open(RoomSearchMode mode) {
    search_.Start(mode);
    if (!dialog_) {
        dialog_ = new FindRoomDialog(&captions_, window_);
        dialog_->FindNext = [this](const std::string& text) { FindNext(text); };
        connect(dialog_, &QDialog::finished, this, [this] {
            if (Closed) Closed();
        });
    }
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
    dialog_->EditFindWhat->setFocus();
    dialog_->EditFindWhat->selectAll();
}

void RoomFinder::FindNext(const std::string& text) {
    RoomSearchResult result;
    try {
        result = search_.FindNext(text);
    } catch (const TrellanError& error) {
        // The shown zone could not be written before the switch; its rooms
        // stay in memory for the next save.
        if (ErrorReported) ErrorReported(error.what());
        return;
    }
    if (result.What == RoomSearchResult::Kind::NotFound) dialogs_.Error(RoomNotFoundText(&captions_));
}

}  // namespace trellan
