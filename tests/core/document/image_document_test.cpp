// The document: opening pictures of both depths and the failures of an open, quarter turns of
// the source and the output, and the unsaved-result flag around saving.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <thread>
#include <vector>

#include "core/document/document_texts.h"
#include "core/document/image_document.h"
#include "core/document/save_names.h"
#include "document_fixtures.h"

namespace core {
namespace {

using test::dataFile;

struct OpenCase {
    QString path;
    int width;
    int height;
    bool sixteen;
    bool camera;  // carries camera EXIF (make and model)
};

class OpenPicture : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenPicture, KeepsSizeDepthAndDetectedValues) {
    const OpenCase& c = GetParam();
    ASSERT_TRUE(QFileInfo::exists(c.path)) << c.path.toStdString();
    ImageDocument document;
    std::vector<ImageDocument::LoadState> states;
    QObject::connect(&document, &ImageDocument::loadStateChanged,
                     [&](ImageDocument::LoadState s) { states.push_back(s); });
    const Status opened = document.open(c.path);
    ASSERT_TRUE(opened) << opened.failure().key.toStdString() << " "
                        << opened.failure().detail.toStdString();
    EXPECT_EQ(states,
              (std::vector{ImageDocument::LoadState::Loading, ImageDocument::LoadState::Loaded}));
    EXPECT_TRUE(document.isOpen());
    EXPECT_TRUE(document.fromFile());
    EXPECT_EQ(document.fileName(), c.path);
    EXPECT_EQ(document.width(), c.width);
    EXPECT_EQ(document.height(), c.height);
    EXPECT_EQ(document.is16Bit(), c.sixteen);
    EXPECT_EQ(document.pictureSlots().is16Bit(ImageSlot::Source), c.sixteen);
    EXPECT_EQ(document.rotation(), 0);
    EXPECT_FALSE(document.hasOutput());
    EXPECT_FALSE(document.hasUnsavedResult());
    const NoiseLevels noise = document.noiseLevels();
    for (int level : {noise.overall, noise.shadows, noise.highlights}) {
        EXPECT_GE(level, 1);
        EXPECT_LE(level, 200);
    }
    const ImageInformation& info = document.information();
    EXPECT_EQ(info.width, c.width);
    EXPECT_EQ(info.height, c.height);
    EXPECT_TRUE(info.sizeLine.contains(QStringLiteral("%1x%2").arg(c.width).arg(c.height)))
        << info.sizeLine.toStdString();
    EXPECT_TRUE(info.sizeLine.contains(c.sixteen ? QStringLiteral("16 ") : QStringLiteral("8 ")));
    EXPECT_EQ(!info.make.isEmpty(), c.camera);
    EXPECT_EQ(document.redEyeTabShown(), info.flashFired);
    // The window's picture is the source turned the right way up.
    const QImage shown = document.displayImage(ImageSlot::Source);
    EXPECT_EQ(shown.size(), QSize(c.width, c.height));
    EXPECT_EQ(shown.format(), QImage::Format_RGB888);
}

INSTANTIATE_TEST_SUITE_P(
    SampleData, OpenPicture,
    ::testing::Values(OpenCase{dataFile("cups-noisy-crop.jpg"), 320, 200, false, true},
                      OpenCase{dataFile("imaging/pngsuite/basn2c16.png"), 32, 32, true, false},
                      OpenCase{dataFile("imaging/pngsuite/basn2c08.png"), 32, 32, false, false},
                      OpenCase{dataFile("imaging/rocket.jpg"), 640, 427, false, false},
                      OpenCase{test::buildFolder() + QStringLiteral("/images/sample.jpg"), 2560,
                               1600, false, true}));

// Every kind of file the program writes opens again, 16-bit where the format keeps 16 bits; so do
// GIF and grey or progressive JPEG files.
TEST(ImageDocument, OpensEveryFormat) {
    QTemporaryDir dir;
    struct Case {
        int code;
        bool keeps16;
    };
    for (const Case& c : {Case{imaging::kCodeBmp, false}, Case{imaging::kCodeJpeg, false},
                          Case{imaging::kCodeJpegProgressive, false}, Case{imaging::kCodeJp2, true},
                          Case{imaging::kCodePsd, true}, Case{imaging::kCodeTiff, true},
                          Case{imaging::kCodePng, true}}) {
        SCOPED_TRACE(c.code);
        const QString path = dir.filePath(QStringLiteral("f%1.pic").arg(c.code));
        {
            test::Session s;
            ASSERT_TRUE(test::makePattern(s, 24, 18, true));
            ASSERT_TRUE(imaging::cSave(s, QFile::encodeName(path).toStdString(), c.code));
        }
        ImageDocument document;
        const Status opened = document.open(path);
        ASSERT_TRUE(opened) << opened.failure().detail.toStdString();
        EXPECT_EQ(document.width(), 24);
        EXPECT_EQ(document.height(), 18);
        EXPECT_EQ(document.is16Bit(), c.keeps16);
    }
    for (const char* file :
         {"imaging/decoder-variants/video-001.gif", "imaging/decoder-variants/video-005.gray.jpeg",
          "imaging/decoder-variants/video-001.q50.420.progressive.jpeg"}) {
        SCOPED_TRACE(file);
        ImageDocument document;
        ASSERT_TRUE(document.open(dataFile(file)));
        EXPECT_FALSE(document.is16Bit());
        EXPECT_FALSE(document.displayImage(ImageSlot::Source).isNull());
    }
}

// The levels kept are the engine's detection on the opened pixels, its midtones as the overall
// level.
TEST(ImageDocument, NoiseLevelsAreTheEnginesDetectionOnTheSource) {
    for (const char* file : {"cups-noisy-crop.jpg", "imaging/pngsuite/basn2c16.png"}) {
        SCOPED_TRACE(file);
        ImageDocument document;
        ASSERT_TRUE(document.open(dataFile(file)));
        const SlotPixels pixels = slotPixels(document.handle(ImageSlot::Source));
        int32_t levels[3] = {0, 0, 0};
        DetectNoiseLevel(pixels.bits, levels, pixels.width, pixels.height,
                         pixels.bytesPerSample == 2);
        EXPECT_EQ(document.noiseLevels(), clampedNoiseLevels(levels));
        EXPECT_EQ(document.noiseLevels().overall, std::clamp(levels[1], 1, 200));
    }
}

TEST(ImageDocument, NoiseLevelsAreClampedInTheEngineOrder) {
    const int32_t detected[3] = {0, 350, 17};  // shadows, midtones, highlights
    EXPECT_EQ(clampedNoiseLevels(detected), (NoiseLevels{200, 1, 17}));
}

struct FailedOpen {
    const char* what;
    QString name;      // file name in the temporary folder
    QByteArray bytes;  // its content; empty: no file at all
    const char* key;
};

TEST(ImageDocument, FailedOpensSayWhy) {
    QTemporaryDir dir;
    const QByteArray jpeg = test::readAll(dataFile("cups-noisy-crop.jpg"));
    ASSERT_FALSE(jpeg.isEmpty());
    const std::vector<FailedOpen> cases = {
        {"missing", QStringLiteral("absent.jpg"), {}, "ER_SRC_LOADING_NOTFOUND"},
        {"not a picture", QStringLiteral("notes.jpg"), QByteArray("just some words\n"),
         "ER_SRC_LOADING_NOTSUPPORTED"},
        {"cut in the middle", QStringLiteral("cut.jpg"), jpeg.left(jpeg.size() / 2),
         "ER_SRC_LOADING_INVALID"},
    };
    for (const FailedOpen& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(c.name);
        if (!c.bytes.isEmpty()) {
            ASSERT_TRUE(test::writeAll(path, c.bytes));
        }
        ImageDocument document;
        ASSERT_TRUE(document.open(dataFile("imaging/pngsuite/basn2c08.png")));
        const Status opened = document.open(path);
        ASSERT_FALSE(opened);
        EXPECT_EQ(opened.failure().key, QLatin1String(c.key));
        EXPECT_TRUE(opened.failure().detail.startsWith(QLatin1Char('"') + path + QLatin1Char('"')))
            << opened.failure().detail.toStdString();
        EXPECT_EQ(document.loadState(), ImageDocument::LoadState::Failed);
        EXPECT_FALSE(document.isOpen());
        EXPECT_TRUE(document.pictureSlots().isEmpty(ImageSlot::Source));
    }
}

TEST(ImageDocument, ACutFileNamesTheFileAndTheDecodersReason) {
    QTemporaryDir dir;
    const QByteArray jpeg = test::readAll(dataFile("cups-noisy-crop.jpg"));
    const QString path = dir.filePath(QStringLiteral("cut.jpg"));
    ASSERT_TRUE(test::writeAll(path, jpeg.left(jpeg.size() / 3)));
    ImageDocument document;
    const Status opened = document.open(path);
    ASSERT_FALSE(opened);
    const QString message = documentMessage(opened.failure(), [](const QString& key) {
        return key == QLatin1String("ER_SRC_LOADING_INVALID")
                   ? QStringLiteral("The picture %s cannot be read.")
                   : key;
    });
    const QString first = QStringLiteral("The picture \"%1\" cannot be read.\r\n").arg(path);
    EXPECT_TRUE(message.startsWith(first)) << message.toStdString();
    EXPECT_GT(message.size(), first.size());  // the decoder's reason follows
}

TEST(ImageDocument, PicturesUnderTenPixelsAreRefused) {
    QTemporaryDir dir;
    struct Case {
        int width, height;
        bool ok;
    };
    for (const Case& c : {Case{9, 2000, false}, Case{2000, 9, false}, Case{10, 10, true}}) {
        SCOPED_TRACE(c.width * 10000 + c.height);
        const QString path = dir.filePath(QStringLiteral("p%1x%2.png").arg(c.width).arg(c.height));
        ASSERT_TRUE(test::writePatternFile(path, c.width, c.height, false));
        ImageDocument document;
        const Status opened = document.open(path);
        ASSERT_EQ(bool(opened), c.ok);
        if (!c.ok) {
            EXPECT_EQ(opened.failure().key, QLatin1String("ER_SRC_LOADING_SMALL"));
            EXPECT_EQ(documentMessage(
                          opened.failure(),
                          [](const QString&) { return QStringLiteral("%s too small: %s x %s"); }),
                      QStringLiteral("\"%1\" too small: 10 x 10").arg(path));
            EXPECT_TRUE(document.pictureSlots().isEmpty(ImageSlot::Source));
        }
    }
}

// After a clockwise quarter turn, the pixel at (x, y) of a w x h picture is at (h - 1 - y, x).
void expectTurnedClockwise(imaging::Handle turned, int width, int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint16_t r, g, b, er, eg, eb;
            ASSERT_TRUE(imaging::cGetPixelColor(turned, height - 1 - y, x, r, g, b));
            test::patternColour(x, y, er, eg, eb);
            ASSERT_EQ(r >> 8, er >> 8) << x << "," << y;
            ASSERT_EQ(g >> 8, eg >> 8) << x << "," << y;
            ASSERT_EQ(b >> 8, eb >> 8) << x << "," << y;
        }
}

