#include "core/settings/program_option_fields.h"

#include <algorithm>

namespace core {

namespace {

#define VF_INT(f) +[](ProgramOptions& o) -> int32_t* { return &o.f; }
#define VF_BYTE(f) +[](ProgramOptions& o) -> uint8_t* { return &o.f; }
#define VF_TEXT(f) +[](ProgramOptions& o) -> std::string* { return &o.f; }
#define VF_WINDOW(i, f) +[](ProgramOptions& o) -> int32_t* { return &o.floatingWindows[i].f; }

// Name, offset, type, capacity, default, default text, ranged, minimum, maximum, preference key,
// integer, byte and text access. The floating windows are, in order: the colour-range window,
// then the brightness, saturation, noise and sharpening equalizers; none is placed yet, the
// brightness and saturation equalizers are shown.
constexpr ProgramOptionField kFields[] = {
    {"version", 0, OptionType::Int, 0, ProgramOptions::kVersion, "", false, 0, 0, "",
     VF_INT(version), nullptr, nullptr},
    {"outputFormat", 4, OptionType::Byte, 0, 1, "", true, 0, 6, "", nullptr, VF_BYTE(outputFormat),
     nullptr},
    {"outputFolderKind", 5, OptionType::Byte, 0, 0, "", false, 0, 0, "", nullptr,
     VF_BYTE(outputFolderKind), nullptr},
    {"outputPrefix", 6, OptionType::Text, ProgramOptions::kPrefixCapacity, 0, "", false, 0, 0, "",
     nullptr, nullptr, VF_TEXT(outputPrefix)},
    {"outputSuffix", 12, OptionType::Text, ProgramOptions::kSuffixCapacity, 0, "_dnr", false, 0, 0,
     "", nullptr, nullptr, VF_TEXT(outputSuffix)},
    {"outputSubfolder", 18, OptionType::Text, ProgramOptions::kSubfolderCapacity, 0, "filtered",
     false, 0, 0, "", nullptr, nullptr, VF_TEXT(outputSubfolder)},
    {"outputFolder", 79, OptionType::Text, ProgramOptions::kFolderCapacity, 0, "", false, 0, 0, "",
     nullptr, nullptr, VF_TEXT(outputFolder)},
    {"outputOverwrite", 335, OptionType::Byte, 0, 1, "", true, 0, 1, "", nullptr,
     VF_BYTE(outputOverwrite), nullptr},
    {"previewZoomIndex", 336, OptionType::Int, 0, 3, "", false, 0, 0, "", VF_INT(previewZoomIndex),
     nullptr, nullptr},
    {"jpegQualityIndex", 340, OptionType::Int, 0, 4, "", true, 0, 5, "", VF_INT(jpegQualityIndex),
     nullptr, nullptr},
    {"ignoreExif", 344, OptionType::Int, 0, 0, "", true, 0, 1, "ALS_PREFS_IGNORE_EXIF",
     VF_INT(ignoreExif), nullptr, nullptr},
    {"playSound", 348, OptionType::Int, 0, 1, "", true, 0, 1, "ALS_PREFS_PLAY_SOUND",
     VF_INT(playSound), nullptr, nullptr},
    {"pictureDialogOption", 352, OptionType::Int, 0, 1, "", false, 0, 0, "",
     VF_INT(pictureDialogOption), nullptr, nullptr},
    {"accelerator", 356, OptionType::Int, 0, 5, "", true, 1, 10, "ALS_PREFS_ACCELERATOR",
     VF_INT(accelerator), nullptr, nullptr},
    {"opacity", 360, OptionType::Int, 0, 50, "", true, 0, 100, "ALS_PREFS_OPACITY", VF_INT(opacity),
     nullptr, nullptr},
    {"histogramColour", 364, OptionType::Int, 0, 1, "", true, 0, 1, "", VF_INT(histogramColour),
     nullptr, nullptr},
    {"brightnessManagement", 368, OptionType::Int, 0, 0, "", true, 0, 1, "",
     VF_INT(brightnessManagement), nullptr, nullptr},
    {"resampling", 372, OptionType::Int, 0, 0, "", true, 0, 2, "", VF_INT(resampling), nullptr,
     nullptr},
    {"expertMode", 376, OptionType::Int, 0, 1, "", true, 0, 1, "", VF_INT(expertMode), nullptr,
     nullptr},
    {"hintMode", 380, OptionType::Int, 0, 2, "", true, 0, 3, "", VF_INT(hintMode), nullptr,
     nullptr},
    {"captionTemplate", 384, OptionType::Text, ProgramOptions::kTemplateCapacity, 0,
     "[text] [date] [time] [filename] [iso] [aperture] [shutter] [camera]", false, 0, 0, "",
     nullptr, nullptr, VF_TEXT(captionTemplate)},
    {"renamingTemplate", 640, OptionType::Text, ProgramOptions::kTemplateCapacity, 0,
     "[year4].[month].[day]_[hours].[minutes].[seconds]_[name]", false, 0, 0, "", nullptr, nullptr,
     VF_TEXT(renamingTemplate)},
    {"cropZoomIndex", 896, OptionType::Int, 0, 0, "", false, 0, 0, "", VF_INT(cropZoomIndex),
     nullptr, nullptr},
    {"helpPanelVisible", 900, OptionType::Int, 0, 1, "", true, 0, 1, "", VF_INT(helpPanelVisible),
     nullptr, nullptr},
    {"helpPanelHeight", 904, OptionType::Int, 0, 150, "", false, 0, 0, "", VF_INT(helpPanelHeight),
     nullptr, nullptr},
    {"navigatorInMainView", 908, OptionType::Int, 0, 1, "", true, 0, 1, "",
     VF_INT(navigatorInMainView), nullptr, nullptr},
    {"navigatorInPreviewView", 912, OptionType::Int, 0, 0, "", true, 0, 1, "",
     VF_INT(navigatorInPreviewView), nullptr, nullptr},
    {"navigatorWidth", 916, OptionType::Int, 0, 150, "", false, 0, 0, "", VF_INT(navigatorWidth),
     nullptr, nullptr},
    {"useThumbnailCache", 920, OptionType::Int, 0, 1, "", true, 0, 1, "", VF_INT(useThumbnailCache),
     nullptr, nullptr},
    {"useFileSettingsCache", 924, OptionType::Int, 0, 1, "", true, 0, 1, "",
     VF_INT(useFileSettingsCache), nullptr, nullptr},
    {"floatingWindows[0].left", 928, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(0, left), nullptr, nullptr},
    {"floatingWindows[0].top", 932, OptionType::Int, 0, -1, "", false, 0, 0, "", VF_WINDOW(0, top),
     nullptr, nullptr},
    {"floatingWindows[0].width", 936, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(0, width), nullptr, nullptr},
    {"floatingWindows[0].height", 940, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(0, height), nullptr, nullptr},
    {"floatingWindows[0].visible", 944, OptionType::Int, 0, 0, "", true, 0, 1, "",
     VF_WINDOW(0, visible), nullptr, nullptr},
    {"floatingWindows[1].left", 948, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(1, left), nullptr, nullptr},
    {"floatingWindows[1].top", 952, OptionType::Int, 0, -1, "", false, 0, 0, "", VF_WINDOW(1, top),
     nullptr, nullptr},
    {"floatingWindows[1].width", 956, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(1, width), nullptr, nullptr},
    {"floatingWindows[1].height", 960, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(1, height), nullptr, nullptr},
    {"floatingWindows[1].visible", 964, OptionType::Int, 0, 1, "", true, 0, 1, "",
     VF_WINDOW(1, visible), nullptr, nullptr},
    {"floatingWindows[2].left", 968, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(2, left), nullptr, nullptr},
    {"floatingWindows[2].top", 972, OptionType::Int, 0, -1, "", false, 0, 0, "", VF_WINDOW(2, top),
     nullptr, nullptr},
    {"floatingWindows[2].width", 976, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(2, width), nullptr, nullptr},
    {"floatingWindows[2].height", 980, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(2, height), nullptr, nullptr},
    {"floatingWindows[2].visible", 984, OptionType::Int, 0, 1, "", true, 0, 1, "",
     VF_WINDOW(2, visible), nullptr, nullptr},
    {"floatingWindows[3].left", 988, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(3, left), nullptr, nullptr},
    {"floatingWindows[3].top", 992, OptionType::Int, 0, -1, "", false, 0, 0, "", VF_WINDOW(3, top),
     nullptr, nullptr},
    {"floatingWindows[3].width", 996, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(3, width), nullptr, nullptr},
    {"floatingWindows[3].height", 1000, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(3, height), nullptr, nullptr},
    {"floatingWindows[3].visible", 1004, OptionType::Int, 0, 0, "", true, 0, 1, "",
     VF_WINDOW(3, visible), nullptr, nullptr},
    {"floatingWindows[4].left", 1008, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(4, left), nullptr, nullptr},
    {"floatingWindows[4].top", 1012, OptionType::Int, 0, -1, "", false, 0, 0, "", VF_WINDOW(4, top),
     nullptr, nullptr},
    {"floatingWindows[4].width", 1016, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(4, width), nullptr, nullptr},
    {"floatingWindows[4].height", 1020, OptionType::Int, 0, -1, "", false, 0, 0, "",
     VF_WINDOW(4, height), nullptr, nullptr},
    {"floatingWindows[4].visible", 1024, OptionType::Int, 0, 0, "", true, 0, 1, "",
     VF_WINDOW(4, visible), nullptr, nullptr},
    {"mainWidth", 1028, OptionType::Int, 0, -32000, "", false, 0, 0, "", VF_INT(mainWidth), nullptr,
     nullptr},
    {"mainHeight", 1032, OptionType::Int, 0, -32000, "", false, 0, 0, "", VF_INT(mainHeight),
     nullptr, nullptr},
    {"mainLeft", 1036, OptionType::Int, 0, -32000, "", false, 0, 0, "", VF_INT(mainLeft), nullptr,
     nullptr},
    {"mainTop", 1040, OptionType::Int, 0, -32000, "", false, 0, 0, "", VF_INT(mainTop), nullptr,
     nullptr},
    {"mainMaximized", 1044, OptionType::Byte, 0, 1, "", true, 0, 1, "", nullptr,
     VF_BYTE(mainMaximized), nullptr},
};

#undef VF_INT
#undef VF_BYTE
#undef VF_TEXT
#undef VF_WINDOW

consteval bool fieldsTileTheRecord() {
    size_t next = 0;
    for (const ProgramOptionField& f : kFields) {
        if (f.offset != next) return false;
        next += f.storedSize();
    }
    return next == ProgramOptions::kSize;
}
static_assert(fieldsTileTheRecord(), "the options table must cover the stored record exactly");

bool sameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::span<const ProgramOptionField> programOptionFields() {
    return kFields;
}

const ProgramOptionField* findProgramOptionField(std::string_view name) {
    for (const ProgramOptionField& f : kFields)
        if (sameName(f.name, name)) return &f;
    return nullptr;
}

}  // namespace core
