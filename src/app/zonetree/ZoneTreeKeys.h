#pragma once
// The keys of the zone tree that move the map: Ctrl with an arrow moves the
// view one row or column within the scroll bar's range, Ctrl with the
// keypad's plus or minus changes the level while SwapUpDown is on. Every
// other key pressed with Ctrl is swallowed, so it never reaches the tree;
// keys without Ctrl move within the tree as usual. The auxiliary tree hands
// its keys to the zone tree, so both work the same.
#include <QObject>
#include <QPointer>

class QAction;
class QScrollBar;

namespace trellan {

class ViewState;
struct MainSettings;

class ZoneTreeKeys final : public QObject {
    Q_OBJECT

public:
    struct Targets {
        QScrollBar* Rows = nullptr;     // the vertical scroll bar (X)
        QScrollBar* Columns = nullptr;  // the horizontal one (Y)
        QAction* LevelUp = nullptr;
        QAction* LevelDown = nullptr;
    };

    // The view and the settings must outlive this filter; install it on
    // the zone tree.
    ZoneTreeKeys(ViewState& view, const MainSettings& settings, Targets targets, QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Step(QScrollBar* bar, int& position, int delta);
    void Level(bool plus);

    ViewState& view_;
    const MainSettings& settings_;
    QPointer<QScrollBar> rows_;
    QPointer<QScrollBar> columns_;
    QPointer<QAction> levelUp_;
    QPointer<QAction> levelDown_;
};

}  // namespace trellan
