// The catalogue as the rest of the program sees it: the database file "vindaxel96.db" with its nine
// tables, one current event with its information record, masters, layout grid and jump index, and
// the SQL function getMemo(id) that reads memos from the checklist store.
#pragma once

#include "data/CatalogJumpIndex.h"
#include "data/CircleMemoLookup.h"
#include "data/CircleRecord.h"
#include "data/EventInfo.h"
#include "data/ImportStatus.h"
#include "data/PavorunAreaMaster.h"
#include "data/PavorunBlockMaster.h"
#include "data/PavorunCircleTable.h"
#include "data/PavorunDateMaster.h"
#include "data/PavorunGenreMaster.h"
#include "data/PavorunInfoTable.h"
#include "data/PavorunJikoTable.h"
#include "data/PavorunLayoutTable.h"
#include "data/PavorunMapMaster.h"
#include "data/SqliteDatabase.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace vx {

class CircleFileParser;
class ImportProgress;
class TextLineReader;

class PavorunDatabase : public SqliteDatabase {
 public:
  static constexpr const char* kFileName = "vindaxel96.db";

  // Opens folder/"vindaxel96.db" (mode 0 read-write, else read-only). No event is current until
  // SelectEvent.
  explicit PavorunDatabase(const std::filesystem::path& folder, int mode = kReadWrite);
  // The same on a catalogue file of another name (developer tools).
  PavorunDatabase(const std::filesystem::path& folder, const std::string& fileName, int mode);
  ~PavorunDatabase() override;

  // Events.
  int GetEventNo() const { return eventNo_; }
  // Makes `eventNo` the number every statement names without loading anything (the import sets
  // it before it inserts an event's rows, then selects the event).
  void SetEventNo(int eventNo) { eventNo_ = eventNo; }
  // Makes `eventNo` current and loads its information, masters, grid, statistics and jump index.
  void SelectEvent(int eventNo);
  int CountEvents();
  // The stored event numbers, ascending; answers the statement's result code.
  int ListEventNumbers(std::vector<int>& numbers);
  bool HasCircles(int eventNo);
  // ClearEvent on all nine tables (creating those that are missing); the first failure's code.
  int ClearEventTables();

  const EventInfo& GetEventInfo() const { return eventInfo_; }
  EventInfo& GetEventInfo() { return eventInfo_; }

  // The checklist store that getMemo and the search read; not owned, null until handed over.
  void SetFavoriteStore(const CircleMemoLookup* store) { favoriteStore_.store(store); }
  const CircleMemoLookup* GetFavoriteStore() const { return favoriteStore_.load(); }
  // What getMemo(id) answers: the store's memo of the circle, "" when it holds none.
  const std::string& GetCircleMemo(int id) const;

  // Jump index (d, g, k 1-based). Out of range: "" for names, 0 for counts and ids, and the
  // event's first page with cut 1 for first cuts.
  int GetDayCount() const { return jumpIndex_.DayCount(); }
  const std::string& GetDayWeekdayName(int d) const;
  void GetDayFirstCut(int d, int& page, int& cut) const;
  int GetGenreIndexCount() const { return jumpIndex_.GenreCount(); }
  const std::string& GetGenreIndexName(int g) const;
  void GetGenreFirstCut(int g, int& page, int& cut) const;
  int GetDayBlockCount(int d) const { return jumpIndex_.DayBlockCount(d); }
  const std::string& GetDayBlockName(int d, int k) const;
  void GetDayBlockFirstCut(int d, int k, int& page, int& cut) const;
  int GetDayBlockId(int d, int k) const;
  int FindDayBlockIndex(int d, int blockId) const {
    return jumpIndex_.FindDayBlockIndex(d, blockId);
  }
  int GetDayAreaCount(int d) const { return jumpIndex_.DayAreaCount(d); }
  const std::string& GetDayAreaName(int d, int k) const;
  int FindDayAreaIndex(int d, int areaId) const { return jumpIndex_.FindDayAreaIndex(d, areaId); }
  void GetDayAreaFirstCut(int d, int k, int& page, int& cut) const;

