// The whole job from the command line on a full-size photograph: crop to a print size, caption,
// frame, with its metadata and colour profile carried; the same from a saved settings file; and
// a queue of such items run to the end.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "core/crop/crop_controls.h"
#include "core/queue/queue_file.h"
#include "core/queue/queue_model.h"
#include "imaging/imaging.h"
#include "tests/cli/cli_process.h"

namespace {

using cli::test::cli;
using cli::test::CliResult;
using cli::test::contents;
using cli::test::identify;
using cli::test::tool;

// The tags that show each kind of metadata arrived: EXIF, IPTC, XMP and the colour profile.
QString metadataTags(const QString& path) {
    return tool(
        QStringLiteral("exiftool"),
        {QStringLiteral("-s"), QStringLiteral("-EXIF:Model"),
         QStringLiteral("-EXIF:DateTimeOriginal"), QStringLiteral("-IPTC:Keywords"),
         QStringLiteral("-XMP-dc:Title"), QStringLiteral("-ICC_Profile:ProfileDescription"), path});
}

// A picture's pixels through the imaging layer, top-down.
class Pixels {
  public:
    explicit Pixels(const QString& path) : h_(imaging::cNewSession()) {
        loaded_ = imaging::cLoadImage(h_, path.toStdString());
        imaging::ImageInfo info;
        if (loaded_ && imaging::cGetImageInfo(h_, info)) {
            width = info.width;
            height = info.height;
        }
    }
    ~Pixels() { imaging::cDestroySession(h_); }
    Pixels(const Pixels&) = delete;
    Pixels& operator=(const Pixels&) = delete;
    bool loaded() const { return loaded_; }
    void at(int x, int y, int& r, int& g, int& b) const {
        std::uint16_t rr = 0, gg = 0, bb = 0;
        imaging::cGetPixelColor(h_, x, y, rr, gg, bb);
        r = rr >> 8;
        g = gg >> 8;
        b = bb >> 8;
    }
    bool nearWhite(int x, int y) const {
        int r, g, b;
        at(x, y, r, g, b);
        return r > 235 && g > 235 && b > 235;
    }
    int width = 0, height = 0;

  private:
    imaging::Handle h_;
    bool loaded_ = false;
};

// Where two pictures of one size differ by more than JPEG noise: the count of such pixels and
// the box around them.
struct Difference {
    int pixels = 0;
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
};

Difference difference(const Pixels& a, const Pixels& b) {
    Difference d;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            int r1, g1, b1, r2, g2, b2;
            a.at(x, y, r1, g1, b1);
            b.at(x, y, r2, g2, b2);
            if (std::abs(r1 - r2) + std::abs(g1 - g2) + std::abs(b1 - b2) < 90) continue;
            ++d.pixels;
            d.left = std::min(d.left, x);
            d.right = std::max(d.right, x);
            d.top = std::min(d.top, y);
            d.bottom = std::max(d.bottom, y);
        }
    return d;
}

// A caption: a good many pixels changed, all within a small part of the picture.
void expectCaptionOnly(const Pixels& captioned, const Pixels& without) {
    ASSERT_EQ(captioned.width, without.width);
    ASSERT_EQ(captioned.height, without.height);
    const Difference d = difference(captioned, without);
    EXPECT_GT(d.pixels, 30);
    const int64_t box = int64_t(d.right - d.left + 1) * (d.bottom - d.top + 1);
    EXPECT_LT(box, int64_t(captioned.width) * captioned.height / 8)
        << d.left << "," << d.top << " - " << d.right << "," << d.bottom;
}

bool outerEdgeIsWhite(const Pixels& p) {
    for (int x = 0; x < p.width; x += 37)
        if (!p.nearWhite(x, 0) || !p.nearWhite(x, p.height - 1)) return false;
    for (int y = 0; y < p.height; y += 37)
        if (!p.nearWhite(0, y) || !p.nearWhite(p.width - 1, y)) return false;
    return true;
}

class CropCaptionRun : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }

    // A 4000 x 3000 photograph with camera EXIF, IPTC, XMP and an sRGB profile: the bundled
    // Kite picture with IPTC and XMP added, enlarged by the imaging layer.
    void makePhoto(const QString& target) {
        const QString source = path("kite-source.jpg");
        ASSERT_TRUE(QFile::copy(QStringLiteral(VF_TEST_DATA "/imaging/Kite.jpg"), source));
        tool(QStringLiteral("exiftool"),
             {QStringLiteral("-q"), QStringLiteral("-overwrite_original"), QStringLiteral("-m"),
              QStringLiteral("-IPTC:Keywords=kite"), QStringLiteral("-XMP-dc:Title=Kite test"),
              source});
        const imaging::Handle h = imaging::cNewSession();
        ASSERT_TRUE(imaging::cLoadImage(h, source.toStdString())) << imaging::cGetLastError(h);
        ASSERT_TRUE(imaging::cOpResizeEx(h, 4000, 3000)) << imaging::cGetLastError(h);
        ASSERT_TRUE(imaging::cSetJPEGParams(h, 95, 0.95, true, 0));
        ASSERT_TRUE(imaging::cSave(h, target.toStdString(), imaging::kCodeJpeg))
            << imaging::cGetLastError(h);
        imaging::cDestroySession(h);
        ASSERT_EQ(identify(target), "JPEG 4000 3000");
        photoTags = metadataTags(target);
        for (const char* tag :
             {"Model", "DateTimeOriginal", "Keywords", "Title", "ProfileDescription"})
            ASSERT_TRUE(photoTags.contains(QLatin1String(tag))) << qPrintable(photoTags);
    }

    QTemporaryDir dir;
    QString photoTags;
};

