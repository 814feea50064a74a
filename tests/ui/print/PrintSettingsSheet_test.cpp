// The print settings sheet on a small catalogue: the page it opens on, OK and Cancel, the
// preview buttons, the page breaks the list and map pages offer, the leader colours, the
// density field and the layout pictures.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include <cstring>

#include "print/PrintCatalogTables.h"
#include "print/PrintSettingsRules.h"
#include "tests/print/PrintTestSupport.h"
#include "tests/support/ScriptedUiServices.h"
#include "ui/print/BlankMapSettingsPage.h"
#include "ui/print/ListSettingsPage.h"
#include "ui/print/MapSettingsPage.h"
#include "ui/print/PrintSettingsSheet.h"
#include "tests/ui/widgets/ScreenPlacementChecks.h"

namespace vxtest {
namespace {

using vx::PrintSettings;

class PrintSettingsSheetTest : public EngineTest {
 protected:
  // Two days; halls 東1 and 東2 with circles on the map 東123.
  void SetUp() override {
    EngineTest::SetUp();
    source.dayCount = 2;
    vx::PrintMapInfo map;
    map.name = vx::HallGroupNames()[0];
    source.maps = {{map.name, map}};
    for (int hall : {0, 1}) {
      vx::PrintAreaInfo area;
      area.mapId = 1;
      area.circleCount = 1;
      source.areas.emplace_back(vx::HallNames()[static_cast<std::size_t>(hall)], area);
    }
    std::memset(&settings, 0, sizeof settings);
  }

  std::unique_ptr<vx::PrintSettingsSheet> Sheet() {
    return std::make_unique<vx::PrintSettingsSheet>(nullptr, context, settings);
  }

