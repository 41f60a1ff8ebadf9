#include "core/settings/program_options.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "record_layout.h"

namespace {

using core::ProgramOptions;

using core::testing::intAt;
using IntField = core::testing::IntField<ProgramOptions>;
using StringField = core::testing::StringField<ProgramOptions>;

const core::testing::RecordCodec<ProgramOptions> kCodec{
    core::encodeProgramOptions, core::decodeProgramOptions, core::defaultProgramOptions()};

const IntField kIntFields[] = {
    {"version", &ProgramOptions::version, 0, 31007},
    {"previewZoomIndex", &ProgramOptions::previewZoomIndex, 336, 3},
    {"jpegQualityIndex", &ProgramOptions::jpegQualityIndex, 340, 4},
    {"ignoreExif", &ProgramOptions::ignoreExif, 344, 0},
    {"playSound", &ProgramOptions::playSound, 348, 1},
    {"pictureDialogOption", &ProgramOptions::pictureDialogOption, 352, 1},
    {"accelerator", &ProgramOptions::accelerator, 356, 5},
    {"opacity", &ProgramOptions::opacity, 360, 50},
    {"histogramColour", &ProgramOptions::histogramColour, 364, 1},
    {"brightnessManagement", &ProgramOptions::brightnessManagement, 368, 0},
    {"resampling", &ProgramOptions::resampling, 372, 0},
    {"expertMode", &ProgramOptions::expertMode, 376, 1},
    {"hintMode", &ProgramOptions::hintMode, 380, 2},
    {"cropZoomIndex", &ProgramOptions::cropZoomIndex, 896, 0},
    {"helpPanelVisible", &ProgramOptions::helpPanelVisible, 900, 1},
    {"helpPanelHeight", &ProgramOptions::helpPanelHeight, 904, 150},
    {"navigatorInMainView", &ProgramOptions::navigatorInMainView, 908, 1},
    {"navigatorInPreviewView", &ProgramOptions::navigatorInPreviewView, 912, 0},
    {"navigatorWidth", &ProgramOptions::navigatorWidth, 916, 150},
    {"useThumbnailCache", &ProgramOptions::useThumbnailCache, 920, 1},
    {"useFileSettingsCache", &ProgramOptions::useFileSettingsCache, 924, 1},
    {"mainWidth", &ProgramOptions::mainWidth, 1028, -32000},
    {"mainHeight", &ProgramOptions::mainHeight, 1032, -32000},
    {"mainLeft", &ProgramOptions::mainLeft, 1036, -32000},
    {"mainTop", &ProgramOptions::mainTop, 1040, -32000},
};

TEST(ProgramOptionsLayout, EncodesToItsStoredSize) {
    EXPECT_EQ(core::encodeProgramOptions(core::defaultProgramOptions()).size(), 1045u);
}

TEST(ProgramOptionsLayout, EveryIntegerFieldAtItsOffsetWithItsDefault) {
    core::testing::expectIntFields(kCodec, kIntFields);
}

struct ByteField {
    const char* name;
    uint8_t ProgramOptions::*member;
    size_t offset;
    uint8_t defaultValue;
};

TEST(ProgramOptionsLayout, ByteFields) {
    const ByteField fields[] = {
        {"outputFormat", &ProgramOptions::outputFormat, 4, 1},
        {"outputFolderKind", &ProgramOptions::outputFolderKind, 5, 0},
        {"outputOverwrite", &ProgramOptions::outputOverwrite, 335, 1},
        {"mainMaximized", &ProgramOptions::mainMaximized, 1044, 1},
    };
    const auto defaults = core::encodeProgramOptions(ProgramOptions{});
    for (const ByteField& f : fields) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(defaults[f.offset], f.defaultValue);
        ProgramOptions changed;
        changed.*f.member = 0xA5;
        const auto bytes = core::encodeProgramOptions(changed);
        EXPECT_EQ(bytes[f.offset], 0xA5);
        EXPECT_EQ(core::decodeProgramOptions(bytes.data()), changed);
    }
}

const StringField kStringFields[] = {
    {"outputPrefix", &ProgramOptions::outputPrefix, 6, 5, ""},
    {"outputSuffix", &ProgramOptions::outputSuffix, 12, 5, "_dnr"},
    {"outputSubfolder", &ProgramOptions::outputSubfolder, 18, 60, "filtered"},
    {"outputFolder", &ProgramOptions::outputFolder, 79, 255, ""},
    {"captionTemplate", &ProgramOptions::captionTemplate, 384, 255,
     "[text] [date] [time] [filename] [iso] [aperture] [shutter] [camera]"},
    {"renamingTemplate", &ProgramOptions::renamingTemplate, 640, 255,
     "[year4].[month].[day]_[hours].[minutes].[seconds]_[name]"},
};

TEST(ProgramOptionsLayout, StringsAreALengthByteAndTheirCapacity) {
    core::testing::expectStringFields(kCodec, kStringFields);
}

TEST(ProgramOptionsLayout, FloatingWindowsFrom928) {
    const auto defaults = core::encodeProgramOptions(ProgramOptions{});
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(intAt(defaults, 928 + 20 * i + 4 * c), -1);
        EXPECT_EQ(intAt(defaults, 928 + 20 * i + 16), (i == 1 || i == 2) ? 1 : 0);
    }
    ProgramOptions changed;
    changed.floatingWindows[4] = {11, 12, 13, 14, 1};
    const auto bytes = core::encodeProgramOptions(changed);
    EXPECT_EQ(intAt(bytes, 1008), 11);
    EXPECT_EQ(intAt(bytes, 1024), 1);
    EXPECT_EQ(core::decodeProgramOptions(bytes.data()), changed);
}

}  // namespace
