#pragma once
// The "Карта" page: the tool bar; on the left the zone tree above the note
// pane; a splitter; the map panel with its scroll bars. The tree, the note
// and the map panel are filled by the zone-tree, room-editing and map-view
// code; this page only lays them out.
#include <QWidget>

class QPlainTextEdit;
class QScrollBar;
class QSplitter;
class QTreeWidget;

namespace trellan {

class MainToolBar;
class MapPanel;

class MapPage final : public QWidget {
    Q_OBJECT

public:
    explicit MapPage(QWidget* parent = nullptr);

    MainToolBar* ToolBar = nullptr;
    QSplitter* SplitterTree = nullptr;  // tree panel | map
    QWidget* PanelTree = nullptr;
    QSplitter* SplitterNote = nullptr;  // zone tree over note
    QTreeWidget* TreeViewZones = nullptr;
    QPlainTextEdit* MemoNote = nullptr;
    QWidget* PanelMain = nullptr;
    QScrollBar* ScrollBarV = nullptr;  // rows (X)
    QScrollBar* ScrollBarH = nullptr;  // columns (Y)
    // Takes the keys while the zone tree is hidden and hands them to it.
    QTreeWidget* TreeViewAux = nullptr;

    // The real map takes the placeholder's place: PanelMain and the scroll
    // bars then name its surface and bars. The page takes ownership.
    void SetMapPanel(MapPanel* panel);
    MapPanel* Panel = nullptr;

    void SetTreeVisible(bool visible);
    bool TreeVisible() const;
    void SetNoteVisible(bool visible);
    int TreeWidth() const;
    void SetTreeWidth(int width);

    // Where the keyboard focus belongs: the zone tree, or the auxiliary
    // tree while the zone tree is hidden.
    QWidget* KeyTarget() const;

    // Widens the zone tree so that its widest open caption shows whole, up
    // to two fifths of the page; never narrows it. Done once, the first
    // time the page is shown in a run.
    void FitTreeToCaptions();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int treeWidth_ = 183;
    bool fitted_ = false;
};

}  // namespace trellan
