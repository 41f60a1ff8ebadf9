// Saving a session in every output format: the file reads back at the size and depth it should,
// BMP pictures are written as sRGB without changing the session, and nothing is replaced by
// accident or by half.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>
#include <vector>

#include "core/document/picture_saving.h"
#include "core/document/save_names.h"
#include "core/paths/output_formats.h"
#include "document_fixtures.h"
#include "imaging/image.h"

namespace core {
namespace {

std::string local(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

struct FormatCase {
    int index;
    bool keeps16;   // the saved file reads back with 16 bits from a 16-bit picture
    bool lossless;  // pixels come back exactly (8-bit)
};

class SaveFormats : public ::testing::TestWithParam<FormatCase> {};

TEST_P(SaveFormats, WritesAFileThatReadsBack) {
    const FormatCase& c = GetParam();
    QTemporaryDir dir;
    for (bool sixteen : {false, true}) {
        SCOPED_TRACE(sixteen);
        test::Session picture;
        ASSERT_TRUE(test::makePattern(picture, 37, 23, sixteen));
        const QString path = dir.filePath(QStringLiteral("saved%1").arg(sixteen));
        const Status saved = savePicture(picture, picture, {path, c.index, 4, false});
        ASSERT_TRUE(saved) << saved.failure().detail.toStdString();
        const QString written = withFormatExtension(path, c.index);
        EXPECT_TRUE(written.endsWith(QLatin1String(kOutputFormats[size_t(c.index)].extension)));
        test::Session back;
        ASSERT_TRUE(imaging::cLoadImage(back, local(written))) << imaging::cGetLastError(back);
        imaging::ImageInfo info;
        ASSERT_TRUE(imaging::cGetImageInfo(back, info));
        EXPECT_EQ(info.width, 37);
        EXPECT_EQ(info.height, 23);
        EXPECT_EQ(info.formatCode, kOutputFormats[size_t(c.index)].code);
        EXPECT_EQ(imaging::cGetBits16Ptr(back) != nullptr, sixteen && c.keeps16);
        if (c.lossless && !sixteen) {
            uint16_t r, g, b, er, eg, eb;
            for (int y = 0; y < 23; ++y)
                for (int x = 0; x < 37; ++x) {
                    imaging::cGetPixelColor(back, x, y, r, g, b);
                    imaging::cGetPixelColor(picture, x, y, er, eg, eb);
                    ASSERT_EQ(r, er);
                    ASSERT_EQ(g, eg);
                    ASSERT_EQ(b, eb);
                }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllFormats, SaveFormats,
                         ::testing::Values(FormatCase{0, false, true}, FormatCase{1, false, false},
                                           FormatCase{2, false, false}, FormatCase{3, true, false},
                                           FormatCase{4, true, true}, FormatCase{5, true, true},
                                           FormatCase{6, true, true}));

TEST(PictureSaving, JpegQualityStepSetsTheFileSize) {
    QTemporaryDir dir;
    test::Session picture;
    ASSERT_TRUE(imaging::cLoadImage(picture, local(test::dataFile("cups-noisy-crop.jpg"))));
    const QString low = dir.filePath(QStringLiteral("low.jpg"));
    const QString high = dir.filePath(QStringLiteral("high.jpg"));
    ASSERT_TRUE(savePicture(picture, picture, {low, 1, 0, false}));
    ASSERT_TRUE(savePicture(picture, picture, {high, 1, 5, false}));
    EXPECT_LT(QFileInfo(low).size(), QFileInfo(high).size());
}

TEST(PictureSaving, BmpOfAResultIsWrittenAsSrgbAndTheResultKeepsItsPixels) {
    QTemporaryDir dir;
    test::Session source;
    ASSERT_TRUE(imaging::cLoadImage(source, local(test::dataFile("imaging/rocket.jpg"))));
    const std::vector<uint8_t> adobe = imaging::cGetImageICCProfile(source);
    ASSERT_FALSE(adobe.empty());
    const imaging::Handle output = imaging::cDupSession(source);
    ASSERT_TRUE(output);
    const size_t bytes = imaging::stride8(640) * 427;
    const std::vector<uint8_t> kept(imaging::cGetBitsPtr(output),
                                    imaging::cGetBitsPtr(output) + bytes);
    const QString path = dir.filePath(QStringLiteral("result"));
    ASSERT_TRUE(savePicture(output, source, {path, 0, 4, false}));
    // The session still holds its own pixels and profile.
    EXPECT_EQ(imaging::cGetImageICCProfile(output), adobe);
    EXPECT_EQ(
        std::vector<uint8_t>(imaging::cGetBitsPtr(output), imaging::cGetBitsPtr(output) + bytes),
        kept);
    // The file holds the sRGB conversion of the same picture.
    test::Session back;
    ASSERT_TRUE(imaging::cLoadImage(back, local(path + ".BMP")));
    test::Session expected;
    ASSERT_TRUE(imaging::cLoadImage(expected, local(test::dataFile("imaging/rocket.jpg"))));
    const std::vector<uint8_t> srgb = imaging::srgbProfile();
    ASSERT_TRUE(imaging::cApplyICCProfileEx(expected, srgb.data(), srgb.size()));
    EXPECT_EQ(std::memcmp(imaging::cGetBitsPtr(back), imaging::cGetBitsPtr(expected), bytes), 0);
    // The source itself is written as it is.
    ASSERT_TRUE(savePicture(source, source, {dir.filePath(QStringLiteral("src")), 0, 4, false}));
    test::Session sourceBack;
    ASSERT_TRUE(imaging::cLoadImage(sourceBack, local(dir.filePath(QStringLiteral("src.BMP")))));
    EXPECT_EQ(std::memcmp(imaging::cGetBitsPtr(sourceBack), imaging::cGetBitsPtr(source), bytes),
              0);
    imaging::cDestroySession(output);
}

TEST(PictureSaving, ExistingFilesAreReplacedOnlyWhenConfirmedAndOnlyByACompleteFile) {
    QTemporaryDir dir;
    test::Session picture;
    ASSERT_TRUE(test::makePattern(picture, 20, 20, false));
    const QString path = dir.filePath(QStringLiteral("there.PNG"));
    ASSERT_TRUE(test::writeAll(path, "old content"));

    Status saved = savePicture(picture, picture, {path, 6, 4, false});
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.failure().key, QLatin1String("ALS_SAVE_RESULTS_IF_EXISTS_QUEST"));
    EXPECT_EQ(saved.failure().detail, path);
    EXPECT_EQ(test::readAll(path), QByteArray("old content"));

    // A save that fails (an empty session) leaves the old file and nothing beside it.
    test::Session empty;
    saved = savePicture(empty, empty, {path, 6, 4, true});
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.failure().key, QLatin1String("ER_CANNOT_SAVE"));
    EXPECT_TRUE(
        saved.failure().detail.startsWith(QLatin1Char('"') + path + QStringLiteral("\"\r\n")));
    EXPECT_EQ(test::readAll(path), QByteArray("old content"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("there.PNG")});

    ASSERT_TRUE(savePicture(picture, picture, {path, 6, 4, true}));
    EXPECT_TRUE(test::readAll(path).startsWith("\x89PNG"));
}

TEST(PictureSaving, MissingFoldersAreMade) {
    QTemporaryDir dir;
    test::Session picture;
    ASSERT_TRUE(test::makePattern(picture, 12, 12, false));
    const QString path = dir.filePath(QStringLiteral("a/b/c/picture"));
    ASSERT_TRUE(savePicture(picture, picture, {path, 5, 4, false}));
    EXPECT_TRUE(QFileInfo::exists(path + ".TIF"));
    // Where a file stands in the way the folder cannot be made.
    ASSERT_TRUE(test::writeAll(dir.filePath(QStringLiteral("blocker")), "x"));
    const Status saved =
        savePicture(picture, picture, {dir.filePath(QStringLiteral("blocker/sub/p")), 5, 4, false});
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.failure().key, QLatin1String("ER_CANNOT_CREATE_FOLDER"));
    EXPECT_EQ(saved.failure().detail,
              QLatin1Char('"') + dir.filePath(QStringLiteral("blocker/sub")) + QLatin1Char('"'));
    EXPECT_EQ(savePicture(picture, picture, {QString(), 5, 4, false}).failure().key,
              QLatin1String("ER_CANNOT_SAVE"));
}

}  // namespace
}  // namespace core
