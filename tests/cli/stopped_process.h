// Freezing a running program at a chosen moment, for the tests that signal it there.
#pragma once

#include <QFile>
#include <QString>

#include <sys/types.h>
#include <unistd.h>

namespace cli::test {

// The state letter of /proc/PID/stat: R, S, T (stopped), Z (ended, not yet collected)...
inline char processState(pid_t pid) {
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return '?';
    const QByteArray stat = f.readAll();
    const int close = stat.lastIndexOf(')');
    return close >= 0 && close + 2 < stat.size() ? stat[close + 2] : '?';
}

// Waits (without a time limit of its own: the test's is the limit) until the process is stopped.
inline bool waitUntilStopped(pid_t pid) {
    for (;;) {
        const char state = processState(pid);
        if (state == 'T') return true;
        if (state == 'Z' || state == '?') return false;
        ::usleep(200);
    }
}

}  // namespace cli::test
