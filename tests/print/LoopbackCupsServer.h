// A CUPS server of the test's own: cupsd started in a temporary folder, listening on a free port
// of 127.0.0.1 only, with one raw queue "vxtest" whose backend writes every job to
// out/job-<id>.pdf. Ready() is false, with the reason in Failure(), where cupsd is missing or
// does not come up; the server is stopped when the object goes.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/TempDir.h"

extern char** environ;

namespace vxtest {

// Tries `condition` until it holds or `seconds` pass; whether it held.
inline bool WaitUntil(const std::function<bool()>& condition, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
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
    if (!Start()) return;
    const std::string queue = std::string(kLpadmin) + " -h " + Address() +
                              " -p vxtest -E -v vxfile:" + (folder_ / "out" / "job").string() +
                              " > /dev/null 2>&1";
    if (std::system(queue.c_str()) != 0) failure_ = "lpadmin could not add the test queue";
  }
  ~LoopbackCupsServer() { Stop(); }

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
    const std::string conf = (folder_ / "cupsd.conf").string();
    const std::string files = (folder_ / "cups-files.conf").string();
    std::vector<std::string> args = {kCupsd, "-f", "-c", conf, "-s", files};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, kCupsd, nullptr, nullptr, argv.data(), environ) != 0) {
      pid_ = -1;
      failure_ = "cupsd could not be started";
      return false;
    }
    if (!WaitUntil([this] { return Accepts(); }, 20)) {
      failure_ = "cupsd did not answer on " + Address() + " within 20 s";
      return false;
    }
    return true;
  }

  TempDir folder_;
  int port_ = 0;
  pid_t pid_ = -1;
  std::string failure_;
};

}  // namespace vxtest
