// Speed of the program window on the offscreen platform, measured the way a user meets it:
//   start    constructing the window until a 24-megapixel JPEG is opened (pictureOpened(true))
//            and first drawn;
//   preview  a slider moved until the new preview is shown (previewShown) and drawn, on a 1000 by
//            700 region of a 24-megapixel 16-bit photo (noise tab) and on the screen-sized copy
//            (colour tab);
//   respond  the longest gap between two ticks of a 10 ms timer on the window thread while a
//            24-megapixel 16-bit photo runs in full, and the deliveries that held the thread.
// A plain timing program rather than Google Benchmark: every figure is a latency across the event
// loop and the engine thread, so the program drives the loop itself and reports medians.
//
//   cmake -S . -B build -DVF_BUILD_BENCH=ON -DVF_BUILD_TESTS=ON
//   cmake --build build --target window_bench -j2
//   build/window_bench [all|start|preview|respond] [repetitions]
//
// The platform is offscreen with one 1920 by 1080 screen (a configuration file written at start),
// unless QT_QPA_PLATFORM names another platform.
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

#include "app/main/file_chooser.h"
#include "app/main/main_form.h"
#include "app/preview/full_view.h"
#include "app/settings/tuning_pages.h"
#include "core/document/image_document.h"
#include "core/i18n/language.h"
#include "core/i18n/text_lookup.h"
#include "core/main/scripted_asker.h"
#include "core/preview/engine_executor.h"
#include "core/preview/preview_run.h"
#include "core/preview/run_record.h"
#include "core/settings/tuning_controls.h"
#include "core/settings/tuning_engine_fill.h"
#include "dispatch_watch.h"
#include "dnr.h"
#include "imaging/imaging.h"
#include "thread_cpu.h"
#include "window_photos.h"

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kRegionWidth = 1000;
constexpr int kRegionHeight = 700;
constexpr int kZoom100Index = 2;  // cmbZoomPreview's "100%": the pane shows the region 1:1
constexpr int kWaitMs = 120000;
constexpr int kNoiseLevelSlider = 1;
constexpr int kSaturationSlider = 15;
constexpr int kTickMs = 10;

double processCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double msOf(qint64 ns) {
    return double(ns) / 1e6;
}

struct Series {
    std::vector<double> values;
    void add(double v) { values.push_back(v); }
    double median() const {
        std::vector<double> s = values;
        std::sort(s.begin(), s.end());
        const size_t n = s.size();
        return n == 0 ? 0 : n % 2 ? s[n / 2] : (s[n / 2 - 1] + s[n / 2]) / 2;
    }
    double min() const {
        return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
    }
    double max() const {
        return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
    }
};

void printSeries(const char* what, const Series& s) {
    std::printf("  %-44s median %8.1f ms   min %8.1f   max %8.1f   (n=%zu)\n", what, s.median(),
                s.min(), s.max(), s.values.size());
}

// Runs the event loop for ms milliseconds.
void pause(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until done() holds; false after timeoutMs.
bool runUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() > timeoutMs) loop.quit();
    });
    if (done()) return true;
    poll.start();
    loop.exec();
    return done();
}

// Remembers when a signal first fired, counted on the given clock; connected before the action
// that causes it, so that a signal emitted at once is not missed.
template <typename Signal>
class SignalTime {
  public:
    // also runs once, when the signal first fires.
    SignalTime(const app::TMainForm* form, Signal signal, const QElapsedTimer& clock,
               std::function<void()> also = {}) {
        connection_ = QObject::connect(form, signal, [this, &clock, also](auto... arguments) {
            if (firedNs_ < 0) {
                firedNs_ = clock.nsecsElapsed();
                ((firstArgument_ = QVariant::fromValue(arguments)), ...);
                if (also) also();
            }
        });
    }
    ~SignalTime() { QObject::disconnect(connection_); }
    bool wait(int timeoutMs = kWaitMs) {
        return runUntil([this] { return firedNs_ >= 0; }, timeoutMs);
    }
    qint64 firedNs() const { return firedNs_; }
    const QVariant& argument() const { return firstArgument_; }

  private:
    QMetaObject::Connection connection_;
    qint64 firedNs_ = -1;
    QVariant firstArgument_;
};

class NoFiles : public app::FileChooser {
  public:
    QString openPicture(QWidget*, const QString&) override { return {}; }
    std::optional<app::SaveChoice> savePicture(QWidget*, const QString&, int) override {
        return std::nullopt;
    }
};

// What a window needs around it: the language, scripted questions (none is expected; any one
// asked is reported) and a data folder of its own.
struct WindowSurroundings {
    core::Language language;
    core::ScriptedAsker asker;
    NoFiles files;
    QTemporaryDir data;

