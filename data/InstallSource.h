// What a file chosen for the circle-data installer is: another catalogue database, the definition
// file of an event on a disc, or neither. Decided by the file name alone.
#pragma once

#include <string>
#include <string_view>

namespace vx {

struct InstallSource {
  static constexpr int kUnknown = 0;
  static constexpr int kDatabaseFile = -1;

  int source = kUnknown;  // kDatabaseFile, kUnknown, or the event number of a definition file
  std::string kindText;   // CP932, shown beside the chosen path

  bool CanInstall() const { return source != kUnknown; }
};

// `fileName` (CP932, without folders): "vindaxel*" in any case is a database file; "V<n>DEF.TXT"
// in any case with n >= 1 the definition file of event n; anything else unknown.
InstallSource ClassifyInstallSource(std::string_view fileName);

}  // namespace vx
