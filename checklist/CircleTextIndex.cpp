#include "checklist/CircleTextIndex.h"

#include "data/PavorunDatabase.h"
#include "data/RowColumns.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace vx {

bool CircleTextIndex::Build(PavorunDatabase& database) {
  Clear();
  const int rc = database.ExecPrintfOnNewConnection(
      AddRow, this,
      "SELECT id,circleName,circleKana,penName,twitter,pixiv,genreId,description "
      "FROM PavorunCircle WHERE pavorunNo=%d ORDER BY id;",
      database.GetEventNo());
  if (rc != 0) {
    Clear();
    return false;
  }
  built_ = true;
  return true;
}

void CircleTextIndex::Clear() {
  rows_.clear();
  for (Postings* postings : {&names_, &kanas_, &penNames_, &twitters_, &pixivs_}) postings->clear();
  built_ = false;
}

int CircleTextIndex::AddRow(void* context, int columnCount, char** columns, char**) {
  auto* self = static_cast<CircleTextIndex*>(context);
  if (columnCount < 8 || columns[0] == nullptr) return 0;
  const int row = static_cast<int>(self->rows_.size());
  Circle circle;
  circle.id = ColumnInt(columnCount, columns, 0);
  circle.circleName = ColumnString(columnCount, columns, 1);
  circle.hasPenName = columns[3] != nullptr;
  circle.penName = ColumnString(columnCount, columns, 3);
  circle.genreId = ColumnInt(columnCount, columns, 6);
  circle.description = ColumnString(columnCount, columns, 7);
  self->rows_.push_back(std::move(circle));
  Post(self->names_, columns[1], row);
  Post(self->kanas_, columns[2], row);
  Post(self->penNames_, columns[3], row);
  Post(self->twitters_, columns[4], row);
  Post(self->pixivs_, columns[5], row);
  return 0;
}

void CircleTextIndex::Post(Postings& postings, const char* text, int row) {
  if (text != nullptr) postings[text].push_back(row);
}

const std::vector<int>* CircleTextIndex::Lookup(const Postings& postings, std::string_view text) {
  const auto it = postings.find(std::string(text));
  return it != postings.end() ? &it->second : nullptr;
}

void CircleTextIndex::AppendIds(const std::vector<int>& rows, std::vector<int>& ids) const {
  for (const int row : rows) ids.push_back(rows_[static_cast<std::size_t>(row)].id);
}

void CircleTextIndex::FindTwitter(std::string_view twitter, std::vector<int>& ids) const {
  if (const std::vector<int>* rows = Lookup(twitters_, twitter)) AppendIds(*rows, ids);
}

void CircleTextIndex::FindPixiv(std::string_view pixiv, std::vector<int>& ids) const {
  if (const std::vector<int>* rows = Lookup(pixivs_, pixiv)) AppendIds(*rows, ids);
}

// Row positions rise with the id, so merged postings stay in id order.
std::vector<int> CircleTextIndex::NameOrKanaRows(std::string_view name,
                                                 std::string_view kana) const {
  static const std::vector<int> none;
  const std::vector<int>* byName = Lookup(names_, name);
  const std::vector<int>* byKana = kana.empty() ? nullptr : Lookup(kanas_, kana);
  std::vector<int> rows;
  std::set_union(byName ? byName->begin() : none.begin(), byName ? byName->end() : none.end(),
                 byKana ? byKana->begin() : none.begin(), byKana ? byKana->end() : none.end(),
                 std::back_inserter(rows));
  return rows;
}

void CircleTextIndex::FindNameOrKanaWithPen(std::string_view name, std::string_view kana,
                                            std::string_view penName, std::vector<int>& ids) const {
  for (const int position : NameOrKanaRows(name, kana)) {
    const Circle& row = rows_[static_cast<std::size_t>(position)];
    if (penName.empty() || (row.hasPenName && row.penName == penName)) ids.push_back(row.id);
  }
}

void CircleTextIndex::FindAnyName(std::string_view name, std::string_view kana,
                                  std::string_view penName, std::vector<int>& ids) const {
  std::vector<int> rows = NameOrKanaRows(name, kana);
  const std::vector<int>* byPen = penName.empty() ? nullptr : Lookup(penNames_, penName);
  if (byPen != nullptr) {
    std::vector<int> merged;
    std::set_union(rows.begin(), rows.end(), byPen->begin(), byPen->end(),
                   std::back_inserter(merged));
    rows.swap(merged);
  }
  AppendIds(rows, ids);
}

const CircleTextIndex::Circle* CircleTextIndex::FindCircle(int id) const {
  const auto it = std::lower_bound(rows_.begin(), rows_.end(), id,
                                   [](const Circle& circle, int key) { return circle.id < key; });
  return it != rows_.end() && it->id == id ? &*it : nullptr;
}

}  // namespace vx
