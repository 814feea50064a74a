#include "web/PortalConnection.h"

namespace vx {

HttpConnection NewPortalConnection(const WebServiceConfig& config, const std::atomic<bool>* abort) {
  HttpConnection connection("Lothervanquist", "", "");
  connection.AddHeader("Content-Type", "application/x-www-form-urlencoded; charset=UTF-8");
  connection.SetTransportOptions(config.Transport());
  connection.SetAbortFlag(abort);
  return connection;
}

}  // namespace vx
