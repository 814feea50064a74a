// What the user searches circles by (days, genres, blocks, kana initials, keywords in chosen
// fields, memo and update filters), turned into SQL over the current event's circles. Searching
// uses a connection of its own, so a worker thread can run it while the UI thread waits; Cancel,
// from any thread, stops a running search at the next row.
//
// A search progress counts first and then lists: CountMatches runs the search once and keeps the
// matching circles, and the Run that follows hands those out, so the statement runs only once.
// Searches run on the database's search connection (SearchConnection), shared by its conditions,
// with a copy of the event's circles (EventCircleTexts): a search with normalised keywords
// matches them against the copy's folded texts and fills its records from the copy, instead of
// folding and reading every circle again. Its answers are those of the WHERE text, which stays
// as the terms define it. Connection and copy stay from search to search while something holds
// them (HoldTexts, ReadTextsAhead), and go when nothing does.
//
// A keyword matches within one field: each word is looked for in each chosen field on its own.
//
// A search can be narrowed: KeepAsBase makes the last search's WHERE text the base that the next
// choices are added to.
//
// The "Search" settings group maps onto the accessors one to one: load with Reset, the five
// setters, AddDay / AddAllDays, AddGenre / AddAllGenres, then SetKeywords last; save from
// MatchAll, NormalizedMatch, MemoOnly, UpdatedOnly, KeywordFields, Days, Genres, KeywordText.
#pragma once

#include "data/CircleRecord.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

class EventCircleTexts;
class PavorunDatabase;
class SearchConnection;
class SqlRow;
class SqliteConnection;

// Receives each matching circle: a copy of the checklist store's record when the store holds the
// circle, else the row read. The record is the callback's to keep (move from it).
using SearchRowCallback = void (*)(void* context, CircleRecord&& record);

class SearchCondition {
 public:
  // Keyword field bits. Chosen fields are searched in bit order, except that the memo and the
  // genre name come last.
  enum KeywordField : int {
    kFieldCircleName = 0x0001,
    kFieldCircleKana = 0x0002,
    kFieldPenName = 0x0004,
    kFieldBookName = 0x0008,
    kFieldUrl = 0x0010,
    kFieldMailAddr = 0x0020,
    kFieldDescription = 0x0040,
    kFieldMemo = 0x0080,
    kFieldGenreName = 0x0100,
    kFieldUpdateData = 0x0200,
    kFieldOrbalink = 0x0400,
    kFieldRss = 0x0800,
    kFieldTwitter = 0x1000,
    kFieldPixiv = 0x2000,
  };
  static constexpr int kAllKeywordFields = 0xFFFF;
  struct FieldOperand {
    int bit;
    const char* operand;
  };
  // The order in which chosen fields appear in a keyword term: the circle table's columns, then
  // the memo and the genre name.
  static constexpr FieldOperand kFieldOperands[] = {
      {kFieldCircleName, "circleName"},
      {kFieldCircleKana, "circleKana"},
      {kFieldPenName, "penName"},
      {kFieldBookName, "bookName"},
      {kFieldUrl, "url"},
      {kFieldMailAddr, "mailAddr"},
      {kFieldDescription, "description"},
      {kFieldUpdateData, "updateData"},
      {kFieldOrbalink, "orbalink"},
      {kFieldRss, "rss"},
      {kFieldTwitter, "twitter"},
      {kFieldPixiv, "pixiv"},
      {kFieldMemo, "getMemo(PavorunCircle.id)"},
      {kFieldGenreName, "PavorunGenre.name"},
  };
  // What CountMatches' LastResult() and Run answer for a search stopped by Cancel.
  static constexpr int kCancelled = 4;
  // Keeps the search connection and its copy of the event's texts while it lives.
  using TextsHold = std::shared_ptr<const void>;

  // The database must outlive the condition.
  explicit SearchCondition(PavorunDatabase& database);
  ~SearchCondition();
  SearchCondition(const SearchCondition&) = delete;
  SearchCondition& operator=(const SearchCondition&) = delete;

  // A new search: forgets the choices, the base and the genre join.
  void Reset();
  // The last search's WHERE text becomes the base of the next one, then ClearChoices.
  void KeepAsBase();
  // Forgets days, genres, blocks, initials, keyword terms and flags; fields become all; the base
  // and the keyword text stay.
  void ClearChoices();

  void AddDay(int day);  // 0: circles without a place
  void AddGenre(int genreId);
  void AddBlock(int blockId);
  // `code` is a character code, normally a half-width katakana byte (0xA6..0xDD). A code that is
  // not one whole character (outside 1..0xFFFF, a zero byte, a lone lead byte, two bytes without
  // a lead byte) is refused: false, and nothing is added.
  bool AddKanaInitial(int code);
  // Days 0 .. the event's day count; genres 1 .. the genre count.
  void AddAllDays();
  void AddAllGenres();
  bool HasDay(int day) const;
  bool HasGenre(int genreId) const;

