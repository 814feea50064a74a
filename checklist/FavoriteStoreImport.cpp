// Import rows: matching a record of a checklist against the catalogue, turning its candidates into
// rows, and committing the rows into the checklist.
#include "checklist/FavoriteStore.h"

#include "data/PavorunDatabase.h"
#include "data/TextSqlFunctions.h"
#include "platform/Sjis.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <span>
#include <utility>

namespace vx {
namespace {

// The memo a committed row leaves: the file's when it replaces or holds the old one, the old one
// when it holds the file's, else the two joined. An empty result clears nothing. A memo holds
// another only from a character start (ContainsCharacters).
void MergeMemo(std::string& memo, const std::string& fromFile, bool replace) {
  if (replace || memo.empty() || ContainsCharacters(fromFile, memo)) {
    if (!fromFile.empty()) memo = fromFile;
  } else if (!ContainsCharacters(memo, fromFile)) {
    memo += fromFile;
  }
}

CircleRecord UnknownCircleTexts(const FavoriteImportRecord& row) {
  CircleRecord texts;
  texts.circleName = row.texts[kImportCircleName];
  texts.circleKana = row.texts[kImportCircleKana];
  texts.penName = row.texts[kImportPenName];
  texts.bookName = row.texts[kImportBookName];
  texts.url = row.texts[kImportUrl];
  texts.mailAddr = row.texts[kImportMailAddr];
  texts.description = row.texts[kImportDescription];
  texts.updateData = row.texts[kImportUpdateData];
  texts.orbalink = row.texts[kImportOrbalink];
  texts.rss = row.texts[kImportRss];
  texts.memo = row.texts[kImportMemo];
  texts.twitter = row.texts[kImportTwitter];
  texts.pixiv = row.texts[kImportPixiv];
  return texts;
}

void FillRow(FavoriteImportRecord& row, int groupRows, int action, int color,
             ImportRowTexts texts) {
  row.groupRows = groupRows;
  row.action = action;
  row.color = color;
  row.texts = std::move(texts);
}

constexpr std::size_t kManyCandidates = 1000;

}  // namespace

bool FavoriteStore::AddImportRecordBySerial(int serial, int color, std::string_view memo) {
  const int id = database_.FindCircleIdByUpdateId(serial);
  if (id == 0) return false;
  FavoriteImportRecord row;
  row.groupRows = 0;
  row.action = kImportRegister;
  row.color = BoundColor(color);
  row.circleId = id;
  row.texts[kImportMemo].assign(memo);
  importRecords_.push_back(std::move(row));
  return true;
}

void FavoriteStore::DefaultImportColors() {
  for (FavoriteImportRecord& row : importRecords_) {
    if (row.color == 0) row.color = 1;
  }
}

bool FavoriteStore::CommitImportRecords(bool replaceMemos, bool takeFileColors) {
  const bool replaces = std::exchange(pendingReplace_, false);
  const auto colors = std::exchange(pendingColors_, {});
  if (replaces) Purge(true);
  for (const auto& [index, color] : colors) {
    SetColorDef(index, color.checkColor, color.printColor, color.name);
  }
  // The circles the rows bring in, read with one statement instead of one each.
  std::vector<int> added;
  for (const FavoriteImportRecord& row : importRecords_) {
    if (row.action == kImportRegister && row.circleId != 0 && !entries_.contains(row.circleId)) {
      added.push_back(row.circleId);
    }
  }
  std::sort(added.begin(), added.end());
  added.erase(std::unique(added.begin(), added.end()), added.end());
  // The read began reading them when it had many candidates; they cover every row's circle.
  std::optional<CircleRecords> readAhead = readAhead_.Take();
  CircleRecords fetched = readAhead ? std::move(*readAhead) : CircleRecords();
  const bool read = readAhead || ReadCatalogueCircles(added, fetched);
  // The entries by id, for the rows: a load may bring a row for every circle many times over.
  EntryIndex entries;
  entries.reserve(entries_.size() + added.size());
  for (auto& [id, entry] : entries_) entries.emplace(id, &entry);
  for (const FavoriteImportRecord& row : importRecords_) {
    CommitRow(row, replaceMemos, takeFileColors, read ? &fetched : nullptr, entries);
  }
  return replaces || !colors.empty() || !importRecords_.empty();
}

void FavoriteStore::DiscardImport() {
  readAhead_.Stop();
  importRecords_ = {};  // the room too: a load may have brought a great many
  pendingRecords_ = {};
  pendingReplace_ = false;
  pendingColors_.clear();
}

FavoriteColor FavoriteStore::ImportColor(int index) const {
  for (auto it = pendingColors_.rbegin(); it != pendingColors_.rend(); ++it) {
    if (it->first == index) return it->second;  // the file's last word on it
  }
  const auto it = colors_.find(index);
  return it != colors_.end() ? it->second : FavoriteColor{};
}

bool FavoriteStore::ImportDefinesColor(int index) const {
  return std::any_of(pendingColors_.begin(), pendingColors_.end(),
                     [index](const auto& color) { return color.first == index; });
}

int FavoriteStore::GetHighestImportColor() const {
  int highest = 0;
  for (const FavoriteImportRecord& row : importRecords_) highest = std::max(highest, row.color);
  for (const auto& [index, color] : pendingColors_) highest = std::max(highest, index + 1);
  return highest;
}

void FavoriteStore::CommitRow(const FavoriteImportRecord& row, bool replaceMemos,
                              bool takeFileColors, CircleRecords* fetched, EntryIndex& entries) {
  if (row.action == kImportRegister && row.circleId != 0) {
    const auto it = entries.find(row.circleId);
    FavoriteEntry* entry = it != entries.end() ? it->second : nullptr;
    if (entry != nullptr) {
      MergeMemo(entry->record.memo, row.texts[kImportMemo], replaceMemos);
      ApplyColor(*entry, takeFileColors || entry->color <= 0 ? row.color : entry->color, true);
    } else {  // a new circle takes the file's memo and colour, as SetColorAndMemo gives them
      CircleRecord record;
      if (row.color < 0 || !TakeCatalogueRecord(row.circleId, fetched, record)) return;
      entry = &Insert(row.circleId, std::move(record), row.color);
      if (!row.texts[kImportMemo].empty()) entry->record.memo = row.texts[kImportMemo];
      entries.emplace(row.circleId, entry);
    }
    if (!row.texts[kImportRssInfo].empty()) entry->record.SetRssInfo(row.texts[kImportRssInfo]);
  } else if (row.action == kImportRegisterUnknown) {
    KeepFeedText(AddUnknownCircle(row.color, UnknownCircleTexts(row)), row);
  }
}

// The feed text is saved with the checklist; a reload must not lose it. An empty one clears none.
void FavoriteStore::KeepFeedText(int circleId, const FavoriteImportRecord& row) {
  const std::string& text = row.texts[kImportRssInfo];
  if (text.empty()) return;
  const auto it = entries_.find(circleId);
  if (it != entries_.end()) it->second.record.SetRssInfo(text);
}

int FavoriteStore::MatchCircleByText(std::string_view name, std::string_view kana,
                                     std::string_view penName, std::string_view twitter,
                                     std::string_view pixiv) {
  if (!textIndex_.IsBuilt() && !textIndex_.Build(database_)) return 0;
  if (!twitter.empty()) textIndex_.FindTwitter(twitter, candidateIds_);
  if (candidateIds_.empty() && !pixiv.empty()) textIndex_.FindPixiv(pixiv, candidateIds_);
  if (candidateIds_.empty()) textIndex_.FindNameOrKanaWithPen(name, kana, penName, candidateIds_);
  if (candidateIds_.empty() && !strictMatch_) {
    textIndex_.FindAnyName(name, kana, penName, candidateIds_);
  }
  return static_cast<int>(candidateIds_.size());
}

void FavoriteStore::AddImportRecords(int color, const ImportFileTexts& texts) {
  pendingRecords_.push_back({BoundColor(color), texts, candidateIds_});
}

// The rows follow in room taken once: a pen name that many circles share may bring hundreds of
// candidates for each record that has it. One thread makes them: more did not make a load of
// 24,000 rows faster.
void FavoriteStore::BuildImportRecords() {
  std::vector<Candidate> candidates;
  SharedCandidates shared;
  CircleRecords read = ReadUnindexedCandidates();
  const bool readAll = !textIndex_.IsBuilt() && !read.empty();
  std::vector<std::size_t> firstCandidate, firstRow;
  std::size_t rows = importRecords_.size();
  for (const PendingRecord& record : pendingRecords_) {
    firstCandidate.push_back(candidates.size());
    firstRow.push_back(rows);
    for (const int id : record.candidateIds) {
      if (const std::optional<Candidate> candidate = FindCandidate(id, read, shared)) {
        candidates.push_back(*candidate);
      }
    }
    const std::size_t found = candidates.size() - firstCandidate.back();
    rows += found == 0 || record.candidateIds.size() == 1 ? 1 : found + 1;
  }
  firstCandidate.push_back(candidates.size());
  if (!readAll) PrefetchCandidates(candidates);
  importRecords_.resize(rows);
  for (std::size_t i = 0; i < pendingRecords_.size(); ++i) {
    FillImportRows(
        pendingRecords_[i],
        std::span(candidates).subspan(firstCandidate[i], firstCandidate[i + 1] - firstCandidate[i]),
        &importRecords_[firstRow[i]]);
  }
  pendingRecords_ = {};
  if (readAll) readAhead_.Keep(std::move(read));
}

// The candidates outside the text index (every one, when the records named their circles by
// serial) read with one statement rather than one each; none when that read failed.
FavoriteStore::CircleRecords FavoriteStore::ReadUnindexedCandidates() const {
  std::vector<int> ids;
  for (const PendingRecord& record : pendingRecords_) {
    for (const int id : record.candidateIds) {
      if (!textIndex_.IsBuilt() || textIndex_.FindCircle(id) == nullptr) ids.push_back(id);
    }
  }
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  CircleRecords records;
  if (!ReadCatalogueCircles(ids, records)) records.clear();
  return records;
}

// Many candidates: their records are read ahead on a thread of their own, for the commit that
// usually follows (what it reads would be the same: the catalogue does not change while a load
// waits for its confirmation).
void FavoriteStore::PrefetchCandidates(const std::vector<Candidate>& candidates) {
  std::vector<int> ids;
  for (const Candidate& candidate : candidates) ids.push_back(candidate.id);
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  if (ids.size() < kManyCandidates) return;
  readAhead_.Start(
      [this, ids = std::move(ids)](const std::atomic<bool>& stop, CircleRecords& records) {
        return ReadCatalogueCircles(ids, records, &stop);
      });
}

// A candidate the catalogue cannot give a record for is no candidate; a circle left without any is
// kept as an unknown circle rather than lost with its memo. A group counts the rows it really has,
// so that the confirmation page never takes rows of the next record into it.
void FavoriteStore::FillImportRows(PendingRecord& record, std::span<const Candidate> candidates,
                                   FavoriteImportRecord* rows) {
  const bool alone = record.candidateIds.size() == 1;
  const auto file = std::make_shared<ImportFileTexts>(std::move(record.texts));
  if (candidates.empty()) {
    FillRow(rows[0], 0, kImportRegisterUnknown, record.color, ImportRowTexts(file, nullptr));
    return;
  }
  const int groupRows = static_cast<int>(candidates.size()) + 1;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    FavoriteImportRecord& row = rows[i];
    const int group = alone ? 0 : (i == 0 ? groupRows : 1);
    FillRow(row, group, kImportRegister, record.color, ImportRowTexts(file, candidates[i].texts));
    row.circleId = candidates[i].id;
  }
  if (!alone) {
    FillRow(rows[candidates.size()], 1, kImportSkip, record.color, ImportRowTexts(file, nullptr));
  }
}

// What the confirmation shows of a candidate: from the text index when the match used it, else
// from the catalogue; nothing when the catalogue has no record of it.
std::optional<FavoriteStore::Candidate> FavoriteStore::FindCandidate(
    int circleId, CircleRecords& read, SharedCandidates& shared) const {
  if (const auto known = shared.find(circleId); known != shared.end()) {
    return Candidate{circleId, known->second};
  }
  auto texts = std::make_shared<ImportCandidateTexts>();
  const CircleTextIndex::Circle* indexed =
      textIndex_.IsBuilt() ? textIndex_.FindCircle(circleId) : nullptr;
  if (indexed != nullptr) {
    *texts = {indexed->circleName, indexed->penName, database_.GetGenreName(indexed->genreId),
              indexed->description};
  } else {
    auto found = read.find(circleId);
    if (found == read.end()) {
      CircleRecord record;
      if (!database_.SelectCircle(record, circleId)) return std::nullopt;
      found = read.emplace(circleId, std::move(record)).first;
    }
    const CircleRecord& record = found->second;
    *texts = {record.circleName, record.penName, record.genreName, record.description};
  }
  shared.emplace(circleId, texts);
  return Candidate{circleId, std::move(texts)};
}

}  // namespace vx
