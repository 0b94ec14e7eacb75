#include "app/objects/ObjectsPage.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/window/ToolIcons.h"
#include "app/window/TreeWidthFit.h"

namespace trellan {

namespace {

QAction* Button(QToolBar& bar, const char* name, ToolIcon icon) {
    QAction* action = bar.addAction(ToolIconSet(icon), QString());
    action->setObjectName(name);
    return action;
}

}  // namespace

ObjectsPage::ObjectsPage(QWidget* parent) : QWidget(parent) {
    setObjectName("tabObjects");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ToolBar = new QToolBar(this);
    ToolBar->setObjectName("ToolBarObjects");
    ToolBar->setIconSize(QSize(16, 16));
    tbSaveObjects = Button(*ToolBar, "tbSaveObjects", ToolIcon::SaveObjects);
    tbDiscard = Button(*ToolBar, "tbDiscard", ToolIcon::Discard);
    ToolBar->addSeparator();
    tbExpand = Button(*ToolBar, "tbExpand", ToolIcon::Expand);
    tbCollapse = Button(*ToolBar, "tbCollapse", ToolIcon::Collapse);
    ToolBar->addSeparator();
    tbSearch = Button(*ToolBar, "tbSearch", ToolIcon::Search);
    tbReplace = Button(*ToolBar, "tbReplace", ToolIcon::Replace);
    ToolBar->addSeparator();
    tbSave = Button(*ToolBar, "tbSave", ToolIcon::TestCapture);
    layout->addWidget(ToolBar);

    SplitterObjects = new QSplitter(Qt::Horizontal, this);
    SplitterObjects->setObjectName("SplitterObjects");
    SplitterObjects->setChildrenCollapsible(false);
    TreeViewObjects = new ObjectsTreeWidget(SplitterObjects);
    TreeViewObjects->setObjectName("TreeViewObjects");
    TreeViewObjects->setHeaderHidden(true);
    TreeViewObjects->setContextMenuPolicy(Qt::CustomContextMenu);
    MemoObjects = new QPlainTextEdit(SplitterObjects);
    MemoObjects->setObjectName("MemoObjects");
    SplitterObjects->setStretchFactor(0, 0);
    SplitterObjects->setStretchFactor(1, 1);
    SplitterObjects->setSizes({treeWidth_, 400});
    connect(SplitterObjects, &QSplitter::splitterMoved, this,
            [this] { treeWidth_ = SplitterObjects->sizes().value(0); });
    layout->addWidget(SplitterObjects, 1);
}

void ObjectsPage::SetTreeVisible(bool visible) {
    TreeViewObjects->setVisible(visible);
    if (visible) SplitterObjects->setSizes({treeWidth_, std::max(1, SplitterObjects->width() - treeWidth_)});
}

int ObjectsPage::TreeWidth() const {
    return treeWidth_;
}

void ObjectsPage::SetTreeWidth(int width) {
    treeWidth_ = std::max(20, width);
    SplitterObjects->setSizes({treeWidth_, std::max(1, SplitterObjects->width() - treeWidth_)});
}

void ObjectsPage::FitTreeToCaptions() {
    if (!TreeViewObjects->isVisible()) return;
    const int width = FittedTreeWidth(*TreeViewObjects, treeWidth_, SplitterObjects->width());
    if (width > treeWidth_) SetTreeWidth(width);
}

void ObjectsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (fitted_) return;
    fitted_ = true;
    // Once the page has its laid-out size.
    QTimer::singleShot(0, this, [this] { FitTreeToCaptions(); });
}

}  // namespace trellan
