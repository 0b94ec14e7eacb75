#pragma once
// How wide a tree beside a splitter should be for its widest shown caption
// to show whole: the zone tree and the objects tree widen to it once, the
// first time their page is shown in a run.
class QTreeView;

namespace trellan {

// `current` or more: the width the widest shown caption needs (indentation,
// frame and a vertical scroll bar included), at most two fifths of
// `pageWidth`, never narrower than `current`.
int FittedTreeWidth(const QTreeView& tree, int current, int pageWidth);

}  // namespace trellan
