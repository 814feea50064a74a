#include "data/PavorunDatabase.h"

#include "data/CircleFileParser.h"
#include "data/CirclePlaces.h"
#include "data/DefinitionFileParser.h"
#include "data/ImportProgress.h"
#include "data/LayoutFileParser.h"
#include "data/RowColumns.h"
#include "data/SqlText.h"
#include "data/TextLineReader.h"
#include "data/UpdateFileApplier.h"
#include "data/Weekday.h"
#include "platform/CodePage.h"

#include <sqlite3.h>

namespace vx {
namespace {

const std::string& EmptyText() {
  static const std::string empty;
  return empty;
}

// A pass given no file ends at once, as it would at the end of a file, and says why.
ImportStatus NoFile(ImportProgress* progress) {
  if (progress != nullptr) progress->ReportProgress(-1);
  ImportStatus status;
  status.Refuse(Sjis("読み込むファイルがありません."));
  return status;
}

void GetMemoFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  const auto* db = static_cast<const PavorunDatabase*>(sqlite3_user_data(context));
  const std::string& memo = db->GetCircleMemo(sqlite3_value_int(argv[0]));
  sqlite3_result_text(context, memo.c_str(), static_cast<int>(memo.size()), SQLITE_TRANSIENT);
}

}  // namespace

PavorunDatabase::PavorunDatabase(const std::filesystem::path& folder, int mode)
    : PavorunDatabase(folder, kFileName, mode) {}

PavorunDatabase::PavorunDatabase(const std::filesystem::path& folder, const std::string& fileName,
                                 int mode)
    : SqliteDatabase(folder, fileName, mode) {
  // The base registered its own functions while this object was not yet complete.
  if (IsOpen()) RegisterFunctions(Connection());
}

PavorunDatabase::~PavorunDatabase() { FreeEventData(); }

const std::string& PavorunDatabase::GetCircleMemo(int id) const {
  const CircleMemoLookup* store = GetFavoriteStore();
  const CircleRecord* record = (store != nullptr && id != 0) ? store->FindCircle(id) : nullptr;
  return record != nullptr ? record->memo : EmptyText();
}

void PavorunDatabase::RegisterFunctions(sqlite3* connection) {
  SqliteDatabase::RegisterFunctions(connection);
  if (connection == nullptr) return;
  sqlite3_create_function_v2(connection, "getMemo", 1, SQLITE_UTF8, this, GetMemoFunction, nullptr,
                             nullptr, nullptr);
}

void PavorunDatabase::FreeEventData() {
  jumpIndex_.Clear();
  layout_.FreeGrid();
  PavorunMaster* masters[] = {&dates_, &maps_, &areas_, &blocks_, &genres_};
  for (PavorunMaster* master : masters) master->FreeRows();
}

void PavorunDatabase::SelectEvent(int eventNo) {
  FreeEventData();
  eventNo_ = eventNo;
  if (IsOpen()) LoadEventData();
}

void PavorunDatabase::LoadEventData() {
  info_.ReadEventInfo(eventInfo_);
  dates_.Load();
  maps_.Load();
  areas_.Load();
  blocks_.Load();
  genres_.Load();
  mapOfBlock_.blockId = -1;
  layout_.LoadGrid();
  areas_.FindBlocksInPrintRanges(layout_.Desks(), blocks_);
  // One pass over the circle table serves the statistics, the area counts and the jump index.
  CirclePlaces places;
  places.Read(*this, eventNo_);
  circles_.LoadStatistics(places);
  areas_.CountCircles(places, blocks_);
  jumpIndex_.Build({places, dates_.Count(), genres_.Count(), areas_.Count(), blocks_});
}

int PavorunDatabase::CountEvents() {
  int count = 0;
  Exec(RowFirstColumnInt, &count, "select count(*) from PavorunInfo;");
  return count;
}

int PavorunDatabase::ListEventNumbers(std::vector<int>& numbers) {
  return Exec(RowAppendInt, &numbers, "select pavorunNo from PavorunInfo order by pavorunNo;");
}

