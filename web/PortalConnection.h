// A connection to the portal as every portal request makes it: the program's user agent, no Basic
// credentials, a UTF-8 form body, and the configured transport. A raised `abort` flag gives up
// the request under way.
#pragma once

#include <atomic>

#include "web/HttpConnection.h"
#include "web/WebServiceConfig.h"

namespace vx {

HttpConnection NewPortalConnection(const WebServiceConfig& config, const std::atomic<bool>* abort);

}  // namespace vx
