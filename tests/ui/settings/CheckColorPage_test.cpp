#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/CheckColorTables.h"
#include "checklist/FavoriteStore.h"
#include "data/images/CutDrawing.h"
#include "tests/ui/settings/SettingsFixture.h"
#include "ui/settings/CheckColorPage.h"
#include "ui/settings/ColorButton.h"

namespace {

using vx::CheckColorPage;
using vx::SettingsSheet;

// The colour page is the last page of either sheet.
CheckColorPage* ColorPage(const SettingsSheet& sheet) {
  return static_cast<CheckColorPage*>(sheet.Page(sheet.PageCount() - 1));
}

class CheckColorPageTest : public vxtest::SettingsFixture {
 protected:
  template <class T>
  T* PageControl(const SettingsSheet& sheet, int id) const {
    T* control = vxtest::Control<T>(ColorPage(sheet), id);
    EXPECT_NE(control, nullptr) << id;
    return control;
  }
  void ClickColor(const SettingsSheet& sheet, int index, bool print) const {
    Click(ColorPage(sheet)->Button(index, print));
  }
  void ChooseSet(const SettingsSheet& sheet, int set) const {
    auto* combo = PageControl<QComboBox>(sheet, IDC_CFG_COLOR_SET);
    combo->setFocus();
    QTest::keyClick(combo, set == 0 ? Qt::Key_Up : Qt::Key_Down);
  }
  int OkAfter(SettingsSheet& sheet, const std::function<void()>& act) {
    return RunSheet(sheet, [&] {
      ShowPage(sheet, sheet.PageCount() - 1);
      act();
      ClickOk(sheet);
    });
  }
  std::vector<std::uint32_t> Palette(int count) const {
    return std::vector<std::uint32_t>(live.fvrColors, live.fvrColors + count);
  }
  std::vector<std::uint32_t> PrintPalette(int count) const {
    return std::vector<std::uint32_t>(live.fvrPrintColors, live.fvrPrintColors + count);
  }
  std::vector<std::uint32_t> Checklist(int count, bool print = false) const {
    std::vector<std::uint32_t> colors;
    const vx::FavoriteStore* store = controller.GetFavoriteStore();
    for (int i = 0; i < count; ++i) {
      colors.push_back(print ? store->GetPrintColor(i) : store->GetCheckColor(i));
    }
    return colors;
  }
  std::vector<std::uint32_t> Shown(const SettingsSheet& sheet, int count, bool print) const {
    std::vector<std::uint32_t> colors;
    for (int i = 0; i < count; ++i) colors.push_back(ColorPage(sheet)->Button(i, print)->Color());
    return colors;
  }
};

std::vector<std::uint32_t> Table(const std::uint32_t (&table)[vx::kMaxCheckColors], int count) {
  return std::vector<std::uint32_t>(table, table + count);
}

TEST(CheckColorTablesTest, EverySixteenColoursHaveTheirOwnBuiltInColour) {
  EXPECT_EQ(Table(vx::kStandardCheckColors, 9),
            (std::vector<std::uint32_t>{0x4A94FF, 0xFF00FF, 0x00F7FF, 0x4AB500, 0xFFB500, 0x9C529C,
                                        0xFF0000, 0x00FF00, 0x0000FF}));
  EXPECT_EQ(Table(vx::kSecondCheckColors, 9),
            (std::vector<std::uint32_t>{0x007FFF, 0x0000FF, 0xFF00FF, 0xFFFF00, 0xFF0000, 0x336699,
                                        0x00FFFF, 0x7F007F, 0x00FF00}));
  for (const auto* table : {&vx::kStandardCheckColors, &vx::kSecondCheckColors}) {
    const std::vector<std::uint32_t> colors = Table(*table, vx::kMaxCheckColors);
    EXPECT_EQ(std::set<std::uint32_t>(colors.begin(), colors.end()).size(), colors.size());
    for (std::uint32_t color : colors) {
      EXPECT_NE(color, 0u);
      EXPECT_LE(color, 0xFFFFFFu);
    }
  }
}

TEST_F(CheckColorPageTest, TheSheetsStartOnTheirOwnSetAndShowOneButtonPerColour) {
  UseColorCount(12);
  const struct {
    SettingsSheet::Kind kind;
    const char* title;
    int pages;
    int set;
    const char* resetText;
  } cases[] = {
      {SettingsSheet::Kind::kSettings, "動作設定", 4, 0, "デフォルトに戻す(&R)"},
      {SettingsSheet::Kind::kCheckColors, "チェック色の編集", 1, 1, "標準の設定に戻す(&R)"},
  };
  for (const auto& c : cases) {
    SettingsSheet sheet(c.kind, controller, live, ui, Chooser());
    EXPECT_EQ(sheet.windowTitle().toStdString(), c.title);
    EXPECT_EQ(sheet.PageCount(), c.pages);
    EXPECT_EQ(ColorPage(sheet)->SelectedSet(), c.set);
    EXPECT_EQ(PageControl<QComboBox>(sheet, IDC_CFG_COLOR_SET)->currentIndex(), c.set);
    EXPECT_EQ(PageControl<QPushButton>(sheet, IDC_CFG_COLOR_RESET)->text().toStdString(),
              c.resetText);
    auto* names = PageControl<QComboBox>(sheet, IDC_CFG_COLOR_NAME_INDEX);
    ASSERT_EQ(names->count(), 12);
    EXPECT_EQ(names->itemText(11).toStdString(), "色12");
    // Colours 1-9 keep the first ids; 10-12 have buttons of their own.
    EXPECT_EQ(PageControl<vx::ColorButton>(sheet, 1028), ColorPage(sheet)->Button(8, false));
    EXPECT_EQ(PageControl<vx::ColorButton>(sheet, 1029), ColorPage(sheet)->Button(0, true));
    EXPECT_EQ(PageControl<vx::ColorButton>(sheet, 1741), ColorPage(sheet)->Button(10, false));
    EXPECT_EQ(PageControl<vx::ColorButton>(sheet, 1752), ColorPage(sheet)->Button(11, true));
  }

  SettingsSheet sheet(SettingsSheet::Kind::kCheckColors, controller, live, ui, Chooser());
  sheet.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
  const QImage shot = ColorPage(sheet)->grab().toImage();
  for (int i = 0; i < vx::kMaxCheckColors; ++i) {
    for (bool print : {false, true}) {
      vx::ColorButton* button = ColorPage(sheet)->Button(i, print);
      ASSERT_EQ(button->isVisible(), i < 12) << i;
      if (i >= 12) continue;
      EXPECT_EQ(QColor(shot.pixel(button->geometry().center())),
                vx::ColorFromColorRef(vx::kStandardCheckColors[i]))
          << i << print;
    }
  }
}

TEST_F(CheckColorPageTest, ThePaletteResetsToEitherTableWithoutNamesAndWithoutAnnouncement) {
  for (const auto& reset : {std::pair{IDC_CFG_COLOR_RESET, &vx::kStandardCheckColors},
                            std::pair{IDC_CFG_COLOR_RESET_SECOND, &vx::kSecondCheckColors}}) {
    // Plain variables: clang before 16 cannot capture structured bindings in a lambda.
    const int buttonId = reset.first;
    const auto* const table = reset.second;
    for (int i = 0; i < vx::kMaxCheckColors; ++i) {
      live.fvrColors[i] = live.fvrPrintColors[i] = 0x010101u * (i + 1);
      std::snprintf(live.fvrColorNames[i], vx::kColorNameSize, "name%d", i);
    }
    UseColorCount(12);
    log.clear();
    SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui, Chooser());
    OkAfter(sheet, [&] {
      Click(PageControl<QPushButton>(sheet, buttonId));
      EXPECT_EQ(Shown(sheet, 12, false), Table(*table, 12));
      EXPECT_EQ(PageControl<QLineEdit>(sheet, IDC_CFG_COLOR_NAME)->text(), QString());
      EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
    });
    EXPECT_EQ(Palette(12), Table(*table, 12)) << buttonId;
    EXPECT_EQ(PrintPalette(12), Table(*table, 12)) << buttonId;
    EXPECT_STREQ(live.fvrColorNames[11], "");
    EXPECT_EQ(live.fvrColors[12], 0x010101u * 13) << "beyond the colour count";
    EXPECT_EQ(Checklist(12)[0], 0x010101u) << "the checklist keeps its colours";
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(controller.IsChecklistModified());
  }
}