bool PavorunDatabase::HasCircles(int eventNo) {
  int count = 0;
  ExecPrintf(RowFirstColumnInt, &count, "select count(*) from PavorunCircle where pavorunNo=%d;",
             eventNo);
  return count > 0;
}

int PavorunDatabase::ClearEventTables() {
  PavorunTable* tables[] = {&info_,   &dates_,  &maps_,    &areas_, &blocks_,
                            &genres_, &layout_, &circles_, &jiko_};
  int first = 0;
  for (PavorunTable* table : tables) {
    const int rc = table->ClearEvent();
    if (first == 0) first = rc;
  }
  return first;
}

void PavorunDatabase::FirstCutOrStart(const FirstCutEntry* entry, int& page, int& cut) const {
  if (entry != nullptr) {
    page = entry->pageNo;
    cut = entry->cutIndex;
  } else {
    page = GetFirstPage();
    cut = 1;
  }
}

const std::string& PavorunDatabase::GetDayWeekdayName(int d) const {
  const FirstCutEntry* entry = jumpIndex_.Day(d);
  return entry != nullptr ? GetWeekdayLongName(GetWeekdayOfDay(entry->id)) : EmptyText();
}

void PavorunDatabase::GetDayFirstCut(int d, int& page, int& cut) const {
  FirstCutOrStart(jumpIndex_.Day(d), page, cut);
}

const std::string& PavorunDatabase::GetGenreIndexName(int g) const {
  const FirstCutEntry* entry = jumpIndex_.Genre(g);
  return entry != nullptr ? genres_.GetRow(entry->id) : EmptyText();
}

void PavorunDatabase::GetGenreFirstCut(int g, int& page, int& cut) const {
  FirstCutOrStart(jumpIndex_.Genre(g), page, cut);
}

const std::string& PavorunDatabase::GetDayBlockName(int d, int k) const {
  const FirstCutEntry* entry = jumpIndex_.DayBlock(d, k);
  return entry != nullptr ? blocks_.GetRow(entry->id) : EmptyText();
}

void PavorunDatabase::GetDayBlockFirstCut(int d, int k, int& page, int& cut) const {
  FirstCutOrStart(jumpIndex_.DayBlock(d, k), page, cut);
}

int PavorunDatabase::GetDayBlockId(int d, int k) const {
  const FirstCutEntry* entry = jumpIndex_.DayBlock(d, k);
  return entry != nullptr ? entry->id : 0;
}

const std::string& PavorunDatabase::GetDayAreaName(int d, int k) const {
  const FirstCutEntry* entry = jumpIndex_.DayArea(d, k);
  return entry != nullptr ? areas_.GetRow(entry->id) : EmptyText();
}

void PavorunDatabase::GetDayAreaFirstCut(int d, int k, int& page, int& cut) const {
  FirstCutOrStart(jumpIndex_.DayArea(d, k), page, cut);
}

void PavorunDatabase::SetRecordGenreName(CircleRecord& record) const {
  record.genreName = genres_.GetRow(record.genreId);
}

int PavorunDatabase::GetCircleIdAtMapPoint(int x, int y, int mapId, int day) {
  int blockId = 0;
  int spaceNo = 0;
  int half = 0;
  layout_.HitTest(x, y, mapId, blockId, spaceNo, half);
  // Without a desk the lookup would find the unplaced circles (block 0, space 0).
  if (blockId == 0) return 0;
  return circles_.FindIdBySpace(day, blockId, spaceNo, half);
}

void PavorunDatabase::GetPageInfo(int page, int& minId, int& maxId, int& genreId) {
  minId = 0;
  maxId = 0;
  genreId = 0;
  ExecRows(FormatSql("select MIN(id),MAX(id) from PavorunCircle where pavorunNo=%d and pageNo=%d;",
                     eventNo_, page),
           [&](int n, char** columns) {
             minId = ColumnInt(n, columns, 0);
             maxId = ColumnInt(n, columns, 1);
             return 0;
           });
  ExecPrintf(RowFirstColumnInt, &genreId,
             "select genreId,count(genreId) cnt from PavorunCircle where pavorunNo=%d and "
             "pageNo=%d group by genreId order by cnt desc limit 1;",
             eventNo_, page);
}

