#include "checklist/CircleTextIndex.h"

#include "data/PavorunDatabase.h"
#include "data/SqlRow.h"
#include "data/SqlText.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace vx {
namespace {

constexpr unsigned kPenNameBit = 1u << 2;  // of Circle::nullTexts

}  // namespace

bool CircleTextIndex::Build(PavorunDatabase& database) {
  Clear();
  const int rc = database.QueryRowsOnNewConnection(
      FormatSql("SELECT id,circleName,circleKana,penName,twitter,pixiv,genreId,description "
                "FROM PavorunCircle WHERE pavorunNo=%d ORDER BY id;",
                database.GetEventNo()),
      [this](const SqlRow& row) {
        if (row.IsNull(0)) return 0;
        Circle& circle = rows_.emplace_back();
        circle.id = row.Int(0);
        std::string* texts[] = {&circle.circleName, &circle.circleKana, &circle.penName,
                                &circle.twitter, &circle.pixiv};
        for (int i = 0; i < 5; ++i) {
          texts[i]->assign(row.Text(1 + i));
          if (row.IsNull(1 + i)) circle.nullTexts |= 1u << i;
        }
        circle.genreId = row.Int(6);
        circle.description.assign(row.Text(7));
        return 0;
      },
      nullptr);
  if (rc != 0) {
    Clear();
    return false;
  }
  Post();
  built_ = true;
  return true;
}

// The keys are the texts kept in rows_, which no longer move.
void CircleTextIndex::Post() {
  Postings* postings[] = {&names_, &kanas_, &penNames_, &twitters_, &pixivs_};
  for (Postings* p : postings) p->reserve(rows_.size());
  for (std::size_t row = 0; row < rows_.size(); ++row) {
    const Circle& c = rows_[row];
    const std::string* texts[] = {&c.circleName, &c.circleKana, &c.penName, &c.twitter, &c.pixiv};
    for (int i = 0; i < 5; ++i) {
      if ((c.nullTexts & (1u << i)) == 0) {
        (*postings[i])[*texts[i]].push_back(static_cast<int>(row));
      }
    }
  }
}

void CircleTextIndex::Clear() {
  rows_.clear();
  for (Postings* postings : {&names_, &kanas_, &penNames_, &twitters_, &pixivs_}) postings->clear();
  built_ = false;
}

const std::vector<int>* CircleTextIndex::Lookup(const Postings& postings, std::string_view text) {
  const auto it = postings.find(text);
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
    const bool hasPenName = (row.nullTexts & kPenNameBit) == 0;
    if (penName.empty() || (hasPenName && row.penName == penName)) ids.push_back(row.id);
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
  // Ids usually count up without gaps: the row of an id is then found at once.
  if (!rows_.empty() && id >= rows_.front().id) {
    const auto at = static_cast<std::size_t>(id) - static_cast<std::size_t>(rows_.front().id);
    if (at < rows_.size() && rows_[at].id == id) return &rows_[at];
  }
  const auto it = std::lower_bound(rows_.begin(), rows_.end(), id,
                                   [](const Circle& circle, int key) { return circle.id < key; });
  return it != rows_.end() && it->id == id ? &*it : nullptr;
}

}  // namespace vx
