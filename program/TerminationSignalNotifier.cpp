#include "program/TerminationSignalNotifier.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace vx {

namespace {

int g_signalSocket[2] = {-1, -1};

// Only async-signal-safe calls here: the UI thread does the work.
void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(g_signalSocket[0], &byte, 1);
}

void Route(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(signal, &action, nullptr);
}

}  // namespace

TerminationSignalNotifier::TerminationSignalNotifier(QObject* parent) : QObject(parent) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalSocket) != 0) return;
  notifier_ = new QSocketNotifier(g_signalSocket[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(g_signalSocket[1], &byte, 1);
    Q_EMIT terminationRequested();
  });
  Route(SIGTERM, OnSignal);
  Route(SIGINT, OnSignal);
}

TerminationSignalNotifier::~TerminationSignalNotifier() {
  if (!notifier_) return;
  Route(SIGTERM, SIG_DFL);
  Route(SIGINT, SIG_DFL);
  delete notifier_;
  ::close(g_signalSocket[0]);
  ::close(g_signalSocket[1]);
  g_signalSocket[0] = g_signalSocket[1] = -1;
}

}  // namespace vx
