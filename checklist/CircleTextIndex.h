// The texts by which a checklist of another event finds its circles in the catalogue: name, kana,
// pen name, Twitter and Pixiv of every circle of the current event, read with one statement so that
// each record of the checklist is matched without a query of its own (the catalogue has no index
// on Twitter and Pixiv). Lookups compare bytes exactly, as SQL "=" on the text columns does; a NULL
// column matches nothing. Every lookup appends ids in ascending order. The index also keeps what
// the confirmation of a match shows of each circle, so that candidates need no query either.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vx {

class PavorunDatabase;

class CircleTextIndex {
 public:
  struct Circle {
    int id = 0;
    int genreId = 0;
    std::string circleName;
    std::string penName;
    std::string description;
    std::string circleKana;
    std::string twitter;
    std::string pixiv;
    unsigned nullTexts = 0;  // bit per posted text (name, kana, pen name, Twitter, Pixiv): NULL
  };

  // Reads the current event's circles on a connection of its own. False when the statement failed;
  // the index is empty then.
  bool Build(PavorunDatabase& database);
  void Clear();
  bool IsBuilt() const { return built_; }

  void FindTwitter(std::string_view twitter, std::vector<int>& ids) const;
  void FindPixiv(std::string_view pixiv, std::vector<int>& ids) const;
  // (name OR kana) AND pen name; an empty kana or pen name is left out of the condition.
  void FindNameOrKanaWithPen(std::string_view name, std::string_view kana, std::string_view penName,
                             std::vector<int>& ids) const;
  // name OR kana OR pen name; an empty kana or pen name is left out of the condition.
  void FindAnyName(std::string_view name, std::string_view kana, std::string_view penName,
                   std::vector<int>& ids) const;
  // The indexed circle of that id; null when the index does not hold it.
  const Circle* FindCircle(int id) const;

 private:
  // text (kept in rows_) -> row positions
  using Postings = std::unordered_map<std::string_view, std::vector<int>>;

  void Post();
  static const std::vector<int>* Lookup(const Postings& postings, std::string_view text);
  void AppendIds(const std::vector<int>& rows, std::vector<int>& ids) const;
  std::vector<int> NameOrKanaRows(std::string_view name, std::string_view kana) const;

  std::vector<Circle> rows_;  // ascending id
  Postings names_;
  Postings kanas_;
  Postings penNames_;
  Postings twitters_;
  Postings pixivs_;
  bool built_ = false;
};

}  // namespace vx
