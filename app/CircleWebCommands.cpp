#include "app/CircleWebCommands.h"

#include <string>
#include <utility>

#include "app/CatalogController.h"
#include "app/CircleLinkAddress.h"
#include "app/WebSearchAddress.h"

namespace vx {

bool CircleWebCommands::SearchCurrentCircle() {
  const CircleRecord& circle = controller_.GetCurrentCircle();
  if (circle.id == 0) return false;
  const WebSearchTerms terms{controller_.GetGoogleType(), controller_.GetGoogleItem1(),
                             controller_.GetGoogleItem2(), controller_.GetGoogleCondition()};
  const std::string address = WebSearchAddress(kWebSearchService, circle, terms);
  return !address.empty() && controller_.OpenUrl(address);
}

bool CircleWebCommands::OpenCurrentCircleLink(Link link) {
  const CircleRecord& circle = controller_.GetCurrentCircle();
  if (circle.id == 0) return false;
  const auto [field, address] =
      link == Link::kUrl       ? std::pair(&circle.url, WebLinkAddress(circle.url))
      : link == Link::kTwitter ? std::pair(&circle.twitter, TwitterProfileAddress(circle.twitter))
                               : std::pair(&circle.pixiv, PixivProfileAddress(circle.pixiv));
  if (field->empty()) return SearchCurrentCircle();
  return address && controller_.OpenUrl(*address);
}

bool CircleWebCommands::OpenSupportPage() { return controller_.OpenUrl(kSupportPage); }

}  // namespace vx
