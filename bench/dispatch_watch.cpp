#include "dispatch_watch.h"

#include <QThread>
#include <algorithm>

namespace bench {

void DispatchWatchApplication::startWatch(qint64 thresholdNs) {
    recorded_.clear();
    thresholdNs_ = thresholdNs;
    clock_.start();
    watching_ = true;
}

std::vector<Dispatch> DispatchWatchApplication::longest() const {
    std::vector<Dispatch> sorted = recorded_;
    std::sort(sorted.begin(), sorted.end(),
              [](const Dispatch& a, const Dispatch& b) { return a.durationNs > b.durationNs; });
    return sorted;
}

bool DispatchWatchApplication::notify(QObject* receiver, QEvent* event) {
    // Deliveries on the engine thread are not the window's and are not counted.
    if (QThread::currentThread() != thread()) return QApplication::notify(receiver, event);
    if (!watching_ || depth_ > 0) {
        ++depth_;
        const bool handled = QApplication::notify(receiver, event);
        --depth_;
        return handled;
    }
    // Read before delivery: the receiver may be deleted by it.
    const QString name = QString::fromLatin1(receiver->metaObject()->className()) +
                         QLatin1Char(' ') + receiver->objectName();
    const int type = int(event->type());
    const qint64 start = clock_.nsecsElapsed();
    ++depth_;
    const bool handled = QApplication::notify(receiver, event);
    --depth_;
    const qint64 duration = clock_.nsecsElapsed() - start;
    if (watching_ && duration >= thresholdNs_) recorded_.push_back({start, duration, name, type});
    return handled;
}

}  // namespace bench