TEST_F(CheckColorPageTest, TheChecklistResetsToThePaletteAsEditedWhicheverButton) {
  for (int buttonId : {IDC_CFG_COLOR_RESET, IDC_CFG_COLOR_RESET_SECOND}) {
    UseColorCount(10);
    controller.SetColorDef(vx::CatalogController::kChecklistColor, 1, 0x111111, 0x222222, "x");
    log.clear();
    chosenColors = {0x123456};
    SettingsSheet sheet(SettingsSheet::Kind::kCheckColors, controller, live, ui, Chooser());
    OkAfter(sheet, [&] {
      ChooseSet(sheet, 0);
      ClickColor(sheet, 9, false);  // the palette's colour 10
      ChooseSet(sheet, 1);
      EXPECT_EQ(ColorPage(sheet)->SelectedSet(), 1);
      Click(PageControl<QPushButton>(sheet, buttonId));
    });
    std::vector<std::uint32_t> expected = Table(vx::kStandardCheckColors, 10);
    expected[9] = 0x123456;
    EXPECT_EQ(Palette(10), expected);
    EXPECT_EQ(Checklist(10), expected) << buttonId;
    EXPECT_EQ(Checklist(10, true), Table(vx::kStandardCheckColors, 10)) << buttonId;
    EXPECT_EQ(controller.GetFavoriteStore()->GetColorName(1), "");
    EXPECT_EQ(Messages(), std::vector<unsigned>{UM_COLORS_CHANGED});
    EXPECT_TRUE(controller.IsChecklistModified());
  }
}

