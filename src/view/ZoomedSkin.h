#pragma once
// The active skin at another cell size than its own: every room tile and
// icon scaled (nearest pixels when growing, so the tiles stay crisp; area
// averaging when shrinking, so thin lines survive), the icon and fill points
// scaled alike, and the area the room colour fills as a mask of its own.
// A flood fill on a shrunken tile could leak through an outline that the
// shrinking broke, so zoomed rooms are coloured through that mask instead.
//
// The scaled skin is made again when the cell size or the source skin
// changes (Invalidate after a skin was loaded into the same slot).
#include <memory>

#include "view/SkinSet.h"

namespace trellan {

struct ZoomedSlot {
    SkinSlot Slot;
    SkinPoint IconPoint;
    SkinPoint FillPoint;
};

// The skin a map is painted with: the source itself or a scaled one.
struct SkinAtSize {
    const SkinSlot& Slot;
    SkinPoint IconPoint;
    SkinPoint FillPoint;
};

class ZoomedSkin {
public:
    // The skin slot scaled to `cellSize`. The reference stays valid until
    // the next call with other arguments or Invalidate.
    const ZoomedSlot& At(const SkinSlot& source, SkinPoint iconPoint, SkinPoint fillPoint, int cellSize);
    // The skin for cells of `cellSize`: the source itself at its own size,
    // else At's scaled one.
    SkinAtSize For(const SkinSlot& source, SkinPoint iconPoint, SkinPoint fillPoint, int cellSize);
    void Invalidate() { zoomed_.reset(); }

private:
    std::unique_ptr<ZoomedSlot> zoomed_;
    const SkinSlot* source_ = nullptr;
    SkinPoint iconPoint_;
    SkinPoint fillPoint_;
    int cellSize_ = 0;
};

// The list's images scaled to `width` x `height`.
void ScaleImageList(const ImageList& source, int width, int height, ImageList& scaled);
// The pixels the colour fill of a room's tile may cover from the fill
// point (the base tile under any up and down marks), as a one-image list of
// the tile's size.
void BuildFillMask(const ImageList& rooms, SkinPoint fillPoint, ImageList& mask);

}  // namespace trellan
