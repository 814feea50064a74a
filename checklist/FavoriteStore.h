// The checklist: the circles the user marked with a check colour or gave a memo, the colour
// definitions of the current checklist, and the rows of a load or portal import that wait to be
// committed. The store keeps its own copy of every checked circle's record; circles that a
// checklist names but the catalogue does not hold live only here, under ids counting up from
// INT_MIN + 1. Nothing reaches the disk until Save or SaveVer1.
//
// Used on the UI thread, and by the worker of a load or import while the UI thread waits; the only
// thing the UI thread touches meanwhile is RequestStop.
#pragma once

#include "checklist/ChecklistFileStamp.h"
#include "checklist/CircleReadAhead.h"
#include "checklist/CircleSerialIndex.h"
#include "checklist/CircleTextIndex.h"
#include "checklist/FavoriteColor.h"
#include "checklist/FavoriteEntry.h"
#include "checklist/FavoriteImportRecord.h"
#include "data/CircleMemoLookup.h"
#include "data/CircleRecord.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

namespace vx {

class CsvReader;
class IFile;
class PavorunDatabase;

// The outcome of the last read.
enum ChecklistReadStatus : int {
  kReadNothing = -1,  // the file could not be opened, or the text holds no record
  kReadDone = 0,
  kReadBadData = 1,             // no acceptable Header record and no magic line, lines after it
                                // that are not records, a last record cut short, a NUL byte, or
                                // UTF-8 text read as CP932 (nothing of the text is taken)
  kReadUnsupportedVersion = 2,  // an older-format magic line of version 200 or more
  kReadTooLarge = 3,            // the file is larger than any checklist (nothing was read)
  kReadNotAFile = 4,            // a device, a pipe or a folder (nothing was read)
};

// Far above the largest checklist of a whole catalogue, far below what reading it would cost.
inline constexpr std::uintmax_t kMaxChecklistFileBytes = 64u << 20;

class FavoriteStore final : public CircleMemoLookup {
 public:
  using EntryVisitor = std::function<bool(const FavoriteEntry&)>;  // false stops the walk
  using EntryUpdater = std::function<bool(FavoriteEntry&)>;
  // (record index from 0, total line ends) after each record; (-1, total) when the read is over.
  using ReadProgress = std::function<void(int index, int total)>;

  static constexpr int kDefaultColorCount = 9;
  static constexpr int kMaxColorCount = 16;

  // `database` outlives the store.
  explicit FavoriteStore(PavorunDatabase& database);
  ~FavoriteStore() override;
  FavoriteStore(const FavoriteStore&) = delete;
  FavoriteStore& operator=(const FavoriteStore&) = delete;

  // --- Entries -----------------------------------------------------------------------------------
  // A colour of 0 or more adds a circle that has no entry, reading its record from the catalogue,
  // at the end of the print order. A negative colour on an entry unchecks it (-1), except that a
  // catalogue circle with a memo stays as memo only (0). False when a circle to be added has no
  // record in the catalogue (nothing is added then).
  bool SetColor(int circleId, int color);
  // SetColor for every id in list order, the records of new circles read with one query. False when
  // some of them could not be read: those circles are left out; the others are set.
  bool SetColorMany(std::span<const int> circleIds, int color);
  // As SetColor, but a non-empty memo first replaces the circle's memo, and a negative colour keeps
  // any circle with a memo as memo only. Used by the commit.
  bool SetColorAndMemo(int circleId, int color, std::string_view memo);
  // -1 when the circle has no entry.
  int GetColor(int circleId) const;
  // Replaces the memo of an entry; false when the circle has none.
  bool SetMemo(int circleId, std::string_view memo);
  void SetPrintOrder(int circleId, int number);
  // The listed circles get the numbers 1..n in list order.
  void SetPrintOrderList(std::span<const int> circleIds);
  const CircleRecord* FindCircle(int circleId) const override;
  bool CopyCircle(int circleId, CircleRecord& out) const;
  // Adds a circle the catalogue does not hold, taking the texts of `texts` (its fetched feed text,
  // genre name and numbers are not taken). Answers the new id.
  int AddUnknownCircle(int color, const CircleRecord& texts);
  // all: removes every entry and restarts the unknown-circle ids. Otherwise removes the unchecked
  // entries and renumbers the rest 1, 2, ... in their print order.
  void Purge(bool all);
  // Removes the entries of these circles that are unchecked (colour -1) with their records; the
  // other entries keep their numbers.
  void ReleaseUnchecked(std::span<const int> circleIds);
  // Memo-only entries go; EraseAllMemos also empties the memos of the checked ones. True when a
  // memo or a memo-only entry was there to go.
  bool EraseUncheckedMemos();
  bool EraseAllMemos();
  // Adds, unchecked, every catalogue circle in the same day and block as an entry (block-wise
  // printing). False when the query failed.
  bool LoadSameBlockCircles();
  int GetEntryCount() const { return static_cast<int>(entries_.size()); }

