// The template pictures: written at both depths, and what slot 0 and the exchange image load.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/document/exchange_file.h"
#include "core/document/image_document.h"
#include "core/document/template_pictures.h"
#include "document_fixtures.h"

namespace core {
namespace {

TEST(TemplatePictures, BothDepthsAreWrittenAsTiff) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("temp"));
    ASSERT_TRUE(writeTemplatePictures(folder));
    for (bool sixteen : {false, true}) {
        SCOPED_TRACE(sixteen);
        test::Session s;
        const QString path =
            QDir(folder).filePath(QLatin1String(sixteen ? kTemplate16Name : kTemplate8Name));
        ASSERT_TRUE(imaging::cLoadImage(s, QFile::encodeName(path).toStdString()));
        imaging::ImageInfo info;
        ASSERT_TRUE(imaging::cGetImageInfo(s, info));
        EXPECT_EQ(info.width, kTemplateSide);
        EXPECT_EQ(info.formatCode, imaging::kCodeTiff);
        EXPECT_EQ(imaging::cGetBits16Ptr(s) != nullptr, sixteen);
    }
}

TEST(TemplatePictures, SlotZeroLoadsTheSixteenBitTemplateOrStaysEmpty) {
    QTemporaryDir dir;
    ASSERT_TRUE(writeTemplatePictures(dir.path()));
    ImageSlots pictures;
    EXPECT_EQ(pictures.handle(ImageSlot::Template), 0u);
    EXPECT_FALSE(pictures.loadTemplate(dir.filePath(QStringLiteral("missing.tif"))));
    EXPECT_EQ(pictures.handle(ImageSlot::Template), 0u);
    ASSERT_TRUE(pictures.loadTemplate(dir.filePath(QLatin1String(kTemplate16Name))));
    EXPECT_TRUE(pictures.is16Bit(ImageSlot::Template));
    for (int i = 1; i < kImageSlotCount; ++i) {
        EXPECT_NE(pictures.handle(static_cast<ImageSlot>(i)), 0u) << i;
        EXPECT_TRUE(pictures.isEmpty(static_cast<ImageSlot>(i))) << i;
    }
}

TEST(TemplatePictures, TheExchangeImageOpensThroughThem) {
    QTemporaryDir dir;
    ASSERT_TRUE(writeTemplatePictures(dir.path()));
    test::Session picture;
    ASSERT_TRUE(test::makePattern(picture, 30, 14, true));
    const QString exchange = dir.filePath(QStringLiteral("imgBuf.dat"));
    ASSERT_TRUE(writeExchangeFile(exchange, picture));

    ImageDocument document;
    const Status opened = document.openExchange(dir.path());
    ASSERT_TRUE(opened) << opened.failure().key.toStdString();
    EXPECT_EQ(document.fileName(), QLatin1String(kPluginName));
    EXPECT_EQ(document.width(), 30);
    EXPECT_TRUE(document.is16Bit());
    EXPECT_FALSE(document.modifiedByPlugin());
    uint16_t a[3], b[3];
    imaging::cGetPixelColor(picture, 7, 5, a[0], a[1], a[2]);
    imaging::cGetPixelColor(document.handle(ImageSlot::Source), 7, 5, b[0], b[1], b[2]);
    EXPECT_EQ((std::array{a[0], a[1], a[2]}), (std::array{b[0], b[1], b[2]}));

    // The result goes back into the same file.
    ASSERT_TRUE(document.pictureSlots().duplicate(ImageSlot::Source, ImageSlot::Output));
    ASSERT_TRUE(imaging::cOpSetPixelColor(document.handle(ImageSlot::Output), 7, 5, 1, 2, 3));
    document.setOutputProduced();
    ASSERT_TRUE(document.writeBack(exchange));
    ImageDocument reread;
    ASSERT_TRUE(reread.openExchange(dir.path()));
    imaging::cGetPixelColor(reread.handle(ImageSlot::Source), 7, 5, b[0], b[1], b[2]);
    EXPECT_EQ((std::array{b[0], b[1], b[2]}), (std::array<uint16_t, 3>{1, 2, 3}));

    // A file opened from disk has no exchange file to write back to.
    ImageDocument plain;
    ASSERT_TRUE(plain.open(test::dataFile("imaging/pngsuite/basn2c08.png")));
    EXPECT_EQ(plain.writeBack(exchange).failure().key, QLatin1String("ER_RLUGIN_DATA_NOTFOUND"));
}

}  // namespace
}  // namespace core
