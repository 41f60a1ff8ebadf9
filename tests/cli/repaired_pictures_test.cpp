// Pictures with a fault the run can go past say so in the log: a JPEG missing only its
// end-of-image marker is processed, a damaged colour profile is left out of the result.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "tests/cli/cli_process.h"

namespace {

using cli::test::cli;
using cli::test::CliResult;
using cli::test::contents;
using cli::test::identify;
using cli::test::tool;

class RepairedPictures : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        photo = contents(QStringLiteral(VF_TEST_DATA "/cups-noisy-crop.jpg"));  // with sRGB
        ASSERT_TRUE(photo.endsWith("\xFF\xD9"));
    }
    QString write(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QString profileOf(const QString& path) {
        return tool(
            QStringLiteral("exiftool"),
            {QStringLiteral("-s3"), QStringLiteral("-ICC_Profile:ProfileDescription"), path});
    }
    QTemporaryDir dir;
    QByteArray photo;
};

TEST_F(RepairedPictures, AJpegWithoutItsEndMarkerIsProcessedWithAWarning) {
    const QString whole = write("whole.jpg", photo.chopped(2));
    const QString cut = write("cut.jpg", photo.chopped(300));
    const CliResult r = cli({whole, cut});
    EXPECT_EQ(r.status, 1);  // the cut one fails
    EXPECT_TRUE(r.err.contains("velmarfilter-cli: warning: " + whole +
                               ": The JPEG file ends without its end-of-image marker"))
        << qPrintable(r.err);
    EXPECT_FALSE(r.err.contains("warning: " + cut)) << qPrintable(r.err);
    EXPECT_TRUE(r.err.contains(cut + ": The JPEG file is truncated or damaged."))
        << qPrintable(r.err);
    EXPECT_TRUE(r.out.contains("Finished: 1 of 2 pictures done")) << qPrintable(r.out);
    EXPECT_EQ(identify(dir.filePath("filtered/whole_dnr.jpg")), "JPEG 320 200");
    EXPECT_FALSE(QFile::exists(dir.filePath("filtered/cut_dnr.jpg")));
}

TEST_F(RepairedPictures, ADamagedColourProfileIsLeftOutWithAWarning) {
    QByteArray damaged = photo;
    const qsizetype at = damaged.indexOf("acsp");
    ASSERT_GT(at, 0);
    damaged.replace(at, 4, "xxxx");
    const QString sound = write("sound.jpg", photo);
    const QString bad = write("bad.jpg", damaged);
    const CliResult r = cli({sound, bad});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.err.contains("velmarfilter-cli: warning: " + bad +
                               ": The picture's colour profile is damaged; the file is saved "
                               "without it."))
        << qPrintable(r.err);
    EXPECT_FALSE(r.err.contains("warning: " + sound)) << qPrintable(r.err);
    EXPECT_NE(profileOf(dir.filePath("filtered/sound_dnr.jpg")), "");
    EXPECT_EQ(identify(dir.filePath("filtered/bad_dnr.jpg")), "JPEG 320 200");
    EXPECT_EQ(profileOf(dir.filePath("filtered/bad_dnr.jpg")), "");
}

// BMP carries no profile: its pixels are converted to sRGB, which a damaged profile cannot
// guide; they are written as they are.
TEST_F(RepairedPictures, ADamagedColourProfileDoesNotStopABmpSave) {
    QByteArray damaged = photo;
    damaged.replace(damaged.indexOf("acsp"), 4, "xxxx");
    const QString bad = write("bad.jpg", damaged);
    const CliResult r = cli({"--format", "bmp", bad});
    EXPECT_EQ(r.status, 0) << qPrintable(r.err);
    EXPECT_TRUE(r.err.contains("velmarfilter-cli: warning: " + bad +
                               ": The picture's colour profile is damaged; its colours are taken "
                               "as they are."))
        << qPrintable(r.err);
    EXPECT_EQ(identify(dir.filePath("filtered/bad_dnr.bmp")), "BMP3 320 200");
}

}  // namespace
