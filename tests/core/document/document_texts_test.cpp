// The status texts, the window caption and the messages of the document, in the shipped English.
#include <gtest/gtest.h>

#include "core/document/document_texts.h"
#include "core/i18n/language.h"

namespace core {
namespace {

class DocumentTexts : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(language_.load(QStringLiteral(VF_LANGUAGE_FOLDER "/english.lng")));
    }
    TextLookup lookup() const {
        return [this](const QString& key) { return language_.message(key); };
    }
    Language language_;
};

TEST_F(DocumentTexts, StatusTexts) {
    const TextLookup l = lookup();
    EXPECT_EQ(loadingStatus(QStringLiteral("a.jpg"), true, l),
              QStringLiteral("Loading \"a.jpg\"... please wait"));
    EXPECT_EQ(loadingStatus(QStringLiteral("clipboard"), false, l),
              QStringLiteral("Reading data... please wait"));
    EXPECT_EQ(repaintingStatus(QStringLiteral("a.jpg"), true, l),
              QStringLiteral("Loading \"a.jpg\"... Repainting"));
    EXPECT_EQ(rotationStatus(false, l),
              QStringLiteral("Rotating the picture (source)... please wait"));
    EXPECT_EQ(rotationStatus(true, l),
              QStringLiteral("Rotating the picture (output)... please wait"));
    EXPECT_EQ(savingStatus(l), QStringLiteral("Saving the result... please wait"));
    EXPECT_EQ(closingStatus(l), QStringLiteral("Closing the picture... please wait"));
    ImageInformation info;
    EXPECT_EQ(readyStatus(info, l), QStringLiteral("Ready"));
    info.statusLine = QStringLiteral("ISO=100;");
    EXPECT_EQ(readyStatus(info, l), QStringLiteral("ISO=100;"));
}

TEST_F(DocumentTexts, WindowTitle) {
    const TextLookup l = lookup();
    EXPECT_EQ(windowTitle(QStringLiteral("Velmar Filter"), QStringLiteral("/p/a.jpg"),
                          QStringLiteral("0.1 MP 320x200; 8 bits"), false, l),
              QStringLiteral("Velmar Filter - /p/a.jpg (0.1 MP 320x200; 8 bits)"));
    EXPECT_EQ(
        windowTitle(QStringLiteral("VF"), QStringLiteral("a.jpg"), QStringLiteral("s"), true, l),
        QStringLiteral("VF - a.jpg (s), modified by a plug-in"));
}

TEST_F(DocumentTexts, FailureMessages) {
    const TextLookup l = lookup();
    struct Case {
        const char* key;
        QString detail;
        QString message;
    };
    const Case cases[] = {
        {"ER_SRC_LOADING_SMALL", QStringLiteral("\"a.png\""),
         QStringLiteral("The picture \"a.png\" is too small: it must be at least 10 x 10 pixels.")},
        {"ER_SRC_LOADING_NOTSUPPORTED", QStringLiteral("\"a.xyz\""),
         QStringLiteral("The format of the picture \"a.xyz\" is not supported.")},
        {"ER_SRC_LOADING_INVALID", QString(),
         QStringLiteral("The picture  cannot be read: the file is damaged or not a picture.")},
        {"ER_SRC_LOADING_INVALID", QStringLiteral("\"a.jpg\"\r\nPremature end"),
         QStringLiteral("The picture \"a.jpg\" cannot be read: the file is damaged or not a "
                        "picture.\r\nPremature end")},
        {"ER_CANNOT_CREATE_FOLDER", QStringLiteral("\"/x/y\""),
         QStringLiteral("Cannot create the folder \r\n\"/x/y\"")},
        {"ALS_SAVE_RESULTS_IF_EXISTS_QUEST", QStringLiteral("/x/a.JPG"),
         QStringLiteral("The file /x/a.JPG already exists. Replace it?")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(documentMessage(Failure{QLatin1String(c.key), c.detail}, l), c.message) << c.key;
    EXPECT_EQ(withNextPictureQuestion(QStringLiteral("Bad."), l),
              QStringLiteral("Bad.\r\nGo on with the next picture?"));
}

}  // namespace
}  // namespace core
