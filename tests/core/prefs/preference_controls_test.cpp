// The preferences window's controls and the record: every control maps to its field, both ways.
#include "core/prefs/preference_controls.h"

#include <gtest/gtest.h>

namespace {

using core::PreferenceControls;
using core::ProgramOptions;

TEST(PreferenceControlsTest, TheDefaultRecordShowsTheDefaultRows) {
    const PreferenceControls c = core::preferenceControls(core::defaultProgramOptions());
    EXPECT_EQ(c.acceleratorRow, 4);  // accelerator 5
    EXPECT_EQ(c.opacityRow, 5);      // 50 %
    EXPECT_EQ(c.histogramColourRow, 1);
    EXPECT_EQ(c.resamplingRow, 0);
    EXPECT_EQ(c.brightnessControlRow, 0);
    EXPECT_EQ(c.hintModeRow, 2);
    EXPECT_FALSE(c.ignoreExif);
    EXPECT_TRUE(c.playSound);
    EXPECT_TRUE(c.useThumbnailCache);
    EXPECT_TRUE(c.useFileSettingsCache);
    EXPECT_EQ(
        c.captionTemplate,
        QStringLiteral("[text] [date] [time] [filename] [iso] [aperture] [shutter] [camera]"));
    EXPECT_EQ(c.captionTemplate, core::defaultCaptionTemplate());
}

TEST(PreferenceControlsTest, TheListsHoldTheirChoices) {
    EXPECT_EQ(core::acceleratorChoices(),
              QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(core::opacityChoices(),
              QStringList({"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}));
    EXPECT_EQ(core::histogramColourChoices(), QStringList({"ALS_COLOR", "ALS_GRAY"}));
    EXPECT_EQ(
        core::resamplingChoices(),
        QStringList({"ALS_RESAMPLE_NEAREST", "ALS_RESAMPLE_BILINEAR", "ALS_RESAMPLE_MITCHELL"}));
    EXPECT_EQ(core::brightnessControlChoices(), QStringList({"ALS_EQUALIZER_L", "ALS_CURVE"}));
    EXPECT_EQ(core::hintModeChoices(),
              QStringList({"ALS_PREFS_HINT_CONTROLS", "ALS_PREFS_HINT_STATUS",
                           "ALS_PREFS_HINT_BOTH", "ALS_PREFS_HINT_NONE"}));
}

// One control changed from the defaults, and the field it must change.
struct ControlCase {
    const char* name;
    void (*change)(PreferenceControls&);
    void (*expect)(ProgramOptions&);
};

const ControlCase kControlCases[] = {
    {"accelerator first row", [](PreferenceControls& c) { c.acceleratorRow = 0; },
     [](ProgramOptions& o) { o.accelerator = 1; }},
    {"accelerator last row", [](PreferenceControls& c) { c.acceleratorRow = 9; },
     [](ProgramOptions& o) { o.accelerator = 10; }},
    {"opacity none", [](PreferenceControls& c) { c.opacityRow = 0; },
     [](ProgramOptions& o) { o.opacity = 0; }},
    {"opacity 70", [](PreferenceControls& c) { c.opacityRow = 7; },
     [](ProgramOptions& o) { o.opacity = 70; }},
    {"opacity full", [](PreferenceControls& c) { c.opacityRow = 10; },
     [](ProgramOptions& o) { o.opacity = 100; }},
    {"histogram in colour", [](PreferenceControls& c) { c.histogramColourRow = 0; },
     [](ProgramOptions& o) { o.histogramColour = 0; }},
    {"Mitchell", [](PreferenceControls& c) { c.resamplingRow = 2; },
     [](ProgramOptions& o) { o.resampling = 2; }},
    {"bilinear", [](PreferenceControls& c) { c.resamplingRow = 1; },
     [](ProgramOptions& o) { o.resampling = 1; }},
    {"brightness by curve", [](PreferenceControls& c) { c.brightnessControlRow = 1; },
     [](ProgramOptions& o) { o.brightnessManagement = 1; }},
    {"tool tips only", [](PreferenceControls& c) { c.hintModeRow = 0; },
     [](ProgramOptions& o) { o.hintMode = 0; }},
    {"status bar only", [](PreferenceControls& c) { c.hintModeRow = 1; },
     [](ProgramOptions& o) { o.hintMode = 1; }},
    {"no hints", [](PreferenceControls& c) { c.hintModeRow = 3; },
     [](ProgramOptions& o) { o.hintMode = 3; }},
    {"ignore EXIF", [](PreferenceControls& c) { c.ignoreExif = true; },
     [](ProgramOptions& o) { o.ignoreExif = 1; }},
    {"silent", [](PreferenceControls& c) { c.playSound = false; },
     [](ProgramOptions& o) { o.playSound = 0; }},
    {"no thumbnail cache", [](PreferenceControls& c) { c.useThumbnailCache = false; },
     [](ProgramOptions& o) { o.useThumbnailCache = 0; }},
    {"no settings cache", [](PreferenceControls& c) { c.useFileSettingsCache = false; },
     [](ProgramOptions& o) { o.useFileSettingsCache = 0; }},
    {"template",
     [](PreferenceControls& c) { c.captionTemplate = QStringLiteral("[date] [camera]"); },
     [](ProgramOptions& o) { o.captionTemplate = "[date] [camera]"; }},
    {"empty template", [](PreferenceControls& c) { c.captionTemplate.clear(); },
     [](ProgramOptions& o) { o.captionTemplate.clear(); }},
};

TEST(PreferenceControlsTest, EachControlChangesItsOwnFieldAndReadsBackTheSame) {
    for (const ControlCase& test : kControlCases) {
        SCOPED_TRACE(test.name);
        PreferenceControls controls = core::preferenceControls(core::defaultProgramOptions());
        test.change(controls);
        ProgramOptions written = core::defaultProgramOptions();
        written.expertMode = 0;  // a field the window does not edit stays as it was
        core::applyPreferenceControls(controls, written);

        ProgramOptions expected = core::defaultProgramOptions();
        expected.expertMode = 0;
        test.expect(expected);
        EXPECT_EQ(written, expected);
        EXPECT_EQ(core::preferenceControls(written), controls);
        // And through the stored bytes.
        EXPECT_EQ(core::preferenceControls(
                      core::decodeProgramOptions(core::encodeProgramOptions(written).data())),
                  controls);
    }
}

// A stored opacity that is not a multiple of ten shows the nearest row, halves to even.
TEST(PreferenceControlsTest, OpacityShowsTheNearestRow) {
    const struct {
        int32_t opacity;
        int row;
    } cases[] = {{0, 0},  {4, 0},  {5, 0},  {6, 1},  {14, 1}, {15, 2},  {25, 2},
                 {44, 4}, {45, 4}, {46, 5}, {50, 5}, {55, 6}, {95, 10}, {100, 10}};
    for (const auto& c : cases) {
        ProgramOptions options;
        options.opacity = c.opacity;
        EXPECT_EQ(core::preferenceControls(options).opacityRow, c.row) << c.opacity;
    }
}

TEST(PreferenceControlsTest, ValuesOutsideTheListsShowTheNearestEnd) {
    ProgramOptions options;
    options.accelerator = 0;
    options.opacity = 250;
    options.histogramColour = 7;
    options.resampling = -1;
    options.brightnessManagement = 3;
    options.hintMode = 9;
    const PreferenceControls c = core::preferenceControls(options);
    EXPECT_EQ(c.acceleratorRow, 0);
    EXPECT_EQ(c.opacityRow, 10);
    EXPECT_EQ(c.histogramColourRow, 1);
    EXPECT_EQ(c.resamplingRow, 0);
    EXPECT_EQ(c.brightnessControlRow, 1);
    EXPECT_EQ(c.hintModeRow, 3);
}

TEST(PreferenceControlsTest, ACheckedFieldReadsOnlyOneAsOn) {
    ProgramOptions options;
    options.playSound = 2;
    options.ignoreExif = 1;
    const PreferenceControls c = core::preferenceControls(options);
    EXPECT_FALSE(c.playSound);
    EXPECT_TRUE(c.ignoreExif);
}

TEST(PreferenceControlsTest, TheTemplateKeepsAtMost255CharactersAndWholeCharacters) {
    PreferenceControls controls;
    ProgramOptions options;
    controls.captionTemplate = QString(300, QLatin1Char('x'));
    core::applyPreferenceControls(controls, options);
    EXPECT_EQ(options.captionTemplate, std::string(255, 'x'));

    // Two bytes a character: 127 whole characters fit into 255 bytes.
    controls.captionTemplate = QString(200, QChar(0x00e9));
    core::applyPreferenceControls(controls, options);
    EXPECT_EQ(QString::fromStdString(options.captionTemplate), QString(127, QChar(0x00e9)));
}

}  // namespace
