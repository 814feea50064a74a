// The circle list over the small sample disc: its cut pictures in the cut column and searches for
// characters that are also trail bytes of double-byte characters.
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "app/ConditionSearch.h"
#include "app/ListColumns.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/SearchCondition.h"
#include "data/images/CatalogImages.h"
#include "platform/Sjis.h"
#include "tests/data/InstalledSampleDisc.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/ui/list/ListedIds.h"
#include "ui/list/CircleListView.h"
#include "ui/list/ListControl.h"
#include "ui/list/ListWindow.h"
#include "ui/search/SearchDialog.h"
#include "ui/widgets/ProgressDialogRunner.h"

namespace {

using vx::CircleListView;
using vx::ListControl;

constexpr int kEvent = 96;

std::unique_ptr<vxtest::InstalledSampleDisc> g_sample;

// Whether `text` holds `c` as a character of its own, not as the second byte of another.
bool HoldsCharacter(const std::string& text, char c) {
  for (std::size_t i = 0; i < text.size(); i += vx::SjisCharLength(text, i)) {
    if (text[i] == c) return true;
  }
  return false;
}

class SampleDiscListTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { g_sample = vxtest::InstalledSampleDisc::Install(); }
  static void TearDownTestSuite() { g_sample.reset(); }

  void SetUp() override {
    if (!g_sample) GTEST_SKIP() << "VX_SAMPLE_DISC is not set";
    images.Open(g_sample->Disc(), kEvent);
    values.eventNumber = kEvent;
    values.listShowCut = 1;
    values.fvrColorNum = 9;
    vx::ResetListColumns(values, kEvent);
    ASSERT_TRUE(controller.Init(&g_sample->Database(), &images, &values));
    ASSERT_GT(controller.GetCutWidth(), 0);
  }

  // Every circle of the event.
  std::vector<vx::CircleRecord> AllCircles() {
    vx::SearchCondition all(g_sample->Database());
    vx::ConditionSearch search(all);
    std::vector<vx::CircleRecord> circles;
    search.Run([&](vx::CircleRecord&& c) { circles.push_back(std::move(c)); });
    return circles;
  }

  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  vx::ProgressDialogRunner progress;
  vx::CatalogController controller{nullptr, {&ui, &progress, nullptr, nullptr, nullptr}};
};

// Each of these is the second byte of some double-byte character ("@" of 機, "\" of ソ and 表,
// "_" of ダ); a keyword of one of them finds only the circles whose texts hold it.
TEST_F(SampleDiscListTest, ACharacterThatIsAlsoATrailByteFindsOnlyTextsHoldingIt) {
  vx::ListWindow window(controller);
  ASSERT_TRUE(controller.RegisterWindow(vx::kListWindowId, &window, "list"));
  const std::vector<vx::CircleRecord> circles = AllCircles();
  ASSERT_GT(circles.size(), 100u);
  std::size_t total = 0;
  for (const char c : {'@', '\\', '_'}) {
    std::vector<int> expected;
    for (const vx::CircleRecord& r : circles) {
      for (const std::string* text :
           {&r.circleName, &r.circleKana, &r.penName, &r.bookName, &r.description, &r.updateData}) {
        if (HoldsCharacter(*text, c)) {
          expected.push_back(r.id);
          break;
        }
      }
    }
    vx::SearchCondition& condition = *controller.GetSearchCondition();
    condition.Reset();
    condition.SetKeywordFields(vx::SearchCondition::DefaultKeywordFields());
    condition.SetMatchAll(true);
    vx::SearchDialog::RunQuickKeywordSearch(&controller, std::string(1, c));
    const std::vector<int> found =
        vxtest::ListedIds(window.View()->List(CircleListView::kSearchResult));
    EXPECT_EQ(found, expected) << c;
    total += found.size();
  }
  EXPECT_GT(total, 0u);
  EXPECT_TRUE(ui.Calls().empty());
}

// White bars left and right of a cut in a cell twice as wide as the cut's shape.
TEST_F(SampleDiscListTest, ACutInACellWiderThanItsShapeIsCentredOnWhite) {
  const int cutWidth = controller.GetCutWidth();
  const int cutHeight = controller.GetCutHeight();
  const int width = cutWidth / 2;
  values.listColumnWidths[vx::ColumnIdCircleCut] = width;
  CircleListView view(controller);
  view.resize(1200, 600);
  view.RequestDayBlock(1, controller.GetDayBlockId(1, 1));
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  view.EnsureModeContent();
  ListControl* list = view.List(CircleListView::kDayBlock);
  ASSERT_GT(list->Model().RowCount(), 0);
  const int cut = view.Columns().CutColumn();
  ASSERT_GT(cut, 0);
  EXPECT_EQ(list->iconSize().height(), cutHeight * width / cutWidth);

  list->setColumnWidth(cut, 2 * width);
  const QImage shot = list->viewport()->grab().toImage();
  const QRect cell = list->GetCellRect(0, cut);
  const int fitted = cutWidth * cell.height() / cutHeight;
  const int bar = (cell.width() - fitted) / 2;
  ASSERT_GT(bar, 4);
  int barInk = 0, cutInk = 0;
  for (int y = cell.top() + 1; y < cell.bottom(); ++y) {
    for (int x = cell.left() + 1; x < cell.left() + bar - 1; ++x) {
      barInk += QColor(shot.pixel(x, y)) != QColor(Qt::white);
      barInk += QColor(shot.pixel(cell.right() - (x - cell.left()), y)) != QColor(Qt::white);
    }
    for (int x = cell.left() + bar + 1; x < cell.left() + bar + fitted - 1; ++x) {
      cutInk += QColor(shot.pixel(x, y)) != QColor(Qt::white);
    }
  }
  EXPECT_EQ(barInk, 0);
  EXPECT_GT(cutInk, fitted * cell.height() / 20);
}

TEST_F(SampleDiscListTest, RowsAreAsHighAsACutAsWideAsTheCutColumnAtMostACut) {
  values.listColumnWidths[vx::ColumnIdCircleCut] = controller.GetCutWidth() * 3;
  CircleListView wide(controller);
  EXPECT_EQ(wide.List(0)->iconSize().height(), controller.GetCutHeight());
  values.listShowCut = 0;
  CircleListView none(controller);
  EXPECT_EQ(none.List(0)->iconSize().height(), 16);
  EXPECT_EQ(none.Columns().CutColumn(), -1);
}

}  // namespace
