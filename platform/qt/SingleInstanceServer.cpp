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
// Socket paths are short: a display name longer than this is cut.
constexpr int kMaxDisplayPart = 40;

// ":0" and ":0.1" are screens of one server, so one desktop.
QString X11Server(const QString& display) {
  const int colon = display.lastIndexOf(QLatin1Char(':'));
  const int dot = display.indexOf(QLatin1Char('.'), colon + 1);
  return colon >= 0 && dot > colon ? display.left(dot) : display;
}

// A Wayland display may be given as a path; the socket name must stay a plain name.
QString NamePart(const QString& text) {
  QString part = text.section(QLatin1Char('/'), -1).left(kMaxDisplayPart);
  for (QChar& c : part) {
    if (!c.isLetterOrNumber() || c.unicode() > 0x7F) c = QLatin1Char('_');
  }
  return part;
}

}  // namespace

SingleInstanceServer::SingleInstanceServer(QString name, QObject* parent)
    : QObject(parent), name_(std::move(name)) {}

SingleInstanceServer::~SingleInstanceServer() { Close(); }

QString SingleInstanceServer::DefaultName() {
  return NameFor(::getuid(), qEnvironmentVariable("DISPLAY"),
                 qEnvironmentVariable("WAYLAND_DISPLAY"));
}

QString SingleInstanceServer::NameFor(qulonglong userId, const QString& x11Display,
                                      const QString& waylandDisplay) {
  QString name = QStringLiteral("PavorunCatalogApp-%1").arg(userId);
  if (!x11Display.isEmpty()) name += QStringLiteral("-x") + NamePart(X11Server(x11Display));
  if (!waylandDisplay.isEmpty()) name += QStringLiteral("-w") + NamePart(waylandDisplay);
  return name;
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
