#include "core/crop/crop_texts.h"

#include <gtest/gtest.h>

#include <QHash>

namespace {

QString english(const QString& key) {
    static const QHash<QString, QString> texts = {
        {"ALS_CROP", "crop"},
        {"ALS_PX", "px"},
        {"ALS_DEGREE", "degrees"},
        {"ALS_PAPER", "Paper"},
        {"ALS_WEB", "Web"},
        {"ALS_USER_DEFINED", "User defined"},
        {"ALS_NO_RESIZE", "No resize"},
        {"ALS_MEGAPIXELS", "megapixels"},
    };
    return texts.value(key, QStringLiteral("?%1?").arg(key));
}

TEST(CropTexts, TheOutputLine) {
    core::CropControls c;
    c.size.paperIndex = 2;
    c.frame = {4000, 2666, 0, 167};
    c.angle = -0.5f;
    EXPECT_EQ(core::cropOutputLine(c, english), "Crop: 4000x2666 px (3:2); -0.5 degrees");
    c.portrait = true;
    c.frame = {2666, 4000, 167, 0};
    EXPECT_EQ(core::cropOutputLine(c, english), "Crop: 2666x4000 px (2:3); -0.5 degrees");
    c.size.sizeKind = core::kCropUser;
    c.angle = 12.0f;
    EXPECT_EQ(core::cropOutputLine(c, english), "Crop: 2666x4000 px; 12.0 degrees");
}

TEST(CropTexts, TheKindButtonsCaptions) {
    core::CropControls c;
    c.size.paperIndex = 5;
    c.size.webIndex = 6;
    c.size.userWidth = 800;
    core::CropKindCaptions k = core::cropKindCaptions(c, english);
    EXPECT_EQ(k.paper, "Paper (5:4)");
    EXPECT_EQ(k.web, "Web (5:4)");
    EXPECT_EQ(k.user, "User defined (?:?)");  // user resizing is off
    c.portrait = true;
    c.size.userResizeOn = true;
    k = core::cropKindCaptions(c, english);
    EXPECT_EQ(k.paper, "Paper (4:5)");
    EXPECT_EQ(k.web, "Web (4:5)");
    EXPECT_EQ(k.user, "User defined (800:?)");
}

TEST(CropTexts, RowTextsAndTheSizeLine) {
    EXPECT_EQ(core::paperRowText(0, english), "No resize");
    EXPECT_EQ(core::paperRowText(3, english), "5x7\"  (13x18cm),  1500x2100 px");
    EXPECT_EQ(core::webRowText(9, english), "2048x1536");
    EXPECT_EQ(core::webRowText(10, english), "No resize");
    EXPECT_EQ(core::croppedSizeText(1800, 1200, english), "2.2 megapixels 1800x1200");
}

}  // namespace
