// What one export pass hands from favourite to favourite: the connection and the request, the
// progress, the outcome and the favourites the portal refused.
#pragma once

#include <functional>
#include <string>

namespace vx {

class HttpConnection;

struct PortalExportJob {
  HttpConnection* connection = nullptr;  // one for the whole pass
  std::string accessToken;
  std::string eventNumber;  // "96", or "84" on the sandbox
  std::string requestUrl;   // the API server + "Readers/Favorite/"
  std::function<void(int position, int total)> progress;
  int done = 0;    // favourites the portal answered, taken or refused
  int total = 0;   // every entry of the checklist, also those not sent
  int toSend = 0;  // the entries the pass sends when nothing stops it
  int result = 0;
  std::string failureLines;  // "<circle name>:<error>\r\n" per refused favourite, CP932
};

}  // namespace vx
