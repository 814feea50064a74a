#include "tests/web/support/TestHttpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace vxtest {
namespace {

constexpr std::size_t kMaxHeadBytes = 64 * 1024;
constexpr int kReadTimeoutSeconds = 5;
constexpr int kStallLimitMs = 30000;

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::string ReasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 301:
      return "Moved Permanently";
    case 302:
      return "Found";
    case 403:
      return "Forbidden";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    default:
      return "Status";
  }
}

SSL_CTX* ServerContext(const TestTlsIdentity& tls) {
  SSL_CTX* context = SSL_CTX_new(TLS_server_method());
  if (context == nullptr ||
      SSL_CTX_use_certificate_chain_file(context, tls.certificate.c_str()) != 1 ||
      SSL_CTX_use_PrivateKey_file(context, tls.key.c_str(), SSL_FILETYPE_PEM) != 1) {
    SSL_CTX_free(context);
    throw std::runtime_error("test server: cannot load " + tls.certificate.string());
  }
  return context;
}

}  // namespace

// A client connection, plain or TLS.
class TestHttpServer::Stream {
 public:
  Stream(int fd, SSL_CTX* context) : fd_(fd) {
    if (context == nullptr) return;
    ssl_ = SSL_new(context);
    SSL_set_fd(ssl_, fd);
  }
  ~Stream() {
    if (ssl_ != nullptr) {
      SSL_shutdown(ssl_);
      SSL_free(ssl_);
    }
  }
  Stream(const Stream&) = delete;
  Stream& operator=(const Stream&) = delete;

  // False when the TLS handshake fails (the client refused the certificate).
  bool Open() { return ssl_ == nullptr || SSL_accept(ssl_) == 1; }

  long Read(char* buffer, std::size_t size) {
    if (ssl_ != nullptr) return SSL_read(ssl_, buffer, static_cast<int>(size));
    return ::recv(fd_, buffer, size, 0);
  }

  bool Write(std::string_view bytes) {
    while (!bytes.empty()) {
      const long n = ssl_ != nullptr ? SSL_write(ssl_, bytes.data(), static_cast<int>(bytes.size()))
                                     : ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (n <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
  }

 private:
  int fd_;
  SSL* ssl_ = nullptr;
};

std::string TestRequest::Header(std::string_view name) const {
  for (const auto& [key, value] : headers) {
    if (SameName(key, name)) return value;
  }
  return {};
}

std::string TestRequest::Path() const { return target.substr(0, target.find('?')); }

TestHttpServer::TestHttpServer(int maxConnections) : maxConnections_(maxConnections) { Listen(); }

TestHttpServer::TestHttpServer(const TestTlsIdentity& tls, int maxConnections)
    : tls_(true), context_(ServerContext(tls)), maxConnections_(maxConnections) {
  Listen();
}

TestHttpServer::~TestHttpServer() {
  stopping_ = true;
  const char wake = 1;
  [[maybe_unused]] const ssize_t n = ::write(wakeFds_[1], &wake, 1);
  if (thread_.joinable()) thread_.join();
  if (listenFd_ >= 0) ::close(listenFd_);
  ::close(wakeFds_[0]);
  ::close(wakeFds_[1]);
  SSL_CTX_free(static_cast<SSL_CTX*>(context_));
}

void TestHttpServer::Listen() {
  std::signal(SIGPIPE, SIG_IGN);  // a client that leaves mid-reply must not end the test run
  ::setenv("no_proxy", "127.0.0.1,localhost", 1);  // a proxy of the machine must not get between
  if (::pipe2(wakeFds_, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("test server: pipe");
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listenFd_, 16) != 0 ||
      ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("test server: cannot listen on 127.0.0.1");
  }
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Run(); });
}

void TestHttpServer::Route(const std::string& path, TestReply reply) {
  std::lock_guard lock(mutex_);
  routes_[path] = std::move(reply);
}

void TestHttpServer::Handle(const std::string& path, TestHandler handler) {
  std::lock_guard lock(mutex_);
  handlers_[path] = std::move(handler);
}

std::string TestHttpServer::BaseUrl() const {
  return std::string(tls_ ? "https" : "http") + "://127.0.0.1:" + std::to_string(port_);
}

std::vector<TestRequest> TestHttpServer::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

int TestHttpServer::RequestCount() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(requests_.size());
}

void TestHttpServer::Run() {
  for (int served = 0; served < maxConnections_ && !stopping_;) {
    pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0 || (fds[1].revents & POLLIN) != 0) break;
    const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) continue;
    ++served;
    const timeval timeout{kReadTimeoutSeconds, 0};
    ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    Serve(client);
    ::close(client);
  }
  // Further clients are refused rather than left waiting.
  ::close(listenFd_);
  listenFd_ = -1;
}

