// The whole source shown reduced in ImgFullSrc, with the frame shapeFrameSrc marking the previewed
// region, and pointing into it to choose the region (region tabs only).
#pragma once

#include <QString>

#include "core/i18n/text_lookup.h"
#include "core/preview/preview_region.h"

namespace core {

// The region scaled by the thumbnail's size over the source's size, each direction by its own
// ratio (truncated), in thumbnail pixels.
PixelRect thumbnailFrame(const PreviewRegion& region, PictureSize source, PictureSize thumbnail);

// The hint of the thumbnail and its frame: "ALS_SELECT_PREVIEW_AREA" filled with w and h.
QString thumbnailHint(const TextLookup& texts, const PreviewRegion& region);

// The centre chosen by pointing at (tx, ty) in the thumbnail (clamped to it): the pointer times
// f = source width / thumbnail width (for both directions), kept so far inside that the region of
// the given size fits: between w/2 and W - w/2 (and h/2 .. H - h/2), so that pointing at the
// right or bottom edge reaches the last column or row. Dragging the frame passes the pointer
// relative to the frame plus the frame's position.
struct RegionCentre {
    double x = 0;
    double y = 0;
};
RegionCentre centreFromThumbnail(int32_t tx, int32_t ty, PictureSize thumbnail, PictureSize source,
                                 PictureSize regionSize);

// The region the pointing selects: the same size around the pointed centre.
PreviewRegion regionFromThumbnail(const PreviewRegion& current, int32_t tx, int32_t ty,
                                  PictureSize thumbnail, PictureSize source);

}  // namespace core
