// The single-instance guard over a local socket.
#include "app/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>

namespace tarnvelock {

namespace {

constexpr char kAccepted = '1';  // the first instance has taken the file
constexpr int kReadTimeoutMs = 5000;

}  // namespace

SingleInstance::SingleInstance(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::Accept);
}

QString SingleInstance::DefaultName() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  return QDir(dir).filePath(
      QStringLiteral("Quendrix%1").arg(QFileInfo(QDir::homePath()).ownerId()));
}

bool SingleInstance::HandOver(const QString& command_line, int timeout_ms) {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(timeout_ms)) return false;
  socket.write(command_line.toUtf8() + '\0');
  if (!socket.waitForBytesWritten(timeout_ms)) return false;
  // The first instance answers once it has opened the file, its questions
  // included; the file is its business now, answered in time or not.
  while (socket.bytesAvailable() == 0 && socket.waitForReadyRead(timeout_ms)) {
  }
  return true;
}

bool SingleInstance::Listen() {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  if (server_.listen(name_)) return true;
  // Someone answering there is a live instance; a socket nobody answers on
  // was left by one that crashed.
  QLocalSocket probe;
  probe.connectToServer(name_);
  if (probe.waitForConnected(500)) return false;
  QLocalServer::removeServer(name_);
  return server_.listen(name_);
}

void SingleInstance::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QByteArray text;
    while (!text.contains('\0')) {
      if (!socket->waitForReadyRead(kReadTimeoutMs)) break;
      text += socket->readAll();
    }
    if (!text.contains('\0')) {
      socket->abort();
      continue;
    }
    text.truncate(text.indexOf('\0'));
    if (handler_) handler_(QString::fromUtf8(text));
    socket->write(QByteArray(1, kAccepted));
    socket->flush();
    socket->disconnectFromServer();
  }
}

}  // namespace tarnvelock
