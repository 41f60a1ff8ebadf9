#include "core/paths/output_path.h"

#include <gtest/gtest.h>

#include "core/paths/output_formats.h"

namespace {

core::ProgramOptions options(uint8_t kind, const char* prefix, const char* suffix, uint8_t format,
                             const char* userFolder = "") {
    core::ProgramOptions o;
    o.outputFolderKind = kind;
    o.outputPrefix = prefix;
    o.outputSuffix = suffix;
    o.outputFormat = format;
    o.outputFolder = userFolder;
    return o;
}

TEST(OutputPath, Examples) {
    const struct {
        const char* what;
        const char* source;
        core::ProgramOptions options;
        const char* expected;
    } cases[] = {
        {"sub-folder", "/photos/IMG_1.JPG", options(0, "", "_dnr", 1),
         "/photos/filtered/IMG_1_dnr.jpg"},
        {"user folder", "/photos/IMG_1.JPG", options(2, "", "_dnr", 1, "/out"),
         "/out/IMG_1_dnr.jpg"},
        {"same folder, no affixes", "/photos/IMG_1.JPG", options(1, "", "", 1),
         "/photos/IMG_1.jpg"},
        {"blanks trimmed", "/photos/IMG_1.JPG", options(1, " a", "b ", 1), "/photos/aIMG_1b.jpg"},
        {"empty user folder", "/photos/IMG_1.JPG", options(2, "", "_dnr", 5),
         "/prog/images/filtered/IMG_1_dnr.tif"},
        {"kind above 2", "/photos/IMG_1.JPG", options(7, "", "", 0, "/out"), "/out/IMG_1.bmp"},
        {"format outside the table", "/photos/x.png", options(1, "p_", "", 99), "/photos/p_x.jpg"},
        {"only the last extension goes", "/photos/a.b.tif", options(1, "", "_dnr", 4),
         "/photos/a.b_dnr.psd"},
        {"progressive JPEG", "/p/x.tif", options(1, "", "", 2), "/p/x.jpg"},
        {"JPEG 2000", "/p/x.tif", options(1, "", "", 3), "/p/x.jp2"},
        {"PNG", "/p/x.tif", options(1, "", "", 6), "/p/x.png"},
        {"no source", "", options(0, "", "_dnr", 1), ""},
        {"no name", "/photos/.jpg", options(1, "", "", 1), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::outputPath(c.source, c.options, "/prog/images/filtered"),
                  QString::fromUtf8(c.expected))
            << c.what;
}

TEST(OutputPath, DefaultsWriteIntoFilteredBesideTheSource) {
    EXPECT_EQ(core::outputPath("/home/me/photo.jpg", core::defaultProgramOptions(), "/x"),
              "/home/me/filtered/photo_dnr.jpg");
}

TEST(OutputFormats, QualitySteps) {
    const int expected[] = {81, 89, 93, 96, 98, 100};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(core::jpegQualityFor(i), expected[i]);
    EXPECT_EQ(core::jpegQualityFor(-3), 81);
    EXPECT_EQ(core::jpegQualityFor(9), 100);
    EXPECT_EQ(core::jpegQualityFor(core::defaultProgramOptions().jpegQualityIndex), 98);
}

}  // namespace
