#pragma once
// The note box under the zone tree: it shows the current room's note and
// cannot be entered, until a double click makes it the editor of the
// current room's note. Leaving it (or Ctrl+Enter) stores the text in that
// room. Owned by the room-editing wiring; the page may be destroyed first.
#include <QObject>
#include <QPointer>
#include <functional>

class QPlainTextEdit;

namespace trellan {

class MapPage;
class MudRoom;
class World;

class NoteBox final : public QObject {
    Q_OBJECT

public:
    // `world` must outlive the box. `showCurrentRoom` puts the current room
    // back on the status bar and into the box.
    NoteBox(MapPage& page, World& world, std::function<void()> showCurrentRoom);
    ~NoteBox() override;

    bool Editing() const { return noteRoom_ != nullptr; }
    MudRoom* NoteRoom() const { return noteRoom_; }
    // A room about to be destroyed: its note is no longer edited.
    void Forget(const MudRoom* room);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StartEditing();
    void FinishEditing();
    void LeaveToTree();

    QPointer<MapPage> page_;
    QPointer<QPlainTextEdit> memo_;
    World& world_;
    std::function<void()> showCurrentRoom_;
    MudRoom* noteRoom_ = nullptr;
};

}  // namespace trellan
