// Preferences and window state, stored in "vri.dat".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace core {

// A floating tool window's place; -1 coordinates mean "not placed yet".
struct FloatingWindowPlace {
    int32_t left = -1;
    int32_t top = -1;
    int32_t width = -1;
    int32_t height = -1;
    int32_t visible = 0;
    bool operator==(const FloatingWindowPlace&) const = default;
};

struct ProgramOptions {
    static constexpr int32_t kVersion = 31007;
    static constexpr size_t kSize = 1045;

    // Where the batch saves its results (outputFolderKind); a stored value above 2 reads as the
    // user folder.
    static constexpr uint8_t kOutputToSubfolder = 0;     // a sub-folder of the source's folder
    static constexpr uint8_t kOutputToSourceFolder = 1;  // the source's own folder
    static constexpr uint8_t kOutputToUserFolder = 2;    // one folder for every result

    // Capacities in bytes of the stored texts.
    static constexpr size_t kPrefixCapacity = 5;
    static constexpr size_t kSuffixCapacity = 5;
    static constexpr size_t kSubfolderCapacity = 60;
    static constexpr size_t kFolderCapacity = 255;
    static constexpr size_t kTemplateCapacity = 255;

    int32_t version = kVersion;
    // Output of the batch run.
    uint8_t outputFormat = 1;  // index into the output format table
    uint8_t outputFolderKind = kOutputToSubfolder;
    std::string outputPrefix;                  // string[5]
    std::string outputSuffix = "_dnr";         // string[5]
    std::string outputSubfolder = "filtered";  // string[60]
    std::string outputFolder;  // string[255]; empty: "images/filtered" of the program
    uint8_t outputOverwrite = 1;
    int32_t previewZoomIndex = 3;
    int32_t jpegQualityIndex = 4;
    int32_t ignoreExif = 0;
    int32_t playSound = 1;
    int32_t pictureDialogOption = 1;
    int32_t accelerator = 5;
    int32_t opacity = 50;
    int32_t histogramColour = 1;
    int32_t brightnessManagement = 0;
    int32_t resampling = 0;
    int32_t expertMode = 1;
    int32_t hintMode = 2;
    std::string captionTemplate =
        "[text] [date] [time] [filename] [iso] [aperture] [shutter] [camera]";  // string[255]
    std::string renamingTemplate =
        "[year4].[month].[day]_[hours].[minutes].[seconds]_[name]";  // string[255]
    int32_t cropZoomIndex = 0;
    int32_t helpPanelVisible = 1;
    int32_t helpPanelHeight = 150;
    int32_t navigatorInMainView = 1;
    int32_t navigatorInPreviewView = 0;
    int32_t navigatorWidth = 150;
    int32_t useThumbnailCache = 1;
    int32_t useFileSettingsCache = 1;
    // The colour-range window, then the brightness, saturation, noise and sharpening equalizers.
    std::array<FloatingWindowPlace, 5> floatingWindows{{{-1, -1, -1, -1, 0},
                                                        {-1, -1, -1, -1, 1},
                                                        {-1, -1, -1, -1, 1},
                                                        {-1, -1, -1, -1, 0},
                                                        {-1, -1, -1, -1, 0}}};
    int32_t mainWidth = -32000;
    int32_t mainHeight = -32000;
    int32_t mainLeft = -32000;
    int32_t mainTop = -32000;
    uint8_t mainMaximized = 1;

    bool operator==(const ProgramOptions&) const = default;
};

ProgramOptions defaultProgramOptions();

// Exactly ProgramOptions::kSize bytes.
std::vector<uint8_t> encodeProgramOptions(const ProgramOptions& options);
// Decodes kSize bytes; the caller guarantees the length.
ProgramOptions decodeProgramOptions(const uint8_t* bytes);

}  // namespace core
