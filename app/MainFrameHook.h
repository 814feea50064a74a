// What the controller asks of the main frame beyond the messages every frame gets: the title that
// names the checklist, and the recent-file menu. The registered main window implements it.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vx {

// One item of the recent-file menu: "&<n> <path>" (UTF-8, so that every file name shows as it
// is) and the command that opens entry n - 1.
struct RecentFileItem {
  int commandId = 0;
  std::string text;
  friend bool operator==(const RecentFileItem&, const RecentFileItem&) = default;
};

class MainFrameHook {
 public:
  virtual ~MainFrameHook() = default;
  // The application's name, first in the title (CP932).
  virtual std::string ApplicationTitle() const = 0;
  // The whole title in UTF-8: the file name it holds may have characters CP932 has not.
  virtual void SetTitleText(std::string_view utf8) = 0;
  // Replaces every item of the recent-file submenu; nothing when the frame has none.
  virtual void SetRecentFileItems(std::span<const RecentFileItem> items) = 0;
};

}  // namespace vx
