// A checklist loaded in the program reaches every window, handed over in runs: afterwards the
// checklist window lists every checked circle on its day's tab in the file's order with its colour
// and memo, the circle list shows every circle's colour and memo, the hall map shows what the
// checklist paints on it, the detail window shows the current circle's colour and memo; and the
// checklist saved then is byte for byte the one the windows leave when they hear every entry one
// message at a time. A quit while the checklist is applied ends the walk there.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <QTimer>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/ApplicationCore.h"
#include "app/CatalogController.h"
#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "data/SearchCondition.h"
#include "data/images/CutDrawing.h"
#include "platform/CodePage.h"
#include "program/VindaxelApplication.h"
#include "res/ResourceIds.h"
#include "tests/program/SampleProfile.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/checklist/ChecklistView.h"
#include "ui/checklist/ChecklistWindow.h"
#include "ui/detail/DetailView.h"
#include "ui/detail/DetailWindow.h"
#include "ui/list/CircleListView.h"
#include "ui/list/ListControl.h"
#include "ui/list/ListWindow.h"
#include "ui/map/HallMapView.h"
#include "ui/main/MainWindow.h"
#include "ui/map/HallMapWindow.h"
#include "ui/detail/MemoEdit.h"

namespace {

namespace fs = std::filesystem;

struct Entry {
  int id = 0;
  int color = 0;
  std::string memo;  // CP932
};

class ChecklistApplyTest : public vxtest::SampleProgramTest {
 protected:
  void StartProgram() {
    program = std::make_unique<vx::VindaxelApplication>(std::vector<std::string>{});
    ASSERT_TRUE(program->Start());
    vx::CatalogController& c = Controller();
    c.ShowRegisteredWindow(program->GetMapWindow());
    c.ShowRegisteredWindow(program->GetListWindow());
    c.GetSearchCondition()->Reset();
    c.RequestSearch();  // every circle in the circle list
  }
  vx::CatalogController& Controller() { return *program->GetCore()->Controller(); }
  vx::FavoriteStore& Store() { return *Controller().GetFavoriteStore(); }

  // Every circle in an order of its own, colours 1 to 9, memos on every third, every tenth memo
  // only, the current circle among them; and a circle the catalogue does not hold. The checklist
  // is then emptied again.
  fs::path WriteChecklist() {
    const int circles = Controller().GetDatabase()->GetMaxCircleId();
    for (int k = 0; k < circles; ++k) {
      const int id = 1 + (k * 37) % circles;
      const int color = k % 10 == 9 ? 0 : 1 + k % 9;
      if (!Store().SetColor(id, color)) continue;
      if (k % 3 == 0 || color == 0) Store().SetMemo(id, vx::Sjis("メモ") + std::to_string(k));
    }
    Store().SetColor(Controller().GetCurrentCircle().id, 3);
    Store().SetMemo(Controller().GetCurrentCircle().id, vx::Sjis("今のサークル"));
    vx::CircleRecord unknown;
    unknown.circleName = "Elsewhere";
    unknown.memo = "u";
    Store().AddUnknownCircle(4, unknown);
    const fs::path file = root.Path() / "every.csv";
    EXPECT_FALSE(Store().Save(file));
    Store().ForEachInPrintOrder([this](const vx::FavoriteEntry& e) {
      written.push_back({e.record.id, e.color, e.record.memo});
      return true;
    });
    Controller().NewChecklist(true);
    return file;
  }

  std::string ColorName(int color) {
    if (color < 1) return "";
    const char* name = Controller().GetColorName(color - 1, vx::CatalogController::kChecklistColor);
    return name ? name : "";
  }
  std::string MemoOf(int id) { return Controller().GetCircleMemo(id); }