  // Circles and pages of the current event.
  int GetMaxCircleId() const { return circles_.GetMaxId(); }  // 0: the event has no circles
  int GetFirstPage() const { return circles_.GetFirstPage(); }
  int GetLastPage() const { return circles_.GetLastPage(); }
  int GetCutsPerPage() const { return circles_.GetCutsPerPage(); }
  int FindPageFrom(int page) { return circles_.FindPageFrom(page); }
  int GetNextPage(int page) { return circles_.GetNextPage(page); }
  int GetPrevPage(int page) { return circles_.GetPrevPage(page); }
  bool SelectCircle(CircleRecord& record, int id) { return circles_.SelectById(record, id); }
  void SelectPageCircles(int page, std::span<CircleRecord> rows) {
    circles_.SelectPage(rows, page);
  }
  int FindCircleIdByCut(int page, int cut) { return circles_.FindIdByCut(page, cut); }
  int FindCircleIdByUpdateId(int updateId) { return circles_.FindIdByUpdateId(updateId); }
  // record.genreName = the genre master's name of record.genreId (empty for an unknown genre).
  void SetRecordGenreName(CircleRecord& record) const;
  // The circle at a point of the hall map on that day; 0 when no desk or no circle is there.
  int GetCircleIdAtMapPoint(int x, int y, int mapId, int day);
  // Smallest and largest circle id of the page and the genre with most circles on it (all 0 first).
  void GetPageInfo(int page, int& minId, int& maxId, int& genreId);
  int GetMaxSpaceNo(int day, int blockId);
  // The errata image number of a desk half; -1 when none.
  int GetJikoNo(int day, int blockId, int spaceNo, int spaceNoSub) {
    return jiko_.FindJikoNo(day, blockId, spaceNo, spaceNoSub);
  }

  // Masters and layout of the current event.
  int GetDateCount() const { return dates_.Count(); }
  int GetMapCount() const { return maps_.Count(); }
  int GetGenreCount() const { return genres_.Count(); }
  int GetWeekdayOfDay(int d) const { return dates_.GetWeekday(d); }
  int GetDateOfDay(int d) const { return dates_.GetDayOfMonth(d); }
  const std::string& GetBlockName(int blockId) const { return blocks_.GetRow(blockId); }
  int GetAreaIdOfBlock(int blockId) const { return blocks_.GetAreaId(blockId); }
  // The map of the block's area; the last block asked and its answer are kept until the block or
  // area master is reloaded.
  int GetMapIdOfBlock(int blockId);
  const std::string& GetAreaSimpleNameOfBlock(int blockId) const;
  const std::string& GetAreaNameOfBlock(int blockId) const;
  const std::string& GetMapName(int mapId) const { return maps_.GetRow(mapId); }
  const std::string& GetMapFilename(int mapId) const { return maps_.GetFilename(mapId); }
  const std::string& GetGenreName(int genreId) const { return genres_.GetRow(genreId); }
  int GetGenreCode(int genreId) const { return genres_.GetCode(genreId); }
  int GetSpaceX(int blockId, int spaceNo) const { return layout_.GetX(blockId, spaceNo); }
  int GetSpaceY(int blockId, int spaceNo) const { return layout_.GetY(blockId, spaceNo); }
  int GetSpaceLayout(int blockId, int spaceNo) const { return layout_.GetLayout(blockId, spaceNo); }
  int GetSpaceAreaId(int blockId, int spaceNo) const { return layout_.GetAreaId(blockId, spaceNo); }
  // Desk column and row of a space as the older checklist format writes them.
  int GetSpaceDeskColumn(int blockId, int spaceNo) const;
  int GetSpaceDeskRow(int blockId, int spaceNo) const;

