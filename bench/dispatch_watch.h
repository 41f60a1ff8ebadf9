// An application that times every event it delivers on the window thread, so that a benchmark can
// say which receiver held the thread when the window stopped answering. Only the outermost
// delivery is timed (a delivery inside another one is part of it).
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <vector>

namespace bench {

struct Dispatch {
    qint64 startNs = 0;  // since the watch was started
    qint64 durationNs = 0;
    QString receiver;  // class name and object name
    int eventType = 0;
};

class DispatchWatchApplication : public QApplication {
  public:
    DispatchWatchApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    // Starts (or restarts) recording deliveries that take at least thresholdNs.
    void startWatch(qint64 thresholdNs);
    void stopWatch() { watching_ = false; }
    // The recorded deliveries, longest first.
    std::vector<Dispatch> longest() const;

    bool notify(QObject* receiver, QEvent* event) override;

  private:
    QElapsedTimer clock_;
    bool watching_ = false;
    int depth_ = 0;
    qint64 thresholdNs_ = 0;
    std::vector<Dispatch> recorded_;
};

}  // namespace bench
