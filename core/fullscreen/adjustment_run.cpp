#include "core/fullscreen/adjustment_run.h"

#include <exception>

#include "core/preview/engine_call.h"
#include "core/preview/picture_copy.h"
#include "core/preview/run_preparation.h"

namespace core {

void prepareAdjustmentRecord(ProcessingParams& p, PreviewTab tab, PictureSize copy) {
    p.NoiseReductionOn = 0;
    p.SharpenAmount = 0;
    p.RedEyeOn = 0;
    p.CAOn = 0;
    p.ShowNoiseMap = 0;
    p.ShowSharpenMap = 0;
    p.ShowCAMap = 0;
    p.FinalRun = 0;
    p.ShowOverExposed = p.ShowOverExposed == 1 && tab == PreviewTab::Brightness ? 1 : 0;
    if (tab != PreviewTab::Distortions) {
        p.ShowGrid = 0;
        p.CompareMode = 0;
    }
    setWholeView(p, copy);
}

AdjustmentOutcome runAdjustment(AdjustmentRunRequest& r, const EngineJobContext& context,
                                const EngineCall& engine) {
    AdjustmentOutcome out;
    const auto failed = [&](int32_t step) {
        imaging::cUnload(r.processed);
        out.processed = false;
        out.lastStep = step;
        out.display = displayCopyImage(r.screenCopy);
        return out;
    };
    try {
        if (!copyPicture(r.screenCopy, r.processed)) return failed(0);
        ProcessingParams& p = r.record.params;
        imaging::ImageInfo info;
        imaging::cGetImageInfo(r.processed, info);
        PixelView view{nullptr, info.width, -1, info.height};
        if (uint16_t* wide = imaging::cGetBits16Ptr(r.processed)) {
            view.Bits = wide;
            view.BytesPerSample = 2;
        } else if (uint8_t* narrow = imaging::cGetBitsPtr(r.processed)) {
            view.Bits = narrow;
            view.BytesPerSample = 1;
        }
        if (!view.Bits) return failed(1);
        attachPixels(p, view);
        prepareAdjustmentRecord(p, r.tab, {info.width, info.height});
        if (callEngine(p, false, context, engine) != EngineOutcome::Processed) return failed(2);
        // The histogram is drawn on the display data, after they follow the 16-bit pixels.
        if (p.BytesPerSample == 2) imaging::cRefreshDisplayData(r.processed);
        if (r.afterEngine) r.afterEngine(r.processed, p);
        out.display = displayCopyImage(r.processed);
        if (out.display.isNull()) return failed(3);
    } catch (const std::exception&) {
        return failed(out.lastStep);
    }
    out.processed = true;
    return out;
}

}  // namespace core
