// One running instance per user and desktop: the first start listens on a local socket named for
// the user and the display; a later start on the same display finds it there, asks it to come
// forward and ends. A start on another display (another login, a virtual server) is another
// desktop and runs on its own. A restart takes the name over from the instance that is ending.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace vx {

class SingleInstanceServer : public QObject {
  Q_OBJECT

 public:
  explicit SingleInstanceServer(QString name = DefaultName(), QObject* parent = nullptr);
  ~SingleInstanceServer() override;

  // The socket name of the current user on the display of the environment.
  static QString DefaultName();
  // The name for a user on a display ("DISPLAY" and "WAYLAND_DISPLAY" as the environment gives
  // them; both empty without a display).
  static QString NameFor(qulonglong userId, const QString& x11Display,
                         const QString& waylandDisplay);

  // True when an instance answers on the name; it has then been asked to come forward. Waits at
  // most `timeoutMs` for it.
  bool RaiseRunningInstance(int timeoutMs = 3000) const;
  // Starts answering later starts. A socket left behind by an instance that ended without
  // closing it, or held by one that is ending, is taken over. False when the socket cannot be
  // made.
  bool Listen();
  // Stops answering and removes the socket by its name, so an ending instance closes it before
  // it starts its successor.
  void Close();
  bool IsListening() const;
  const QString& Name() const { return name_; }

 Q_SIGNALS:
  // A later start asked this instance to come forward.
  void raiseRequested();

 private:
  void OnNewConnection();

  QString name_;
  QLocalServer* server_ = nullptr;
};

}  // namespace vx
