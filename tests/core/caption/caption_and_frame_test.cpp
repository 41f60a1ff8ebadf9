#include "core/caption/caption_and_frame.h"

#include <gtest/gtest.h>

#include <QFile>
#include <vector>

#include "core/caption/caption_source.h"
#include "core/caption/picture_date.h"
#include "gui_application.h"
#include "imaging/imaging.h"

namespace {

using namespace core::caption;

const QString kPhoto = QStringLiteral(VF_TEST_DATA "/cups-noisy-crop.jpg");

// An 8-bit picture in the engine's layout: rows padded to 4 bytes, bottom-up.
struct Picture8 {
    Picture8(int w, int h, uint8_t grey) : width(w), height(h), bytes(stride() * h, grey) {}
    int stride() const { return (width * 3 + 3) & ~3; }
    PixelView view() { return {bytes.data(), width, 1, height}; }
    // Blue, green, red of column x, row y counted from the top.
    const uint8_t* at(int x, int y) const {
        return bytes.data() + size_t(stride()) * (height - 1 - y) + 3 * x;
    }
    int width, height;
    std::vector<uint8_t> bytes;
};

core::SettingsBlock captionBlock(const char* text) {
    core::SettingsBlock b;
    b.InsertText = 1;
    b.CaptionText = text;
    b.TextColor = "255";  // red
    b.TextEffect = 0;     // print over
    b.TextSmoothing = 0;
    b.TextTransparency = 0;
    b.FontSize = 40;
    b.TextPosX = 5000;
    b.TextPosY = 5000;
    b.TextAlign = kAlignCentre;
    return b;
}

CaptionRequest request(const QString& captionTemplate = QStringLiteral("[text]")) {
    CaptionRequest r;
    r.captionTemplate = captionTemplate;
    r.pixelsPerInch = 96;
    return r;
}

struct ColourCase {
    const char* text;
    int fallback;
    int red, green, blue;
};

class ColourFromText : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourFromText, ReadsRedFromTheLowByte) {
    const ColourCase& c = GetParam();
    const Rgb rgb = colourFromText(c.text, c.fallback);
    EXPECT_EQ(rgb.red, c.red);
    EXPECT_EQ(rgb.green, c.green);
    EXPECT_EQ(rgb.blue, c.blue);
}

INSTANTIATE_TEST_SUITE_P(Cases, ColourFromText,
                         ::testing::Values(ColourCase{"65280", 0, 0, 255, 0},
                                           ColourCase{"255", 0, 255, 0, 0},
                                           ColourCase{"16711680", 0, 0, 0, 255},
                                           ColourCase{" 16777215 ", 0, 255, 255, 255},
                                           ColourCase{"green", 65280, 0, 255, 0},
                                           ColourCase{"", 16777215, 255, 255, 255}));

TEST(AddTextSettings, TheDefaultBlockWithAndWithoutFrame) {
    const core::SettingsBlock b;
    const AddTextParams framed = addTextSettings(b, true, CaptionView::FinalRun);
    EXPECT_EQ(framed.TextMask.BytesPerSample, -1);
    EXPECT_EQ(framed.TextGreen, 255);
    EXPECT_EQ(framed.TextRed, 0);
    EXPECT_EQ(framed.TextEffect, b.TextEffect + 1);
    EXPECT_EQ(framed.TextSmoothing, b.TextSmoothing);
    EXPECT_EQ(framed.TextTransparency, b.TextTransparency);
    EXPECT_EQ(framed.PreviewFlag, 1);
    EXPECT_EQ(framed.EffectWidth, 10 * b.ShadowWidth);
    EXPECT_EQ(framed.InnerWidth, 10 * b.InnerFrameWidth);
    EXPECT_EQ(framed.FrameRed + framed.FrameGreen + framed.FrameBlue, 3 * 255);
    EXPECT_EQ(framed.InnerRed + framed.InnerGreen + framed.InnerBlue, 0);
    EXPECT_EQ(framed.ProportionalMargin, b.ProportionalMargin);
    EXPECT_EQ(frameMargin(b, true), 1000);

    core::SettingsBlock oval = b;
    oval.FrameEffect = 8;
    EXPECT_EQ(addTextSettings(oval, true, CaptionView::TuningView).FrameEffect, 8);
    const AddTextParams bare = addTextSettings(oval, false, CaptionView::TuningView);
    EXPECT_EQ(bare.PreviewFlag, 0);
    EXPECT_EQ(bare.EffectWidth, 0);
    EXPECT_EQ(bare.InnerWidth, 0);
    // Without a frame the oval would still blank the picture's corners.
    EXPECT_EQ(bare.FrameEffect, 0);
    EXPECT_EQ(frameMargin(oval, false), 0);
}

