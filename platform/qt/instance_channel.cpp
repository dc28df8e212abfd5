#include "instance_channel.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace platform {
namespace {

// Far longer than any path: a peer sending more is not a start of ours.
constexpr qsizetype kMaxMessage = 64 * 1024;
constexpr char kEnd = '\0';
constexpr char kReceipt = '\1';
constexpr int kRetryMs = 50;

} // namespace

InstanceChannel::InstanceChannel(QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::Accept);
}

bool InstanceChannel::Listen(const std::string& socketPath) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(socketPath));
    QLocalServer::removeServer(name);
    return m_server->listen(name);
}

void InstanceChannel::Accept() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Read(socket); });
        Read(socket);
    }
}

void InstanceChannel::Read(QLocalSocket* socket) {
    // The bytes so far wait in the socket until the whole message is there.
    const QByteArray pending = socket->peek(kMaxMessage + 1);
    const qsizetype end = pending.indexOf(kEnd);
    if (end < 0) {
        if (pending.size() > kMaxMessage) socket->abort();
        return;
    }
    const QByteArray message = socket->read(end + 1).chopped(1);
    socket->write(&kReceipt, 1);
    socket->disconnectFromServer();
    emit Received(message);
}

bool SendToRunningInstance(const std::string& socketPath, const QByteArray& message,
                           int timeoutMs) {
    const QString name = QFile::decodeName(QByteArray::fromStdString(socketPath));
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    while (true) {
        socket.connectToServer(name);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) break;
        if (deadline.hasExpired()) return false;
        QThread::msleep(kRetryMs);
    }
    socket.write(message + kEnd);
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) return false;
    while (socket.bytesAvailable() == 0) {
        if (deadline.hasExpired() ||
            !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            return false;
        }
    }
    char receipt = 0;
    return socket.read(&receipt, 1) == 1 && receipt == kReceipt;
}

} // namespace platform
