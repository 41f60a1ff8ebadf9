// The picture the full-screen preview of the tuning view works on: a copy of the source (straight
// and cropped in the crop mode) brought to about the screen's size, so that reprocessing it after
// each slider step stays quick. Runs on the engine thread.
#pragma once

#include <QImage>

#include "core/crop/crop_frame.h"
#include "core/errors/result.h"
#include "core/fullscreen/full_screen_mode.h"
#include "core/fullscreen/real_size.h"
#include "core/settings/settings_block.h"
#include "imaging/imaging.h"

namespace core {

struct ScreenCopyRequest {
    imaging::Handle source = 0;  // the open picture, full size
    imaging::Handle copy = 0;    // receives the screen copy
    FullScreenMode mode = FullScreenMode::Adjust;
    CropDisplayKind cropKind = CropDisplayKind::Fit;
    SettingsBlock settings{};  // its crop group, for the crop mode
    int sourceWidth = 0;
    int sourceHeight = 0;
    int panelWidth = 0;  // the area the picture is shown in
    int panelHeight = 0;
    ScreenMetrics screen;  // for the real print size
};

struct ScreenCopy {
    PixelSize size;  // of the copy
    QImage display;  // its display picture
};

// Copies the source; in the crop mode turns and crops it as the crop group says. Then brings it to
// the panel (when off by more than a fifth, quick resampling) or, at real size, to the print's size
// on this screen (smooth resampling). "ALS_DLL_EXCEPTION" when the imaging layer fails.
Result<ScreenCopy> prepareScreenCopy(const ScreenCopyRequest& request);

}  // namespace core
