// A CUPS server of the test's own: cupsd started in a temporary folder, listening on a free port
// of 127.0.0.1 only, with one raw queue "vxtest" whose backend writes every job to
// out/job-<id>.pdf. Ready() is false, with the reason in Failure(), where cupsd is missing or
// does not come up; the server is stopped when the object goes. Its start and the jobs it writes
// are waited for as cupsd and the file system report them, each with a deadline.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/syscall.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/TempDir.h"
#include "tests/support/ThreadCounter.h"

extern char** environ;

namespace vxtest {

// Waits until one of `fds` can be read; false when `end` passes first.
inline bool PollUntil(std::vector<pollfd>& fds, std::chrono::steady_clock::time_point end) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
  return left.count() > 0 && poll(fds.data(), fds.size(), static_cast<int>(left.count())) > 0;
}

class LoopbackCupsServer {
 public:
  static constexpr const char* kCupsd = "/usr/sbin/cupsd";
  static constexpr const char* kLpadmin = "/usr/sbin/lpadmin";

  LoopbackCupsServer() {
    if (access(kCupsd, X_OK) != 0 || access(kLpadmin, X_OK) != 0) {
      failure_ = "cupsd or lpadmin is not installed (package cups-daemon, cups-client)";
      return;
    }
    port_ = FreePort();
    WriteConfiguration();
    // Watched from the start, so that no job's file is missed.
    watch_ = inotify_init1(IN_CLOEXEC);
    inotify_add_watch(watch_, (folder_ / "out").c_str(), IN_CLOSE_WRITE);
    if (!Start()) return;
    const std::string queue = std::string(kLpadmin) + " -h " + Address() +
                              " -p vxtest -E -v vxfile:" + (folder_ / "out" / "job").string() +
                              " > /dev/null 2>&1";
    if (std::system(queue.c_str()) != 0) failure_ = "lpadmin could not add the test queue";
  }
  ~LoopbackCupsServer() {
    Stop();
    if (watch_ >= 0) close(watch_);
  }
  LoopbackCupsServer(const LoopbackCupsServer&) = delete;
  LoopbackCupsServer& operator=(const LoopbackCupsServer&) = delete;

