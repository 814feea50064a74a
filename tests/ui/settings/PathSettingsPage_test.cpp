#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <string>
#include <vector>

#include "tests/ui/settings/SettingsFixture.h"
#include "ui/settings/PathSettingsPage.h"

namespace {

using vx::SettingsSheet;

constexpr int kPaths = 1;

class PathSettingsPageTest : public vxtest::SettingsFixture {
 protected:
  QLineEdit* Edit(const SettingsSheet& sheet, int id) const {
    return PageControl<QLineEdit>(sheet, kPaths, id);
  }
  // Replaces the edit's text as the user would: select all, type.
  void Type(QLineEdit* edit, const std::string& utf8) const {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString::fromStdString(utf8),
                        Qt::NoModifier);
  }
};

std::vector<bool> Enabled(const SettingsSheet& sheet, std::initializer_list<int> ids) {
  std::vector<bool> enabled;
  for (int id : ids)
    enabled.push_back(vxtest::Control<QWidget>(sheet.Page(kPaths), id)->isEnabled());
  return enabled;
}

TEST_F(PathSettingsPageTest, ThePlacesCanBeEditedOnlyWhenChosen) {
  std::strcpy(live.browserPath, "/usr/bin/firefox");
  live.browserPathMode = 1;
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
  const auto imageControls = {IDC_CFG_IMG_PATH_LABEL, IDC_CFG_IMG_PATH, IDC_CFG_IMG_BROWSE};
  const auto browserControls = {IDC_CFG_BROWSER_LABEL, IDC_CFG_BROWSER_PATH,
                                IDC_CFG_BROWSER_BROWSE};
  EXPECT_EQ(Enabled(sheet, imageControls), std::vector<bool>(3, false));
  EXPECT_EQ(Enabled(sheet, browserControls), std::vector<bool>(3, true));
  EXPECT_EQ(Edit(sheet, IDC_CFG_BROWSER_PATH)->text().toStdString(), "/usr/bin/firefox");
  EXPECT_FALSE(sheet.ApplyButton()->isEnabled());

  Click(sheet, kPaths, IDC_CFG_IMG_FIXED);
  Click(sheet, kPaths, IDC_CFG_BROWSER_DEFAULT);
  EXPECT_EQ(Enabled(sheet, imageControls), std::vector<bool>(3, true));
  EXPECT_EQ(Enabled(sheet, browserControls), std::vector<bool>(3, false));
  EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
  EXPECT_EQ(live.imgPathMode, 0) << "stored only by OK";

  RunSheet(sheet, [&] { ClickOk(sheet); });
  EXPECT_EQ(live.imgPathMode, 1);
  EXPECT_EQ(live.browserPathMode, 0);
  EXPECT_STREQ(live.browserPath, "/usr/bin/firefox");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(PathSettingsPageTest, AFolderIsStoredWithAFinalSlashAndAnyPlaceThatDoesNotFitIsRefused) {
  const std::string fits(258, 'a');  // with its slash and the NUL: 260 bytes
  const struct {
    std::string typed;
    bool accepted;
    std::string stored;
    std::string box;
  } cases[] = {
      {"/data/disc", true, "/data/disc/", ""},
      {"/data/disc/", true, "/data/disc/", ""},
      {"", true, "", ""},
      {"/データ/ディスク", true, vx::Sjis("/データ/ディスク/"), ""},
      {"/" + fits.substr(1), true, "/" + fits.substr(1) + "/", ""},
      {"/" + fits.substr(2) + "/", true, "/" + fits.substr(2) + "/", ""},
      {"/" + fits, false, "",
       "エラー|画像データの場所が長すぎます."
       "\n場所は半角259文字（全角129文字）以内で指定してください."},
      // A double-byte character counts twice: 258 bytes fit with the slash, 259 do not.
      {"/" + std::string(253, 'a') + "あbb", true,
       "/" + std::string(253, 'a') + vx::Sjis("あ") + "bb/", ""},
      {"/" + std::string(254, 'a') + "あbb", false, "",
       "エラー|画像データの場所が長すぎます."
       "\n場所は半角259文字（全角129文字）以内で指定してください."},
      // What CP932 cannot hold exactly is stored so that it reads back the same.
      {"/data/\xF0\x9F\x98\x80", true, "\xEF\xBB\xBF/data/\xF0\x9F\x98\x80/", ""},
      {"/media/Café 〜", true, "\xEF\xBB\xBF/media/Café 〜/", ""},
  };
  for (const auto& c : cases) {
    log.clear();
    ui.ClearCalls();
    live.imgPathMode = 1;
    std::strcpy(live.imagePath, "/old/");
    if (!c.accepted) ui.QueueAnswer(IDOK);
    SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
    QLineEdit* edit = Edit(sheet, IDC_CFG_IMG_PATH);
    bool stayedOnThePage = false;
    const int result = RunSheet(sheet, [&] {
      Type(edit, c.typed);
      ClickOk(sheet);
      if (sheet.isVisible()) {
        stayedOnThePage = sheet.CurrentPage() == sheet.Page(kPaths) &&
                          sheet.focusWidget() == edit && edit->selectedText() == edit->text();
        QTest::keyClick(&sheet, Qt::Key_Escape);
      }
    });
    EXPECT_EQ(result, c.accepted ? IDOK : IDCANCEL) << c.typed;
    EXPECT_EQ(std::string(live.imagePath), c.accepted ? c.stored : "/old/") << c.typed;
    EXPECT_EQ(stayedOnThePage, !c.accepted) << c.typed;
    EXPECT_EQ(vxtest::Boxes(ui),
              c.box.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.box})
        << c.typed;
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(ui.UnexpectedCalls().empty());
  }
}