class Turning : public ::testing::TestWithParam<bool> {};

TEST_P(Turning, TurnsSourceAndOutputAndCountsQuarters) {
    const bool sixteen = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("turn.png"));
    ASSERT_TRUE(test::writePatternFile(path, 40, 20, sixteen));
    ImageDocument document;
    ASSERT_TRUE(document.open(path));
    ASSERT_EQ(document.is16Bit(), sixteen);
    ImageSlots& pictures = document.pictureSlots();
    ASSERT_TRUE(pictures.duplicate(ImageSlot::Source, ImageSlot::Output));
    document.setOutputProduced();
    ASSERT_TRUE(pictures.duplicate(ImageSlot::Source, ImageSlot::ReducedCopy));
    ASSERT_TRUE(pictures.duplicate(ImageSlot::Source, ImageSlot::DisplaySource));
    std::vector<std::tuple<int, int, int>> turns;
    QObject::connect(&document, &ImageDocument::turned,
                     [&](int d, int w, int h) { turns.emplace_back(d, w, h); });

    ASSERT_TRUE(document.rotate(+1));
    EXPECT_EQ(document.rotation(), 1);
    EXPECT_EQ(document.width(), 20);
    EXPECT_EQ(document.height(), 40);
    expectTurnedClockwise(document.handle(ImageSlot::Source), 40, 20);
    expectTurnedClockwise(document.handle(ImageSlot::Output), 40, 20);
    expectTurnedClockwise(document.handle(ImageSlot::DisplaySource), 40, 20);
    EXPECT_EQ(pictures.is16Bit(ImageSlot::Source), sixteen);
    EXPECT_TRUE(pictures.isEmpty(ImageSlot::ReducedCopy));
    EXPECT_TRUE(document.hasUnsavedResult());
    EXPECT_EQ(turns, (std::vector{std::tuple{1, 40, 20}}));
    // The window's copy is upright too: its top-left pixel is the old bottom-left.
    const QImage shown = document.displayImage(ImageSlot::Source);
    uint16_t r, g, b;
    test::patternColour(0, 19, r, g, b);
    EXPECT_EQ(shown.pixelColor(0, 0).red(), r >> 8);
    EXPECT_EQ(shown.pixelColor(0, 0).green(), g >> 8);

    ASSERT_TRUE(document.rotate(-1));
    EXPECT_EQ(document.rotation(), 0);
    EXPECT_EQ(document.width(), 40);
    ASSERT_TRUE(document.rotate(-1));
    EXPECT_EQ(document.rotation(), 3);
}

