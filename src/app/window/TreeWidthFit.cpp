#include "app/window/TreeWidthFit.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTreeView>
#include <algorithm>

namespace trellan {

int FittedTreeWidth(const QTreeView& tree, int current, int pageWidth) {
    // QTreeView keeps sizeHintForColumn protected; the item view's is public.
    const int captions = static_cast<const QAbstractItemView&>(tree).sizeHintForColumn(0);
    const int needed = captions + 2 * tree.frameWidth() + tree.verticalScrollBar()->sizeHint().width() + 4;
    return std::max(current, std::min(needed, pageWidth * 2 / 5));
}

}  // namespace trellan