TEST(AddTextSettings, WidthsFromAForeignFileStayInRange) {
    core::SettingsBlock b;
    b.FrameWidth = 2000000000;
    b.ShadowWidth = -40;
    EXPECT_EQ(frameMargin(b, true), 2147483647);
    EXPECT_EQ(addTextSettings(b, true, CaptionView::FinalRun).EffectWidth, 0);
}

TEST(ReducedPictureSize, LeavesRoomForTheMargin) {
    EXPECT_EQ(reducedPictureSize(1000, 800, 1000), QSize(833, 666));    // c = 1.2
    EXPECT_EQ(reducedPictureSize(1800, 1200, 400), QSize(1666, 1111));  // c = 1.08
    EXPECT_EQ(reducedPictureSize(1000, 800, 0), QSize(1000, 800));
    EXPECT_EQ(reducedPictureSize(10, 10, 2000000000), QSize(1, 1));
}

TEST(CaptionAndFrameWanted, FrameOrAnyInsertSwitch) {
    core::SettingsBlock b;
    b.CaptionText = "Kite";  // a caption text alone draws nothing in the batch
    EXPECT_FALSE(captionAndFrameWanted(b));
    b.InsertInfo = 1;
    EXPECT_TRUE(captionAndFrameWanted(b));
    b.InsertInfo = 0;
    b.FrameOn = 1;
    EXPECT_TRUE(captionAndFrameWanted(b));
}

TEST(CaptionFor, BatchAndInteractiveRulesAndThePicturesDate) {
    core::SettingsBlock b;
    b.InsertText = 1;
    b.InsertDate = 1;
    b.InsertInfo = 1;
    b.CaptionText = "Kite";
    CaptionRequest r = request(QStringLiteral("[text] [filename] [date]"));
    r.now = QDateTime(QDate(2026, 12, 10), QTime(9, 0, 0));
    r.source.file = kPhoto;
    r.source.exifDate = QStringLiteral("2019:07:14 16:30:05");
    EXPECT_EQ(captionFor(b, r), QStringLiteral("Kite ") + QStringLiteral("cups-noisy-crop.jpg ") +
                                    shortDateText(QDate(2019, 7, 14)));
    // A pasted picture: no file name, and today's date even when EXIF data came with it.
    r.source.file = QStringLiteral("clipboard");
    EXPECT_EQ(captionFor(b, r), QStringLiteral("Kite ") + shortDateText(r.now.date()));

    // The text switch with no text: the batch still builds from the template, the Text tab not.
    b.InsertDate = 0;
    b.InsertInfo = 0;
    b.CaptionText.clear();
    r.captionTemplate = QStringLiteral("Holiday [text]");
    EXPECT_EQ(captionFor(b, r), QStringLiteral("Holiday"));
    r.rule = CaptionRule::Interactive;
    EXPECT_EQ(captionFor(b, r), QString());
}

TEST(ApplyCaptionAndFrame, NothingToDrawLeavesThePictureAlone) {
    Picture8 p(40, 30, 77);
    core::SettingsBlock b;
    b.CaptionText = "Kite";
    const std::vector<uint8_t> before = p.bytes;
    EXPECT_TRUE(applyCaptionAndFrame(p.view(), b, request()).ok());
    EXPECT_EQ(p.bytes, before);
    // The switches on but an empty result: no caption, and no frame either.
    b.InsertText = 1;
    b.CaptionText.clear();
    EXPECT_TRUE(applyCaptionAndFrame(p.view(), b, request()).ok());
    EXPECT_EQ(p.bytes, before);
}

TEST(ApplyCaptionAndFrame, ANoPixelPictureFails) {
    core::SettingsBlock b;
    b.FrameOn = 1;
    const auto s = applyCaptionAndFrame({nullptr, 10, 1, 10}, b, request());
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.failure().key, QStringLiteral("ALS_DLL_EXCEPTION"));
}