INSTANTIATE_TEST_SUITE_P(Depths, Turning, ::testing::Values(false, true));

TEST(ImageDocument, QuarterTurnCountWraps) {
    struct Case {
        int from, direction, to;
    };
    for (const Case& c : {Case{0, -1, 3}, Case{3, 1, 0}, Case{1, 1, 2}, Case{2, -1, 1}})
        EXPECT_EQ(addQuarterTurn(c.from, c.direction), c.to) << c.from << " " << c.direction;
}

TEST(ImageDocument, MarksTurnWithThePicture) {
    struct Case {
        QPoint at;
        int direction;
        QPoint to;
    };
    // A 40 x 20 picture.
    for (const Case& c :
         {Case{{0, 0}, 1, {19, 0}}, Case{{39, 19}, 1, {0, 39}}, Case{{5, 2}, 1, {17, 5}},
          Case{{0, 0}, -1, {0, 39}}, Case{{39, 19}, -1, {19, 0}}, Case{{5, 2}, -1, {2, 34}}})
        EXPECT_EQ(turnedPoint(c.at, 40, 20, c.direction), c.to)
            << c.at.x() << "," << c.at.y() << " " << c.direction;
    // A turn and its opposite bring every point back.
    for (int y = 0; y < 20; y += 7)
        for (int x = 0; x < 40; x += 9)
            EXPECT_EQ(turnedPoint(turnedPoint({x, y}, 40, 20, 1), 20, 40, -1), QPoint(x, y));
}

