#include "data/SearchCondition.h"

#include "data/EventCircleTexts.h"
#include "data/PavorunDatabase.h"
#include "data/SearchConnection.h"
#include "data/SqlRow.h"
#include "data/SqlText.h"
#include "data/SqliteConnection.h"
#include "data/TextFold.h"
#include "platform/Sjis.h"

#include <algorithm>

namespace vx {
namespace {

using FieldOperand = SearchCondition::FieldOperand;
constexpr const auto& kFieldOperands = SearchCondition::kFieldOperands;

constexpr const char* kRunFormat =
    "SELECT PavorunCircle.id,pageNo,cutIndex,day,blockId,spaceNo,spaceNoSub,genreId,circleName,"
    "circleKana,penName,bookName,url,mailAddr,description,updateId,updateData,orbalink,rss,"
    "updateFlag,twitter,pixiv  %s PavorunCircle.pavorunNo=%d %s ORDER by %s;";

// With normalised keywords the records come from the copy of the event's circles.
constexpr const char* kRunIdsFormat =
    "SELECT PavorunCircle.id  %s PavorunCircle.pavorunNo=%d %s ORDER by %s;";

constexpr int kEngineError = 1;  // SQLITE_ERROR

constexpr const char* kFromCircles = " FROM PavorunCircle WHERE ";
constexpr const char* kFromCirclesAndGenres =
    " FROM PavorunCircle,PavorunGenre WHERE PavorunGenre.pavorunNo=PavorunCircle.pavorunNo AND "
    "PavorunGenre.id=PavorunCircle.genreId AND ";

constexpr unsigned char kFullWidthBlank[] = {0x81, 0x40};

// Length of the separator at text[i] (TAB, blank or the full-width blank), 0 when none. Only
// called at character starts, so the full-width blank never pairs a trail byte with 0x40.
std::size_t SeparatorLength(std::string_view text, std::size_t i) {
  if (text[i] == '\t' || text[i] == ' ') return 1;
  if (i + 1 < text.size() && static_cast<unsigned char>(text[i]) == kFullWidthBlank[0] &&
      static_cast<unsigned char>(text[i + 1]) == kFullWidthBlank[1]) {
    return 2;
  }
  return 0;
}

// The words of `text`, split character by character. A lead byte without its trail byte at the
// very end is dropped, so no word ends in half a character.
std::vector<std::string_view> SplitWords(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t skip = SeparatorLength(text, i);
    const bool loneLeadByte =
        skip == 0 && i + 1 == text.size() && IsSjisLeadByte(static_cast<unsigned char>(text[i]));
    if (skip == 0 && !loneLeadByte) {
      i += SjisCharLength(text, i);
      continue;
    }
    if (i > start) words.push_back(text.substr(start, i - start));
    i += std::max<std::size_t>(skip, 1);
    start = i;
  }
  if (i > start) words.push_back(text.substr(start, i - start));
  return words;
}

void AppendIntList(std::string& sql, const char* prefix, const std::vector<int>& values) {
  sql.append(prefix);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) sql.push_back(',');
    sql.append(std::to_string(values[i]));
  }
  sql.push_back(')');
}

bool Contains(const std::vector<int>& values, int value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

constexpr int kKnownKeywordFields = [] {
  int mask = 0;
  for (const FieldOperand& field : kFieldOperands) mask |= field.bit;
  return mask;
}();

// Whether `code` is one whole character: a byte that is no lead byte, or a lead byte and a trail
// byte; a zero byte would end the statement inside its quotes.
bool IsWholeCharacter(int code) {
  if (code < 1 || code > 0xFFFF || (code & 0xFF) == 0) return false;
  const auto first = static_cast<unsigned char>(code >= 256 ? code >> 8 : code);
  return code >= 256 ? IsSjisLeadByte(first) : !IsSjisLeadByte(first);
}

// The character with code `code` (one byte below 256, else two bytes high byte first).
std::string CharacterOfCode(int code) {
  std::string text;
  if (code >= 256) text.push_back(static_cast<char>(code >> 8));
  text.push_back(static_cast<char>(code & 0xFF));
  return text;
}

}  // namespace

