#include "platform/gui/SingleInstance.h"

#include <QByteArray>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QString>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr char kRaiseRequest[] = "raise\n";
constexpr char kRaiseAnswer = '1';

// The user's runtime directory is private to the user (mode 0700) and emptied at log-out; the
// temporary directory is the fallback of a session without one.
QString ChannelDirectory() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(QString::fromLocal8Bit(runtime)).exists())
        return QString::fromLocal8Bit(runtime);
    return QDir::tempPath();
}

} // namespace

SingleInstance::SingleInstance(std::u16string_view marker) {
    const QString base = ChannelDirectory() + QLatin1Char('/') +
                         QString::fromUtf16(marker.data(), static_cast<qsizetype>(marker.size())) +
                         QLatin1Char('-') + QString::number(::getuid());
    m_lockPath = (base + QStringLiteral(".lock")).toStdString();
    m_socketPath = (base + QStringLiteral(".sock")).toStdString();
}

SingleInstance::~SingleInstance() {
    if (m_server) {
        m_server->close(); // also removes the socket file
        m_server.reset();
    }
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

bool SingleInstance::Claim() {
    if (m_lockFd >= 0)
        return true;
    // Close-on-exec: the browser the program starts must not inherit the lock and keep it after
    // the program ends.
    const int fd = ::open(m_lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    m_lockFd = fd;
    return true;
}

bool SingleInstance::Listen(std::function<void()> onRaise) {
    m_onRaise = std::move(onRaise);
    if (m_server)
        return m_server->isListening();
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString path = QString::fromStdString(m_socketPath);
    // Only the lock holder gets here, so a socket file that exists is a crashed copy's.
    QLocalServer::removeServer(path);
    if (!m_server->listen(path))
        return false;
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(),
                     [this] { OnNewConnection(); });
    return true;
}

bool SingleInstance::IsListening() const {
    return m_server && m_server->isListening();
}

void SingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto serve = [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine();
            if (line != QByteArray(kRaiseRequest))
                return;
            socket->write(&kRaiseAnswer, 1);
            socket->flush();
            if (m_onRaise)
                m_onRaise();
        };
        QObject::connect(socket, &QLocalSocket::readyRead, socket, serve);
        serve(); // the request may have arrived with the connection
    }
}

bool SingleInstance::RequestRaise(int waitMs) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(m_socketPath));
    if (!socket.waitForConnected(waitMs))
        return false;
    socket.write(kRaiseRequest);
    if (!socket.waitForBytesWritten(waitMs))
        return false;
    // The running copy answers once it has taken the request. It may be busy with a scan for a
    // while; the request stays queued on the socket even if this copy ends before the answer.
    socket.waitForReadyRead(waitMs);
    socket.disconnectFromServer();
    return true;
}
