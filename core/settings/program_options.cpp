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
    w.shortString(o.outputPrefix, ProgramOptions::kPrefixCapacity);
    w.shortString(o.outputSuffix, ProgramOptions::kSuffixCapacity);
    w.shortString(o.outputSubfolder, ProgramOptions::kSubfolderCapacity);
    w.shortString(o.outputFolder, ProgramOptions::kFolderCapacity);
    w.u8(o.outputOverwrite);
    for (int32_t v : {o.previewZoomIndex, o.jpegQualityIndex, o.ignoreExif, o.playSound,
                      o.pictureDialogOption, o.accelerator, o.opacity, o.histogramColour,
                      o.brightnessManagement, o.resampling, o.expertMode, o.hintMode})
        w.i32(v);
    w.shortString(o.captionTemplate, ProgramOptions::kTemplateCapacity);
    w.shortString(o.renamingTemplate, ProgramOptions::kTemplateCapacity);
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
    o.outputPrefix = r.shortString(ProgramOptions::kPrefixCapacity);
    o.outputSuffix = r.shortString(ProgramOptions::kSuffixCapacity);
    o.outputSubfolder = r.shortString(ProgramOptions::kSubfolderCapacity);
    o.outputFolder = r.shortString(ProgramOptions::kFolderCapacity);
    o.outputOverwrite = r.u8();
    for (int32_t* f : {&o.previewZoomIndex, &o.jpegQualityIndex, &o.ignoreExif, &o.playSound,
                       &o.pictureDialogOption, &o.accelerator, &o.opacity, &o.histogramColour,
                       &o.brightnessManagement, &o.resampling, &o.expertMode, &o.hintMode})
        *f = r.i32();
    o.captionTemplate = r.shortString(ProgramOptions::kTemplateCapacity);
    o.renamingTemplate = r.shortString(ProgramOptions::kTemplateCapacity);
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
