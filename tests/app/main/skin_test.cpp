// A skin on the program window: header pictures and colours, tool buttons, and the plain look
// coming back exactly when the skin is taken away.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>

#include "app/main/skin.h"
#include "app_fixture.h"
#include "core/main/skin_choice.h"

namespace apptest {

namespace {

const QColor kHeaderPicture(32, 64, 128);
const QColor kFace(10, 200, 30);

class SkinTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(skins.isValid());
        QImage header(8, 8, QImage::Format_RGB32);
        header.fill(kHeaderPicture);
        ASSERT_TRUE(QDir().mkpath(skins.filePath(QStringLiteral("Test"))));
        ASSERT_TRUE(header.save(skins.filePath(QStringLiteral("Test/top.png"))));
        write(QStringLiteral("style.ini"), "[Current]\nDir_path=Test\n");
    }
    void write(const QString& name, const QByteArray& text) {
        QFile file(skins.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    core::CurrentSkin skin(const QByteArray& styleFile) {
        write(QStringLiteral("Test/style.ini"), styleFile);
        return core::findSkin(skins.filePath(QStringLiteral("style.ini")), skins.path());
    }
    QLabel* label(const char* name) { return form->findChild<QLabel*>(QString::fromLatin1(name)); }
    QList<QToolButton*> buttons() { return form->findChildren<QToolButton*>(); }
    // A tool bar button: what the user clicks most.
    QToolButton* openButton() {
        for (QToolButton* b : buttons())
            if (b->defaultAction() && b->defaultAction()->objectName() == QLatin1String("menuOpen"))
                return b;
        return nullptr;
    }
    static QColor pixel(QWidget* w, QPoint at) { return w->grab().toImage().pixelColor(at); }
    QTemporaryDir skins;
};

// Green faces, flat buttons ("Style" 4), a solid blue header picture and yellow header labels.
const QByteArray kFullSkin =
    "[Headers]\nHeader_main=top.png\nHeader_main_color=65535\n"
    "Header_preview=top.png\nHeader_preview_color=65535\n"
    "[Buttons]\nStyle=4\nColor_r=10\nColor_g=200\nColor_b=30\nHotColor_r=255\n";

TEST_F(SkinTest, AppliedAndRevertedTheWindowComesBackAsItWas) {
    app::revertSkin(form.get());  // the plain look, whatever the shipped index chose
    QToolButton* button = openButton();
    ASSERT_NE(button, nullptr);
    QLabel* left = label("stxtLeft");
    ASSERT_NE(left, nullptr);
    left->setText(QStringLiteral("Output"));
    const QString plainLabelSheet = left->styleSheet();
    const QColor plainButton = pixel(button, {3, 3});
    const QColor plainLabel = pixel(left, {1, 1});
    ASSERT_NE(plainButton, kFace);
    ASSERT_NE(plainLabel, kHeaderPicture);

    const core::CurrentSkin s = skin(kFullSkin);
    ASSERT_TRUE(s.found());
    const app::SkinApplied applied = app::applySkin(form.get(), s);
    EXPECT_EQ(applied.buttons, buttons().size());
    EXPECT_TRUE(applied.headers.contains(QStringLiteral("stxtLeft")));
    EXPECT_TRUE(applied.headers.contains(QStringLiteral("stxtRight")));
    EXPECT_TRUE(applied.headers.contains(QStringLiteral("stxtOutput")));
    EXPECT_TRUE(applied.unreadablePictures.isEmpty());
    EXPECT_EQ(pixel(button, {3, 3}), kFace);
    EXPECT_EQ(pixel(left, {1, 1}), kHeaderPicture);
    left->ensurePolished();
    EXPECT_EQ(left->palette().color(QPalette::WindowText), QColor(255, 255, 0));

    app::revertSkin(form.get());
    EXPECT_EQ(left->styleSheet(), plainLabelSheet);
    EXPECT_EQ(pixel(button, {3, 3}), plainButton);
    EXPECT_EQ(pixel(left, {1, 1}), plainLabel);
    for (QToolButton* b : buttons())
        EXPECT_TRUE(b->styleSheet().isEmpty()) << qPrintable(b->objectName());
}

TEST_F(SkinTest, AButtonsOnlySkinLeavesTheHeadersAlone) {
    app::revertSkin(form.get());
    QLabel* output = label("stxtOutput");
    const QString plain = output->styleSheet();
    const app::SkinApplied applied =
        app::applySkin(form.get(), skin("[Buttons]\nStyle=4\nColor_g=200\n"));
    EXPECT_GT(applied.buttons, 0);
    EXPECT_TRUE(applied.headers.isEmpty());
    EXPECT_EQ(output->styleSheet(), plain);
    EXPECT_EQ(pixel(openButton(), {3, 3}), QColor(0, 200, 0));
}

TEST_F(SkinTest, AnUnreadableHeaderPictureIsReportedAndKeepsTheBuiltInHeader) {
    app::revertSkin(form.get());
    write(QStringLiteral("Test/broken.png"), "this is no picture");
    QLabel* right = label("stxtRight");
    const QString plain = right->styleSheet();
    const app::SkinApplied applied = app::applySkin(
        form.get(), skin("[Headers]\nHeader_main=broken.png\n[Buttons]\nStyle=4\nColor_g=99\n"));
    EXPECT_EQ(
        applied.unreadablePictures,
        QStringList{
            QDir(skins.filePath(QStringLiteral("Test"))).filePath(QStringLiteral("broken.png"))});
    EXPECT_EQ(right->styleSheet(), plain);
    EXPECT_GT(applied.buttons, 0);
}

TEST_F(SkinTest, NoSkinFoundChangesNothing) {
    app::revertSkin(form.get());
    QFile::remove(skins.filePath(QStringLiteral("style.ini")));
    const core::CurrentSkin none =
        core::findSkin(skins.filePath(QStringLiteral("style.ini")), skins.path());
    ASSERT_EQ(none.lookup, core::SkinLookup::NoIndexFile);
    const app::SkinApplied applied = app::applySkin(form.get(), none);
    EXPECT_EQ(applied.buttons, 0);
    for (QToolButton* b : buttons())
        EXPECT_TRUE(b->styleSheet().isEmpty());
}

TEST_F(SkinTest, TheWindowTakesTheShippedSkinAndAChosenOne) {
    // The build tree ships "Default" as the skin in use.
    EXPECT_FALSE(openButton()->styleSheet().isEmpty());
    EXPECT_FALSE(label("stxtLeft")->styleSheet().isEmpty());

    ASSERT_TRUE(form->chooseSkin(QString()).ok());
    EXPECT_TRUE(openButton()->styleSheet().isEmpty());
    EXPECT_TRUE(label("stxtLeft")->styleSheet().isEmpty());

    ASSERT_TRUE(form->chooseSkin(QStringLiteral("Graphite")).ok());
    EXPECT_TRUE(openButton()->styleSheet().contains(QStringLiteral("#a0a2a8")));
    // The choice is stored: a window made now takes it too.
    std::unique_ptr<app::TMainForm> second = makeForm();
    auto* again = second->findChild<QLabel*>(QStringLiteral("stxtLeft"));
    EXPECT_TRUE(again->styleSheet().contains(QStringLiteral("Graphite")));
}

}  // namespace

}  // namespace apptest
