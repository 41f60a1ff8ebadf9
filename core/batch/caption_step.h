// The batch item's caption and frame: drawn on the processed picture from the item's settings,
// with the shooting data of the item's source file.
#pragma once

#include <QString>

#include "core/batch/batch_picture.h"
#include "core/errors/result.h"
#include "core/queue/queue_params.h"

namespace core {

// What the caption takes from the preferences.
struct CaptionOptions {
    CaptionOptions();  // the default template, EXIF read
    QString captionTemplate;
    bool ignoreExif = false;
};

// Nothing when the item has neither a frame nor a caption (all four insert switches off).
Status drawItemCaptionAndFrame(BatchPicture& picture, const QueueParams& item,
                               const CaptionOptions& options);

}  // namespace core