int PavorunDatabase::GetMaxSpaceNo(int day, int blockId) {
  int maxSpace = 0;
  ExecPrintf(RowFirstColumnInt, &maxSpace,
             "select MAX(spaceNo) from PavorunCircle where pavorunNo=%d and day=%d and "
             "blockId=%d;",
             eventNo_, day, blockId);
  return maxSpace;
}

int PavorunDatabase::GetMapIdOfBlock(int blockId) {
  MapOfBlockCache& cache = mapOfBlock_;
  if (blockId != cache.blockId || blocks_.Generation() != cache.blockGeneration ||
      areas_.Generation() != cache.areaGeneration) {
    cache = {blockId, areas_.GetMapId(blocks_.GetAreaId(blockId)), blocks_.Generation(),
             areas_.Generation()};
  }
  return cache.mapId;
}

const std::string& PavorunDatabase::GetAreaSimpleNameOfBlock(int blockId) const {
  return areas_.GetSimpleName(blocks_.GetAreaId(blockId));
}

const std::string& PavorunDatabase::GetAreaNameOfBlock(int blockId) const {
  return areas_.GetRow(blocks_.GetAreaId(blockId));
}

// Position in half-desks, folded so that 2q counts up and 2q+1 counts down from 0.
int PavorunDatabase::DeskIndex(int position, int deskSize) {
  const int halfDesk = deskSize / 2;
  if (halfDesk == 0) return 0;
  const int q = position / halfDesk;
  return q % 2 == 0 ? q / 2 : -(q / 2);
}

int PavorunDatabase::GetSpaceDeskColumn(int blockId, int spaceNo) const {
  return DeskIndex(GetSpaceX(blockId, spaceNo), eventInfo_.mapSizeW);
}

int PavorunDatabase::GetSpaceDeskRow(int blockId, int spaceNo) const {
  return DeskIndex(GetSpaceY(blockId, spaceNo), eventInfo_.mapSizeH);
}

ImportStatus PavorunDatabase::ImportDefinitionFile(std::FILE* file, ImportProgress* progress) {
  if (file == nullptr) return NoFile(progress);
  return DefinitionFileParser(*this).Parse(file, progress);
}

ImportStatus PavorunDatabase::ImportLayoutFile(std::FILE* file, ImportProgress* progress) {
  if (file == nullptr) return NoFile(progress);
  return LayoutFileParser(*this).Parse(file, progress);
}

int PavorunDatabase::BeginCircleImport() {
  nextCircleId_ = 1;
  PavorunMaster* masters[] = {&dates_, &maps_, &areas_, &blocks_, &genres_};
  for (PavorunMaster* master : masters) master->Load();
  return DeleteEventCircles();
}

ImportStatus PavorunDatabase::ImportCircleFile(std::FILE* file, ImportProgress* progress) {
  return ImportCircles(file, progress, &CircleFileParser::ParseCircleLine);
}

ImportStatus PavorunDatabase::ImportDayCircleFile(std::FILE* file, ImportProgress* progress) {
  return ImportCircles(file, progress, &CircleFileParser::ParseDayCircleLine);
}

ImportStatus PavorunDatabase::ImportCircles(std::FILE* file, ImportProgress* progress,
                                            int (CircleFileParser::*parseLine)(TextLineReader&)) {
  if (file == nullptr) return NoFile(progress);
  circleStop_ = false;
  TextLineReader reader(file);
  // A parser per file: the half-space rule compares with the last space of the same file only.
  CircleFileParser parser(*this);
  for (int index = 0; !parser.Status().Failed(); ++index) {
    if ((parser.*parseLine)(reader) < 0) break;
    ++nextCircleId_;
    if (progress != nullptr && index % 10 == 0) progress->ReportProgress(index);
    if (circleStop_) break;
  }
  if (progress != nullptr) progress->ReportProgress(-1);
  return parser.Status();
}

ImportStatus PavorunDatabase::ApplyUpdateFile(std::FILE* file, ImportProgress* progress) {
  if (file == nullptr) return NoFile(progress);
  return UpdateFileApplier(*this).Apply(file, progress);
}

}  // namespace vx