TEST(DrawFrame, TheMarginTakesTheFrameColourOn8And16BitPictures) {
    core::SettingsBlock b;
    b.FrameOn = 1;
    b.FrameColor = "255";
    b.ShadowWidth = 0;
    b.InnerFrameWidth = 0;
    Picture8 p(100, 80, 90);
    ASSERT_TRUE(drawFrame(p.view(), b, CaptionView::FinalRun).ok());
    EXPECT_EQ(p.at(0, 0)[2], 255);
    EXPECT_EQ(p.at(0, 0)[1], 0);
    EXPECT_EQ(p.at(99, 79)[2], 255);
    EXPECT_EQ(p.at(50, 40)[0], 90);
    EXPECT_EQ(p.at(50, 40)[2], 90);

    std::vector<uint16_t> wide(size_t(60) * 40 * 3, 30000);
    ASSERT_TRUE(drawFrame({wide.data(), 60, 2, 40}, b, CaptionView::TuningView).ok());
    EXPECT_EQ(wide[0], 0);          // blue of the top-left pixel
    EXPECT_EQ(wide[2], 255 * 256);  // red
    const size_t centre = (size_t(20) * 60 + 30) * 3;
    EXPECT_EQ(wide[centre], 30000);
    EXPECT_EQ(wide[centre + 2], 30000);

    b.FrameOn = 0;
    Picture8 untouched(20, 20, 5);
    const std::vector<uint8_t> before = untouched.bytes;
    ASSERT_TRUE(drawFrame(untouched.view(), b, CaptionView::FinalRun).ok());
    EXPECT_EQ(untouched.bytes, before);
}

TEST(PrepareCaption, AHugeFontGetsAMaskNoLargerThanThePicture) {
    coretest::ensureGuiApplication();
    core::SettingsBlock b = captionBlock("WWW");
    b.FontSize = 10000;
    auto prepared = prepareCaption(QStringLiteral("WWW"), b, 64, 48, 96);
    ASSERT_TRUE(prepared.ok());
    ASSERT_TRUE(prepared->has_value());
    const PreparedCaption& c = *prepared.value();
    EXPECT_GT(c.metrics.maskWidth(), 64);
    EXPECT_LE(c.mask.width, 64);
    EXPECT_LE(c.mask.height, 48);
    EXPECT_GE(c.textX, 0);
    EXPECT_LE(c.textX + c.mask.width, 64);
    EXPECT_LE(c.textY, 47);
    EXPECT_GE(c.textY - c.mask.height + 1, 0);
    // The text starts at the picture's left edge (the clamp's lower bound).
    EXPECT_EQ(c.placement.x, 0);
    EXPECT_EQ(c.placement.y, 0);
    Picture8 p(64, 48, 20);
    EXPECT_TRUE(applyCaptionAndFrame(p.view(), b, request()).ok());
}

TEST(PrepareCaption, TheTextIsDrawnInsideItsMargins) {
    coretest::ensureGuiApplication();
    const core::SettingsBlock b = captionBlock("Kite");
    auto prepared = prepareCaption(QStringLiteral("Kite"), b, 1024, 768, 96);
    ASSERT_TRUE(prepared.ok() && prepared->has_value());
    PreparedCaption& c = *prepared.value();
    EXPECT_EQ(c.metrics.marginX, (c.metrics.textWidth + 4) / 5);
    EXPECT_EQ(c.metrics.marginY, (c.metrics.textHeight + 4) / 5);
    EXPECT_EQ(c.mask.width, c.metrics.maskWidth());
    EXPECT_EQ(c.mask.height, c.metrics.maskHeight());
    const int stride = (c.mask.width * 3 + 3) & ~3;
    int left = c.mask.width, right = -1, top = c.mask.height, bottom = -1;
    for (int y = 0; y < c.mask.height; ++y)
        for (int x = 0; x < c.mask.width; ++x)
            if (c.mask.bytes[size_t(stride) * (c.mask.height - 1 - y) + 3 * x + 1] > 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0) << "no glyph pixel drawn";
    // Glyphs may overhang their advance by a pixel or two.
    EXPECT_GE(left, c.metrics.marginX - 2);
    EXPECT_LE(right, c.metrics.marginX + c.metrics.textWidth + 1);
    EXPECT_GE(top, c.metrics.marginY);
    EXPECT_LE(bottom, c.metrics.marginY + c.metrics.textHeight - 1);
}

TEST(CaptionSourceFromFile, ReadsTheShootingDataUnlessExifIsIgnored) {
    const CaptionSource s = captionSourceFromFile(kPhoto, false);
    EXPECT_EQ(s.file, kPhoto);
    EXPECT_FALSE(s.make.isEmpty());
    EXPECT_TRUE(s.exifDate.startsWith(QLatin1String("20"))) << qPrintable(s.exifDate);
    const CaptionSource none = captionSourceFromFile(kPhoto, true);
    EXPECT_EQ(none.file, kPhoto);
    EXPECT_TRUE(none.make.isEmpty());
    EXPECT_TRUE(none.model.isEmpty());
    EXPECT_TRUE(none.iso.isEmpty());
    EXPECT_TRUE(none.exifDate.isEmpty());
}

