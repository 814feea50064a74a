// The circles of the current event. The object keeps no rows: every request runs a statement. It
// keeps four numbers of the event and the highest space of each block on each day, read by
// LoadStatistics.
#pragma once

#include "data/CircleRecord.h"
#include "data/PavorunTable.h"

#include <map>
#include <span>
#include <string>
#include <utility>

namespace vx {

class CirclePlaces;

class PavorunCircleTable : public PavorunTable {
 public:
  using PavorunTable::PavorunTable;

  const char* TableName() const override { return "PavorunCircle"; }
  const std::string& CreateText() const override;

  // Reads the largest id, first page (smallest pageNo above 0), last page and cuts per page
  // (largest cutIndex); 0 for each when there is none. -1 without a database.
  int LoadStatistics();
  // The same from the event's circles already read.
  void LoadStatistics(const CirclePlaces& places);
  int GetMaxId() const { return maxId_; }
  int GetFirstPage() const { return firstPage_; }
  int GetLastPage() const { return lastPage_; }
  int GetCutsPerPage() const { return cutsPerPage_; }
  // MAX(spaceNo) of the circles of each (day, blockId).
  const std::map<std::pair<int, int>, int>& GetMaxSpaces() const { return maxSpaces_; }

  // True when the circle exists (the record then carries its genre name); the record's id is 0
  // otherwise.
  bool SelectById(CircleRecord& record, int id);
  // Fills rows[cutIndex - 1] with the page's circles; every record is first cleared
  // (id 0, no texts) and gets updateId 0.
  // Circles whose cut lies outside 1..min(cutsPerPage, rows.size()) are skipped, and a page
  // outside firstPage..lastPage leaves every record empty.
  void SelectPage(std::span<CircleRecord> rows, int page);

  // Ids by place; 0 when none.
  int FindIdByCut(int page, int cutIndex);
  int FindIdBySpace(int day, int blockId, int spaceNo, int spaceNoSub);
  int FindIdByUpdateId(int updateId);

  // Page navigation; 0 when there is no such page.
  int FindPageFrom(int page);  // the first page >= page with circles
  int GetNextPage(int page);
  int GetPrevPage(int page);

  // Inserts a circle row from the record's place, texts and updateId (memo written empty,
  // updateFlag 0).
  int InsertRow(const CircleRecord& record);
  // Replaces the contact and information texts of circle record.id and sets updateFlag to 1.
  int UpdateCircle(const CircleRecord& record);

 private:
  int QueryInt(const std::string& sql, int initial);

  int maxId_ = 0;
  int firstPage_ = 0;
  int lastPage_ = 0;
  int cutsPerPage_ = 0;
  std::map<std::pair<int, int>, int> maxSpaces_;
};

}  // namespace vx
