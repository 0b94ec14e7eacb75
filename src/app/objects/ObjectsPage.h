#pragma once
// The "Объекты" page: its tool bar, the objects tree, a splitter and the
// description pane. Filled by the objects-base code.
#include <QWidget>

#include "app/objects/ObjectsTreeWidget.h"

class QAction;
class QPlainTextEdit;
class QSplitter;
class QToolBar;

namespace trellan {

class ObjectsPage final : public QWidget {
    Q_OBJECT

public:
    explicit ObjectsPage(QWidget* parent = nullptr);

    QToolBar* ToolBar = nullptr;
    QAction* tbSaveObjects = nullptr;
    QAction* tbDiscard = nullptr;
    QAction* tbExpand = nullptr;
    QAction* tbCollapse = nullptr;
    QAction* tbSearch = nullptr;
    QAction* tbReplace = nullptr;
    // Runs the debug pane's text through the tracker (trying templates).
    QAction* tbSave = nullptr;
    QSplitter* SplitterObjects = nullptr;
    ObjectsTreeWidget* TreeViewObjects = nullptr;
    QPlainTextEdit* MemoObjects = nullptr;

    void SetTreeVisible(bool visible);
    int TreeWidth() const;
    void SetTreeWidth(int width);
    // Widens the tree so that its widest open caption shows whole, up to
    // two fifths of the page; never narrows it. Done once, the first time
    // the page is shown in a run; the player's own splitter drags after
    // that stand.
    void FitTreeToCaptions();

protected:
    void showEvent(QShowEvent* event) override;

private:
    int treeWidth_ = 153;
    bool fitted_ = false;
};

}  // namespace trellan
