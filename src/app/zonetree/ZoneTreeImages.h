#pragma once
// The zone tree's own six pictures, drawn in code: a closed and an open
// folder for the world and the zones, the same in the current zone's
// colour, a bookmarked room without a picture of its own, and the lock
// shown beside a zone nobody may change. The skin's icons follow them in
// the tree's image list (SkinSet::ZoneTreeImages).
#include <QPixmap>
#include <vector>

namespace trellan {

inline constexpr int kTreeFolderClosed = 0;
inline constexpr int kTreeFolderOpen = 1;
inline constexpr int kTreeCurrentClosed = 2;
inline constexpr int kTreeCurrentOpen = 3;
inline constexpr int kTreeBookmark = 4;
inline constexpr int kTreeLock = 5;

// The six 16 x 16 pictures in the order of the constants above.
std::vector<QPixmap> BuiltInZoneTreeImages();

}  // namespace trellan
