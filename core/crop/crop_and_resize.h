// Cropping, straightening back and resizing a picture by the crop group of its settings: for the
// preview, for the final picture and for a queue item (which may fit its frame to each picture),
// and for a display copy of the source at another scale.
#pragma once

#include <cstdint>
#include <optional>

#include "core/crop/crop_frame.h"
#include "core/crop/crop_picture.h"
#include "core/errors/result.h"
#include "core/settings/settings_block.h"

namespace core {

enum class CropMode {
    Preview,    // the screen preview: resized with bilinear resampling
    Final,      // the final picture: Mitchell resampling
    QueueItem,  // a queue item: as Final, and an item that fits each picture gets its own frame
};

// What is done to one picture: the rotation back by the angle (degrees; 0 none), the frame to crop
// to (empty or the whole picture: no crop) and the size to resize to (0 and 0: none).
struct CropPlan {
    double angle = 0.0;
    CropFrame frame;
    PixelSize resize;
};

// The plan for a picture of the given size, or nothing when the crop is off, the picture is
// smaller than kMinimumFrameSide on a side, the stored frame was made for a picture of another
// size, or nothing would change.
std::optional<CropPlan> planCropAndResize(const SettingsBlock& group, int32_t imageWidth,
                                          int32_t imageHeight, CropMode mode);

// Applies the plan to the picture; true when anything was done. A failure's key is
// "ALS_DLL_EXCEPTION", its detail the imaging layer's message.
Result<bool> applyCropAndResize(const SettingsBlock& group, CropPicture& picture, CropMode mode);

// A copy of the source (sourceWidth x sourceHeight) at any scale: rotated back by the stored angle
// (whether or not the crop is on), cut to the stored frame scaled to the copy, and with fitScreen
// brought to the screen's size when it is off by more than a fifth. True when anything was done.
Result<bool> applyCropGroupToDisplayCopy(const SettingsBlock& group, int32_t sourceWidth,
                                         int32_t sourceHeight, CropPicture& copy,
                                         std::optional<PixelSize> fitScreen = std::nullopt);

// The settings as a queue item added together with many pictures carries them: the table rows
// brought into their tables, the crop switched off for a user size that gives no proportion, and
// otherwise each picture fitting its own frame when the crop is on.
void prepareForEachPicture(SettingsBlock& settings);

}  // namespace core