TEST_F(PathSettingsPageTest, PlacesOutsideShiftJisAreShownAsChosen) {
  std::strcpy(live.imagePath, "\xEF\xBB\xBF/media/Café 〜/");
  std::strcpy(live.browserPath, vx::Sjis("/opt/ブラウザ").c_str());
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
  EXPECT_EQ(Edit(sheet, IDC_CFG_IMG_PATH)->text().toStdString(), "/media/Café 〜/");
  EXPECT_EQ(Edit(sheet, IDC_CFG_BROWSER_PATH)->text().toStdString(), "/opt/ブラウザ");
  EXPECT_FALSE(sheet.ApplyButton()->isEnabled()) << "nothing was changed";
}

TEST_F(PathSettingsPageTest, APlaceNotInUseIsNeitherCheckedNorStoredWhenItDoesNotFit) {
  std::strcpy(live.imagePath, "/old/");
  live.imgPathMode = 1;
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
  const int result = RunSheet(sheet, [&] {
    Type(Edit(sheet, IDC_CFG_IMG_PATH), "/" + std::string(300, 'x'));
    Click(sheet, kPaths, IDC_CFG_IMG_AUTO);
    ClickOk(sheet);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(live.imgPathMode, 0);
  EXPECT_STREQ(live.imagePath, "/old/");
  EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(PathSettingsPageTest,
       TheFolderBrowserStartsAtTheTypedPlaceAndAsksAgainForAFolderThatIsNone) {
  live.imgPathMode = 1;
  live.eventNumber = 95;
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
  QLineEdit* edit = Edit(sheet, IDC_CFG_IMG_PATH);
  Type(edit, dir.Path().string());
  ui.QueuePath(std::nullopt);
  Click(sheet, kPaths, IDC_CFG_IMG_BROWSE);
  EXPECT_EQ(edit->text().toStdString(), dir.Path().string())
      << "a cancelled browser changes nothing";

  std::filesystem::create_directory(dir / "disc");
  ui.QueuePath(dir / "missing");
  ui.QueueAnswer(IDOK);
  ui.QueuePath(dir / "disc");
  Click(sheet, kPaths, IDC_CFG_IMG_BROWSE);
  EXPECT_EQ(edit->text().toStdString(), (dir / "disc").string() + "/");
  EXPECT_EQ(vxtest::Boxes(ui),
            std::vector<std::string>{"エラー|有効なパス/ドライブではありません."});
  const std::vector<vx::UiCall> browsers = ui.CallsOf(vx::UiCallKind::kFolderDialog);
  ASSERT_EQ(browsers.size(), 3u);
  EXPECT_EQ(vx::Cp932ToUtf8(browsers[0].caption),
            "ヴェラストレード95のCD-ROM、もしくは画像データの場所を指定してください.");
  EXPECT_EQ(browsers[0].path, dir.Path());
  EXPECT_EQ(ui.CallsOf(vx::UiCallKind::kMessageBox)[0].flags, vx::MB_OK | vx::MB_ICONERROR);

  RunSheet(sheet, [&] { ClickOk(sheet); });
  EXPECT_EQ(std::string(live.imagePath), (dir / "disc").string() + "/");
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(PathSettingsPageTest, AFolderTooLongForTheFieldIsRefusedByTheBrowserToo) {
  live.imgPathMode = 1;
  std::filesystem::path deep = dir.Path();
  while (deep.string().size() < 300) deep /= std::string(60, 'd');
  std::filesystem::create_directories(deep);
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
  ui.QueuePath(deep);
  ui.QueueAnswer(IDOK);
  ui.QueuePath(std::nullopt);
  Click(sheet, kPaths, IDC_CFG_IMG_BROWSE);
  EXPECT_EQ(Edit(sheet, IDC_CFG_IMG_PATH)->text(), QString());
  ASSERT_EQ(vxtest::Boxes(ui).size(), 1u);
  EXPECT_EQ(vxtest::Boxes(ui)[0].rfind("エラー|画像データの場所が長すぎます.", 0), 0u);
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST_F(PathSettingsPageTest, TheBrowserIsChosenAsAProgramFileAndNothingIsAnnounced) {
  live.browserPathMode = 1;
  std::strcpy(live.browserPath, "/opt/old");
  SettingsSheet sheet(SettingsSheet::Kind::kSettings, controller, live, ui);
  ui.QueuePath(std::filesystem::path("/usr/bin/chromium"));
  Click(sheet, kPaths, IDC_CFG_BROWSER_BROWSE);
  EXPECT_EQ(Edit(sheet, IDC_CFG_BROWSER_PATH)->text().toStdString(), "/usr/bin/chromium");
  EXPECT_TRUE(sheet.ApplyButton()->isEnabled());
  const std::vector<vx::UiCall> dialogs = ui.CallsOf(vx::UiCallKind::kOpenFileDialog);
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(vx::Cp932ToUtf8(dialogs[0].request.title), "ブラウザの選択");
  EXPECT_EQ(dialogs[0].request.initialPath, std::filesystem::path("/opt/old"));

  const std::string tooLong = "/" + std::string(259, 'b');
  ui.QueueAnswer(IDOK);
  RunSheet(sheet, [&] {
    Type(Edit(sheet, IDC_CFG_BROWSER_PATH), tooLong);
    ClickOk(sheet);
    Type(Edit(sheet, IDC_CFG_BROWSER_PATH), "/usr/bin/chromium --new-window");
    ClickOk(sheet);
  });
  EXPECT_EQ(vxtest::Boxes(ui),
            std::vector<std::string>{"エラー|ブラウザの場所が長すぎます.\n"
                                     "場所は半角259文字（全角129文字）以内で指定してください."});
  EXPECT_STREQ(live.browserPath, "/usr/bin/chromium --new-window");
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(ui.UnexpectedCalls().empty());
}

TEST(PlaceForFieldTest, TheFieldHoldsThePlaceItsSlashAndTheNul) {
  EXPECT_EQ(vx::PlaceForField("abc", true, 5), "abc/");
  EXPECT_EQ(vx::PlaceForField("abc", true, 4), std::nullopt);
  EXPECT_EQ(vx::PlaceForField("abc", false, 4), "abc");
  EXPECT_EQ(vx::PlaceForField("ab/", true, 4), "ab/");
  EXPECT_EQ(vx::PlaceForField("", true, 1), "");
}

}  // namespace