  void SetMemoOnly(bool on);
  void SetUpdatedOnly(bool on);
  void SetNormalizedMatch(bool on);
  void SetMatchAll(bool on);
  // A mask naming no known field bit (but not 0, which chooses none) is refused: false, and the
  // fields stay as they were.
  bool SetKeywordFields(int mask);

  // Keeps `text` and builds the keyword terms from its words with the fields, the normalised
  // match and the AND/OR choice as they are now, so set those first. Words are separated by TAB,
  // blank and the full-width blank. A word's term matches a circle when one chosen field holds
  // the word. With no fields chosen no term is built.
  void SetKeywords(std::string_view text);
  void ClearKeywords();

  static constexpr int DefaultKeywordFields() { return 719; }

  // Runs the search and keeps the matching circles for the Run that follows; answers their
  // number, or -1 when the search did not complete: LastResult() then says why (4 cancelled, -1
  // no connection, else the engine's code, such as 1 for an expression the engine refuses or 5
  // for a locked database) and LastError() gives the engine's text.
  int CountMatches();
  // Calls `callback` once per matching circle in result order: the circles CountMatches kept when
  // no choice changed since, else those of a search run now. Answers 0 done, 4 stopped by Cancel,
  // -1 no connection, or the engine's code of a failed search (also in LastResult()).
  int Run(SearchRowCallback callback, void* context);
  int LastResult() const { return lastResult_; }
  const std::string& LastError() const { return lastError_; }
  // Keeps the search connection of the database, with the copy of the event's texts once a
  // search has read it, for the searches that follow while the hold lives; without a hold they
  // go with the search that used them. Shared by every condition of the database.
  [[nodiscard]] TextsHold HoldTexts();
  // HoldTexts, and the event's texts read into the copy on a thread of its own, so that the first
  // normalised search need not wait for them (the search dialog asks for this when it opens). A
  // search started meanwhile waits for the read; the read stops when such a search is cancelled
  // and when the last hold goes.
  [[nodiscard]] TextsHold ReadTextsAhead();
  // Stops the search in progress at its next row, and a read-ahead it waits for. A cancel that
  // comes while counting, or between CountMatches and Run, stops the Run that follows; it is
  // consumed by the end of that Run or forgotten when the choices change. Any thread.
  void Cancel();

  bool MatchAll() const { return matchAll_; }
  bool NormalizedMatch() const { return normalizedMatch_; }
  bool MemoOnly() const { return memoOnly_; }
  bool UpdatedOnly() const { return updatedOnly_; }
  int KeywordFields() const { return keywordFields_; }
  const std::vector<int>& Days() const { return days_; }
  const std::vector<int>& Genres() const { return genres_; }
  const std::string& KeywordText() const { return keywordText_; }
  // The SQL of the keyword terms, e.g. " (cnt(circleName,'abc') OR cnt(circleKana,'abc'))".
  const std::string& KeywordExpression() const { return keywordExpression_; }
  bool JoinsGenre() const { return genreJoin_; }
  // The WHERE text, rebuilt first when a choice changed since it was last built.
  const std::string& Where();

 private:
  void MarkChanged();
  void AddKeywordTerm(std::string_view word);
  std::string FieldTerms(const char* function, const std::string& quotedKey);
  void BuildWhere();
  void AppendChoices(std::string& where, const std::string& keywordExpression) const;
  void AppendKanaInitialFilter(std::string& where) const;
  const char* FromPart() const;
  const char* OrderColumn() const;
  // Runs the statement into found_; the result code, also kept in lastResult_.
  int Collect();
  int CollectRows(SqliteConnection& connection, const std::string& sql);
  int CollectFromCopy(SqliteConnection& connection, EventCircleTexts& texts,
                      const std::string& sql);
  // The genre name, or the checklist store's record of a checked circle.
  void CompleteRecord(CircleRecord& record);
  void DropFound();
  // The connection a search in progress uses, for Cancel to reach; null between searches.
  void Attach(SearchConnection* connection);

  PavorunDatabase& database_;
  bool changed_ = true;
  bool matchAll_ = false;
  bool normalizedMatch_ = false;
  std::vector<int> days_;
  std::vector<int> genres_;
  std::vector<int> blocks_;
  std::vector<int> kanaInitials_;
  std::string keywordExpression_;
  std::string runKeywordExpression_;  // the same terms as the statement run matches them
  std::string keywordText_;
  int keywordFields_ = kAllKeywordFields;
  bool memoOnly_ = false;
  bool updatedOnly_ = false;
  std::string base_;
  std::string runBase_;
  bool genreJoin_ = false;
  std::string where_;
  std::string runWhere_;

  // Search state, used by the thread that runs the search.
  std::vector<CircleRecord> found_;
  bool foundKept_ = false;  // found_ holds the circles of the current choices
  std::size_t lastFoundCount_ = 0;
  int lastResult_ = 0;
  std::string lastError_;
  std::atomic<bool> cancelled_{false};
  std::mutex attachMutex_;
  SearchConnection* attached_ = nullptr;  // under attachMutex_
};

}  // namespace vx