    WindowSurroundings() {
        language.load(QStringLiteral(VF_BUILD_FOLDER "/library/languages/english.lng"));
    }
    std::unique_ptr<app::TMainForm> makeForm(int zoomIndex = -1) {
        core::ProgramFolders folders(QStringLiteral(VF_BUILD_FOLDER), data.path());
        core::ProgramOptions options;
        if (zoomIndex >= 0) options.previewZoomIndex = zoomIndex;
        return std::make_unique<app::TMainForm>(
            app::MainFormSetup{language, asker, files, folders, core::SettingsBlock{}, options,
                               data.filePath(QStringLiteral("settings.ini")), 0});
    }
    bool quiet() const {
        for (const core::MessageBoxRequest& r : asker.requests())
            std::printf("  the window asked: %s\n", qPrintable(r.text));
        return asker.requests().empty();
    }
};

bool idle(const app::TMainForm& form) {
    return !form.busy() && !form.scheduler().restartPending() && !form.scheduler().requestPending();
}

bool openAndWait(app::TMainForm& form, const QString& path) {
    QElapsedTimer clock;
    clock.start();
    SignalTime opened(&form, &app::TMainForm::pictureOpened, clock);
    if (!form.openFile(path) || !opened.wait() || !opened.argument().toBool()) {
        std::printf("  opening %s failed\n", qPrintable(path));
        return false;
    }
    return true;
}

// ---- start ----------------------------------------------------------------------------------

bool benchStart(const bench::WindowPhotos& photos, int repetitions) {
    std::printf("\nStart: constructing the window to pictureOpened(true), 24-megapixel JPEG\n");
    WindowSurroundings around;
    Series shown, opened, drawn, cpu;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer clock;
        const double cpu0 = processCpuMs();
        clock.start();
        std::unique_ptr<app::TMainForm> form = around.makeForm();
        form->resize(1600, 1000);
        form->show();
        const qint64 shownNs = clock.nsecsElapsed();
        const app::FullView* view = form->ui().imageSource;
        int paints = 0;
        SignalTime openedSignal(form.get(), &app::TMainForm::pictureOpened, clock,
                                [&] { paints = view->paintCount(); });
        if (!form->openFile(photos.jpeg) || !openedSignal.wait() ||
            !openedSignal.argument().toBool()) {
            std::printf("  opening the JPEG failed\n");
            return false;
        }
        const double cpuOpened = processCpuMs() - cpu0;
        runUntil([&] { return view->paintCount() > paints; }, 5000);
        const qint64 drawnNs = view->paintCount() > paints ? clock.nsecsElapsed() : -1;
        std::printf("  start %d: shown %.1f ms, opened %.1f ms, drawn %s, CPU %.1f ms\n", i + 1,
                    msOf(shownNs), msOf(openedSignal.firedNs()),
                    drawnNs < 0 ? "never" : qPrintable(QString::number(msOf(drawnNs), 'f', 1)),
                    cpuOpened);
        shown.add(msOf(shownNs));
        opened.add(msOf(openedSignal.firedNs()));
        if (drawnNs >= 0) drawn.add(msOf(drawnNs));
        cpu.add(cpuOpened);
        form.reset();
        pause(100);
    }
    printSeries("constructed and shown", shown);
    printSeries("pictureOpened(true)   [target < 1000 ms]", opened);
    printSeries("source view drawn", drawn);
    printSeries("process CPU to pictureOpened", cpu);

    // Where the opening goes: the same work on this thread without a window.
    std::printf("  the opening's parts, on this thread without a window:\n");
    Series decode, open, display, thumb;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer clock;
        clock.start();
        core::DocumentOptions options;
        options.lookup = core::languageLookup(around.language);
        core::ImageDocument document(options);
        if (!document.open(photos.jpeg)) {
            std::printf("  the document could not open the JPEG\n");
            return false;
        }
        open.add(msOf(clock.nsecsElapsed()));
        clock.restart();
        const QImage source = document.displayImage(core::ImageSlot::Source);
        display.add(msOf(clock.nsecsElapsed()));
        clock.restart();
        const QImage small = source.scaled(300, 300, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        thumb.add(msOf(clock.nsecsElapsed()));
        clock.restart();
        const imaging::Handle h = imaging::cNewSession();
        imaging::cLoadImage(h, photos.jpeg.toStdString());
        decode.add(msOf(clock.nsecsElapsed()));
        imaging::cDestroySession(h);
        (void)small;
    }
    printSeries("JPEG decode alone (imaging session)", decode);
    printSeries("ImageDocument::open (decode, noise, ...)", open);
    printSeries("displayImage of the source", display);
    printSeries("300 px thumbnail, smooth", thumb);
    return around.quiet();
}

