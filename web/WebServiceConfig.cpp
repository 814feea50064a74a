#include "web/WebServiceConfig.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "app/AppSettings.h"

namespace vx {
namespace {

constexpr std::string_view kDebugSection = "Debug";

struct Setting {
  std::string WebServiceConfig::*field;
  std::string_view key;
  const char* environment;
  const char* builtIn;
};

constexpr Setting kAddresses[] = {
    {&WebServiceConfig::updateServer, "UpdateServer", "VINDAXEL_UPDATE_SERVER",
     "http://update.vellastrade.example"},
    {&WebServiceConfig::authServer, "AuthServer", "VINDAXEL_AUTH_SERVER",
     "https://auth.orbalink.example/"},
    {&WebServiceConfig::sandboxAuthServer, "SandboxAuthServer", "VINDAXEL_SANDBOX_AUTH_SERVER",
     "https://sandbox-auth.orbalink.example/"},
    {&WebServiceConfig::apiServer, "ApiServer", "VINDAXEL_API_SERVER",
     "https://api.orbalink.example/"},
    {&WebServiceConfig::sandboxApiServer, "SandboxApiServer", "VINDAXEL_SANDBOX_API_SERVER",
     "https://sandbox-api.orbalink.example/"},
};

std::string Lookup(const AppSettings* settings, std::string_view key, const char* environment,
                   const char* builtIn) {
  if (const char* value = std::getenv(environment); value != nullptr && *value != '\0')
    return value;
  if (settings != nullptr) {
    std::string value = settings->ReadString(kDebugSection, key, "");
    if (!value.empty()) return value;
  }
  return builtIn;
}

void EndWithSlash(std::string& address, bool wanted) {
  while (!address.empty() && address.back() == '/') address.pop_back();
  if (wanted) address += '/';
}

}  // namespace

WebServiceConfig WebServiceConfig::Load(const AppSettings* settings) {
  WebServiceConfig config;
  for (const Setting& setting : kAddresses) {
    std::string& address = config.*setting.field;
    address = Lookup(settings, setting.key, setting.environment, setting.builtIn);
    EndWithSlash(address, setting.field != &WebServiceConfig::updateServer);
  }
  config.caFile = Lookup(settings, "CaFile", "VINDAXEL_CA_FILE", "");
  return config;
}

std::string WebServiceConfig::UpdateArchiveUrl(int eventNumber) const {
  char path[64];
  std::snprintf(path, sizeof path, "/quillor/update/VQ%03dSJIS.ZIP", eventNumber);
  return updateServer + path;
}

HttpTransportOptions WebServiceConfig::Transport() const {
  HttpTransportOptions options;
  options.caFile = caFile;
  return options;
}

}  // namespace vx