TEST(ImageDocument, TurningNeedsAPictureAndADirection) {
    ImageDocument document;
    EXPECT_FALSE(document.rotate(1));
    ASSERT_TRUE(document.open(dataFile("imaging/pngsuite/basn2c08.png")));
    EXPECT_FALSE(document.rotate(2));
    EXPECT_EQ(document.rotation(), 0);
}

// A cancelled or failed save must keep the result's unsaved state, so the question at exit and
// at the next picture still comes; only a save that wrote the file clears it.
TEST(ImageDocument, OnlyASuccessfulSaveClearsTheUnsavedResult) {
    QTemporaryDir dir;
    ImageDocument document;
    ASSERT_TRUE(document.open(dataFile("cups-noisy-crop.jpg")));
    std::vector<bool> changes;
    QObject::connect(&document, &ImageDocument::unsavedResultChanged,
                     [&](bool unsaved) { changes.push_back(unsaved); });
    ASSERT_TRUE(document.pictureSlots().duplicate(ImageSlot::Source, ImageSlot::Output));
    document.setOutputProduced();
    ASSERT_TRUE(document.hasUnsavedResult());
    EXPECT_EQ(document.proposedSaveName(), QStringLiteral("cups-noisy-crop_dnr"));

    // The dialog was cancelled: nothing was asked of the document.
    EXPECT_TRUE(document.hasUnsavedResult());

    // Refused: the file exists and replacing it was not confirmed.
    const QString existing = dir.filePath(QStringLiteral("taken.JPG"));
    ASSERT_TRUE(test::writeAll(existing, "keep me"));
    Status saved = document.save({existing, 1, 4, false});
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.failure().key, QLatin1String("ALS_SAVE_RESULTS_IF_EXISTS_QUEST"));
    EXPECT_EQ(test::readAll(existing), QByteArray("keep me"));
    EXPECT_TRUE(document.hasUnsavedResult());

    // Failed: the target is a folder.
    const QString folder = dir.filePath(QStringLiteral("folder.JPG"));
    ASSERT_TRUE(QDir().mkpath(folder));
    saved = document.save({folder, 1, 4, true});
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.failure().key, QLatin1String("ER_CANNOT_SAVE"));
    EXPECT_TRUE(document.hasUnsavedResult());

    // Failed: the folder cannot be made (a file stands where it would be).
    saved = document.save({existing + QStringLiteral("/inside.jpg"), 1, 4, false});
    ASSERT_FALSE(saved);
    EXPECT_EQ(saved.failure().key, QLatin1String("ER_CANNOT_CREATE_FOLDER"));
    EXPECT_TRUE(document.hasUnsavedResult());
    EXPECT_TRUE(changes.empty() || changes == std::vector<bool>{true});

    // Confirmed replacement that succeeds.
    saved = document.save({existing, 1, 4, true});
    ASSERT_TRUE(saved) << saved.failure().detail.toStdString();
    EXPECT_FALSE(document.hasUnsavedResult());
    EXPECT_NE(test::readAll(existing), QByteArray("keep me"));
    EXPECT_EQ(changes.back(), false);
}

