#include "print/CupsPrinterList.h"

#include <cups/cups.h>
#include <sys/socket.h>

namespace vx {
namespace {

constexpr int kConnectMilliseconds = 3000;

http_t* Connect() {
  return httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                      kConnectMilliseconds, nullptr);
}

}  // namespace

bool CupsServer_Answers() {
  http_t* http = Connect();
  if (http) httpClose(http);
  return http != nullptr;
}

PrinterList CupsPrinterList_Query() {
  PrinterList list;
  http_t* http = Connect();
  if (!http) {
    list.serverReached = false;
    return list;
  }
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(http, &dests);
  if (count == 0 && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE &&
      cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
    list.serverReached = false;
  }
  for (int i = 0; i < count; ++i) {
    if (dests[i].instance) continue;  // the printer itself lists once
    list.names.emplace_back(dests[i].name);
    if (dests[i].is_default) list.defaultName = dests[i].name;
  }
  cupsFreeDests(count, dests);
  httpClose(http);
  return list;
}

}  // namespace vx
