// The navigator on a folder of 2000 small photographs, as a user meets it:
//   listed       from the folder chosen to its items built (the listing runs off the window
//   thread); first screen from the folder chosen to every item on screen holding its thumbnail; all
//   cached   to every thumbnail made and stored in the cache; respond      the longest gap between
//   two ticks of a 10 ms timer on the window thread meanwhile; second visit the folder shown again:
//   every thumbnail read from the cache, decodes counted.
// For comparison, the bare reduced-size decodes of the same files (the cache off) on one thread and
// on two. A plain program: it drives the event loop itself.
//
//   cmake --build build --target navigator_thumbnails -j2
//   QT_QPA_PLATFORM=offscreen build/navigator_thumbnails [pictures=2000] [width=1024] [height=768]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <set>
#include <thread>

#include "app/navigator/navigator_panel.h"
#include "core/i18n/language.h"
#include "core/main/scripted_asker.h"
#include "core/navigator/thumbnail_cache.h"

namespace {

// A photograph-like picture: smooth colour fields with fine noise, so that JPEG has work to do.
QImage photo(int width, int height, int seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, width, height);
    g.setColorAt(0, QColor::fromHsv((seed * 37) % 360, 120, 220));
    g.setColorAt(1, QColor::fromHsv((seed * 37 + 150) % 360, 200, 90));
    p.fillRect(image.rect(), g);
    p.end();
    QRandomGenerator random(uint32_t(seed) + 1);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int n = int(random.bounded(17)) - 8;
            const QRgb c = row[x];
            row[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                          std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    return image;
}

// Waits in the event loop until done() holds or the time runs out.
bool runUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

double decodeAll(const QStringList& files, int threads) {
    QElapsedTimer t;
    t.start();
    std::atomic<int> next{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < threads; ++i)
        workers.emplace_back([&] {
            for (int k = next++; k < files.size(); k = next++)
                core::loadNavigatorThumbnail(files[k], {QString(), false, true});
        });
    for (std::thread& w : workers)
        w.join();
    return t.elapsed() / 1000.0;
}

struct Visit {
    double listed = 0, firstScreen = 0, all = 0, respondMs = 0;
    int onScreen = 0, decoded = 0, cached = 0;
};

Visit visit(app::NavigatorPanel& panel, const QString& folder) {
    Visit v;
    QElapsedTimer clock;
    std::set<int> received;
    std::vector<int> visible;
    bool listed = false, allDone = false, screenDone = false;
    const int decodedBefore = panel.thumbnails().decodedCount();
    const int cachedBefore = panel.thumbnails().cachedCount();
    auto c1 = QObject::connect(&panel, &app::NavigatorPanel::folderShown, [&] {
        v.listed = clock.elapsed() / 1000.0;
        listed = true;
        // The rows on screen once the list is laid out.
        QListWidget* list = panel.list();
        list->doItemsLayout();
        const QRect area = list->viewport()->rect();
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->data(Qt::UserRole + 1).toInt() >= 0 &&
                list->visualItemRect(list->item(row)).intersects(area))
                visible.push_back(list->item(row)->data(Qt::UserRole + 1).toInt());
        v.onScreen = int(visible.size());
    });
    auto c2 = QObject::connect(&panel.thumbnails(), &core::ThumbnailQueue::thumbnailReady,
                               [&](int, int index, const QImage&) {
                                   received.insert(index);
                                   if (!screenDone && listed &&
                                       std::all_of(visible.begin(), visible.end(),
                                                   [&](int i) { return received.count(i) != 0; })) {
                                       screenDone = true;
                                       v.firstScreen = clock.elapsed() / 1000.0;
                                   }
                               });
    auto c3 = QObject::connect(&panel, &app::NavigatorPanel::thumbnailsDone, [&] {
        allDone = true;
        v.all = clock.elapsed() / 1000.0;
    });
    // The window thread's responsiveness: the longest gap between ticks.
    QElapsedTimer tick;
    qint64 worst = 0;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] { worst = std::max(worst, tick.restart()); });
    clock.start();
    tick.start();
    timer.start();
    panel.showFolder(folder);
    runUntil([&] { return allDone; }, 600000);
    timer.stop();
    QObject::disconnect(c1);
    QObject::disconnect(c2);
    QObject::disconnect(c3);
    v.respondMs = double(worst);
    v.decoded = panel.thumbnails().decodedCount() - decodedBefore;
    v.cached = panel.thumbnails().cachedCount() - cachedBefore;
    return v;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(1, atoi(argv[1])) : 2000;
    const int width = argc > 2 ? std::max(16, atoi(argv[2])) : 1024;
    const int height = argc > 3 ? std::max(16, atoi(argv[3])) : 768;
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("photos"));
    QDir().mkpath(folder);
    std::printf("making %d photos of %d x %d ...\n", count, width, height);
    std::fflush(stdout);
    QStringList files;
    qint64 bytes = 0;
    for (int i = 0; i < count; ++i) {
        const QString path = folder + QStringLiteral("/IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
        // Sixteen different pictures, copied: making each one anew would take longer than the run.
        if (i < 16)
            photo(width, height, i).save(path, "JPG", 90);
        else
            QFile::copy(folder + QStringLiteral("/IMG_%1.jpg").arg(i % 16, 4, 10, QLatin1Char('0')),
                        path);
        files << path;
        bytes += QFileInfo(path).size();
    }
    std::printf("%d files, %.1f MB\n", count, bytes / 1e6);

    const double one = decodeAll(files, 1);
    const double two = decodeAll(files, 2);
    std::printf(
        "reduced-size decodes, no cache: 1 thread %.2f s (%.2f ms each), 2 threads %.2f s\n", one,
        one * 1000 / count, two);

    core::Language language;
    language.load(QStringLiteral(VF_BUILD_FOLDER "/library/languages/english.lng"));
    core::ScriptedAsker asker;
    app::NavigatorPanel panel(language, asker, {});
    panel.setThumbnailSettings({dir.filePath(QStringLiteral("cache")), true, true});
    panel.resize(420, 900);
    panel.show();
    runUntil([] { return false; }, 200);

    const Visit first = visit(panel, folder);
    std::printf(
        "first visit:  listed %.2f s, first screen (%d items) %.2f s, all cached %.2f s, "
        "decodes %d, from cache %d, longest window gap %.0f ms\n",
        first.listed, first.onScreen, first.firstScreen, first.all, first.decoded, first.cached,
        first.respondMs);
    const Visit second = visit(panel, folder);
    std::printf(
        "second visit: listed %.2f s, first screen (%d items) %.2f s, all shown %.2f s, "
        "decodes %d, from cache %d, longest window gap %.0f ms\n",
        second.listed, second.onScreen, second.firstScreen, second.all, second.decoded,
        second.cached, second.respondMs);
    return first.all > 0 && second.decoded == 0 ? 0 : 1;
}