SearchCondition::SearchCondition(PavorunDatabase& database) : database_(database) { Reset(); }

SearchCondition::~SearchCondition() = default;

SearchCondition::TextsHold SearchCondition::HoldTexts() { return SearchConnection::Of(database_); }

SearchCondition::TextsHold SearchCondition::ReadTextsAhead() {
  std::shared_ptr<SearchConnection> connection = SearchConnection::Of(database_);
  connection->ReadAhead(database_.GetEventNo());
  return connection;
}

void SearchCondition::Cancel() {
  cancelled_.store(true);
  std::lock_guard lock(attachMutex_);
  if (attached_ != nullptr) attached_->StopReadAhead();
}

void SearchCondition::Attach(SearchConnection* connection) {
  std::lock_guard lock(attachMutex_);
  attached_ = connection;
  // A cancel that came before the search could reach the connection still stops the read-ahead
  // the search would wait for.
  if (connection != nullptr && cancelled_.load()) connection->StopReadAhead();
}

void SearchCondition::Reset() {
  KeepAsBase();
  base_.clear();
  runBase_.clear();
  genreJoin_ = false;
}

void SearchCondition::KeepAsBase() {
  base_ = where_;
  runBase_ = runWhere_;
  ClearChoices();
}

void SearchCondition::ClearChoices() {
  where_.clear();
  runWhere_.clear();
  days_.clear();
  genres_.clear();
  blocks_.clear();
  kanaInitials_.clear();
  keywordExpression_.clear();
  runKeywordExpression_.clear();
  memoOnly_ = false;
  updatedOnly_ = false;
  normalizedMatch_ = false;
  matchAll_ = false;
  keywordFields_ = kAllKeywordFields;
  MarkChanged();
}

void SearchCondition::MarkChanged() {
  changed_ = true;
  DropFound();
  // A cancel left from an earlier search must not stop the next one.
  cancelled_.store(false);
}

void SearchCondition::AddDay(int day) {
  days_.push_back(day);
  MarkChanged();
}

void SearchCondition::AddGenre(int genreId) {
  genres_.push_back(genreId);
  MarkChanged();
}

void SearchCondition::AddBlock(int blockId) {
  blocks_.push_back(blockId);
  MarkChanged();
}

bool SearchCondition::AddKanaInitial(int code) {
  if (!IsWholeCharacter(code)) return false;
  kanaInitials_.push_back(code);
  MarkChanged();
  return true;
}

void SearchCondition::AddAllDays() {
  const int count = database_.GetDateCount();
  for (int day = 0; day <= count; ++day) AddDay(day);
}

void SearchCondition::AddAllGenres() {
  const int count = database_.GetGenreCount();
  for (int genre = 1; genre <= count; ++genre) AddGenre(genre);
}

bool SearchCondition::HasDay(int day) const { return Contains(days_, day); }
bool SearchCondition::HasGenre(int genreId) const { return Contains(genres_, genreId); }

void SearchCondition::SetMemoOnly(bool on) {
  memoOnly_ = on;
  MarkChanged();
}

void SearchCondition::SetUpdatedOnly(bool on) {
  updatedOnly_ = on;
  MarkChanged();
}

void SearchCondition::SetNormalizedMatch(bool on) {
  normalizedMatch_ = on;
  MarkChanged();
}

void SearchCondition::SetMatchAll(bool on) {
  matchAll_ = on;
  MarkChanged();
}

bool SearchCondition::SetKeywordFields(int mask) {
  // Terms without an operand, "cnt(,'x')", are SQL the engine refuses.
  if (mask != 0 && (mask & kKnownKeywordFields) == 0) return false;
  keywordFields_ = mask;
  MarkChanged();
  return true;
}

