#include "core/preview/run_preparation.h"

namespace core {

void attachPixels(ProcessingParams& p, const PixelView& view) {
    p.Magic = DNR_IMAGE_MAGIC;
    p.Bits = nullptr;
    p.Width = 0;
    p.Height = 0;
    p.Bits = view.Bits;
    p.Width = view.Width;
    p.Height = view.Height;
    p.BytesPerSample = view.BytesPerSample;
    p.Reserved484 = 0;
}

void switchOffStagesForTab(ProcessingParams& p, PreviewTab tab) {
    if (isWholeImageTab(tab)) {
        p.NoiseReductionOn = 0;
        p.SharpenAmount = 0;
        p.RedEyeOn = 0;
        p.CAOn = 0;
        return;
    }
    switch (tab) {
        case PreviewTab::RedEye:
            p.ColorAdjustOn = 0;
            p.CAOn = 0;
            p.NoiseReductionOn = 0;
            p.DistortionsOn = 0;
            p.SharpenAmount = 0;
            break;
        case PreviewTab::CA:
            p.NoiseReductionOn = 0;
            p.DistortionsOn = 0;
            p.SharpenAmount = 0;
            break;
        case PreviewTab::Noise:
        case PreviewTab::Sharpening:
            p.DistortionsOn = 0;
            break;
        default:
            break;
    }
}

void keepDiagnosticsOfTab(ProcessingParams& p, PreviewTab tab) {
    if (tab != PreviewTab::Sharpening) p.ShowSharpenMap = 0;
    if (tab != PreviewTab::Noise) p.ShowNoiseMap = 0;
    if (tab != PreviewTab::CA) p.ShowCAMap = 0;
    if (tab != PreviewTab::Distortions) {
        p.ShowGrid = 0;
        p.CompareMode = 0;
    }
    if (tab != PreviewTab::Colors && tab != PreviewTab::Brightness) p.ShowOverExposed = 0;
    p.FinalRun = 0;
}

void setWholeView(ProcessingParams& p, PictureSize picture) {
    p.ViewLeft = p.ViewTop = 0;
    p.ViewWidth = p.FullWidth = p.ScaledFullWidth = picture.width;
    p.ViewHeight = p.FullHeight = p.ScaledFullHeight = picture.height;
}

void setRegionView(ProcessingParams& p, const PreviewRegion& region, PictureSize source) {
    p.ViewLeft = region.left;
    p.ViewTop = region.top;
    p.ViewWidth = region.width;
    p.ViewHeight = region.height;
    p.FullWidth = p.ScaledFullWidth = source.width;
    p.FullHeight = p.ScaledFullHeight = source.height;
}

void preparePreviewRun(ProcessingParams& p, PreviewTab tab, const PreviewRegion& region,
                       PictureSize source, PictureSize working) {
    switchOffStagesForTab(p, tab);
    keepDiagnosticsOfTab(p, tab);
    if (isWholeImageTab(tab))
        setWholeView(p, working);
    else
        setRegionView(p, region, source);
}

void prepareFullRun(ProcessingParams& p, PictureSize picture) {
    p.ShowSharpenMap = 0;
    p.ShowNoiseMap = 0;
    p.ShowCAMap = 0;
    p.ShowOverExposed = 0;
    p.ShowGrid = 0;
    p.CompareMode = 0;
    p.FinalRun = DNR_FINAL_RUN;
    setWholeView(p, picture);
}

StagesOn stagesOn(const ProcessingParams& p) {
    return {p.NoiseReductionOn != 0, p.SharpenAmount != 0, p.RedEyeOn != 0,
            p.ColorAdjustOn != 0,    p.CAOn != 0,          p.DistortionsOn != 0};
}

}  // namespace core
