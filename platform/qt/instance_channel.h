#pragma once

#include <QByteArray>
#include <QObject>
#include <string>

class QLocalServer;
class QLocalSocket;

namespace platform {

// The running instance's end of a local socket through which later starts
// hand it a message (a path). Each message ends with a NUL byte and is
// answered with one byte once received, so the sender knows it arrived.
class InstanceChannel final : public QObject {
    Q_OBJECT

  public:
    explicit InstanceChannel(QObject* parent = nullptr);

    // Listens at the socket path. Only the holder of the instance lock calls
    // this, so a socket file left by an instance that died is removed first.
    bool Listen(const std::string& socketPath);

  signals:
    void Received(const QByteArray& message);

  private:
    void Accept();
    void Read(QLocalSocket* socket);

    QLocalServer* m_server = nullptr;
};

// Hands the message to the instance listening at the socket path and waits
// for its receipt. The instance may still be starting (it holds the lock but
// does not listen yet), so connecting is tried again until `timeoutMs`.
// False when no instance took it in time.
bool SendToRunningInstance(const std::string& socketPath, const QByteArray& message, int timeoutMs);

} // namespace platform
