#include "edit/single_instance.h"

#include <unistd.h>

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace orv::edit {
namespace {

constexpr int kWaitMs = 2000;
// The message: the files' absolute paths, one per line, ended by a zero
// byte (which no path holds); the answer is "1".

}  // namespace

QString SingleInstance::DefaultSocket() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir(runtime).exists()) return QDir(runtime).filePath(QStringLiteral("orvedit.socket"));
  return QDir::temp().filePath(QStringLiteral("orvedit-%1.socket").arg(::getuid()));
}

SingleInstance::SingleInstance(const QString& socket, QObject* parent)
    : QObject(parent), socket_(socket), server_(new QLocalServer(this)) {
  server_->setObjectName(QStringLiteral("SingleInstanceServer"));
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
      connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      connect(client, &QLocalSocket::readyRead, this, [this, client] {
        if (!client->peek(client->bytesAvailable()).contains('\0')) return;
        QByteArray message = client->readAll();
        message.truncate(message.indexOf('\0'));
        const QStringList files = QString::fromUtf8(message).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        client->write("1");
        client->flush();
        emit FilesReceived(files);
      });
    }
  });
}

bool SingleInstance::HandOver(const QString& socket, const QStringList& files) {
  QLocalSocket client;
  client.connectToServer(socket);
  if (!client.waitForConnected(kWaitMs)) return false;
  QByteArray message;
  for (const QString& file : files) message += QDir::current().absoluteFilePath(file).toUtf8() + "\n";
  message += '\0';
  client.write(message);
  if (!client.waitForBytesWritten(kWaitMs) || !client.waitForReadyRead(kWaitMs)) return false;
  return client.readAll() == "1";
}

bool SingleInstance::Listen() {
  if (server_->isListening() || server_->listen(socket_)) return true;
  // Nobody answered on it (HandOver failed), so the socket is a leftover.
  QLocalServer::removeServer(socket_);
  return server_->listen(socket_);
}

void SingleInstance::SetListening(bool listen) {
  if (listen) Listen();
  else server_->close();
}

}  // namespace orv::edit
