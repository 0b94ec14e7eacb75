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

private:
    int treeWidth_ = 153;
};

}  // namespace trellan