TEST(ImageDocument, ClearingTheOutputOrClosingClearsTheUnsavedResult) {
    ImageDocument document;
    ASSERT_TRUE(document.open(dataFile("imaging/pngsuite/basn2c08.png")));
    ASSERT_TRUE(document.pictureSlots().duplicate(ImageSlot::Source, ImageSlot::Output));
    document.setOutputProduced();
    ASSERT_TRUE(document.hasUnsavedResult());
    document.clearOutput();
    EXPECT_FALSE(document.hasUnsavedResult());
    EXPECT_FALSE(document.hasOutput());

    ASSERT_TRUE(document.pictureSlots().duplicate(ImageSlot::Source, ImageSlot::Output));
    document.setOutputProduced();
    document.close();
    EXPECT_FALSE(document.hasUnsavedResult());
    EXPECT_EQ(document.loadState(), ImageDocument::LoadState::Empty);
    EXPECT_TRUE(document.pictureSlots().isEmpty(ImageSlot::Source));

    // A new picture starts without a result.
    ASSERT_TRUE(document.open(dataFile("imaging/pngsuite/basn2c08.png")));
    ASSERT_TRUE(document.pictureSlots().duplicate(ImageSlot::Source, ImageSlot::Output));
    document.setOutputProduced();
    ASSERT_TRUE(document.open(dataFile("imaging/pngsuite/basn2c16.png")));
    EXPECT_FALSE(document.hasUnsavedResult());
    EXPECT_FALSE(document.hasOutput());
}

TEST(ImageDocument, TheOpenFileIsReplacedOnlyWhenConfirmed) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("mine.PNG"));
    ASSERT_TRUE(test::writePatternFile(path, 16, 16, false));
    const QByteArray before = test::readAll(path);
    ImageDocument document;
    ASSERT_TRUE(document.open(path));
    ASSERT_TRUE(document.pictureSlots().duplicate(ImageSlot::Source, ImageSlot::Output));
    ASSERT_TRUE(imaging::cOpSetPixelColor(document.handle(ImageSlot::Output), 3, 3, 0, 0, 0));
    document.setOutputProduced();
    const Status refused = document.save({path, 6, 4, false});
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.failure().key, QLatin1String("ALS_SAVE_RESULTS_IF_EXISTS_QUEST"));
    EXPECT_EQ(test::readAll(path), before);
    ASSERT_TRUE(document.save({path, 6, 4, true}));
    EXPECT_NE(test::readAll(path), before);
    EXPECT_FALSE(document.hasUnsavedResult());
}

TEST(ImageDocument, SavingWithoutAnOutputWritesTheSource) {
    QTemporaryDir dir;
    ImageDocument document;
    ASSERT_TRUE(document.open(dataFile("imaging/pngsuite/basn2c16.png")));
    const QString path = dir.filePath(QStringLiteral("source"));
    ASSERT_TRUE(document.save({path, 5, 4, false}));
    test::Session back;
    ASSERT_TRUE(imaging::cLoadImage(back, QFile::encodeName(path + ".TIF").toStdString()));
    EXPECT_NE(imaging::cGetBits16Ptr(back), nullptr);
    EXPECT_EQ(test::readAll(path + ".TIF").isEmpty(), false);
}

