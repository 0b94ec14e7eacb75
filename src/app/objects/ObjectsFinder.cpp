#include "app/objects/ObjectsFinder.h"

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBlock>

#include "app/window/Dialogs.h"
#include "app/objects/ObjectsFindDialog.h"
#include "app/objects/ObjectsPage.h"
#include "app/objects/ObjectsTreeView.h"
#include "app/window/TrellanForm.h"
#include "objects/ObjectsBase.h"

namespace trellan {

namespace {

// The box breaks lines with one character, the descriptions with CR LF.
std::size_t DescriptionOffset(const QTextDocument& document, int position) {
    return static_cast<std::size_t>(position) + static_cast<std::size_t>(document.findBlock(position).blockNumber());
}

}  // namespace

ObjectsFinder::ObjectsFinder(TrellanForm& form, ObjectsBase& base, ObjectsTreeView& view, Dialogs& dialogs,
                             Localisation* captions)
    : form_(form), base_(base), view_(view), dialogs_(dialogs), captions_(captions), search_(base),
      messages_(captions) {}

ObjectsFinder::~ObjectsFinder() {
    delete find_.data();
    delete replace_.data();
}

ObjectsFindDialog* ObjectsFinder::Dialog(bool replace) {
    QPointer<ObjectsFindDialog>& dialog = replace ? replace_ : find_;
    if (dialog) return dialog;
    using Kind = ObjectsFindDialog::Kind;
    dialog = new ObjectsFindDialog(replace ? Kind::Replace : Kind::Find, captions_, &form_);
    ObjectsFindDialog* made = dialog;
    QObject::connect(made, &ObjectsFindDialog::FindNextClicked, made, [this, made] { FindNext(made->FindText()); });
    QObject::connect(made, &ObjectsFindDialog::ReplaceClicked, made,
                     [this, made] { Replace(made->FindText(), made->ReplaceText()); });
    QObject::connect(made, &ObjectsFindDialog::ReplaceAllClicked, made, [this, made] {
        if (dialogs_.Question(messages_.ReplaceAllQuestion(made->FindText(), made->ReplaceText()))) {
            ReplaceAll(made->FindText(), made->ReplaceText());
        }
    });
    return made;
}

void ObjectsFinder::OpenFind() {
    if (replace_) replace_->hide();
    Dialog(false)->Open();
}

void ObjectsFinder::OpenReplace() {
    if (find_) find_->hide();
    Dialog(true)->Open();
}

void ObjectsFinder::FindNext(const std::string& findText) {
    // Whatever the user typed in the box is kept before another node shows.
    view_.StoreBox();
    Show(search_.FindNext(findText), findText);
}

void ObjectsFinder::Replace(const std::string& findText, const std::string& replacement) {
    view_.StoreBox();
    QPlainTextEdit* box = form_.Objects->MemoObjects;
    const QTextCursor cursor = box->textCursor();
    const std::size_t start = DescriptionOffset(*box->document(), cursor.selectionStart());
    const std::size_t end = DescriptionOffset(*box->document(), cursor.selectionEnd());
    Show(search_.Replace(start, end - start, findText, replacement), findText);
}

void ObjectsFinder::ReplaceAll(const std::string& findText, const std::string& replacement) {
    view_.StoreBox();
    const int count = search_.ReplaceAll(findText, replacement);
    dialogs_.Error(messages_.FoundAndReplaced(count));
}

void ObjectsFinder::Show(const std::optional<SearchMatch>& match, const std::string& findText) {
    if (!match) {
        dialogs_.Error(messages_.StringNotFound(findText));
        return;
    }
    // The base has shown the node; the page and the selection are ours.
    form_.PageControl->setCurrentWidget(form_.Objects);
    view_.SelectInBox(match->Line, match->Column, match->SelectionLength);
}

}  // namespace trellan