  bool Ready() const { return failure_.empty(); }
  const std::string& Failure() const { return failure_; }
  std::string Address() const { return "127.0.0.1:" + std::to_string(port_); }
  std::filesystem::path JobFile(int job) const {
    return folder_ / "out" / ("job-" + std::to_string(job) + ".pdf");
  }
  std::vector<std::filesystem::path> Printed() const {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder_ / "out")) {
      files.push_back(entry.path());
    }
    return files;
  }

  // Waits until the backend has written `count` job files whole since the server started; false
  // when the deadline passes first.
  bool WaitForPrinted(std::size_t count, std::chrono::milliseconds deadline = kTestDeadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    std::vector<pollfd> fds = {{watch_, POLLIN, 0}};
    while (written_ < count) {
      if (!PollUntil(fds, end)) return false;
      alignas(inotify_event) char events[4096];
      const ssize_t n = read(watch_, events, sizeof events);
      for (ssize_t at = 0; at < n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(events + at);
        if (event->mask & IN_CLOSE_WRITE) ++written_;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return true;
  }

  // Ends the server, as a print server that goes away does.
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  static int FreePort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    close(s);
    return ntohs(address.sin_port);
  }

  bool Accepts() const {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port_));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool connected = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(s);
    return connected;
  }

  // The server's folders, and a bin folder of the system's helpers with our own file backend.
  void WriteConfiguration() {
    namespace fs = std::filesystem;
    const fs::path& d = folder_.Path();
    for (const char* sub : {"spool", "tmp", "cache", "state", "out", "log", "bin/backend"}) {
      fs::create_directories(d / sub);
    }
    // The backend and filters run as the server's own user.
    for (const char* sub : {"", "out", "tmp"}) chmod((d / sub).c_str(), sub[0] ? 0777 : 0755);
    for (const auto& entry : fs::directory_iterator("/usr/lib/cups")) {
      if (entry.path().filename() != "backend") {
        fs::create_directory_symlink(entry.path(), d / "bin" / entry.path().filename());
      }
    }
    std::ofstream(d / "bin/backend/vxfile")
        << "#!/bin/sh\n"
           "[ $# -eq 0 ] && { echo 'direct vxfile \"Unknown\" \"test file\"'; exit 0; }\n"
           "cat \"${6:-/dev/stdin}\" > \"${DEVICE_URI#vxfile:}-$1.pdf\"\n";
    chmod((d / "bin/backend/vxfile").c_str(), 0755);
    std::ofstream(d / "cupsd.conf")
        << "Listen " << Address() << "\nLogLevel warn\nWebInterface No\nDefaultAuthType None\n"
        << "IdleExitTimeout 86400\n"
        << "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
        << "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
        << "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    std::ofstream(d / "cups-files.conf")
        << "ServerRoot " << d.string() << "\nRequestRoot " << (d / "spool").string() << "\nTempDir "
        << (d / "tmp").string() << "\nCacheDir " << (d / "cache").string() << "\nStateDir "
        << (d / "state").string() << "\nErrorLog " << (d / "log/error_log").string()
        << "\nAccessLog " << (d / "log/access_log").string() << "\nPageLog "
        << (d / "log/page_log").string() << "\nServerBin " << (d / "bin").string()
        << "\nDataDir /usr/share/cups\nSandboxing Relaxed\n";
  }

  bool Start() {
    // Started on demand (-l), as systemd starts it, cupsd says READY=1 on $NOTIFY_SOCKET once it
    // listens: the test takes systemd's place, on a socket of its own in the abstract namespace
    // (no path length to mind). It stays in the foreground, and IdleExitTimeout keeps it from
    // ending after a minute without work.
    const std::string name = "vxtest-cupsd-" + std::to_string(getpid()) + "-" + Address();
    const int ready = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    bind(ready, reinterpret_cast<sockaddr*>(&address),
         static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size()));
    std::vector<std::string> env = {"NOTIFY_SOCKET=@" + name};
    for (char** e = environ; *e != nullptr; ++e) {
      if (std::strncmp(*e, "NOTIFY_SOCKET=", 14) != 0) env.emplace_back(*e);
    }
    const std::string conf = (folder_ / "cupsd.conf").string();
    const std::string files = (folder_ / "cups-files.conf").string();
    std::vector<std::string> args = {kCupsd, "-l", "-c", conf, "-s", files};
    std::vector<char*> argv = Pointers(args);
    std::vector<char*> envp = Pointers(env);
    const bool spawned =
        posix_spawn(&pid_, kCupsd, nullptr, nullptr, argv.data(), envp.data()) == 0;
    if (!spawned) {
      pid_ = -1;
      failure_ = "cupsd could not be started";
    } else if (!WaitForReady(ready)) {
      failure_ = "cupsd did not say it was ready on " + Address() + " within " +
                 std::to_string(kTestDeadline.count()) + " ms";
    } else if (!Accepts()) {
      failure_ = "cupsd said it was ready but does not answer on " + Address();
    }
    close(ready);
    return failure_.empty();
  }

  // Waits for cupsd's READY=1; false when it ends first or the deadline passes.
  bool WaitForReady(int ready) const {
    const int exited = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
    std::vector<pollfd> fds = {{ready, POLLIN, 0}};
    if (exited >= 0) fds.push_back({exited, POLLIN, 0});
    const auto end = std::chrono::steady_clock::now() + kTestDeadline;
    bool said = false;
    while (!said && PollUntil(fds, end) && (fds.size() < 2 || fds[1].revents == 0)) {
      char message[512];
      const ssize_t n = recv(ready, message, sizeof message, 0);
      said = n > 0 && std::string_view(message, static_cast<std::size_t>(n)).find("READY=1") !=
                          std::string_view::npos;
    }
    if (exited >= 0) close(exited);
    return said;
  }

  // argv-style pointers to `strings`, ended by a null pointer.
  static std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
  }

  TempDir folder_;
  int port_ = 0;
  pid_t pid_ = -1;
  int watch_ = -1;           // inotify on out/
  std::size_t written_ = 0;  // job files closed after writing
  std::string failure_;
};

}  // namespace vxtest
