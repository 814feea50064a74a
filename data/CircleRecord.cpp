#include "data/CircleRecord.h"

#include "data/RowColumns.h"

namespace vx {

void CircleRecord::Clear() {
  for (std::string* text : {&circleName, &circleKana, &penName, &bookName, &url, &mailAddr,
                            &description, &memo, &genreName, &updateData, &orbalink, &rss,
                            &rssInfo, &twitter, &pixiv}) {
    text->clear();
  }
  id = 0;
}

void CircleRecord::FillFromRow(int n, char** columns) {
  Clear();
  int* numbers[] = {&id, &pageNo, &cutIndex, &day, &blockId, &spaceNo, &spaceNoSub, &genreId};
  for (int i = 0; i < 8; ++i) *numbers[i] = ColumnInt(n, columns, i);
  std::string* texts[] = {&circleName, &circleKana, &penName, &bookName,
                          &url,        &mailAddr,   &description};
  for (int i = 0; i < 7; ++i) *texts[i] = ColumnString(n, columns, 8 + i);
  updateId = ColumnInt(n, columns, 15);
  updateData = ColumnString(n, columns, 16);
  orbalink = ColumnString(n, columns, 17);
  rss = ColumnString(n, columns, 18);
  updateFlag = ColumnInt(n, columns, 19);
  twitter = ColumnString(n, columns, 20);
  pixiv = ColumnString(n, columns, 21);
}

int CircleRecord::FillFromRowCallback(void* context, int columnCount, char** columns, char**) {
  static_cast<CircleRecord*>(context)->FillFromRow(columnCount, columns);
  return 0;
}

std::vector<CircleRecord> NewCircleRecords(int n) {
  return n < 1 ? std::vector<CircleRecord>() : std::vector<CircleRecord>(static_cast<std::size_t>(n));
}

}  // namespace vx