  // --- Walks (each stops when the visitor answers false) -----------------------------------------
  // Entries with colour 0 or more in ascending circle id; the visitor may change the record's texts
  // (the feed fetch stores its text there).
  void ForEachChecked(const EntryUpdater& visit);
  // Entries with colour 0 or more in print order, equal numbers in ascending circle id.
  void ForEachInPrintOrder(const EntryVisitor& visit) const;
  // Every entry, unchecked ones too, in ascending circle id: what the print record set takes.
  void AddAllToPrintRecords(const EntryVisitor& add) const;
  // Entries with colour 0 or more of catalogue circles that have a day, in ascending circle id:
  // what the portal export sends.
  void ExportPlacedToPortal(const EntryVisitor& send) const;

  // --- Colour definitions (0-based index; files and menus show index + 1) ----------------------
  // The number of check colours in use, 1..16. Colour numbers read from files keep their number
  // up to 16: the caller raises the count to the highest one a read uses before committing.
  void SetColorCount(int count) { colorCount_ = std::clamp(count, 1, kMaxColorCount); }
  int GetColorCount() const { return colorCount_; }
  void SetColorDef(int index, ColorRef checkColor, ColorRef printColor, std::string_view name);
  ColorRef GetCheckColor(int index) const;  // 0 when not defined
  ColorRef GetPrintColor(int index) const;
  const std::string& GetColorName(int index) const;  // "" when not defined

  // --- Import rows ---------------------------------------------------------------------------
  // Appends a row registering the current event's circle whose update id is `serial` with the
  // colour and memo; false when there is no such circle.
  bool AddImportRecordBySerial(int serial, int color, std::string_view memo);
  // Rows without a colour get colour 1 (after the confirmation page).
  void DefaultImportColors();
  // Applies the last read: a replacing read first empties the checklist and the file's colour
  // definitions are taken (each only once); then the rows register candidates (memo and colour
  // rules below), add unknown circles and skip the rest; a row's fetched feed text replaces the
  // circle's. False when there was nothing to apply.
  //   replaceMemos: the file's memo replaces the circle's; otherwise the longer of two memos where
  //   one holds the other, else the old memo followed by the file's. An empty memo clears nothing.
  //   takeFileColors: the file's colour wins; otherwise a checked circle keeps its colour.
  bool CommitImportRecords(bool replaceMemos, bool takeFileColors);
  // Forgets the rows and colours of the last read without applying them (a declined or cancelled
  // load): the checklist stays as it was.
  void DiscardImport();
  // The definition colour `index` will have once the last read is committed: the file's when it
  // brought one, else the present one (empty when there is none).
  FavoriteColor ImportColor(int index) const;
  // Whether the last read brought a definition of colour `index`.
  bool ImportDefinesColor(int index) const;
  // The highest colour number the last read uses, in its rows or its definitions; 0 for none.
  int GetHighestImportColor() const;
  std::vector<FavoriteImportRecord>& GetImportRecords() { return importRecords_; }
  const std::vector<FavoriteImportRecord>& GetImportRecords() const { return importRecords_; }

