#include "app/map/NoteBox.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "app/map/MapPage.h"
#include "model/World.h"
#include "view/QtText.h"
#include "text/TextUtils.h"

namespace trellan {

NoteBox::NoteBox(MapPage& page, World& world, std::function<void()> showCurrentRoom)
    : page_(&page), memo_(page.MemoNote), world_(world), showCurrentRoom_(std::move(showCurrentRoom)) {
    memo_->setReadOnly(true);
    memo_->installEventFilter(this);
    // Mouse events arrive at the text area inside the box.
    memo_->viewport()->installEventFilter(this);
}

NoteBox::~NoteBox() {
    if (memo_) {
        memo_->removeEventFilter(this);
        memo_->viewport()->removeEventFilter(this);
    }
}

void NoteBox::Forget(const MudRoom* room) {
    if (room == noteRoom_) noteRoom_ = nullptr;
}

bool NoteBox::eventFilter(QObject* watched, QEvent* event) {
    if (!memo_) return false;
    switch (event->type()) {
        case QEvent::FocusIn:
            if (watched == memo_ && memo_->isReadOnly()) LeaveToTree();
            break;
        case QEvent::FocusOut: {
            // A context menu or another window taking the keys is not leaving.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (watched == memo_ && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
                FinishEditing();
            }
            break;
        }
        case QEvent::MouseButtonDblClick:
            if (memo_->isReadOnly() && world_.CurrentRoom != nullptr) {
                StartEditing();
                return true;
            }
            break;
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if (watched == memo_ && enter && (key->modifiers() & Qt::ControlModifier)) {
                LeaveToTree();
                return true;
            }
            break;
        }
        default:
            break;
    }
    return false;
}

void NoteBox::StartEditing() {
    noteRoom_ = world_.CurrentRoom;
    memo_->setPlainText(ToQt(ReplaceAll(noteRoom_->Note, "\r\n", "\n")));
    memo_->setReadOnly(false);
    memo_->setFocus(Qt::MouseFocusReason);
}

void NoteBox::FinishEditing() {
    if (memo_->isReadOnly()) return;
    if (noteRoom_ != nullptr) {
        std::string note = ReplaceAll(FromQt(memo_->toPlainText()), "\n", "\r\n");
        if (note != noteRoom_->Note) {
            noteRoom_->Note = std::move(note);
            world_.NoteRoomChanged(noteRoom_);
            world_.MapSaved = false;
        }
    }
    noteRoom_ = nullptr;
    memo_->setReadOnly(true);
    if (showCurrentRoom_) showCurrentRoom_();
}

void NoteBox::LeaveToTree() {
    if (!page_) return;
    QWidget* target = page_->KeyTarget();
    if (target != nullptr && target->isVisible()) {
        target->setFocus(Qt::OtherFocusReason);
    } else {
        // Nowhere to go: leaving still ends the edit.
        FinishEditing();
        memo_->clearFocus();
    }
}

}  // namespace trellan
