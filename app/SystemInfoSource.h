// The environment texts of the about box: the operating system and the library pages are drawn
// and printed with (Qt's GUI library).
// Texts are CP932; an empty text means unknown.
#pragma once

#include <string>

namespace vx {

class SystemInfoSource {
 public:
  virtual ~SystemInfoSource() = default;
  virtual std::string OsName() const = 0;
  virtual std::string GraphicsLibraryPath() const = 0;
  virtual std::string GraphicsLibraryVersion() const = 0;
};

}  // namespace vx
