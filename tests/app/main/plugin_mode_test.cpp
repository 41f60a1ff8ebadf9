// Plug-in mode: a host application hands its picture over in the exchange file and starts the
// program with "-plugin" (and "-q"); the result goes back into the same file, header and colour
// profile untouched, and the program closes.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTabWidget>

#include "app/settings/tuning_pages.h"
#include "app_fixture.h"
#include "core/document/exchange_file.h"
#include "core/main/message_box.h"
#include "imaging/imaging.h"

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Plays the host: writes the picture as the exchange file of the temp folder, beside the two
// template pictures the program reads it through.
void handOver(const QString& tempFolder, const QString& picture) {
    ASSERT_TRUE(QDir().mkpath(tempFolder));
    for (const char* name : {"template8.tif", "template16.tif"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(VF_BUILD_FOLDER "/temp/") + QLatin1String(name),
                                tempFolder + QLatin1Char('/') + QLatin1String(name)));
    const imaging::Handle session = imaging::cNewSession();
    ASSERT_TRUE(imaging::cLoadImage(session, QFile::encodeName(picture).toStdString()));
    ASSERT_TRUE(core::writeExchangeFile(tempFolder + QStringLiteral("/imgBuf.dat"), session));
    imaging::cDestroySession(session);
}

// The header and profile of an exchange file, and its pixels.
struct Exchange {
    QByteArray head;
    QByteArray pixels;
};
Exchange split(const QByteArray& file) {
    if (file.size() < core::kExchangeHeaderSize) return {};
    const core::ExchangeHeader header =
        core::decodeExchangeHeader(reinterpret_cast<const uint8_t*>(file.constData()));
    const qsizetype offset = qsizetype(header.pixelDataOffset());
    return {file.left(offset), file.mid(offset)};
}

class PluginModeTest : public apptest::WindowTest {
  protected:
    QString temp() const { return data.filePath(QStringLiteral("temp")); }
    QString exchange() const { return temp() + QStringLiteral("/imgBuf.dat"); }

    // Opens the host's picture; false when the window did not show it.
    bool openExchange(bool quiet) {
        QSignalSpy opened(form.get(), &app::TMainForm::pictureOpened);
        if (!form->openExchangeImage(quiet) || !opened.wait(apptest::kWaitMs)) return false;
        return opened.first().first().toBool();
    }
    bool waitClosed() {
        for (int i = 0; i < 2400 && form->isVisible(); ++i)
            QTest::qWait(25);
        return !form->isVisible();
    }
};

// Without "-q" the user tunes and runs; after the run the program asks whether the result goes
// back: Yes writes it and closes, No leaves the host's file and the window as they are.
TEST_F(PluginModeTest, AfterARunTheQuestionDecidesWhetherTheResultGoesBack) {
    for (const int answer : {core::kResultNo, core::kResultYes}) {
        SCOPED_TRACE(answer);
        form = makeForm();
        QDir(temp()).removeRecursively();
        handOver(temp(), apptest::smallPicture());
        const QByteArray before = contents(exchange());
        ASSERT_TRUE(openExchange(false));
        // The host's picture keeps its size: no crop tab.
        auto* pages = form->findChild<app::TuningPages*>();
        ASSERT_NE(pages, nullptr);
        EXPECT_FALSE(pages->isTabVisible(pages->indexOf(pages->page(QStringLiteral("tsCrop")))));

        // Into the tuning view with its preview, then the full run.
        QSignalSpy shown(form.get(), &app::TMainForm::previewShown);
        form->menuRebuildClick();
        ASSERT_TRUE(shown.wait(apptest::kWaitMs));
        apptest::settle(*form);
        const std::size_t asked = asker.requests().size();
        asker.answer(answer);
        QSignalSpy ended(form.get(), &app::TMainForm::fullRunEnded);
        form->menuRebuildClick();
        ASSERT_TRUE(ended.wait(apptest::kWaitMs));
        ASSERT_EQ(asker.requests().size(), asked + 1);
        EXPECT_EQ(asker.requests().back().text,
                  QStringLiteral("Return the result to Velmar Filter?"));
        if (answer == core::kResultNo) {
            QTest::qWait(200);
            EXPECT_TRUE(form->isVisible());
            EXPECT_EQ(contents(exchange()), before);
            continue;
        }
        ASSERT_TRUE(waitClosed());
        const Exchange was = split(before);
        const Exchange now = split(contents(exchange()));
        EXPECT_EQ(now.head, was.head);
        EXPECT_EQ(now.pixels.size(), was.pixels.size());
        EXPECT_NE(now.pixels, was.pixels);
    }
}

