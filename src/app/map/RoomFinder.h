#pragma once
// The room search in the window: the tool bar's find button drops down
// "find by name" and "find by description"; each starts the search over
// and opens the find dialog, whose Find Next shows the next matching room
// or says that none is left (the search then starts over). The dialog is
// made at the first use and lives with the window.
#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

class QAction;
class QWidget;

namespace trellan {

class Dialogs;
class FindRoomDialog;
class Localisation;
class RoomSearch;
enum class RoomSearchMode;

class RoomFinder final : public QObject {
    Q_OBJECT

public:
    // All must outlive the finder but the window, which owns the dialog.
    RoomFinder(RoomSearch& search, Localisation& captions, Dialogs& dialogs, QWidget& window);

    // Binds the drop-down's items.
    void Connect(QAction* byName, QAction* byDescription);

    // The drop-down's items (nFindByName, nFindByDesc): a new search of that
    // kind, then the dialog.
    void Open(RoomSearchMode mode);
    // The dialog's Find Next.
    void FindNext(const std::string& text);

    // The dialog once opened; null before.
    FindRoomDialog* Dialog() const;

    // Where a zone that could not be saved on the way is reported.
    std::function<void(const std::string& message)> ErrorReported;
    // The dialog was closed: the map may go back to where the player is.
    std::function<void()> Closed;

private:
    RoomSearch& search_;
    Localisation& captions_;
    Dialogs& dialogs_;
    QPointer<QWidget> window_;
    QPointer<FindRoomDialog> dialog_;
};

}  // namespace trellan