  // --- Writing -------------------------------------------------------------------------------
  // The checklist in the current format: Header, one Color line per definition, one Circle or
  // UnKnown record per entry with colour 0 or more in print order; CP932, CR LF.
  std::string SaveText() const;
  // The older format: the magic line and one circle line per entry (no colour definitions).
  std::string SaveVer1Text() const;
  // Write the text so that the old file survives any failure; answer the error, or none.
  std::error_code Save(const std::filesystem::path& path) const;
  std::error_code SaveVer1(const std::filesystem::path& path) const;
  // The file LoadFile last read, or Save or SaveVer1 last wrote, as it was then; none before.
  const std::optional<ChecklistFileStamp>& LastFileStamp() const { return lastFileStamp_; }
  // One Circle (catalogue circle) or UnKnown (negative id) record, without line end.
  void FormatRecord(const FavoriteEntry& entry, std::string& out) const;
  // The older format's pieces, each appended without line end.
  void AppendVer1Header(std::string& out) const;
  void FormatVer1Line(std::string& out, const CircleRecord& record, int color) const;
  void FormatVer1Entry(std::string& out, const FavoriteEntry& entry) const;
  // Clipboard text of a selection: a circle of the store keeps its check colour (a memo-only one
  // takes `color`); other circles are read from the catalogue and written with `color`.
  void CopyAsVer1Text(std::string& out, std::span<const int> circleIds, int color) const;

  // --- Reading ---------------------------------------------------------------------------------
  // Reads a checklist file or text (either format) into import rows and colour definitions, which
  // wait for CommitImportRecords: the entries and colours stay as they are until then, and a read
  // that is never committed changes nothing. A read that does not append replaces the checklist
  // at the commit, and only when the text proved readable (status 0). Colour records are taken
  // unless appending without takeColors. Answers whether the text belongs to the current event
  // (then its rows need no confirmation). A file is read only when it is a regular file of at
  // most kMaxChecklistFileBytes.
  bool LoadFile(const std::filesystem::path& path, bool append, bool takeColors,
                const ReadProgress& progress = {});
  bool LoadText(std::string_view text, bool append, bool takeColors,
                const ReadProgress& progress = {});
  // What LoadFile would make of the file before reading it: kReadDone when it would read it,
  // kReadNothing when it cannot be opened, kReadTooLarge, kReadNotAFile. Nothing blocks.
  static int CheckFile(const std::filesystem::path& path);
  bool IsSameEvent() const;
  int ReadStatus() const { return readStatus_; }
  // The event the last text read named; 0 when it named none.
  int GetFileEventNo() const { return fileEventNo_; }
  // Cancel of a read: it stops before the next record, keeping what it read; a stop raised before
  // the read starts stops it at once. A stop holds for one read. Any thread.
  void RequestStop() { stopRequested_ = true; }
  // Drops a stop that no read has taken (a Cancel that came as an earlier read ended); called
  // before a read is handed to a worker, never by the read itself.
  void ForgetStop() { stopRequested_ = false; }
  // Whether a text match needs the pen name too ("StrictLoad"); set before every load.
  void SetStrictMatch(bool strict) { strictMatch_ = strict; }

 private:
  using EntryMap = std::map<int, FavoriteEntry>;
  using EntryIndex = std::unordered_map<int, FavoriteEntry*>;
  using CircleRecords = CircleReadAhead::Records;

  FavoriteEntry& Insert(int circleId, CircleRecord record, int color);
  static void ApplyColor(FavoriteEntry& entry, int color, bool keepMemoOfAnyCircle);
  std::vector<const FavoriteEntry*> GetEntriesInPrintOrder() const;
  int BoundColor(int color) const;
  // `stop`, when given and set, ends the read at its next row (a failed read).
  bool ReadCatalogueCircles(const std::vector<int>& ids, CircleRecords& records,
                            const std::atomic<bool>* stop = nullptr) const;
  bool TakeCatalogueRecord(int circleId, CircleRecords* fetched, CircleRecord& record) const;
  void CommitRow(const FavoriteImportRecord& row, bool replaceMemos, bool takeFileColors,
                 CircleRecords* fetched, EntryIndex& entries);
  void KeepFeedText(int circleId, const FavoriteImportRecord& row);

