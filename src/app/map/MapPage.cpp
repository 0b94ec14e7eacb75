#include "app/map/MapPage.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/window/MainToolBar.h"
#include "app/window/TreeWidthFit.h"
#include "view/MapPanel.h"

namespace trellan {

MapPage::MapPage(QWidget* parent) : QWidget(parent) {
    setObjectName("tabMap");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ToolBar = new MainToolBar(this);
    layout->addWidget(ToolBar);

    SplitterTree = new QSplitter(Qt::Horizontal, this);
    SplitterTree->setObjectName("SplitterTree");
    SplitterTree->setChildrenCollapsible(false);
    layout->addWidget(SplitterTree, 1);

    PanelTree = new QWidget(SplitterTree);
    PanelTree->setObjectName("PanelTree");
    auto* treeLayout = new QVBoxLayout(PanelTree);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    SplitterNote = new QSplitter(Qt::Vertical, PanelTree);
    SplitterNote->setObjectName("SplitterNote");
    SplitterNote->setChildrenCollapsible(false);
    treeLayout->addWidget(SplitterNote);
    TreeViewZones = new QTreeWidget(SplitterNote);
    TreeViewZones->setObjectName("TreeViewZones");
    TreeViewZones->setHeaderHidden(true);
    TreeViewZones->setContextMenuPolicy(Qt::CustomContextMenu);
    MemoNote = new QPlainTextEdit(SplitterNote);
    MemoNote->setObjectName("MemoNote");
    MemoNote->setReadOnly(true);
    SplitterNote->setStretchFactor(0, 3);
    SplitterNote->setStretchFactor(1, 1);
    MemoNote->hide();

    auto* mapArea = new QWidget(SplitterTree);
    mapArea->setObjectName("PanelMap");
    auto* grid = new QGridLayout(mapArea);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    PanelMain = new QWidget(mapArea);
    PanelMain->setObjectName("PanelMain");
    PanelMain->setAutoFillBackground(true);
    PanelMain->setPalette(QPalette(QColor(0x80, 0x80, 0x80)));
    // Keys belong to the zone tree; the map is worked with the mouse.
    PanelMain->setFocusPolicy(Qt::NoFocus);
    PanelMain->setContextMenuPolicy(Qt::CustomContextMenu);
    ScrollBarV = new QScrollBar(Qt::Vertical, mapArea);
    ScrollBarV->setObjectName("ScrollBarV");
    ScrollBarH = new QScrollBar(Qt::Horizontal, mapArea);
    ScrollBarH->setObjectName("ScrollBarH");
    for (QScrollBar* bar : {ScrollBarV, ScrollBarH}) bar->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(PanelMain, 0, 0);
    grid->addWidget(ScrollBarV, 0, 1);
    grid->addWidget(ScrollBarH, 1, 0);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);

    SplitterTree->setStretchFactor(0, 0);
    SplitterTree->setStretchFactor(1, 1);
    SplitterTree->setSizes({treeWidth_, 400});
    connect(SplitterTree, &QSplitter::splitterMoved, this, [this] { treeWidth_ = SplitterTree->sizes().value(0); });

    TreeViewAux = new QTreeWidget(this);
    TreeViewAux->setObjectName("TreeViewAux");
    TreeViewAux->setHeaderHidden(true);
    TreeViewAux->setGeometry(0, 0, 1, 1);
    TreeViewAux->lower();
    TreeViewAux->installEventFilter(this);
}

void MapPage::SetMapPanel(MapPanel* panel) {
    QWidget* mapArea = PanelMain->parentWidget();
    auto* grid = static_cast<QGridLayout*>(mapArea->layout());
    for (QWidget* placeholder : {PanelMain, static_cast<QWidget*>(ScrollBarV), static_cast<QWidget*>(ScrollBarH)}) {
        grid->removeWidget(placeholder);
        delete placeholder;
    }
    delete Panel;
    Panel = panel;
    panel->setParent(mapArea);
    grid->addWidget(panel, 0, 0, 2, 2);
    PanelMain = panel->PanelMain();
    ScrollBarV = panel->VerticalBar();
    ScrollBarH = panel->HorizontalBar();
    // Keys belong to the zone tree; the map is worked with the mouse.
    for (QWidget* widget : {static_cast<QWidget*>(panel), PanelMain, static_cast<QWidget*>(ScrollBarV),
                            static_cast<QWidget*>(ScrollBarH)}) {
        widget->setFocusPolicy(Qt::NoFocus);
    }
    PanelMain->setContextMenuPolicy(Qt::PreventContextMenu);
}

void MapPage::SetTreeVisible(bool visible) {
    PanelTree->setVisible(visible);
    if (visible) SplitterTree->setSizes({treeWidth_, std::max(1, SplitterTree->width() - treeWidth_)});
}

bool MapPage::TreeVisible() const {
    return !PanelTree->isHidden();
}

void MapPage::SetNoteVisible(bool visible) {
    MemoNote->setVisible(visible);
}

int MapPage::TreeWidth() const {
    return treeWidth_;
}

void MapPage::SetTreeWidth(int width) {
    treeWidth_ = std::max(20, width);
    SplitterTree->setSizes({treeWidth_, std::max(1, SplitterTree->width() - treeWidth_)});
}

void MapPage::FitTreeToCaptions() {
    if (PanelTree->isHidden()) return;
    const int width = FittedTreeWidth(*TreeViewZones, treeWidth_, SplitterTree->width());
    if (width > treeWidth_) SetTreeWidth(width);
}

void MapPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (fitted_) return;
    fitted_ = true;
    // Once the page has its laid-out size.
    QTimer::singleShot(0, this, [this] { FitTreeToCaptions(); });
}

QWidget* MapPage::KeyTarget() const {
    return PanelTree->isHidden() ? static_cast<QWidget*>(TreeViewAux) : TreeViewZones;
}

bool MapPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == TreeViewAux && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        // The zone tree handles the keys, shown or not.
        auto* key = static_cast<QKeyEvent*>(event);
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                       static_cast<ushort>(key->count()));
        QApplication::sendEvent(TreeViewZones, &copy);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace trellan
