#include "ui/bookmarks/BookmarkPageText.h"

#include "app/CatalogController.h"
#include "data/CircleRecord.h"
#include "platform/CodePage.h"
#include "platform/TextFormat.h"

namespace vx {

std::string BookmarkPageText(const CatalogController& controller, int page) {
  int firstId = 0, lastId = 0, genreId = 0;
  controller.GetPageInfo(page, &firstId, &lastId, &genreId);
  CircleRecord first, last;
  controller.GetCircle(firstId, &first);
  controller.GetCircle(lastId, &last);
  return FormatText(Sjis("%dページ : %s %s%s%02d～%s%s%02d （%s）").c_str(), page,
                    controller.GetWeekdayLongName(first.day).c_str(),
                    controller.GetAreaSimpleNameOfBlock(first.blockId).c_str(),
                    controller.GetBlockName(first.blockId).c_str(), first.spaceNo,
                    controller.GetAreaSimpleNameOfBlock(last.blockId).c_str(),
                    controller.GetBlockName(last.blockId).c_str(), last.spaceNo,
                    controller.GetGenreName(genreId).c_str());
}

}  // namespace vx