TEST_F(CheckColorPageTest, OnlyAChecklistColourShownInTheWindowsIsAnnounced) {
  const struct {
    int set;
    bool print;
    std::vector<unsigned> messages;
  } cases[] = {
      {0, false, {}},
      {0, true, {}},
      {1, true, {}},
      {1, false, {UM_COLORS_CHANGED}},
  };
  for (const auto& c : cases) {
    UseColorCount(16);
    log.clear();
    chooserStarts.clear();
    chosenColors = {0xABCDEF};
    SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui, Chooser());
    OkAfter(sheet, [&] {
      if (c.set == 1) ChooseSet(sheet, 1);
      ClickColor(sheet, 15, c.print);
    });
    EXPECT_EQ(chooserStarts, std::vector<std::uint32_t>{vx::kStandardCheckColors[15]});
    const std::vector<std::uint32_t>& changed =
        c.set == 0 ? (c.print ? PrintPalette(16) : Palette(16)) : Checklist(16, c.print);
    EXPECT_EQ(changed[15], 0xABCDEFu) << c.set << c.print;
    EXPECT_EQ(Messages(), c.messages) << c.set << c.print;
    live.fvrColors[15] = live.fvrPrintColors[15] = vx::kStandardCheckColors[15];
  }
}

TEST_F(CheckColorPageTest, ACancelledOrUnchangedChoiceAndTheCancelButtonChangeNothing) {
  chosenColors = {std::nullopt, vx::kStandardCheckColors[0], 0x000001};
  SettingsSheet sheet(SettingsSheet::Kind::kCheckColors, controller, live, ui, Chooser());
  const int result = RunSheet(sheet, [&] {
    ClickColor(sheet, 0, false);
    ClickColor(sheet, 0, false);
    EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
    ClickColor(sheet, 0, false);
    EXPECT_EQ(ColorPage(sheet)->Button(0, false)->Color(), 0x000001u);
    EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
    QTest::keyClick(&sheet, Qt::Key_Escape);
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(Checklist(1)[0], vx::kStandardCheckColors[0]);
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(controller.IsChecklistModified());
}

TEST_F(CheckColorPageTest, ANameIsEditedPerColourAndSetAndKeptToThirtyTwoBytes) {
  const std::string tooLong = std::string(31, 'n') + "あ";  // 33 bytes in CP932
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui, Chooser());
  auto* edit = PageControl<QLineEdit>(sheet, IDC_CFG_COLOR_NAME);
  auto* colors = PageControl<QComboBox>(sheet, IDC_CFG_COLOR_NAME_INDEX);
  OkAfter(sheet, [&] {
    colors->setFocus();
    QTest::keyClick(colors, Qt::Key_Down);
    QTest::keyClick(colors, Qt::Key_Down);  // colour 3
    edit->setFocus();
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString::fromStdString(tooLong),
                        Qt::NoModifier);
    EXPECT_EQ(edit->text().toStdString(), std::string(31, 'n'));
    ChooseSet(sheet, 1);
    EXPECT_EQ(edit->text(), QString()) << "the checklist's own name of colour 3";
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString::fromUtf8("赤"),
                        Qt::NoModifier);
    ChooseSet(sheet, 0);
    EXPECT_EQ(edit->text().toStdString(), std::string(31, 'n'));
  });
  EXPECT_EQ(std::string(live.fvrColorNames[2]), std::string(31, 'n'));
  EXPECT_EQ(controller.GetFavoriteStore()->GetColorName(2), vx::Sjis("赤"));
  EXPECT_STREQ(live.fvrColorNames[0], "");
  EXPECT_EQ(Messages(), std::vector<unsigned>{UM_COLORS_CHANGED});
}

TEST_F(CheckColorPageTest, ASecondApplyAnnouncesNothingMore) {
  chosenColors = {0x000001};
  SettingsSheet sheet(SettingsSheet::Kind::kCheckColors, controller, live, ui, Chooser());
  OkAfter(sheet, [&] {
    ClickColor(sheet, 0, false);
    Click(sheet.ApplyButton());
    EXPECT_EQ(Messages(), std::vector<unsigned>{UM_COLORS_CHANGED});
    EXPECT_FALSE(sheet.ApplyButton()->isEnabled());
  });
  EXPECT_EQ(Messages(), std::vector<unsigned>{UM_COLORS_CHANGED});
  EXPECT_EQ(Checklist(1)[0], 0x000001u);
}

}  // namespace