// ---- preview --------------------------------------------------------------------------------

struct MoveFigures {
    Series shown, drawn, cpu, launch, windowCpu, otherCpu;
};

void printMoves(const char* tab, const MoveFigures& f, const char* target) {
    const QByteArray t(tab);
    printSeries((t + ": previewShown  " + target).constData(), f.shown);
    printSeries((t + ": output preview drawn").constData(), f.drawn);
    printSeries((t + ": process CPU a move").constData(), f.cpu);
    printSeries((t + ":   of it the window thread").constData(), f.windowCpu);
    printSeries((t + ":   of it the other threads").constData(), f.otherCpu);
    printSeries((t + ": the slider's setValue (launch)").constData(), f.launch);
}

// Moves the slider step by step and times each move to previewShown and to the next paint of the
// output preview.
bool moveSlider(app::TMainForm& form, int number, int moves, MoveFigures& figures) {
    QSlider* slider = form.ui().pages->slider(number);
    if (!slider) {
        std::printf("  no slider %d\n", number);
        return false;
    }
    slider->setFocus();
    const app::PictureView* output = form.ui().imagePreviewOutput;
    for (int i = 0; i < moves; ++i) {
        if (!runUntil([&] { return idle(form); }, kWaitMs)) return false;
        pause(50);
        const int value =
            slider->value() < slider->maximum() - 1 ? slider->value() + 1 : slider->minimum();
        int paints = 0;
        QElapsedTimer clock;
        SignalTime shown(&form, &app::TMainForm::previewShown, clock,
                         [&] { paints = output->paintCount(); });
        const double cpu0 = processCpuMs();
        const bench::ThreadCpu threads0 = bench::threadCpuNow();
        clock.start();
        slider->setValue(value);
        figures.launch.add(msOf(clock.nsecsElapsed()));
        if (!shown.wait()) {
            std::printf("  no preview after slider %d moved to %d\n", number, value);
            return false;
        }
        const bool painted = runUntil([&] { return output->paintCount() > paints; }, 5000);
        const qint64 drawnNs = clock.nsecsElapsed();
        figures.cpu.add(processCpuMs() - cpu0);
        const bench::ThreadCpu threads = bench::threadCpuNow();
        figures.windowCpu.add(msOf(threads.thisThreadNs - threads0.thisThreadNs));
        figures.otherCpu.add(msOf(threads.otherThreadsNs - threads0.otherThreadsNs));
        figures.shown.add(msOf(shown.firedNs()));
        if (painted) figures.drawn.add(msOf(drawnNs));
    }
    return true;
}

// The colour tab's preview job as the window posts it, run here on the window's idle sessions with
// the engine call timed apart: what of a move is the engine's own work and what the copies and
// display picture around it.
void colourJobParts(app::TMainForm& form, int repetitions) {
    Series whole, engine, engineCpu;
    const core::PreviewSessions sessions{form.document().handle(core::ImageSlot::Source),
                                         form.document().handle(core::ImageSlot::PreviewRegion),
                                         form.document().handle(core::ImageSlot::ReducedCopy),
                                         form.document().handle(core::ImageSlot::PreviewResult),
                                         form.document().handle(core::ImageSlot::CaptionPreview),
                                         form.document().handle(core::ImageSlot::CropPreview)};
    const core::EngineJobContext context({}, {});
    for (int i = 0; i < repetitions; ++i) {
        core::FillContext fill;
        fill.activeTab = core::SettingsTab::Colours;
        fill.tuningMode = true;
        fill.caTabShown = core::controlStates(form.tuning(), fill.activeTab).caTabVisible;
        core::PreviewRunRequest request;
        request.sessions = sessions;
        request.tab = core::PreviewTab::Colors;
        request.region = form.previewRegion();
        request.record = core::RunRecord(core::fillEngineRecord(form.tuning(), fill));
        qint64 engineNs = 0;
        double cpuMs = 0;
        const auto timedEngine = [&engineNs, &cpuMs, i](ProcessingParams& p) {
            p.Saturation += i % 2;  // only the colour changes from one call to the next
            QElapsedTimer clock;
            const double cpu0 = processCpuMs();
            clock.start();
            const int32_t answer = Grainwash2(&p);
            engineNs = clock.nsecsElapsed();
            cpuMs = processCpuMs() - cpu0;
            return answer;
        };
        QElapsedTimer clock;
        clock.start();
        const core::RunResult result = core::runPreview(request, context, timedEngine);
        if (!result.done()) return;
        whole.add(msOf(clock.nsecsElapsed()));
        engine.add(msOf(engineNs));
        engineCpu.add(cpuMs);
    }
    printSeries("colour job replayed: runPreview", whole);
    printSeries("colour job replayed:   of it Grainwash2", engine);
    printSeries("colour job replayed:   Grainwash2 process CPU", engineCpu);
}