  std::unique_ptr<vx::VindaxelApplication> program;
  std::vector<Entry> written;  // in the file's order
};

TEST_F(ChecklistApplyTest, EveryWindowShowsEveryEntryAndTheSavedFileIsThatOfOneByOne) {
  StartProgram();
  const fs::path file = WriteChecklist();
  ASSERT_EQ(Controller().LoadChecklist(file, false), 1);
  QApplication::processEvents();
  ASSERT_EQ(Store().GetEntryCount(), static_cast<int>(written.size()));

  // The checklist window: each day's checked circles in the file's order, coloured, with memos.
  vx::ChecklistView* checklist = program->GetChecklistWindow()->View();
  const int memoColumn = checklist->Columns().MemoColumn();
  ASSERT_GT(memoColumn, 0);
  std::map<int, std::vector<int>> expectedTabs;
  for (const Entry& e : written) {
    vx::CircleRecord circle;
    ASSERT_TRUE(Controller().GetCircle(e.id, &circle));
    const int day = circle.day;
    const int days = checklist->DayCount();
    const int tab = day < 0 ? days + 1 : day == 0 ? days : day - 1;
    if (e.color >= 1) expectedTabs[tab].push_back(e.id);
  }
  std::size_t rows = 0;
  for (int tab = 0; tab < checklist->TabCount(); ++tab) {
    const vx::ListModel& model = checklist->List(tab)->Model();
    std::vector<int> ids;
    for (int row = 0; row < model.RowCount(); ++row) {
      const vx::ListRow& r = model.Row(row);
      ids.push_back(r.record.circleId);
      EXPECT_EQ(r.cells[0], ColorName(Store().GetColor(r.record.circleId))) << r.record.circleId;
      EXPECT_EQ(r.cells[memoColumn], MemoOf(r.record.circleId)) << r.record.circleId;
    }
    EXPECT_EQ(ids, expectedTabs[tab]) << "tab " << tab;
    rows += ids.size();
  }
  EXPECT_GT(rows, 250u);

  // The circle list: every circle's colour and memo.
  vx::CircleListView* list = program->GetListWindow()->View();
  const vx::ListModel& listed = list->List(vx::CircleListView::kSearchResult)->Model();
  ASSERT_EQ(listed.RowCount(), Controller().GetDatabase()->GetMaxCircleId());
  for (int row = 0; row < listed.RowCount(); ++row) {
    const vx::ListRow& r = listed.Row(row);
    const int color = std::max(Store().GetColor(r.record.circleId), 0);
    EXPECT_EQ(r.record.color, color) << r.record.circleId;
    EXPECT_EQ(r.cells[0], ColorName(color)) << r.record.circleId;
    EXPECT_EQ(r.cells[list->Columns().MemoColumn()], MemoOf(r.record.circleId));
  }

  // The hall map: what the runs painted is what the whole checklist paints, on screen too.
  vx::HallMapView* map = program->GetMapWindow()->View();
  const QImage painted = map->Picture().CheckLayer();
  const QImage shown = map->viewport()->grab().toImage();
  ASSERT_FALSE(painted.isNull());
  map->RebuildCheckLayerAll();
  EXPECT_EQ(painted, map->Picture().CheckLayer());
  EXPECT_EQ(shown, map->viewport()->grab().toImage());
  int checkedPixels = 0;
  for (int y = 0; y < painted.height(); ++y) {
    for (int x = 0; x < painted.width(); ++x) {
      checkedPixels += (painted.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    }
  }
  EXPECT_GT(checkedPixels, 0);

  // The detail window: the current circle's colour mark and memo.
  vx::DetailView* detail = program->GetDetailWindow()->View();
  ASSERT_EQ(detail->Circle().id, Controller().GetCurrentCircle().id);
  EXPECT_EQ(detail->MemoBox()->toPlainText().toStdString(), "今のサークル");
  vx::CutRect mark{detail->CutArea().x(), detail->CutArea().y(), detail->CutArea().width(),
                   detail->CutArea().height()};
  vx::CutMarkRect(mark);
  const QRgb markPixel =
      detail->viewport()->grab().toImage().pixel(mark.x + mark.w / 2, mark.y + mark.h / 2);
  const std::uint32_t ref = Controller().GetColorValue(2, vx::CatalogController::kChecklistColor);
  EXPECT_EQ(markPixel & 0xFFFFFF, ((ref & 0xFF) << 16) | (ref & 0xFF00) | ((ref >> 16) & 0xFF));

  // The same checklist heard one message at a time, as every window heard it before the runs.
  const std::string saved = Store().SaveText();
  Controller().NewChecklist(true);
  ASSERT_TRUE(Store().LoadFile(file, false, true));  // of this event: no confirmation
  Store().CommitImportRecords(false, false);
  std::vector<std::pair<int, int>> walk;
  Store().ForEachInPrintOrder([&](const vx::FavoriteEntry& e) {
    walk.emplace_back(e.color, e.record.id);
    return true;
  });
  Controller().Broadcast(UM_CHECKLIST_RESET, 0, 0);
  for (const auto& [color, id] : walk) {
    Controller().Broadcast(UM_CIRCLE_CHECKED, static_cast<vx::WParam>(color), id);
    Controller().Broadcast(UM_CHECKLIST_ENTRY_CHANGED, 0, id);
  }
  EXPECT_EQ(Store().SaveText(), saved);
}

// Closing the program while the checklist is applied: the walk ends at the next run, and the
// program closes as it does with any other work.
TEST_F(ChecklistApplyTest, AQuitDuringTheWalkEndsIt) {
  StartProgram();
  const fs::path file = WriteChecklist();
  vx::ChecklistView* checklist = program->GetChecklistWindow()->View();
  bool closed = false;
  QObject::connect(&checklist->List(0)->Model(), &QAbstractItemModel::rowsInserted, [&] {
    if (std::exchange(closed, true)) return;
    program->Close();
  });
  vxtest::Watchdog watchdog(30000);
  QTimer::singleShot(0, [&] { Controller().LoadChecklist(file, false); });
  EXPECT_EQ(program->Run(), 0);
  EXPECT_TRUE(closed);
  EXPECT_FALSE(program->GetMainWindow()->isVisible());
  EXPECT_FALSE(Controller().GetGuard().IsRaised());
  int rows = 0;
  for (int tab = 0; tab < checklist->TabCount(); ++tab) {
    rows += checklist->List(tab)->Model().RowCount();
  }
  int checked = 0;
  for (const Entry& e : written) checked += e.color >= 1;
  EXPECT_GT(rows, 0);
  EXPECT_LT(rows, checked);  // the runs after the quit never came
}

}  // namespace