// With "-q" the run starts by itself, the result goes back without a question and the window
// closes; without an exchange file the window says so and closes.
TEST_F(PluginModeTest, QuietModeRunsHandsBackAndCloses) {
    handOver(temp(), apptest::smallPicture());
    const QByteArray before = contents(exchange());
    const std::size_t asked = asker.requests().size();
    ASSERT_TRUE(openExchange(true));
    ASSERT_TRUE(waitClosed());
    EXPECT_EQ(asker.requests().size(), asked);
    const Exchange was = split(before);
    const Exchange now = split(contents(exchange()));
    EXPECT_EQ(now.head, was.head);
    EXPECT_NE(now.pixels, was.pixels);

    form = makeForm();
    QFile::remove(exchange());
    asker.answer(core::kResultOk);
    EXPECT_FALSE(openExchange(true));
    ASSERT_TRUE(waitClosed());
    EXPECT_FALSE(QFile::exists(exchange()));
}

// The host's side for real: the program started with "-plugin -q" in a program folder of its
// own, on the offscreen platform, writes the same result back as the window above and ends.
TEST_F(PluginModeTest, TheProgramStartedByAHostWritesTheResultBack) {
    // The window's own result for comparison.
    handOver(temp(), apptest::smallPicture());
    ASSERT_TRUE(openExchange(true));
    ASSERT_TRUE(waitClosed());
    const Exchange expected = split(contents(exchange()));

    // A portable program folder: the program, and the shipped files beside it.
    QTemporaryDir host;
    ASSERT_TRUE(host.isValid());
    const QString program = host.filePath(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkpath(program));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VF_BUILD_FOLDER "/VelmarFilter"),
                            program + QStringLiteral("/VelmarFilter")));
    for (const char* shipped : {"library", "help", "skins", "images"})
        ASSERT_TRUE(QFile::link(QStringLiteral(VF_BUILD_FOLDER "/") + QLatin1String(shipped),
                                program + QLatin1Char('/') + QLatin1String(shipped)));
    handOver(program + QStringLiteral("/temp"), apptest::smallPicture());
    const QByteArray before = contents(program + QStringLiteral("/temp/imgBuf.dat"));

    QProcess velmar;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), host.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), host.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), host.path());  // its own single-instance lock
    // In the sanitizer build the leak check stays with the window's tests in this process: the
    // platform libraries of a whole program keep memory to its end.
    env.insert(QStringLiteral("ASAN_OPTIONS"),
               env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
    velmar.setProcessEnvironment(env);
    velmar.start(program + QStringLiteral("/VelmarFilter"),
                 {QStringLiteral("-plugin"), QStringLiteral("-q")});
    ASSERT_TRUE(velmar.waitForFinished(apptest::kWaitMs * 2));
    EXPECT_EQ(velmar.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(velmar.exitCode(), 0) << velmar.readAllStandardError().constData();

    const Exchange was = split(before);
    const Exchange now = split(contents(program + QStringLiteral("/temp/imgBuf.dat")));
    EXPECT_EQ(now.head, was.head);
    EXPECT_NE(now.pixels, was.pixels);
    EXPECT_EQ(now.pixels, expected.pixels);
}

}  // namespace
