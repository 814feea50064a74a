// SIGTERM and SIGINT (a session ending, Ctrl+C in a terminal) arrive as a Qt signal on the UI
// thread, so that the program closes the way the user closes it and nothing is lost.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace vx {

class TerminationSignalNotifier : public QObject {
  Q_OBJECT

 public:
  // One per process; the signals are routed here while it lives.
  explicit TerminationSignalNotifier(QObject* parent = nullptr);
  ~TerminationSignalNotifier() override;

 Q_SIGNALS:
  void terminationRequested();

 private:
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vx
