#include "core/crop/crop_values.h"

namespace core {

CropControls cropControlsOf(const CropValues& v) {
    CropControls c;
    c.cropOn = v.CropOn == 1;
    c.portrait = v.CropPortrait == 1;
    c.size.sizeKind = v.CropSizeKind;
    c.size.paperIndex = v.CropPaperIndex;
    c.size.webIndex = v.CropWebIndex;
    c.size.userResizeOn = v.CropUserResizeOn == 1;
    c.size.userWidth = v.CropUserWidth;
    c.size.userHeight = v.CropUserHeight;
    c.frame = {v.CropRect[0], v.CropRect[1], v.CropRect[2], v.CropRect[3]};
    c.angle = float(v.CropAngle / 1000.0);
    return c;
}

CropValues cropValuesOf(const SettingsBlock& b) {
    CropValues v;
    v.CropOn = b.CropOn;
    v.CropPortrait = b.CropPortrait;
    v.CropSizeKind = b.CropSizeKind;
    v.CropPaperIndex = b.CropPaperIndex;
    v.CropWebIndex = b.CropWebIndex;
    v.CropUserResizeOn = b.CropUserResizeOn;
    v.CropUserWidth = b.CropUserWidth;
    v.CropUserHeight = b.CropUserHeight;
    v.CropImageWidth = b.CropImageWidth;
    v.CropImageHeight = b.CropImageHeight;
    v.CropAngle = b.CropAngle;
    v.CropRect = b.CropRect;
    v.CropTargetWidth = b.CropTargetWidth;
    v.CropTargetHeight = b.CropTargetHeight;
    return v;
}

void storeCropValues(const CropControls& controls, int32_t imageWidth, int32_t imageHeight,
                     CropValues& values) {
    SettingsBlock block;
    storeCropControls(controls, imageWidth, imageHeight, true, block);
    values = cropValuesOf(block);
}

}  // namespace core
