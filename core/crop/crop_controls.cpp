#include "core/crop/crop_controls.h"

#include <algorithm>

namespace core {

namespace {

constexpr int32_t kUserSizeLimit = 99999;

void copyCropGroup(const SettingsBlock& from, SettingsBlock& to) {
    to.CropOn = from.CropOn;
    to.CropPortrait = from.CropPortrait;
    to.CropFitEachImage = from.CropFitEachImage;
    to.CropSizeKind = from.CropSizeKind;
    to.CropPaperIndex = from.CropPaperIndex;
    to.CropWebIndex = from.CropWebIndex;
    to.CropUserResizeOn = from.CropUserResizeOn;
    to.CropUserWidth = from.CropUserWidth;
    to.CropUserHeight = from.CropUserHeight;
    to.CropImageWidth = from.CropImageWidth;
    to.CropImageHeight = from.CropImageHeight;
    to.CropAngle = from.CropAngle;
    to.CropRect = from.CropRect;
    to.CropTargetWidth = from.CropTargetWidth;
    to.CropTargetHeight = from.CropTargetHeight;
}

CropFrame storedFrame(const SettingsBlock& g) {
    return {g.CropRect[0], g.CropRect[1], g.CropRect[2], g.CropRect[3]};
}

}  // namespace

CropSizeChoice cropSizeChoice(const SettingsBlock& g) {
    CropSizeChoice c;
    c.sizeKind = g.CropSizeKind;
    c.paperIndex = g.CropPaperIndex;
    c.webIndex = g.CropWebIndex;
    c.userResizeOn = g.CropUserResizeOn != 0;
    c.userWidth = std::clamp(g.CropUserWidth, 0, kUserSizeLimit);
    c.userHeight = std::clamp(g.CropUserHeight, 0, kUserSizeLimit);
    return c;
}

void storeCropControls(const CropControls& c, int32_t imageWidth, int32_t imageHeight,
                       bool cropTabShown, SettingsBlock& block) {
    if (!cropTabShown) {
        copyCropGroup(defaultSettingsBlock(), block);
        return;
    }
    CropFrame frame = c.frame;
    if (imageWidth >= kMinimumFrameSide && imageHeight >= kMinimumFrameSide && frame.empty())
        frame = fitFrame(frame, imageWidth, imageHeight, c.size, c.orientation());

    CropSizeChoice size = c.size;
    size.userWidth = std::clamp(size.userWidth, 0, kUserSizeLimit);
    size.userHeight = std::clamp(size.userHeight, 0, kUserSizeLimit);
    block.CropOn = c.cropOn ? 1 : 0;
    block.CropPortrait = c.portrait ? 1 : 0;
    block.CropFitEachImage = 0;
    block.CropSizeKind = size.sizeKind;
    block.CropPaperIndex = size.paperIndex;
    block.CropWebIndex = size.webIndex;
    block.CropUserResizeOn = size.userResizeOn ? 1 : 0;
    block.CropUserWidth = size.userWidth;
    block.CropUserHeight = size.userHeight;
    block.CropImageWidth = imageWidth;
    block.CropImageHeight = imageHeight;
    block.CropRect = {frame.width, frame.height, frame.left, frame.top};
    block.CropAngle = roundToInt(double(c.angle) * 1000.0);
    const PixelSize target = resizeSize(size, c.portrait, imageWidth, imageHeight);
    block.CropTargetWidth = target.width;
    block.CropTargetHeight = target.height;
}

CropControls loadCropGroup(const SettingsBlock& g, int32_t imageWidth, int32_t imageHeight,
                           CropGroupUse use) {
    CropControls c;
    c.cropOn = g.CropOn != 0;
    c.portrait = g.CropPortrait == 1;
    c.size = cropSizeChoice(g);
    c.angle = float(g.CropAngle / 1000.0);
    c.frame = storedFrame(g);
    const bool keep = use == CropGroupUse::QueueItemEdit
                          ? g.CropFitEachImage == 0
                          : g.CropImageWidth == imageWidth && g.CropImageHeight == imageHeight;
    if (!keep) c.frame = fitFrame(c.frame, imageWidth, imageHeight, c.size, c.orientation());
    return c;
}

CropControls controlsForNewPicture(const CropControls& current, int32_t imageWidth,
                                   int32_t imageHeight) {
    CropControls c = current;
    c.frame = {};
    c.angle = 0.0f;
    c.portrait = imageWidth < imageHeight;
    return c;
}

}  // namespace core
