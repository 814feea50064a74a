// Where the web services are: the update server, the portal's login and API servers (production
// and sandbox), and a CA file to trust besides the system's certificates. The built-in addresses
// can be replaced, for a test server or a mirror, by the "Debug" section of the user settings and,
// above that, by the environment; never by editing the program.
//
//   setting (section "Debug")   environment                      value
//   UpdateServer                VINDAXEL_UPDATE_SERVER           "http://host[:port]"
//   AuthServer                  VINDAXEL_AUTH_SERVER             "https://host[:port]/path/"
//   SandboxAuthServer           VINDAXEL_SANDBOX_AUTH_SERVER     likewise
//   ApiServer                   VINDAXEL_API_SERVER              likewise
//   SandboxApiServer            VINDAXEL_SANDBOX_API_SERVER      likewise
//   CaFile                      VINDAXEL_CA_FILE                 a PEM file of CA certificates
#pragma once

#include <filesystem>
#include <string>

#include "web/HttpConnection.h"

namespace vx {

class AppSettings;

struct WebServiceConfig {
  std::string updateServer;       // without a trailing "/"
  std::string authServer;         // the portal's login pages; ends in "/"
  std::string sandboxAuthServer;  // ends in "/"
  std::string apiServer;          // the portal's favourites API; ends in "/"
  std::string sandboxApiServer;   // ends in "/"
  std::filesystem::path caFile;   // empty: the system's certificates alone

  // The built-in addresses, replaced by the settings (may be null) and then the environment.
  static WebServiceConfig Load(const AppSettings* settings);

  // update server + "/quillor/update/VQ%03dSJIS.ZIP".
  std::string UpdateArchiveUrl(int eventNumber) const;
  // The default transport rules with this configuration's CA file.
  HttpTransportOptions Transport() const;
};

}  // namespace vx
