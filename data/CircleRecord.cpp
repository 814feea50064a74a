#include "data/CircleRecord.h"

#include "data/RowColumns.h"
#include "data/SqlRow.h"

namespace vx {

void CircleRecord::Clear() {
  for (std::string* text :
       {&circleName, &circleKana, &penName, &bookName, &url, &mailAddr, &description, &memo,
        &genreName, &updateData, &orbalink, &rss, &rssInfo, &twitter, &pixiv}) {
    text->clear();
  }
  id = 0;
}

namespace {

// The text columns of a row callback, read as SqlRow reads a statement's.
class TextColumns {
 public:
  TextColumns(int count, char** columns) : count_(count), columns_(columns) {}
  int Int(int i) const { return ColumnInt(count_, columns_, i); }
  std::string_view Text(int i) const {
    const char* text = ColumnText(count_, columns_, i);
    return text != nullptr ? std::string_view(text) : std::string_view();
  }

 private:
  int count_;
  char** columns_;
};

template <class Columns>
void Fill(CircleRecord& r, const Columns& row) {
  r.Clear();
  int* numbers[] = {&r.id,      &r.pageNo,  &r.cutIndex,   &r.day,
                    &r.blockId, &r.spaceNo, &r.spaceNoSub, &r.genreId};
  for (int i = 0; i < 8; ++i) *numbers[i] = row.Int(i);
  std::string* texts[] = {&r.circleName, &r.circleKana, &r.penName,    &r.bookName,
                          &r.url,        &r.mailAddr,   &r.description};
  for (int i = 0; i < 7; ++i) texts[i]->assign(row.Text(8 + i));
  r.updateId = row.Int(15);
  r.updateData.assign(row.Text(16));
  r.orbalink.assign(row.Text(17));
  r.rss.assign(row.Text(18));
  r.updateFlag = row.Int(19);
  r.twitter.assign(row.Text(20));
  r.pixiv.assign(row.Text(21));
}

}  // namespace

void CircleRecord::FillFromRow(int n, char** columns) { Fill(*this, TextColumns(n, columns)); }

void CircleRecord::FillFromRow(const SqlRow& row) { Fill(*this, row); }

int CircleRecord::FillFromRowCallback(void* context, int columnCount, char** columns, char**) {
  static_cast<CircleRecord*>(context)->FillFromRow(columnCount, columns);
  return 0;
}

std::vector<CircleRecord> NewCircleRecords(int n) {
  return n < 1 ? std::vector<CircleRecord>()
               : std::vector<CircleRecord>(static_cast<std::size_t>(n));
}

}  // namespace vx
