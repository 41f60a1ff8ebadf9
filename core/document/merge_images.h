// Merging two exposures of one scene: the open picture (the source, or the output in the viewing
// mode when it has the source's size) and a second picture file of the same size are blended by
// the engine into a picture with a wider tonal range, which replaces the first; the first is
// kept as the undo copy.
#pragma once

#include <QString>

#include "core/document/image_slots.h"
#include "core/errors/result.h"
#include "core/main/message_box.h"

namespace core {

class ImageDocument;
class UndoCopy;

// Which picture the merge starts from, and whether the output must be offered for saving first
// (it is cleared when the source is replaced).
struct MergeStart {
    ImageSlot first = ImageSlot::Source;
    bool askToSaveOutput = false;
};
// The output is merged when it is shown in the viewing mode at the source's size. Otherwise the
// source is, and an output that exists is offered for saving when its size differs (a cropped
// result) or when it was not saved yet, since the merge replaces the source and clears it.
MergeStart mergeStart(bool viewingMode, bool hasOutput, bool outputUnsaved, int sourceWidth,
                      int sourceHeight, int outputWidth, int outputHeight);

// The notice before the merge, while the stored value "Ask_shadow_master" is 1: the three
// explaining texts with blank lines between them, titled "ALS_MERGE_IMAGE", with OK, Cancel
// (result 2) and Do not show again (result 7).
MessageBoxRequest mergeNoticeRequest(const Language& texts);
inline constexpr int kMergeNoticeCancel = 2;
inline constexpr int kMergeNoticeDontShow = 7;

// Makes the two template pictures in the folder when either is missing (they are resized to each
// picture, so any small RGB picture of each depth serves). "ER_PLUGIN_TEMPLATE" when they cannot
// be made.
Status ensureTemplatePictures(const QString& tempFolder);

struct MergeRequest {
    ImageSlot first = ImageSlot::Source;
    QString secondPath;
    QString tempFolder;  // holds the templates, the exchange file and the undo copy
};

// Runs the merge on the engine thread. The second picture is loaded into the preview result slot
// and blended into a 16-bit template in the dialog preview slot; both are emptied afterwards.
// Failures, each leaving the current picture as it was: the second picture's load failure,
// "ALS_MERGE_IMAGE_ERROR" (the sizes differ, or there is no first picture),
// "ER_PLUGIN_TEMPLATE", "ER_DLL" with detail "1" (the engine did not merge),
// "ER_PLUGIN_CANNOT_WRITE" (the exchange file or the undo copy cannot be written). An earlier
// undo copy survives all but the last. A failure of the final reload leaves the first slot
// empty and no undo.
Status mergeImages(ImageDocument& document, UndoCopy& undo, const MergeRequest& request);

}  // namespace core
