// An HTTP(S) server of our own for the web tests: it listens on 127.0.0.1 (a free port), answers
// each request with the reply routed to its path (404 otherwise), records what it received, and
// serves a bounded number of connections, after which it refuses more. Replies can come whole,
// without a length, cut short, slowly, or stall after the first bytes until the client leaves.
// One connection at a time, each closed after its reply.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace vxtest {

struct TestReply {
  enum class Delivery {
    kWhole,      // Content-Length and the whole body
    kNoLength,   // no Content-Length; the body ends when the connection closes
    kTruncated,  // Content-Length of the whole body, then half of it and the connection closes
    kSlow,       // Content-Length, then the body in chunks with a pause after each
    kStall,      // Content-Length, the first chunk, then nothing until the client goes away
  };

  int status = 200;
  std::string body;
  std::vector<std::string> headers;  // whole lines, "Name: value"
  Delivery delivery = Delivery::kWhole;
  std::size_t chunkBytes = 1024;
  std::chrono::milliseconds pause{10};
};

struct TestRequest {
  std::string method;
  std::string target;  // path and query as sent
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;

  // The first header of that name (any case); "" when absent.
  std::string Header(std::string_view name) const;
  std::string Path() const;
};

struct TestTlsIdentity {
  std::filesystem::path certificate;  // PEM, the server's certificate
  std::filesystem::path key;          // PEM, its private key
};

// Answers a request from what it holds (for servers with state, such as a fake portal). Runs on
// the server's thread.
using TestHandler = std::function<TestReply(const TestRequest&)>;

class TestHttpServer {
 public:
  static constexpr int kDefaultConnections = 50;

  explicit TestHttpServer(int maxConnections = kDefaultConnections);
  explicit TestHttpServer(const TestTlsIdentity& tls, int maxConnections = kDefaultConnections);
  ~TestHttpServer();
  TestHttpServer(const TestHttpServer&) = delete;
  TestHttpServer& operator=(const TestHttpServer&) = delete;

  // `path` without the query; a later route for the same path replaces the earlier one.
  void Route(const std::string& path, TestReply reply);
  // `path` without the query; takes precedence over a fixed reply for the same path.
  void Handle(const std::string& path, TestHandler handler);
  // "http://127.0.0.1:<port>" (or https).
  std::string BaseUrl() const;
  std::string Url(std::string_view path) const { return BaseUrl() + std::string(path); }
  std::vector<TestRequest> Requests() const;
  int RequestCount() const;

 private:
  class Stream;

  void Listen();
  void Run();
  void Serve(int client);
  bool ReadRequest(Stream& stream, TestRequest& request);
  void Reply(Stream& stream, const TestReply& reply);
  bool PauseOrStop(std::chrono::milliseconds pause);
  void WaitForClientToLeave(int client);
  TestReply FindReply(const TestRequest& request) const;

  bool tls_ = false;
  void* context_ = nullptr;  // SSL_CTX when serving TLS
  int maxConnections_;
  int listenFd_ = -1;
  int wakeFds_[2] = {-1, -1};
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::map<std::string, TestReply> routes_;
  std::map<std::string, TestHandler> handlers_;
  std::vector<TestRequest> requests_;
  std::thread thread_;
};

// A port on 127.0.0.1 that nothing listens on (connections to it are refused).
int ClosedLoopbackPort();

}  // namespace vxtest