// A caption on a real photograph: every pixel well inside a glyph of the mask becomes the caption
// colour exactly where the placement puts the mask; pixels away from the mask keep their values.
TEST(CaptionOnAPhoto, TheGlyphsLandWhereThePlacementSays) {
    coretest::ensureGuiApplication();
    const imaging::Handle h = imaging::cNewSession();
    ASSERT_TRUE(imaging::cLoadImage(h, QFile::encodeName(kPhoto).toStdString()));
    ASSERT_TRUE(imaging::cOpIncreaseBitsPerPixel(h, 24));
    imaging::ImageInfo info;
    ASSERT_TRUE(imaging::cGetImageInfo(h, info));
    const int w = info.width, hgt = info.height;
    const int stride = (w * 3 + 3) & ~3;
    uint8_t* bits = imaging::cGetBitsPtr(h);
    ASSERT_NE(bits, nullptr);
    const std::vector<uint8_t> before(bits, bits + size_t(stride) * hgt);

    core::SettingsBlock b = captionBlock("Kite 1");
    b.FontSize = 150;  // strokes several pixels wide on this small picture
    CaptionRequest r = request();
    r.source = captionSourceFromFile(kPhoto, false);
    ASSERT_TRUE(applyCaptionAndFrame({bits, w, 1, hgt}, b, r).ok());

    auto prepared = prepareCaption(QStringLiteral("Kite 1"), b, w, hgt, 96);
    ASSERT_TRUE(prepared.ok() && prepared->has_value());
    const PreparedCaption& c = *prepared.value();
    ASSERT_EQ(c.mask.width, c.metrics.maskWidth());  // no cap on this size
    const int mstride = (c.mask.width * 3 + 3) & ~3;
    auto maskAt = [&](int x, int y) {  // y counted from the mask's top
        if (x < 0 || y < 0 || x >= c.mask.width || y >= c.mask.height) return 0;
        return int(c.mask.bytes[size_t(mstride) * (c.mask.height - 1 - y) + 3 * x + 1]);
    };
    auto pixel = [&](const uint8_t* buffer, int x, int y) {  // y counted from the top
        return buffer + size_t(stride) * (hgt - 1 - y) + 3 * x;
    };

    // The engine's coverage of a glyph's inside comes a few levels short of full, so the colour
    // is met within a small tolerance; the photograph's own pixels there are mostly far from it.
    auto nearRed = [](const uint8_t* v) { return v[2] >= 240 && v[1] <= 16 && v[0] <= 16; };
    int solid = 0, red = 0, wasRed = 0;
    for (int my = 0; my < c.mask.height; ++my)
        for (int mx = 0; mx < c.mask.width; ++mx) {
            bool inside = true;
            for (int dy = -1; dy <= 1 && inside; ++dy)
                for (int dx = -1; dx <= 1 && inside; ++dx)
                    inside = maskAt(mx + dx, my + dy) == 255;
            if (!inside) continue;
            const int x = c.placement.maskRect.left() + mx, y = c.placement.maskRect.top() + my;
            ASSERT_TRUE(x >= 0 && y >= 0 && x < w && y < hgt);
            ++solid;
            if (nearRed(pixel(bits, x, y))) ++red;
            if (nearRed(pixel(before.data(), x, y))) ++wasRed;
        }
    EXPECT_GT(solid, 100);
    EXPECT_EQ(red, solid);
    EXPECT_LT(wasRed, solid / 10);

    // The engine pads the mask by a quarter of its height and blurs by one pixel.
    const int pad = c.mask.height / 4 + 2;
    const QRect reach = c.placement.maskRect.adjusted(-pad, -pad, pad, pad);
    int changedOutside = 0, unchanged = 0;
    for (int y = 0; y < hgt; ++y)
        for (int x = 0; x < w; ++x) {
            if (reach.contains(x, y)) continue;
            const uint8_t* now = pixel(bits, x, y);
            const uint8_t* was = pixel(before.data(), x, y);
            if (now[0] != was[0] || now[1] != was[1] || now[2] != was[2])
                ++changedOutside;
            else
                ++unchanged;
        }
    EXPECT_EQ(changedOutside, 0);
    EXPECT_GT(unchanged, 0);
    imaging::cDestroySession(h);
}

}  // namespace