bool benchPreview(const bench::WindowPhotos& photos, int moves) {
    std::printf("\nPreview: slider moved to previewShown, 24-megapixel 16-bit TIFF\n");
    WindowSurroundings around;
    std::unique_ptr<app::TMainForm> form = around.makeForm(kZoom100Index);
    // The panes hold the region 1:1; the window is wider than the screen to hold both side by
    // side next to the tabs, which the offscreen platform allows.
    form->ui().imagePreviewSource->setFixedSize(kRegionWidth, kRegionHeight);
    form->ui().imagePreviewOutput->setFixedSize(kRegionWidth, kRegionHeight);
    form->resize(2600, 1000);
    form->show();
    if (!openAndWait(*form, photos.tiff16)) return false;
    std::printf("  document %dx%d, %s\n", form->document().width(), form->document().height(),
                form->document().is16Bit() ? "16-bit" : "8-bit");

    QElapsedTimer clock;
    {
        SignalTime first(form.get(), &app::TMainForm::previewShown, clock);
        clock.start();
        form->menuRebuildClick();  // viewing -> tuning, noise tab
        if (!form->tuningMode() || !first.wait()) return false;
        std::printf("  first preview (source region made, cold caches): %.1f ms\n",
                    msOf(first.firedNs()));
    }
    const core::PreviewRegion& region = form->previewRegion();
    std::printf("  noise tab region %dx%d at (%d, %d)\n", region.width, region.height, region.left,
                region.top);
    MoveFigures noise;
    if (!moveSlider(*form, kNoiseLevelSlider, moves, noise)) return false;
    printMoves("noise tab", noise, "[target 60 ms]");

    if (!runUntil([&] { return idle(*form); }, kWaitMs)) return false;
    {
        SignalTime first(form.get(), &app::TMainForm::previewShown, clock);
        clock.restart();
        form->ui().pages->setCurrentWidget(form->ui().pages->page(QStringLiteral("tsColor")));
        if (!first.wait()) return false;
        std::printf("  first colour preview (screen-sized copy made): %.1f ms\n",
                    msOf(first.firedNs()));
    }
    const QSize copy = form->ui().imagePreviewSource->picture().size();
    const QRect work = form->screen()->availableGeometry();
    std::printf("  colour tab copy %dx%d for a work area of %dx%d\n", copy.width(), copy.height(),
                work.width(), work.height());
    MoveFigures colour;
    if (!moveSlider(*form, kSaturationSlider, moves, colour)) return false;
    printMoves("colour tab", colour, "[target 40 ms]");
    runUntil([&] { return idle(*form); }, kWaitMs);
    colourJobParts(*form, moves);
    const bool quiet = around.quiet();
    form.reset();

    // Where the first colour preview goes: the screen-sized copy made from the source.
    const imaging::Handle source = imaging::cNewSession();
    imaging::cSet16BitComponentOptions(source, true, true);
    if (!imaging::cLoadImage(source, photos.tiff16.toStdString())) return false;
    QElapsedTimer parts;
    parts.start();
    const imaging::Handle reduced = imaging::cDupSession(source);
    const double copyMs = msOf(parts.nsecsElapsed());
    parts.restart();
    const bool resized = imaging::cOpResizeEx(reduced, copy.width(), copy.height());
    const double resizeMs = msOf(parts.nsecsElapsed());
    std::printf(
        "  the screen-sized copy alone: copy of the source %.1f ms, resize to %dx%d %.1f ms%s\n",
        copyMs, copy.width(), copy.height(), resizeMs, resized ? "" : " (failed)");
    imaging::cDestroySession(reduced);
    imaging::cDestroySession(source);
    return quiet;
}

// ---- responsiveness during a full run ---------------------------------------------------------

