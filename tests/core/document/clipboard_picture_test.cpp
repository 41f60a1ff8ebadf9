// The picture through the clipboard: the output goes on it and comes back as a picture.
#include <gtest/gtest.h>

#include <QClipboard>

#include "core/document/clipboard_picture.h"
#include "core/document/image_document.h"
#include "document_fixtures.h"

namespace core {
namespace {

TEST(ClipboardPicture, OutputGoesOnTheClipboardAndPastesBack) {
    test::ensureGuiApplication();
    ImageDocument document;
    ASSERT_TRUE(document.open(test::dataFile("cups-noisy-crop.jpg")));
    EXPECT_TRUE(document.clipboardImage().isNull());  // no output yet
    ASSERT_TRUE(document.pictureSlots().duplicate(ImageSlot::Source, ImageSlot::Output));
    document.setOutputProduced();
    const QImage copied = document.clipboardImage();
    ASSERT_FALSE(copied.isNull());
    ASSERT_TRUE(putOnClipboard(copied));
    EXPECT_TRUE(clipboardHasPicture());

    const QImage pasted = clipboardPicture();
    ASSERT_FALSE(pasted.isNull());
    ImageDocument other;
    ASSERT_TRUE(other.openPicture(pasted));
    EXPECT_EQ(other.fileName(), QLatin1String(kClipboardName));
    EXPECT_EQ(other.width(), 320);
    EXPECT_EQ(other.height(), 200);
    EXPECT_EQ(other.displayImage(ImageSlot::Source), document.displayImage(ImageSlot::Output));
}

TEST(ClipboardPicture, TextOnTheClipboardIsNoPicture) {
    test::ensureGuiApplication();
    QGuiApplication::clipboard()->setText(QStringLiteral("words"));
    EXPECT_FALSE(clipboardHasPicture());
    EXPECT_TRUE(clipboardPicture().isNull());
    EXPECT_FALSE(putOnClipboard(QImage()));
}

}  // namespace
}  // namespace core