  // The table objects, for the importers, the update and the print engine.
  PavorunInfoTable& GetInfoTable() { return info_; }
  PavorunLayoutTable& GetLayoutTable() { return layout_; }
  PavorunCircleTable& GetCircleTable() { return circles_; }
  PavorunJikoTable& GetJikoTable() { return jiko_; }
  PavorunDateMaster& GetDateMaster() { return dates_; }
  PavorunMapMaster& GetMapMaster() { return maps_; }
  PavorunAreaMaster& GetAreaMaster() { return areas_; }
  PavorunBlockMaster& GetBlockMaster() { return blocks_; }
  PavorunGenreMaster& GetGenreMaster() { return genres_; }
  const PavorunAreaMaster& GetAreaMaster() const { return areas_; }
  const PavorunMapMaster& GetMapMaster() const { return maps_; }

  // Stop flags of the definition, layout and circle parsers: set by a cancel on the UI thread,
  // cleared and polled by the worker. The circle flag also ends the update apply.
  std::atomic<bool>& GetDefinitionStop() { return definitionStop_; }
  std::atomic<bool>& GetLayoutStop() { return layoutStop_; }
  std::atomic<bool>& GetCircleStop() { return circleStop_; }

  // The id that the next imported or added circle row receives.
  int GetNextCircleId() const { return nextCircleId_; }
  void SetNextCircleId(int id) { nextCircleId_ = id; }

  // Import of the current event's catalogue text files, in the order definition, layout, circles.
  // Each pass reads its open file to the end, clears its stop flag first and stops after the line
  // during which the flag was set; it reports to `progress` (may be null), last with -1. A write
  // the database refuses ends the pass and comes back in the status; a duplicate row is left out.
  // A null file, or contents that would leave a broken catalogue, refuse the pass
  // (ImportStatus::FileRefused).
  ImportStatus ImportDefinitionFile(std::FILE* file, ImportProgress* progress);
  ImportStatus ImportLayoutFile(std::FILE* file, ImportProgress* progress);
  // Before the circle files: next circle id 1, the five masters reloaded, the event's circles
  // deleted (the deletion's result code).
  int BeginCircleImport();
  ImportStatus ImportCircleFile(std::FILE* file, ImportProgress* progress);
  ImportStatus ImportDayCircleFile(std::FILE* file, ImportProgress* progress);
  // Delete the current event's rows of one table (creating the table when it is missing).
  int DeleteEventInfo() { return info_.ClearEvent(); }
  int DeleteEventLayout() { return layout_.ClearEvent(); }
  int DeleteEventCircles() { return circles_.ClearEvent(); }
  // Applies an update file to the current event (circle stop flag; progress every tenth line).
  ImportStatus ApplyUpdateFile(std::FILE* file, ImportProgress* progress);
  // Forgets the remembered map of the last block asked.
  void ResetMapOfBlockCache() { mapOfBlock_.blockId = -1; }

 protected:
  void RegisterFunctions(sqlite3* connection) override;

 private:
  void FreeEventData();
  void LoadEventData();
  void FirstCutOrStart(const FirstCutEntry* entry, int& page, int& cut) const;
  static int DeskIndex(int position, int deskSize);
  ImportStatus ImportCircles(std::FILE* file, ImportProgress* progress,
                             int (CircleFileParser::*parseLine)(TextLineReader&));

  int eventNo_ = 0;
  EventInfo eventInfo_;
  PavorunInfoTable info_{*this};
  PavorunLayoutTable layout_{*this};
  PavorunCircleTable circles_{*this};
  PavorunJikoTable jiko_{*this};
  CatalogJumpIndex jumpIndex_;
  std::atomic<const CircleMemoLookup*> favoriteStore_{nullptr};
  PavorunDateMaster dates_{*this};
  PavorunMapMaster maps_{*this};
  PavorunAreaMaster areas_{*this};
  PavorunBlockMaster blocks_{*this};
  PavorunGenreMaster genres_{*this};
  struct MapOfBlockCache {
    int blockId = -1;
    int mapId = 0;
    unsigned blockGeneration = 0;
    unsigned areaGeneration = 0;
  } mapOfBlock_;
  std::atomic<bool> definitionStop_{false};
  std::atomic<bool> layoutStop_{false};
  std::atomic<bool> circleStop_{false};
  int nextCircleId_ = 0;
};

}  // namespace vx