bool benchRespond(bench::DispatchWatchApplication& app, const bench::WindowPhotos& photos,
                  int runs) {
    std::printf(
        "\nResponsiveness: a 10 ms timer on the window thread during a full run, "
        "24-megapixel 16-bit TIFF\n");
    WindowSurroundings around;
    std::unique_ptr<app::TMainForm> form = around.makeForm();
    form->resize(1600, 1000);
    form->show();
    if (!openAndWait(*form, photos.tiff16)) return false;
    Series worst;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        {
            SignalTime preview(form.get(), &app::TMainForm::previewShown, clock);
            clock.start();
            form->menuRebuildClick();  // viewing -> tuning: one preview first
            if (!preview.wait() || !runUntil([&] { return idle(*form); }, kWaitMs)) return false;
        }
        std::vector<qint64> ticks;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(kTickMs);
        QObject::connect(&timer, &QTimer::timeout, [&] { ticks.push_back(clock.nsecsElapsed()); });
        SignalTime ended(form.get(), &app::TMainForm::fullRunEnded, clock);
        timer.start();
        pause(100);
        clock.restart();
        ticks.clear();
        app.startWatch(20'000'000);
        const double cpu0 = processCpuMs();
        form->menuRebuildClick();  // tuning -> the full run
        if (!form->busy() || !ended.wait()) return false;
        const double cpu = processCpuMs() - cpu0;
        pause(500);  // the output being shown belongs to the run as the user sees it
        timer.stop();
        app.stopWatch();
        const qint64 endNs = ended.firedNs();
        qint64 longest = 0, longestAt = 0;
        int over50 = 0;
        for (size_t i = 1; i < ticks.size(); ++i) {
            const qint64 gap = ticks[i] - ticks[i - 1];
            if (gap > longest) {
                longest = gap;
                longestAt = ticks[i - 1];
            }
            if (gap > 50'000'000) ++over50;
        }
        std::printf(
            "  run %d: ended after %.0f ms (%s), process CPU %.0f ms, %zu ticks; longest gap "
            "%.1f ms starting at %.0f ms; %d gaps over 50 ms\n",
            run + 1, msOf(endNs),
            ended.argument().value<core::RunEnd>() == core::RunEnd::Done ? "done" : "not done", cpu,
            ticks.size(), msOf(longest), msOf(longestAt), over50);
        int shown = 0;
        for (const bench::Dispatch& d : app.longest()) {
            if (++shown > 5) break;
            std::printf("    delivery of %.1f ms at %.0f ms: event %d to %s\n", msOf(d.durationNs),
                        msOf(d.startNs), d.eventType, qPrintable(d.receiver));
        }
        worst.add(msOf(longest));
        if (ended.argument().value<core::RunEnd>() != core::RunEnd::Done) return false;
    }
    printSeries("longest gap of a run  [target < 100 ms]", worst);
    return around.quiet();
}

// One 1920 by 1080 screen for the offscreen platform.
void configureOffscreenScreen(const QString& folder) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen") return;
    const QString file = folder + QStringLiteral("/screen.json");
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return;
    out.write(
        QStringLiteral("{\"screens\": [{\"name\": \"bench\", \"x\": 0, \"y\": 0, \"width\": %1, "
                       "\"height\": %2, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}")
            .arg(kScreenWidth)
            .arg(kScreenHeight)
            .toUtf8());
    out.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + file.toUtf8());
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir files;
    if (!files.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    configureOffscreenScreen(files.path());
    bench::DispatchWatchApplication app(argc, argv);
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("all");
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 0;
    if (which != QLatin1String("all") && which != QLatin1String("start") &&
        which != QLatin1String("preview") && which != QLatin1String("respond")) {
        std::fprintf(stderr, "usage: window_bench [all|start|preview|respond] [repetitions]\n");
        return 2;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    std::printf("platform %s, screen %dx%d\n", qPrintable(QGuiApplication::platformName()),
                screen ? screen->geometry().width() : 0, screen ? screen->geometry().height() : 0);

    QElapsedTimer clock;
    clock.start();
    bench::WindowPhotos photos;
    QString error;
    if (!bench::writeWindowPhotos(QStringLiteral(VF_BUILD_FOLDER "/images/sample.jpg"),
                                  files.path(), photos, error)) {
        std::fprintf(stderr, "the photos could not be made: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("photos made in %.1f s: TIFF %.0f MB, JPEG %.1f MB\n", clock.elapsed() / 1000.0,
                QFileInfo(photos.tiff16).size() / 1e6, QFileInfo(photos.jpeg).size() / 1e6);

    bool ok = true;
    if (ok && (which == QLatin1String("all") || which == QLatin1String("start")))
        ok = benchStart(photos, repetitions ? repetitions : 5);
    if (ok && (which == QLatin1String("all") || which == QLatin1String("preview")))
        ok = benchPreview(photos, repetitions ? repetitions : 21);
    if (ok && (which == QLatin1String("all") || which == QLatin1String("respond")))
        ok = benchRespond(app, photos, repetitions ? repetitions : 3);
    if (!ok) std::printf("a measurement failed\n");
    return ok ? 0 : 1;
}