void SearchCondition::SetKeywords(std::string_view text) {
  // The statement is a C string: a NUL would cut it inside a quoted word.
  keywordText_.assign(text.substr(0, text.find('\0')));
  // Terms of earlier keywords must not outlive them, also when no field is chosen.
  keywordExpression_.clear();
  runKeywordExpression_.clear();
  if (keywordFields_ != 0) {
    for (std::string_view word : SplitWords(keywordText_)) AddKeywordTerm(word);
  }
  MarkChanged();
}

void SearchCondition::ClearKeywords() {
  keywordText_.clear();
  keywordExpression_.clear();
  runKeywordExpression_.clear();
  MarkChanged();
}

// The statement run matches a normalised term against the folded texts kept: the fields go in as
// their mask, and the genre name, when chosen, from the joined row.
void SearchCondition::AddKeywordTerm(std::string_view word) {
  const char* joint = matchAll_ ? " AND " : " OR ";
  if (!keywordExpression_.empty()) {
    keywordExpression_.append(joint);
    runKeywordExpression_.append(joint);
  }
  std::string quoted;
  // Fold first: the fold turns look-alike quotes into "'", which must then be doubled too.
  AppendSqlQuoted(quoted, normalizedMatch_ ? FoldText(word) : std::string(word));
  const std::string terms = FieldTerms(normalizedMatch_ ? "ncnt(" : "cnt(", quoted);
  keywordExpression_ += terms;
  if (!normalizedMatch_) {
    runKeywordExpression_ += terms;
    return;
  }
  runKeywordExpression_ += std::string(" ") + EventCircleTexts::kFunctionName +
                           "(PavorunCircle.id," + std::to_string(keywordFields_) + "," + quoted +
                           ((keywordFields_ & kFieldGenreName) ? ",PavorunGenre.name)" : ")");
}

// One call of `function` per chosen field, joined by OR: a word that runs from the end of one
// field into the start of the next is in neither.
std::string SearchCondition::FieldTerms(const char* function, const std::string& quotedKey) {
  std::string terms;
  int count = 0;
  for (const FieldOperand& field : kFieldOperands) {
    if ((keywordFields_ & field.bit) == 0) continue;
    if (count++ > 0) terms.append(" OR ");
    terms.append(function).append(field.operand).append(",").append(quotedKey).append(")");
    if (field.bit == kFieldGenreName) genreJoin_ = true;
  }
  return count > 1 ? " (" + terms + ")" : " " + terms;
}

const std::string& SearchCondition::Where() {
  if (changed_) BuildWhere();
  return where_;
}

void SearchCondition::BuildWhere() {
  where_ = base_;
  AppendChoices(where_, keywordExpression_);
  runWhere_ = runBase_;
  AppendChoices(runWhere_, runKeywordExpression_);
  changed_ = false;
}

void SearchCondition::AppendChoices(std::string& where,
                                    const std::string& keywordExpression) const {
  if (!days_.empty()) AppendIntList(where, " AND day in (", days_);
  if (!genres_.empty()) AppendIntList(where, " AND genreId in (", genres_);
  if (!blocks_.empty()) AppendIntList(where, " AND blockId in (", blocks_);
  if (!kanaInitials_.empty()) AppendKanaInitialFilter(where);
  if (!keywordExpression.empty()) where.append(" AND (" + keywordExpression + ")");
  if (memoOnly_) where.append(" AND getMemo(PavorunCircle.id)<>''");
  if (updatedOnly_) where.append(" AND PavorunCircle.updateFlag<>0");
}

void SearchCondition::AppendKanaInitialFilter(std::string& where) const {
  where.append(" AND normalize(firstchar(circleKana)) in (");
  for (std::size_t i = 0; i < kanaInitials_.size(); ++i) {
    if (i > 0) where.push_back(',');
    AppendSqlQuoted(where, FoldText(CharacterOfCode(kanaInitials_[i])));
  }
  where.push_back(')');
}

const char* SearchCondition::FromPart() const {
  return genreJoin_ ? kFromCirclesAndGenres : kFromCircles;
}

