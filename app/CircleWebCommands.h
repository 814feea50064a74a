// The application's web commands: the web search for the current circle, the pages its link
// fields name, and the support page. Every address goes through the controller, which opens only
// http, https and mailto addresses, in the browser the user chose or the desktop's.
#pragma once

#include <string_view>

namespace vx {

class CatalogController;

// The program's support page.
inline constexpr std::string_view kSupportPage =
    "https://www.vellastrade.example/vindaxel/support/";

class CircleWebCommands {
 public:
  enum class Link { kUrl, kTwitter, kPixiv };

  explicit CircleWebCommands(CatalogController& controller) : controller_(controller) {}

  // False when nothing was opened: no current circle, nothing to search, or a refused address.
  bool SearchCurrentCircle();
  // An empty link field searches the circle instead.
  bool OpenCurrentCircleLink(Link link);
  bool OpenSupportPage();

 private:
  CatalogController& controller_;
};

}  // namespace vx
