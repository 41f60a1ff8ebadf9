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

// The fields in stored order; their offsets, defaults and ranges are in the table of program
// option fields (program_option_fields.h), and a new record holds the defaults.
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

    ProgramOptions();

    int32_t version;
    // Output of the batch run.
    uint8_t outputFormat;  // index into the output format table
    uint8_t outputFolderKind;
    std::string outputPrefix;     // string[5]
    std::string outputSuffix;     // string[5]
    std::string outputSubfolder;  // string[60]
    std::string outputFolder;     // string[255]; empty: "images/filtered" of the program
    uint8_t outputOverwrite;
    int32_t previewZoomIndex;
    int32_t jpegQualityIndex;
    int32_t ignoreExif;
    int32_t playSound;
    int32_t pictureDialogOption;
    int32_t accelerator;
    int32_t opacity;
    int32_t histogramColour;
    int32_t brightnessManagement;
    int32_t resampling;
    int32_t expertMode;
    int32_t hintMode;
    std::string captionTemplate;   // string[255]
    std::string renamingTemplate;  // string[255]
    int32_t cropZoomIndex;
    int32_t helpPanelVisible;
    int32_t helpPanelHeight;
    int32_t navigatorInMainView;
    int32_t navigatorInPreviewView;
    int32_t navigatorWidth;
    int32_t useThumbnailCache;
    int32_t useFileSettingsCache;
    // The colour-range window, then the brightness, saturation, noise and sharpening equalizers.
    std::array<FloatingWindowPlace, 5> floatingWindows;
    int32_t mainWidth;
    int32_t mainHeight;
    int32_t mainLeft;
    int32_t mainTop;
    uint8_t mainMaximized;

    bool operator==(const ProgramOptions&) const = default;
};

ProgramOptions defaultProgramOptions();

// Exactly ProgramOptions::kSize bytes.
std::vector<uint8_t> encodeProgramOptions(const ProgramOptions& options);
// Decodes kSize bytes; the caller guarantees the length.
ProgramOptions decodeProgramOptions(const uint8_t* bytes);

}  // namespace core
