#include "core/main/single_instance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace core {

namespace {

// Bounds what a connection may send before it is dropped: a command line is short.
constexpr qint64 kMaxMessageBytes = 1 << 20;

}  // namespace

SingleInstance::SingleInstance(QString runtimeFolder, QObject* parent)
    : QObject(parent), folder_(std::move(runtimeFolder)) {}

SingleInstance::~SingleInstance() {
    if (server_) server_->close();
}

QString SingleInstance::defaultRuntimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QDir::tempPath() : folder;
}

QString SingleInstance::lockFilePath() const {
    return QDir(folder_).filePath(QString::fromLatin1(kInstanceName) + QStringLiteral(".lock"));
}

QString SingleInstance::serverName() const {
    return QDir(folder_).filePath(QString::fromLatin1(kInstanceName) + QStringLiteral(".socket"));
}

bool SingleInstance::acquire() {
    if (first_) return true;
    auto lock = std::make_unique<QLockFile>(lockFilePath());
    // Never stale by age: only a lock whose process is gone is taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return false;
    lock_ = std::move(lock);
    first_ = true;

    // The lock is ours, so a socket left behind belongs to a program that died.
    QLocalServer::removeServer(serverName());
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_.get(), &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
    // Without the socket the program still runs alone; later instances only cannot hand over.
    server_->listen(serverName());
    return true;
}

void SingleInstance::acceptConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto readMessage = [this, socket] {
            if (socket->bytesAvailable() > kMaxMessageBytes) {
                socket->abort();
                return;
            }
            QDataStream in(socket);
            in.setVersion(QDataStream::Qt_6_0);
            in.startTransaction();
            QStringList arguments;
            in >> arguments;
            if (!in.commitTransaction()) return;  // wait for the rest
            socket->disconnectFromServer();
            emit commandLineReceived(arguments);
        };
        connect(socket, &QLocalSocket::readyRead, this, readMessage);
        if (socket->bytesAvailable() > 0) readMessage();
    }
}

bool SingleInstance::sendToRunning(const QStringList& arguments, int timeoutMs) const {
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(timeoutMs)) return false;
    QByteArray message;
    {
        QDataStream out(&message, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << arguments;
    }
    if (socket.write(message) != message.size()) return false;
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(timeoutMs)) return false;
    socket.disconnectFromServer();
    return true;
}

}  // namespace core
