#pragma once
// Find and replace in the objects base's descriptions through the two
// dialogs: only one of them is open at a time, a match is shown on the
// objects page with its text selected in the description box, and the
// message boxes tell what was not found and how much was replaced. The
// window, the base, the view and the boxes must outlive it.
#include <QPointer>
#include <string>

#include "app/objects/ObjectsFindDialog.h"
#include "objects/ObjectsMessages.h"
#include "objects/ObjectsSearch.h"

namespace trellan {

class Dialogs;
class Localisation;
class ObjectsTreeView;
class TrellanForm;

class ObjectsFinder {
public:
    // `captions` may be null (the built-in texts).
    ObjectsFinder(TrellanForm& form, ObjectsBase& base, ObjectsTreeView& view, Dialogs& dialogs,
                  Localisation* captions);
    ~ObjectsFinder();
    ObjectsFinder(const ObjectsFinder&) = delete;
    ObjectsFinder& operator=(const ObjectsFinder&) = delete;

    // The buttons tbSearch and tbReplace: close the other dialog, open this one.
    void OpenFind();
    void OpenReplace();

    // The dialog's Find Next: the next match after the last one, from the
    // first node when there was none; "not found" ends a round.
    void FindNext(const std::string& findText);
    // The dialog's Replace: the selection in the box (normally the last
    // match) becomes the replacement, then the next match is found.
    void Replace(const std::string& findText, const std::string& replacement);
    // After the user agreed: every occurrence in every description.
    void ReplaceAll(const std::string& findText, const std::string& replacement);

    // The dialogs, once opened (null before).
    ObjectsFindDialog* FindDialog() const { return find_; }
    ObjectsFindDialog* ReplaceDialog() const { return replace_; }

private:
    ObjectsFindDialog* Dialog(bool replace);
    void Show(const std::optional<SearchMatch>& match, const std::string& findText);

    TrellanForm& form_;
    ObjectsBase& base_;
    ObjectsTreeView& view_;
    Dialogs& dialogs_;
    Localisation* captions_;
    ObjectsSearch search_;
    ObjectsMessages messages_;
    // Parented to the window, deleted with the finder (they call it).
    QPointer<ObjectsFindDialog> find_;
    QPointer<ObjectsFindDialog> replace_;
};

}  // namespace trellan
