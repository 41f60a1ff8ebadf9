// One running program per user: a lock file in the per-user runtime folder, named after
// "MYPROGRAM_CHECKEXIST", held while the program runs. The first instance also listens on a
// local socket beside it, so a later instance can hand over its command line before it ends.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

namespace core {

inline constexpr const char* kInstanceName = "MYPROGRAM_CHECKEXIST";

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // runtimeFolder: where the lock and the socket live (tests use a temporary folder).
    explicit SingleInstance(QString runtimeFolder = defaultRuntimeFolder(),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // $XDG_RUNTIME_DIR, or the temporary folder when the desktop has none.
    static QString defaultRuntimeFolder();

    // True for the first instance: the lock is taken (a lock left by a program that died is
    // taken over) and the hand-over socket listens. False while another instance holds it.
    bool acquire();
    bool isFirst() const { return first_; }

    // A later instance: hands the arguments to the running one; false when none takes them.
    bool sendToRunning(const QStringList& arguments, int timeoutMs = 2000) const;

    QString lockFilePath() const;
    QString serverName() const;  // the socket's full path

  signals:
    // The arguments a later instance handed over (the first instance only).
    void commandLineReceived(const QStringList& arguments);

  private:
    void acceptConnection();

    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLocalServer> server_;
    bool first_ = false;
};

}  // namespace core
