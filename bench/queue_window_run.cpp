// A long queue run from the queue window, measured as a user meets it: the window must stay
// responsive and its memory must not grow from item to item.
//   items    the pictures done per second;
//   respond  the longest gap between two ticks of a 10 ms timer on the window thread during the
//            run, and when it ended (a window that answers within it feels live);
//   memory   the resident size after every tenth of the items; growth per item is the difference
//            between the first tenth and the last sample of the run over the items between.
// A plain program: it drives the event loop itself.
//
//   cmake -S . -B build -DVF_BUILD_BENCH=ON -DVF_BUILD_TESTS=ON
//   cmake --build build --target queue_window_run -j2
//   QT_QPA_PLATFORM=offscreen build/queue_window_run [items] [picture]
//
// The picture defaults to the test suite's 320 x 200 JPEG, so that a thousand items take minutes
// and what grows is the window's and the run's own memory, not the pictures'.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/batch/queue_commands.h"
#include "app/batch/queue_form.h"
#include "app/main/file_chooser.h"
#include "app/main/main_form.h"
#include "core/i18n/language.h"
#include "core/main/scripted_asker.h"
#include "core/queue/queue_file.h"
#include "core/queue/queue_model.h"
#include "core/settings/program_options.h"
#include "core/settings/settings_block.h"

namespace {

class NoFiles : public app::FileChooser {
  public:
    QString openPicture(QWidget*, const QString&) override { return {}; }
    std::optional<app::SaveChoice> savePicture(QWidget*, const QString&, int) override {
        return {};
    }
};

// The resident set in kB, from /proc.
long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int items = argc > 1 ? std::max(10, atoi(argv[1])) : 1000;
    const QString picture = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                     : QStringLiteral(VF_TEST_DATA "/cups-noisy-crop.jpg");
    QTemporaryDir data;
    core::Language texts;
    texts.load(QStringLiteral(VF_BUILD_FOLDER "/library/languages/english.lng"));
    const QString photos = data.filePath(QStringLiteral("photos"));
    QDir().mkpath(photos);
    std::vector<core::QueueParams> queue;
    for (int i = 0; i < items; ++i) {
        const QString path = photos + QStringLiteral("/IMG_%1.jpg").arg(i, 5, 10, QChar(u'0'));
        if (!QFile::copy(picture, path)) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(picture));
            return 1;
        }
        queue.push_back(core::makeQueueItem(path, true, core::defaultSettingsBlock(), nullptr));
    }
    if (!core::writeRecordFile(queue, data.filePath(QStringLiteral("vrq.dat"))).ok()) return 1;

    core::ScriptedAsker asker;
    NoFiles files;
    app::TMainForm window({texts, asker, files,
                           core::ProgramFolders(QStringLiteral(VF_BUILD_FOLDER), data.path()),
                           core::SettingsBlock{}, core::defaultProgramOptions(), QString(), 0});
    window.show();
    app::QueueCommands& commands = *window.queueCommands();
    commands.menuQueueClick();

    QElapsedTimer clock;
    qint64 lastTick = 0, longestGap = 0, longestGapAt = 0;
    QTimer ticks;
    ticks.setInterval(10);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (now - lastTick > longestGap) {
            longestGap = now - lastTick;
            longestGapAt = now;
        }
        lastTick = now;
    });
    const QString results = photos + QStringLiteral("/filtered");
    long firstTenthKb = -1;
    int firstTenthDone = 0;
    int nextReport = items / 10;
    long lastKb = -1;
    int lastDone = 0;
    QTimer memory;
    memory.setInterval(200);
    QObject::connect(&memory, &QTimer::timeout, [&] {
        const int done = int(QDir(results).entryList(QDir::Files).size());
        if (firstTenthKb < 0 && done >= items / 10) {
            firstTenthKb = residentKb();
            firstTenthDone = done;
        }
        lastKb = residentKb();
        lastDone = done;
        if (done >= nextReport) {
            std::printf("  %d items: %ld kB\n", done, residentKb());
            std::fflush(stdout);
            nextReport += items / 10;
        }
    });
    bool ended = false;
    core::BatchSummary summary;
    QObject::connect(&commands, &app::QueueCommands::runEnded, [&](const core::BatchSummary& s) {
        summary = s;
        ended = true;
    });
    clock.start();
    ticks.start();
    memory.start();
    commands.window()->findChild<QPushButton*>(QStringLiteral("sbQRun"))->click();
    while (!ended)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double seconds = clock.elapsed() / 1000.0;
    const long endKb = residentKb();
    std::printf("items %d done %d in %.1f s: %.1f items/s\n", items, summary.done, seconds,
                summary.done / seconds);
    std::printf("respond: longest gap between 10 ms ticks %lld ms, ending %.1f s into the run\n",
                longestGap, longestGapAt / 1000.0);
    // The last sample during the run: the main window shown again afterwards adds its own.
    std::printf(
        "memory: %ld kB after %d items, %ld kB after %d: %+.2f kB per item; %ld kB after "
        "the run\n",
        firstTenthKb, firstTenthDone, lastKb, lastDone,
        double(lastKb - firstTenthKb) / std::max(1, lastDone - firstTenthDone), endKb);
    return summary.done == items ? 0 : 1;
}