TEST(ImageDocument, SavedPictureKeepsTheSourcesMetadataAndProfile) {
    QTemporaryDir dir;
    ImageDocument document;
    ASSERT_TRUE(document.open(dataFile("cups-noisy-crop.jpg")));
    const imaging::Handle source = document.handle(ImageSlot::Source);
    const std::vector<uint8_t> profile = imaging::cGetImageICCProfile(source);
    const std::string make = imaging::cEXIF_GetMake(source);
    ASSERT_FALSE(profile.empty());
    ASSERT_FALSE(make.empty());
    // A result that lost its metadata and profile on the way still saves with the source's.
    ASSERT_TRUE(document.pictureSlots().duplicate(ImageSlot::Source, ImageSlot::Output));
    const imaging::Handle output = document.handle(ImageSlot::Output);
    imaging::cDestroyEXIF(output);
    imaging::cLoadICCProfile(output, nullptr, 0);
    document.setOutputProduced();
    for (int format : {1, 2, 5, 6}) {
        SCOPED_TRACE(format);
        const QString path = dir.filePath(QStringLiteral("out%1").arg(format));
        const Status saved = document.save({path, format, 4, false});
        ASSERT_TRUE(saved) << saved.failure().detail.toStdString();
        test::Session back;
        const QString written = withFormatExtension(path, format);
        ASSERT_TRUE(imaging::cLoadImage(back, QFile::encodeName(written).toStdString()))
            << imaging::cGetLastError(back);
        EXPECT_EQ(imaging::cGetImageICCProfile(back), profile);
        EXPECT_EQ(imaging::cEXIF_GetMake(back), make);
        EXPECT_EQ(imaging::cEXIF_GetModel(back), imaging::cEXIF_GetModel(source));
    }
}

// The engine thread opens the picture; the window's thread hears of it through queued signals.
TEST(ImageDocument, OpensOnAnotherThreadAndSignalsQueued) {
    test::ensureGuiApplication();
    ImageDocument document;
    QObject receiver;
    std::vector<ImageDocument::LoadState> states;
    std::vector<ImageSlot> pictures;
    bool onMainThread = true;
    QObject::connect(
        &document, &ImageDocument::loadStateChanged, &receiver,
        [&](ImageDocument::LoadState s) {
            states.push_back(s);
            onMainThread = onMainThread && QThread::currentThread() == receiver.thread();
        },
        Qt::QueuedConnection);
    QObject::connect(
        &document, &ImageDocument::pictureChanged, &receiver,
        [&](ImageSlot slot) { pictures.push_back(slot); }, Qt::QueuedConnection);
    Status opened = failure("ER_UNKNOWN");
    std::thread engine([&] { opened = document.open(dataFile("cups-noisy-crop.jpg")); });
    engine.join();
    ASSERT_TRUE(opened);
    EXPECT_TRUE(states.empty());  // nothing arrives before the window's loop runs
    QCoreApplication::processEvents();
    EXPECT_EQ(states,
              (std::vector{ImageDocument::LoadState::Loading, ImageDocument::LoadState::Loaded}));
    EXPECT_TRUE(onMainThread);
    EXPECT_NE(std::find(pictures.begin(), pictures.end(), ImageSlot::Source), pictures.end());
}

TEST(ImageDocument, AutoContrastLevelsAreKeptClamped) {
    ImageDocument document;
    ASSERT_TRUE(document.open(dataFile("cups-noisy-crop.jpg")));
    EXPECT_EQ(document.darkest(), 0);
    EXPECT_EQ(document.brightest(), 100);
    ProcessingParams params{};
    document.detectAutoContrast(params);
    EXPECT_EQ(document.darkest(), std::clamp(params.AutoContrastDarkest, 0, 100));
    EXPECT_EQ(document.brightest(), std::clamp(params.AutoContrastBrightest, 0, 100));
    EXPECT_LE(document.darkest(), document.brightest());
}

TEST(ImageDocument, PastedPictureIsNamedClipboard) {
    QImage picture(30, 12, QImage::Format_RGB888);
    picture.fill(QColor(10, 200, 30));
    ImageDocument document;
    ASSERT_TRUE(document.openPicture(picture));
    EXPECT_EQ(document.fileName(), QLatin1String(kClipboardName));
    EXPECT_FALSE(document.fromFile());
    EXPECT_EQ(document.width(), 30);
    EXPECT_EQ(document.proposedSaveName(), QStringLiteral("clipboard_dnr"));
    const Status small = document.openPicture(QImage(8, 40, QImage::Format_RGB888));
    ASSERT_FALSE(small);
    EXPECT_EQ(small.failure().key, QLatin1String("ER_SRC_LOADING_SMALL"));
    EXPECT_TRUE(small.failure().detail.isEmpty());
    const Status none = document.openPicture(QImage());
    ASSERT_FALSE(none);
    EXPECT_EQ(none.failure().key, QLatin1String("ER_SRC_LOADING_INVALID"));
}

}  // namespace
}  // namespace core