  // Writing helpers (FavoriteStoreWrite.cpp).
  std::error_code WriteStamped(const std::filesystem::path& path, std::string_view text) const;
  void FormatCircleRecord(const FavoriteEntry& entry, std::string& out) const;
  void FormatUnknownRecord(const FavoriteEntry& entry, std::string& out) const;

  // Reading helpers (FavoriteStoreRead.cpp).
  enum class ReadMode { kCurrent, kOlder };
  struct ReadState;
  void Parse(std::string_view text, bool append, bool takeColors, const ReadProgress& progress,
             int total);
  static bool IsDamagedText(std::string_view read, const CsvReader& reader);
  ReadMode StartRead(IFile& source, CsvReader& reader);
  bool AcceptHeader(CsvReader& reader);
  // A line after the header or magic line; false when it is no record, which fails the read.
  bool ReadRecord(const CsvReader& reader, ReadMode mode, ReadState& state);
  void ReadCircleRecord(const CsvReader& reader);
  void ReadUnknownRecord(const CsvReader& reader);
  void ReadOlderLine(const CsvReader& reader);
  int FindCircleByCut(int page, int cut) const;
  void ReadColorRecord(const CsvReader& reader, ReadState& state) const;
  void FinishRead(const ReadState& state);

  // Candidates for a circle of another event, tried in this order until one finds any: the
  // Twitter text, the Pixiv text, (name or kana) with the pen name, and without strict matching
  // name, kana or pen name alone. Answers the number of candidates now held.
  int MatchCircleByText(std::string_view name, std::string_view kana, std::string_view penName,
                        std::string_view twitter, std::string_view pixiv);
  // Keeps one record with its candidates; the read turns them into import rows when it ends
  // (BuildImportRecords): none (or none the catalogue can read) -> a row adding an unknown
  // circle; one -> a row registering it; several -> one row per candidate and a skip row, as a
  // group. The rows are made at once, in room taken once: a load may bring a great many.
  void AddImportRecords(int color, const ImportFileTexts& texts);
  void BuildImportRecords();
  struct PendingRecord {
    int color = 0;
    ImportFileTexts texts;
    std::vector<int> candidateIds;
  };
  // A candidate and the four texts its rows show (name, pen name, genre, description), shared by
  // every row that proposes it.
  struct Candidate {
    int id = 0;
    std::shared_ptr<ImportCandidateTexts> texts;
  };
  using SharedCandidates = std::unordered_map<int, std::shared_ptr<ImportCandidateTexts>>;
  static void FillImportRows(PendingRecord& record, std::span<const Candidate> candidates,
                             FavoriteImportRecord* rows);
  std::optional<Candidate> FindCandidate(int circleId, CircleRecords& read,
                                         SharedCandidates& shared) const;
  CircleRecords ReadUnindexedCandidates() const;
  void PrefetchCandidates(const std::vector<Candidate>& candidates);

  PavorunDatabase& database_;
  EntryMap entries_;
  // What the last readable read applies at its commit besides its rows.
  bool pendingReplace_ = false;
  std::vector<std::pair<int, FavoriteColor>> pendingColors_;
  std::vector<int> candidateIds_;
  std::map<int, FavoriteColor> colors_;
  std::atomic<bool> stopRequested_{false};
  int readStatus_ = kReadNothing;
  int lastUnknownId_ = INT_MIN;
  bool strictMatch_ = true;
  int fileEventNo_ = 0;
  int colorCount_ = kDefaultColorCount;
  mutable std::optional<ChecklistFileStamp> lastFileStamp_;  // writing leaves the checklist as is
  std::vector<FavoriteImportRecord> importRecords_;
  std::vector<PendingRecord> pendingRecords_;  // of the read going on
  CircleTextIndex textIndex_;
  CircleSerialIndex serialIndex_;
  CircleReadAhead readAhead_;  // the rows' circles, for the commit; goes first
};

}  // namespace vx
