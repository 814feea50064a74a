// Import rows: matching a record of a checklist against the catalogue, turning its candidates into
// rows, and committing the rows into the checklist.
#include "checklist/FavoriteStore.h"

#include "data/PavorunDatabase.h"
#include "platform/Sjis.h"

#include <utility>

namespace vx {
namespace {

// Whether `needle` occurs in `text` starting at a character boundary, so that the second byte of a
// double-byte character and the byte after it never pass for a character of their own.
bool ContainsText(std::string_view text, std::string_view needle) {
  for (std::size_t i = 0; i + needle.size() <= text.size(); i += SjisCharLength(text, i)) {
    if (text.compare(i, needle.size(), needle) == 0) return true;
  }
  return false;
}

std::string MergedMemo(const std::string& old, const std::string& fromFile, bool replace) {
  if (replace || old.empty() || ContainsText(fromFile, old)) return fromFile;
  if (ContainsText(old, fromFile)) return old;
  return old + fromFile;
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

FavoriteImportRecord MakeRow(int groupRows, int action, int color, const ImportFileTexts& texts) {
  FavoriteImportRecord row;
  row.groupRows = groupRows;
  row.action = action;
  row.color = color;
  std::copy(texts.begin(), texts.end(), row.texts.begin());
  return row;
}

void SetCandidate(FavoriteImportRecord& row, const CircleRecord& candidate) {
  row.circleId = candidate.id;
  row.texts[kImportCandidateName] = candidate.circleName;
  row.texts[kImportCandidatePenName] = candidate.penName;
  row.texts[kImportCandidateGenre] = candidate.genreName;
  row.texts[kImportCandidateDescription] = candidate.description;
}

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
  for (const FavoriteImportRecord& row : importRecords_) {
    CommitRow(row, replaceMemos, takeFileColors);
  }
  return replaces || !colors.empty() || !importRecords_.empty();
}

void FavoriteStore::DiscardImport() {
  importRecords_.clear();
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

int FavoriteStore::HighestImportColor() const {
  int highest = 0;
  for (const FavoriteImportRecord& row : importRecords_) highest = std::max(highest, row.color);
  for (const auto& [index, color] : pendingColors_) highest = std::max(highest, index + 1);
  return highest;
}

void FavoriteStore::CommitRow(const FavoriteImportRecord& row, bool replaceMemos,
                              bool takeFileColors) {
  if (row.action == kImportRegister && row.circleId != 0) {
    const CircleRecord* present = FindCircle(row.circleId);
    const std::string memo =
        MergedMemo(present ? present->memo : std::string(), row.texts[kImportMemo], replaceMemos);
    const int presentColor = GetColor(row.circleId);
    const int color = takeFileColors || presentColor <= 0 ? row.color : presentColor;
    if (SetColorAndMemo(row.circleId, color, memo)) KeepFeedText(row.circleId, row);
  } else if (row.action == kImportRegisterUnknown) {
    KeepFeedText(AddUnknownCircle(row.color, UnknownCircleTexts(row)), row);
  }
}

// The feed text is saved with the checklist; a reload must not lose it. An empty one clears none.
void FavoriteStore::KeepFeedText(int circleId, const FavoriteImportRecord& row) {
  const std::string& text = row.texts[kImportRssInfo];
  const auto it = entries_.find(circleId);
  if (!text.empty() && it != entries_.end()) it->second.record.SetRssInfo(text);
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

// A candidate the catalogue cannot give a record for is no candidate; a circle left without any is
// kept as an unknown circle rather than lost with its memo.
void FavoriteStore::AddImportRecords(int color, const ImportFileTexts& texts) {
  color = BoundColor(color);
  std::vector<CircleRecord> candidates;
  for (const int id : candidateIds_) {
    CircleRecord candidate;
    if (ReadCandidate(id, candidate)) candidates.push_back(std::move(candidate));
  }
  if (candidates.empty()) {
    importRecords_.push_back(MakeRow(0, kImportRegisterUnknown, color, texts));
    return;
  }
  // A group counts the rows it really has, so that the confirmation page never takes rows of the
  // next record into it.
  const bool alone = candidateIds_.size() == 1;
  const int groupRows = static_cast<int>(candidates.size()) + 1;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    FavoriteImportRecord row =
        MakeRow(alone ? 0 : (i == 0 ? groupRows : 1), kImportRegister, color, texts);
    SetCandidate(row, candidates[i]);
    importRecords_.push_back(std::move(row));
  }
  if (!alone) importRecords_.push_back(MakeRow(1, kImportSkip, color, texts));
}

// What the confirmation shows of a candidate: from the text index when the match used it.
bool FavoriteStore::ReadCandidate(int circleId, CircleRecord& candidate) const {
  const CircleTextIndex::Circle* indexed =
      textIndex_.IsBuilt() ? textIndex_.FindCircle(circleId) : nullptr;
  if (indexed == nullptr) return database_.SelectCircle(candidate, circleId);
  candidate.id = indexed->id;
  candidate.circleName = indexed->circleName;
  candidate.penName = indexed->penName;
  candidate.genreName = database_.GetGenreName(indexed->genreId);
  candidate.description = indexed->description;
  return true;
}

}  // namespace vx
