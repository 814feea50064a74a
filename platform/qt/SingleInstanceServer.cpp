#include "platform/qt/SingleInstanceServer.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

#include <utility>

namespace vx {

namespace {

constexpr char kRaiseRequest[] = "raise\n";
constexpr char kRaiseAnswer[] = "raised\n";
constexpr int kAnswerTimeoutMs = 1000;

}  // namespace

SingleInstanceServer::SingleInstanceServer(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

SingleInstanceServer::~SingleInstanceServer() { Close(); }

QString SingleInstanceServer::DefaultName() {
  return QStringLiteral("PavorunCatalogApp-%1").arg(static_cast<qulonglong>(::getuid()));
}

bool SingleInstanceServer::RaiseRunningInstance(int timeoutMs) const {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(timeoutMs)) return false;
  socket.write(kRaiseRequest);
  socket.waitForBytesWritten(timeoutMs);
  // The instance exists whether or not it answers in time; the answer only lets it read the
  // request before this process goes away.
  socket.waitForReadyRead(kAnswerTimeoutMs);
  socket.disconnectFromServer();
  return true;
}

bool SingleInstanceServer::Listen() {
  if (IsListening()) return true;
  QLocalServer::removeServer(name_);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, [this] { OnNewConnection(); });
  if (server_->listen(name_)) return true;
  delete server_;
  server_ = nullptr;
  return false;
}

void SingleInstanceServer::Close() {
  delete server_;
  server_ = nullptr;
}

bool SingleInstanceServer::IsListening() const { return server_ && server_->isListening(); }

void SingleInstanceServer::OnNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      while (socket->canReadLine()) {
        if (socket->readLine() != kRaiseRequest) continue;
        socket->write(kRaiseAnswer);
        Q_EMIT raiseRequested();
      }
    });
  }
}

}  // namespace vx
