#include "core/settings/program_options.h"

#include <cassert>

#include "core/settings/byte_codec.h"

namespace core {

ProgramOptions defaultProgramOptions() {
    return ProgramOptions{};
}

std::vector<uint8_t> encodeProgramOptions(const ProgramOptions& o) {
    std::vector<uint8_t> out;
    out.reserve(ProgramOptions::kSize);
    ByteWriter w(out);
    w.i32(o.version);
    w.u8(o.outputFormat);
    w.u8(o.outputFolderKind);
    w.shortString(o.outputPrefix, 5);
    w.shortString(o.outputSuffix, 5);
    w.shortString(o.outputSubfolder, 60);
    w.shortString(o.outputFolder, 255);
    w.u8(o.outputOverwrite);
    for (int32_t v : {o.previewZoomIndex, o.jpegQualityIndex, o.ignoreExif, o.playSound,
                      o.pictureDialogOption, o.accelerator, o.opacity, o.histogramColour,
                      o.brightnessManagement, o.resampling, o.expertMode, o.hintMode})
        w.i32(v);
    w.shortString(o.captionTemplate, 255);
    w.shortString(o.renamingTemplate, 255);
    for (int32_t v :
         {o.cropZoomIndex, o.helpPanelVisible, o.helpPanelHeight, o.navigatorInMainView,
          o.navigatorInPreviewView, o.navigatorWidth, o.useThumbnailCache, o.useFileSettingsCache})
        w.i32(v);
    for (const FloatingWindowPlace& f : o.floatingWindows)
        for (int32_t v : {f.left, f.top, f.width, f.height, f.visible})
            w.i32(v);
    for (int32_t v : {o.mainWidth, o.mainHeight, o.mainLeft, o.mainTop})
        w.i32(v);
    w.u8(o.mainMaximized);
    assert(out.size() == ProgramOptions::kSize);
    return out;
}

ProgramOptions decodeProgramOptions(const uint8_t* bytes) {
    ByteReader r(bytes, ProgramOptions::kSize);
    ProgramOptions o;
    o.version = r.i32();
    o.outputFormat = r.u8();
    o.outputFolderKind = r.u8();
    o.outputPrefix = r.shortString(5);
    o.outputSuffix = r.shortString(5);
    o.outputSubfolder = r.shortString(60);
    o.outputFolder = r.shortString(255);
    o.outputOverwrite = r.u8();
    for (int32_t* f : {&o.previewZoomIndex, &o.jpegQualityIndex, &o.ignoreExif, &o.playSound,
                       &o.pictureDialogOption, &o.accelerator, &o.opacity, &o.histogramColour,
                       &o.brightnessManagement, &o.resampling, &o.expertMode, &o.hintMode})
        *f = r.i32();
    o.captionTemplate = r.shortString(255);
    o.renamingTemplate = r.shortString(255);
    for (int32_t* f : {&o.cropZoomIndex, &o.helpPanelVisible, &o.helpPanelHeight,
                       &o.navigatorInMainView, &o.navigatorInPreviewView, &o.navigatorWidth,
                       &o.useThumbnailCache, &o.useFileSettingsCache})
        *f = r.i32();
    for (FloatingWindowPlace& f : o.floatingWindows)
        for (int32_t* v : {&f.left, &f.top, &f.width, &f.height, &f.visible})
            *v = r.i32();
    for (int32_t* f : {&o.mainWidth, &o.mainHeight, &o.mainLeft, &o.mainTop})
        *f = r.i32();
    o.mainMaximized = r.u8();
    assert(r.ok() && r.remaining() == 0);
    return o;
}

}  // namespace core
