// A copy of what a keyword search reads of every circle of one event, kept on the search's
// connection from search to search: the circle rows' numbers and texts as a search hands them
// out, and the keyword columns folded once. A normalised keyword search then matches against the
// folded texts and fills its records from the copy instead of folding and reading the whole
// catalogue on every search.
//
// The SQL function foldedmatch(id, fields, key[, genreName]) answers what the OR of
// ncnt(field, key) over the circle's keyword fields (a SearchCondition field mask) answers: a
// keyword matches within one field, never across the end of one and the start of the next. The
// memo comes from the checklist store as getMemo gives it, the genre name as the statement passes
// it.
//
// The copy is read again when the event differs, when another connection committed a change
// since (PRAGMA data_version), or when that could not be told. One thread at a time uses it.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sqlite3;

namespace vx {

struct CircleRecord;
class PavorunDatabase;
class SqliteConnection;

class EventCircleTexts {
 public:
  static constexpr const char* kFunctionName = "foldedmatch";
  // The circle table's keyword columns: the texts of a circle record.
  static constexpr int kColumnCount = 12;

  // The database (for the checklist memos) outlives the object.
  explicit EventCircleTexts(const PavorunDatabase& database) : database_(database) {}

  // Makes foldedmatch() on `connection` answer from this object.
  int Register(sqlite3* connection);
  // Reads the copy of `event` unless it is read already and unchanged since; 0, the engine's
  // code of a failed read, or 4 when `cancel` was set meanwhile. A failed read leaves none.
  int Prepare(SqliteConnection& connection, int event, const std::atomic<bool>& cancel,
              std::string* error);
  // Forgets the copy (the connection it was read on is gone).
  void Forget();

  // 1 or 0 as the OR of ncnt over the chosen fields answers for circle `id`: nothing (NULL) when
  // no field matches and one of them is NULL (the genre name chosen but not given counts as
  // NULL); -1 when the circle is not in the copy.
  std::optional<int> Match(int id, int fields, std::string_view key,
                           std::optional<std::string_view> genreName) const;
  // The circle's row as CircleRecord::FillFromRow reads it (no genre name, no memo); false when
  // the circle is not in the copy.
  bool FillRecord(int id, CircleRecord& record) const;

 private:
  static constexpr int kNumberCount = 10;  // id, place, genre, updateId, updateFlag
  struct Circle {
    std::array<int, kNumberCount> numbers{};
    std::uint16_t nullSlots = 0;  // bit s: the column in slot s is NULL
    // A folded column ends inside a character, so a walk over the columns end to end would not
    // start the next one on a character start.
    bool ragged = false;
  };

  int Read(SqliteConnection& connection, int event, const std::atomic<bool>& cancel,
           std::string* error);
  std::size_t IndexOf(int id) const;
  static std::string_view Slots(const std::string& texts, const std::vector<std::uint32_t>& offsets,
                                std::size_t index, int firstSlot, int slotCount);
  std::string_view Raw(std::size_t index, int column) const;
  std::string_view Folded(std::size_t index, int slot) const;
  // Whether `key` lies within one of the chosen, non-NULL slots of circle `index`.
  bool MatchesInSlots(std::size_t index, unsigned slots, std::string_view key) const;
  bool MatchesInSlotsOneByOne(std::size_t index, unsigned slots, std::string_view key) const;

  const PavorunDatabase& database_;
  bool loaded_ = false;
  int event_ = 0;
  std::int64_t dataVersion_ = 0;
  std::vector<Circle> circles_;                    // in the table's order
  std::vector<std::pair<int, std::size_t>> byId_;  // (id, index in circles_), ascending
  // Every column of every circle end to end, as stored and folded; slot s of circle i starts at
  // [i * 12 + s].
  std::string raw_;
  std::vector<std::uint32_t> rawOffsets_;
  std::string folded_;
  std::vector<std::uint32_t> foldedOffsets_;
  mutable std::size_t hint_ = 0;  // in byId_: a search's rows arrive in id order
};

}  // namespace vx