  vx::ScriptedUiServices ui;
  vx::PrintSettingsContext context{source, ui, {}};
  PrintSettings settings;
};

TEST_F(PrintSettingsSheetTest, TheSheetOpensOnThePageOfThePrintKind) {
  for (int mode = 0; mode < vx::kPrintKindCount; ++mode) {
    settings.mode = mode;
    auto sheet = Sheet();
    EXPECT_EQ(sheet->Tabs()->currentIndex(), mode);
    EXPECT_EQ(sheet->CurrentPage()->PrintKind(), mode);
  }
}

// 697 pixels high, the sheet put OK and Cancel below a screen of 600: it stays on the screen,
// and each page keeps its whole height, scrolling where the screen is too low for it.
TEST_F(PrintSettingsSheetTest, TheSheetFitsALowScreenAndItsPagesScroll) {
  OwnerAndWorkWindow windows;
  ASSERT_TRUE(windows.Active());
  vx::PrintSettingsSheet sheet(&windows.owner, context, settings);
  ShowOnScreenOver(sheet, windows.work);
  for (int kind = 0; kind < vx::kPrintKindCount; ++kind) {
    sheet.Tabs()->setCurrentIndex(kind);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    EXPECT_GE(sheet.Page(kind)->height(), sheet.Page(kind)->minimumSizeHint().height()) << kind;
  }
  auto* map = qobject_cast<QScrollArea*>(sheet.Tabs()->widget(2));
  ASSERT_TRUE(map) << "the map page cannot scroll";
  EXPECT_GT(map->verticalScrollBar()->maximum(), 0) << "the screen is high enough for every page";
}

TEST_F(PrintSettingsSheetTest, OkCopiesTheValuesBackWithTheKindOfThePageShown) {
  settings.mode = 0;
  auto sheet = Sheet();
  sheet->Tabs()->setCurrentIndex(3);
  sheet->Page(3)->DayBox(1)->click();
  sheet->Page(3)->HallBox(0)->click();
  sheet->accept();
  EXPECT_EQ(settings.mode, 3);
  EXPECT_EQ(settings.kinds[3].days, 0b10);
  EXPECT_EQ(settings.kinds[3].blocks, 0b1);
}

TEST_F(PrintSettingsSheetTest, CancelKeepsTheCallersValues) {
  settings.mode = 1;
  settings.kinds[1].days = 0b1;
  const PrintSettings before = settings;
  auto sheet = Sheet();
  sheet->Page(1)->DayBox(0)->click();
  sheet->Tabs()->setCurrentIndex(2);
  sheet->reject();
  EXPECT_EQ(std::memcmp(&settings, &before, sizeof settings), 0);
}

TEST_F(PrintSettingsSheetTest, ThePreviewOfAnEmptySelectionSaysSoAndOpensNothing) {
  int previews = 0;
  vx::PrintEngineServices services = vx::PrintEngine_Services();
  services.runPreview = [&](vx::OwnerWindow) { ++previews; };
  vx::PrintEngine_SetContext(services, {}, LayoutFolder());
  ui.QueueAnswer(IDOK);
  auto sheet = Sheet();
  sheet->Page(0)->PreviewButton()->click();
  const std::vector<vx::UiCall> boxes = ui.CallsOf(vx::UiCallKind::kMessageBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(vx::Cp932ToUtf8(boxes[0].text), "指定された印刷範囲内には、登録データがありません");
  EXPECT_EQ(vx::Cp932ToUtf8(boxes[0].caption), "印刷");
  EXPECT_EQ(boxes[0].flags, vx::MB_ICONEXCLAMATION);
  EXPECT_EQ(previews, 0);
}

TEST_F(PrintSettingsSheetTest, PlacementOrderWithADayBreakOffersHallAndBlockButNotBoth) {
  auto sheet = Sheet();
  auto* list = static_cast<vx::ListSettingsPage*>(sheet->Page(0));
  auto enabled = [&] {
    std::vector<bool> states;
    for (int i = 0; i < 4; ++i) states.push_back(list->PageBreakBox(i)->isEnabled());
    return states;
  };
  EXPECT_EQ(enabled(), (std::vector<bool>{true, false, false, false}));
  list->OrderList()->setCurrentIndex(1);  // 配置順
  list->PageBreakBox(0)->click();         // day
  EXPECT_EQ(enabled(), (std::vector<bool>{true, true, false, true}));
  EXPECT_TRUE(list->BlockAllBox()->isEnabled());
  list->PageBreakBox(3)->click();  // block
  EXPECT_EQ(enabled(), (std::vector<bool>{true, false, false, true}));
  EXPECT_EQ(sheet->WorkingCopy().kinds[0].pageChange, vx::kBreakDayBit | vx::kBreakBlockBit);
}

TEST_F(PrintSettingsSheetTest, TheMapPageNeverOffersDayOrHallBreaksAndLeaderColoursNeedALine) {
  settings.mode = 2;
  settings.kinds[2].pageChange = 0xF;
  settings.kinds[2].colors = 0b1;
  auto sheet = Sheet();
  auto* map = static_cast<vx::MapSettingsPage*>(sheet->Page(2));
  for (int order = 0; order < 5; ++order) {
    map->OrderList()->setCurrentIndex(order);
    for (int i : {0, 1}) {
      EXPECT_FALSE(map->PageBreakBox(i)->isEnabled()) << order;
      EXPECT_FALSE(map->PageBreakBox(i)->isChecked()) << order;
    }
  }
  for (int i = 0; i < 9; ++i) EXPECT_FALSE(map->LeaderColorBox(i)->isEnabled()) << i;  // 無
  map->LeaderWidthList()->setCurrentIndex(1);
  EXPECT_TRUE(map->LeaderColorBox(0)->isEnabled());   // colour 1 is printed
  EXPECT_FALSE(map->LeaderColorBox(1)->isEnabled());  // colour 2 is not
  EXPECT_EQ(sheet->WorkingCopy().mapLine, 1);
}

TEST_F(PrintSettingsSheetTest, ADensityOutOfRangeIsClampedWhenTakenAndOkTakesWhatIsTyped) {
  settings.mode = 3;
  settings.whiteMapGenre = 1;
  auto sheet = Sheet();
  auto* blank = static_cast<vx::BlankMapSettingsPage*>(sheet->Page(3));
  QLineEdit* density = blank->Options().DensityField();
  density->setText(QStringLiteral("150"));
  sheet->accept();
  EXPECT_EQ(settings.whiteMapGenrePercent, 100);
  EXPECT_EQ(density->text(), QStringLiteral("100"));
}

TEST_F(PrintSettingsSheetTest, EachLayoutShowsItsOwnPicture) {
  auto sheet = Sheet();
  sheet->show();
  vx::PrintSettingsPage* cut = sheet->Page(1);
  sheet->Tabs()->setCurrentIndex(1);
  QImage shown[2];
  for (int layout : {0, 4}) {
    cut->LayoutList()->setCurrentIndex(layout);
    shown[layout / 4] = cut->LayoutPicture()->grab().toImage();
    EXPECT_EQ(sheet->WorkingCopy().kinds[1].layout, layout);
  }
  // A landscape page of cuts and a portrait one: the pictures differ, and neither is empty.
  EXPECT_NE(shown[0], shown[1]);
  EXPECT_NE(shown[0].pixel(48, 36), shown[0].pixel(2, 2));
}

// With twelve colours in use the pages show twelve colour boxes; a change on a page keeps the
// bits of the colours it does not show.
TEST_F(PrintSettingsSheetTest, EveryColourInUseHasABoxAndTheOthersKeepTheirBits) {
  source.colorCount = 12;
  settings.kinds[0].colors = 0xFFFF;
  settings.kinds[2].colors = 0xFFFF;
  settings.mapLine = 1;
  settings.mapLineColors = 0xF0F0;
  auto sheet = Sheet();
  sheet->show();
  vx::PrintSettingsPage* list = sheet->Page(0);
  for (int i = 0; i < vx::kMaxCheckColors; ++i) {
    EXPECT_EQ(list->ColorBox(i)->isVisible(), i < 12) << i;
  }
  QTest::mouseClick(list->ColorBox(11), Qt::LeftButton);  // colour 12 off
  EXPECT_EQ(sheet->WorkingCopy().kinds[0].colors, 0xF7FF);
  QTest::mouseClick(list->DayBox(0), Qt::LeftButton);  // any change reads every box again
  EXPECT_EQ(sheet->WorkingCopy().kinds[0].colors, 0xF7FF);
  const QImage shown = list->ColorBox(11)->grab().toImage();
  EXPECT_NE(shown.pixel(2, shown.height() / 2), shown.pixel(shown.width() - 1, 0));

  sheet->Tabs()->setCurrentIndex(2);
  auto* map = static_cast<vx::MapSettingsPage*>(sheet->Page(2));
  EXPECT_TRUE(map->LeaderColorBox(11)->isVisible());
  EXPECT_FALSE(map->LeaderColorBox(12)->isVisible());
  QTest::mouseClick(map->LeaderColorBox(4), Qt::LeftButton);  // colour 5's leader lines off
  EXPECT_EQ(sheet->WorkingCopy().mapLineColors, 0xF0E0);
  EXPECT_EQ(sheet->WorkingCopy().kinds[2].colors, 0xFFFF);
}

}  // namespace
}  // namespace vxtest