void TestHttpServer::Serve(int client) {
  Stream stream(client, static_cast<SSL_CTX*>(context_));
  if (!stream.Open()) {
    ERR_clear_error();
    return;
  }
  TestRequest request;
  if (!ReadRequest(stream, request)) return;
  const TestReply reply = FindReply(request);
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
  }
  Reply(stream, reply);
  if (reply.delivery == TestReply::Delivery::kStall) WaitForClientToLeave(client);
}

bool TestHttpServer::ReadRequest(Stream& stream, TestRequest& request) {
  std::string data;
  char buffer[4096];
  std::size_t headEnd;
  while ((headEnd = data.find("\r\n\r\n")) == std::string::npos) {
    const long n = stream.Read(buffer, sizeof buffer);
    if (n <= 0 || data.size() > kMaxHeadBytes) return false;
    data.append(buffer, static_cast<std::size_t>(n));
  }
  const std::string head = data.substr(0, headEnd);
  std::size_t lineEnd = head.find("\r\n");
  const std::string requestLine = head.substr(0, lineEnd);
  const std::size_t space1 = requestLine.find(' ');
  const std::size_t space2 = requestLine.find(' ', space1 + 1);
  if (space1 == std::string::npos || space2 == std::string::npos) return false;
  request.method = requestLine.substr(0, space1);
  request.target = requestLine.substr(space1 + 1, space2 - space1 - 1);
  while (lineEnd != std::string::npos && lineEnd < head.size()) {
    const std::size_t start = lineEnd + 2;
    lineEnd = head.find("\r\n", start);
    const std::string line =
        head.substr(start, lineEnd == std::string::npos ? std::string::npos : lineEnd - start);
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const std::size_t value = line.find_first_not_of(' ', colon + 1);
    request.headers.emplace_back(line.substr(0, colon),
                                 value == std::string::npos ? "" : line.substr(value));
  }
  request.body = data.substr(headEnd + 4);
  const std::string length = request.Header("Content-Length");
  const std::size_t expected = length.empty() ? 0 : std::stoul(length);
  while (request.body.size() < expected) {
    const long n = stream.Read(buffer, sizeof buffer);
    if (n <= 0) return false;
    request.body.append(buffer, static_cast<std::size_t>(n));
  }
  return true;
}

TestReply TestHttpServer::FindReply(const TestRequest& request) const {
  TestHandler handler;
  {
    std::lock_guard lock(mutex_);
    if (const auto it = handlers_.find(request.Path()); it != handlers_.end()) handler = it->second;
  }
  if (handler) return handler(request);  // unlocked: the handler may ask the server
  std::lock_guard lock(mutex_);
  const auto found = routes_.find(request.Path());
  if (found != routes_.end()) return found->second;
  TestReply missing;
  missing.status = 404;
  missing.body = "<html><body>not found</body></html>";
  return missing;
}

void TestHttpServer::Reply(Stream& stream, const TestReply& reply) {
  using Delivery = TestReply::Delivery;
  std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " " + ReasonPhrase(reply.status) +
                     "\r\nConnection: close\r\n";
  if (reply.delivery != Delivery::kNoLength) {
    head += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
  }
  for (const std::string& line : reply.headers) head += line + "\r\n";
  head += "\r\n";
  if (!stream.Write(head)) return;
  switch (reply.delivery) {
    case Delivery::kWhole:
    case Delivery::kNoLength:
      stream.Write(reply.body);
      return;
    case Delivery::kTruncated:
      stream.Write(std::string_view(reply.body).substr(0, reply.body.size() / 2));
      return;
    case Delivery::kStall:
      stream.Write(std::string_view(reply.body).substr(0, reply.chunkBytes));
      return;
    case Delivery::kSlow:
      for (std::size_t at = 0; at < reply.body.size(); at += reply.chunkBytes) {
        if (!stream.Write(std::string_view(reply.body).substr(at, reply.chunkBytes)) ||
            !PauseOrStop(reply.pause)) {
          return;
        }
      }
      return;
  }
}

// False when the server is being stopped.
bool TestHttpServer::PauseOrStop(std::chrono::milliseconds pause) {
  pollfd wake{wakeFds_[0], POLLIN, 0};
  return ::poll(&wake, 1, static_cast<int>(pause.count())) == 0 && !stopping_;
}

void TestHttpServer::WaitForClientToLeave(int client) {
  pollfd fds[2] = {{client, POLLIN, 0}, {wakeFds_[0], POLLIN, 0}};
  ::poll(fds, 2, kStallLimitMs);
}

int ClosedLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  ::close(fd);
  return ntohs(address.sin_port);
}

}  // namespace vxtest
