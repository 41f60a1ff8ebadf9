// The Qt application the executor tests deliver results through, made once per test program,
// and waiting for a condition by running the event loop (no time is asserted; the limit only
// keeps a broken build from hanging).
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <functional>

namespace core {

inline void ensureApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "core_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// Processes events until done() holds; false if it never does.
inline bool processEventsUntil(const std::function<bool()>& done) {
    QDeadlineTimer limit(60000);
    while (!done()) {
        if (limit.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

}  // namespace core
