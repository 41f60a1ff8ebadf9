#include "core/batch/caption_step.h"

#include "core/caption/caption_and_frame.h"
#include "core/queue/queue_model.h"
#include "core/settings/program_options.h"

namespace core {

CaptionOptions::CaptionOptions()
    : captionTemplate(QString::fromStdString(defaultProgramOptions().captionTemplate)) {}

Status drawItemCaptionAndFrame(BatchPicture& picture, const QueueParams& item,
                               const CaptionOptions& options) {
    if (!caption::captionAndFrameWanted(item.Settings)) return {};
    caption::CaptionRequest request;
    request.captionTemplate = options.captionTemplate;
    request.source = caption::captionSourceFromFile(itemSourcePath(item), options.ignoreExif);
    const PixelView view = picture.pixels();
    if (Status s = caption::applyCaptionAndFrame(view, item.Settings, request); !s) return s;
    if (view.BytesPerSample == 2) picture.refreshDisplayData();
    return {};
}

}  // namespace core