const char* SearchCondition::OrderColumn() const {
  return kanaInitials_.empty() ? "PavorunCircle.id" : "PavorunCircle.circleKana";
}

int SearchCondition::CountMatches() {
  if (!foundKept_ && Collect() != 0) return -1;
  return static_cast<int>(found_.size());
}

int SearchCondition::Run(SearchRowCallback callback, void* context) {
  int rc = foundKept_ ? 0 : Collect();
  for (std::size_t i = 0; rc == 0 && i < found_.size(); ++i) {
    if (cancelled_.load()) {
      rc = lastResult_ = kCancelled;
    } else if (callback != nullptr) {
      callback(context, std::move(found_[i]));
    }
  }
  DropFound();
  // The cancel belonged to this search; the next one starts free of it.
  cancelled_.store(false);
  return rc;
}

int SearchCondition::Collect() {
  DropFound();
  // Room for as many as last time: a search repeated or narrowed then grows no vector.
  found_.reserve(lastFoundCount_);
  lastError_.clear();
  Where();
  const bool folds = runWhere_.find(EventCircleTexts::kFunctionName) != std::string::npos;
  const std::string sql = FormatSql(folds ? kRunIdsFormat : kRunFormat, FromPart(),
                                    database_.GetEventNo(), runWhere_.c_str(), OrderColumn());
  const std::shared_ptr<SearchConnection> connection = SearchConnection::Of(database_);
  Attach(connection.get());
  lastResult_ = connection->Use(cancelled_, &lastError_,
                                [&](SqliteConnection& searchConnection, EventCircleTexts& texts) {
                                  return folds ? CollectFromCopy(searchConnection, texts, sql)
                                               : CollectRows(searchConnection, sql);
                                });
  Attach(nullptr);
  if (lastResult_ == 0) {
    foundKept_ = true;
    lastFoundCount_ = found_.size();
  } else {
    DropFound();
  }
  return lastResult_;
}

int SearchCondition::CollectRows(SqliteConnection& connection, const std::string& sql) {
  return connection.QueryRows(
      sql,
      [this](const SqlRow& row) {
        if (cancelled_.load()) return 1;
        CircleRecord& record = found_.emplace_back();
        record.FillFromRow(row);
        CompleteRecord(record);
        return 0;
      },
      &lastError_);
}

// One read transaction: the copy is checked against the file and the statement run on the same
// state of it.
int SearchCondition::CollectFromCopy(SqliteConnection& connection, EventCircleTexts& texts,
                                     const std::string& sql) {
  const auto ignore = [](const SqlRow&) { return 0; };
  connection.QueryRows("BEGIN;", ignore, nullptr);
  int rc = texts.Prepare(connection, database_.GetEventNo(), cancelled_, &lastError_);
  bool missing = false;
  if (rc == 0) {
    rc = connection.QueryRows(
        sql,
        [this, &texts, &missing](const SqlRow& row) {
          if (cancelled_.load()) return 1;
          CircleRecord& record = found_.emplace_back();
          missing = !texts.FillRecord(row.Int(0), record);
          if (missing) return 1;
          CompleteRecord(record);
          return 0;
        },
        &lastError_);
  }
  connection.QueryRows("COMMIT;", ignore, nullptr);
  if (missing) {
    lastError_ = "circle texts out of date";
    return kEngineError;
  }
  return rc;
}

void SearchCondition::CompleteRecord(CircleRecord& record) {
  database_.SetRecordGenreName(record);
  // A checked circle arrives as the checklist store holds it, with its memo.
  const CircleMemoLookup* store = database_.GetFavoriteStore();
  const CircleRecord* kept = store != nullptr ? store->FindCircle(record.id) : nullptr;
  if (kept != nullptr) record = *kept;
}

// With its room: a search of the whole catalogue would keep megabytes for the session.
void SearchCondition::DropFound() {
  std::vector<CircleRecord>().swap(found_);
  foundKept_ = false;
}

}  // namespace vx
