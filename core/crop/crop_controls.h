// The crop tab's state as values, and its exchange with the crop group of the settings block:
// storing the controls into the group when the settings are collected, and loading a group back.
#pragma once

#include <cstdint>

#include "core/crop/crop_frame.h"
#include "core/settings/settings_block.h"

namespace core {

struct CropControls {
    bool cropOn = false;
    bool portrait = false;
    CropSizeChoice size;
    CropFrame frame;     // in pixels of the straightened picture
    float angle = 0.0f;  // degrees, in (-180, 180]

    CropOrientation orientation() const {
        return portrait ? CropOrientation::Portrait : CropOrientation::Landscape;
    }
};

// The size kind, rows and user fields of a stored group.
CropSizeChoice cropSizeChoice(const SettingsBlock& group);

// Writes the controls into the crop group of block for a picture of the given size; with the crop
// tab hidden the group takes the defaults instead. An empty frame is fitted first when the picture
// is large enough. The fit-each-image flag is always cleared.
void storeCropControls(const CropControls& controls, int32_t imageWidth, int32_t imageHeight,
                       bool cropTabShown, SettingsBlock& block);

enum class CropGroupUse {
    Settings,       // settings, a settings file: the frame is kept for the picture it was made on
    QueueItemEdit,  // a queue item being edited: kept unless the item fits each picture
};

// The controls a stored group gives for a picture of the given size.
CropControls loadCropGroup(const SettingsBlock& group, int32_t imageWidth, int32_t imageHeight,
                           CropGroupUse use = CropGroupUse::Settings);

// The controls a new picture starts with: no frame, no angle, landscape unless the picture is
// higher than wide; the size choice and crop switch of current stay.
CropControls controlsForNewPicture(const CropControls& current, int32_t imageWidth,
                                   int32_t imageHeight);

}  // namespace core