TEST_F(CropCaptionRun, APrintWithCaptionAndFrameKeepsItsMetadataAndRepeatsFromASettingsFile) {
    const QString photo = path("photo.jpg");
    makePhoto(photo);
    ASSERT_FALSE(HasFailure());
    const QStringList job = {"--set", "CropOn=1",     "--set", "CropPaperIndex=2",
                             "--set", "InsertText=1", "--set", "CaptionText=Kite [date]",
                             "--set", "FrameOn=1"};
    CliResult r = cli(QStringList(job) << "--save-settings" << path("kite.vrs") << photo);
    ASSERT_EQ(r.status, 0) << qPrintable(r.err) << qPrintable(r.out);
    const QString result = path("filtered/photo_dnr.jpg");
    EXPECT_EQ(identify(result), "JPEG 1800 1200");
    // EXIF, IPTC, XMP and the colour profile carried, value for value.
    EXPECT_EQ(metadataTags(result), photoTags);

    // The same settings from the saved file give the same bytes.
    r = cli({"--settings", path("kite.vrs"), "--output-dir", path("again"), photo});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    const QByteArray first = contents(result);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(contents(path("again/photo_dnr.jpg")), first);

    // Against the same framed crop without the caption: the caption is drawn, in one place.
    r = cli({"--set", "CropOn=1", "--set", "CropPaperIndex=2", "--set", "FrameOn=1", "--output-dir",
             path("framed"), photo});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err);
    const Pixels captioned(result), framed(path("framed/photo_dnr.jpg"));
    ASSERT_TRUE(captioned.loaded() && framed.loaded());
    expectCaptionOnly(captioned, framed);
    // The frame's white runs round the edge, where the photograph's own edge is not white.
    EXPECT_TRUE(outerEdgeIsWhite(captioned));
    const Pixels original(photo);
    bool photoEdgeWhite = true;
    for (int y = 167; y < 167 + 2666; y += 37)
        photoEdgeWhite = photoEdgeWhite && original.nearWhite(0, y) && original.nearWhite(3999, y);
    EXPECT_FALSE(photoEdgeWhite);
}

// Queue items as the window stores them, each with caption and frame: one straightened and
// cropped to its own frame, one fitting a print frame to the picture.
TEST_F(CropCaptionRun, AQueueOfCroppedCaptionedFramedItemsRunsToTheEnd) {
    const QString cups = QStringLiteral(VF_TEST_DATA "/cups-noisy-crop.jpg");  // 320 x 200
    ASSERT_TRUE(QFile::copy(cups, path("a.jpg")));
    ASSERT_TRUE(QFile::copy(cups, path("b.jpg")));
    core::CropControls c;
    c.cropOn = true;
    c.size.sizeKind = core::kCropUser;
    c.size.userResizeOn = true;
    c.size.userWidth = 240;
    c.size.userHeight = 160;
    c.frame = {240, 160, 40, 20};
    c.angle = -3.0f;
    core::SettingsBlock straightened;
    core::storeCropControls(c, 320, 200, true, straightened);
    core::SettingsBlock print;
    print.CropOn = 1;
    print.CropPaperIndex = 2;  // 1800 x 1200
    print.CropFitEachImage = 1;
    for (core::SettingsBlock* s : {&straightened, &print})
        s->FrameOn = 1;
    // The same queue without captions, as the reference the captions are found against.
    const QString plainQueue = path("plain.dat");
    ASSERT_TRUE(
        core::writeRecordFile({core::makeQueueItem(path("a.jpg"), true, straightened, nullptr),
                               core::makeQueueItem(path("b.jpg"), true, print, nullptr)},
                              plainQueue));
    CliResult r = cli({"--queue", plainQueue, "--output-dir", path("plain")});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err) << qPrintable(r.out);
    for (core::SettingsBlock* s : {&straightened, &print}) {
        s->InsertText = 1;
        s->CaptionText = "Cups [date]";
    }
    const QString queue = path("vrq.dat");
    ASSERT_TRUE(
        core::writeRecordFile({core::makeQueueItem(path("a.jpg"), true, straightened, nullptr),
                               core::makeQueueItem(path("b.jpg"), true, print, nullptr)},
                              queue));
    r = cli({"--queue", queue});
    ASSERT_EQ(r.status, 0) << qPrintable(r.err) << qPrintable(r.out);
    EXPECT_TRUE(r.out.contains("Finished: 2 of 2 pictures done")) << qPrintable(r.out);
    EXPECT_FALSE(QFile::exists(queue));  // every item done
    EXPECT_EQ(identify(path("filtered/a_dnr.jpg")), "JPEG 240 160");
    EXPECT_EQ(identify(path("filtered/b_dnr.jpg")), "JPEG 1800 1200");
    for (const QString name : {"a_dnr.jpg", "b_dnr.jpg"}) {
        SCOPED_TRACE(qPrintable(name));
        const Pixels p(path("filtered/" + name)), plain(path("plain/" + name));
        ASSERT_TRUE(p.loaded() && plain.loaded());
        EXPECT_TRUE(outerEdgeIsWhite(p));
        expectCaptionOnly(p, plain);
    }
}

}  // namespace
