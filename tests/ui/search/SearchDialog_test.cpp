#include "ui/search/SearchDialog.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "data/SearchConnection.h"
#include "res/ResourceIds.h"
#include "tests/ui/CircleCatalogFixture.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/list/CircleListView.h"
#include "ui/list/ListControl.h"
#include "ui/list/ListWindow.h"
#include "ui/search/SearchCommands.h"

namespace {

using vx::SearchDialog;
using vxtest::Control;

class SearchDialogTest : public vxtest::CircleCatalogTest {
 protected:
  void SetUp() override {
    CircleCatalogTest::SetUp();
    CreateListWindow();
    Condition().Reset();
    Condition().SetKeywordFields(vx::SearchCondition::DefaultKeywordFields());
    Condition().AddAllDays();
    Condition().AddAllGenres();
  }

  vx::SearchCondition& Condition() { return *controller.GetSearchCondition(); }
  // Runs the dialog in `mode`; `act` drives it once it is open.
  int Open(int mode, std::function<void(SearchDialog&)> act) {
    SearchDialog dialog(controller, &owner);
    QTimer::singleShot(0, &dialog, [&] { act(dialog); });
    vxtest::Watchdog watchdog;
    return dialog.RunModal(mode);
  }
  template <class T>
  static T* Get(const SearchDialog& dialog, int id) {
    T* control = Control<T>(&dialog, id);
    EXPECT_NE(control, nullptr) << id;
    return control;
  }
  static void Click(const SearchDialog& dialog, int id) { Get<QPushButton>(dialog, id)->click(); }
  static void Type(const SearchDialog& dialog, const char* text) {
    QLineEdit* keyword = Get<QLineEdit>(dialog, IDC_SEARCH_KEYWORD);
    keyword->setText(QString::fromUtf8(text));
  }
  std::vector<int> Listed() const {
    return vxtest::ListedIds(window->View()->List(vx::CircleListView::kSearchResult));
  }

  QWidget owner;
};

struct Opening {
  int mode;
  bool canNarrow;
  bool canRedo;
  const char* title;
};

class SearchDialogOpening : public SearchDialogTest,
                            public ::testing::WithParamInterface<Opening> {};

TEST_P(SearchDialogOpening, ShowsTheModesTitleAndTheConditionAsItStands) {
  const Opening& o = GetParam();
  controller.SetCanNarrowSearch(o.canNarrow);
  controller.SetCanRedoNarrowing(o.canRedo);
  Condition().SetMatchAll(false);
  Condition().SetKeywordFields(vx::SearchCondition::kFieldCircleName |
                               vx::SearchCondition::kFieldPixiv);
  Condition().SetKeywords(vx::Sjis("ねこ いぬ"));
  EXPECT_EQ(Open(o.mode,
                 [&](SearchDialog& d) {
                   EXPECT_EQ(d.windowTitle().toStdString(), o.title);
                   EXPECT_EQ(Get<QPushButton>(d, IDC_SEARCH_NARROW)->isEnabled(), o.canNarrow);
                   EXPECT_EQ(Get<QPushButton>(d, IDC_SEARCH_REDO)->isEnabled(), o.canRedo);
                   QLineEdit* keyword = Get<QLineEdit>(d, IDC_SEARCH_KEYWORD);
                   EXPECT_EQ(keyword->text().toStdString(), "ねこ いぬ");
                   EXPECT_EQ(keyword->selectedText(), keyword->text());
                   EXPECT_TRUE(Get<QRadioButton>(d, IDC_SEARCH_MATCH_ANY)->isChecked());
                   EXPECT_TRUE(Get<QCheckBox>(d, IDC_SEARCH_FIELD_NAME)->isChecked());
                   EXPECT_FALSE(Get<QCheckBox>(d, IDC_SEARCH_FIELD_NAME + 1)->isChecked());
                   EXPECT_TRUE(Get<QCheckBox>(d, IDC_SEARCH_FIELD_PIXIV)->isChecked());
                   EXPECT_TRUE(Get<QCheckBox>(d, IDC_SEARCH_NO_DAY)->isChecked());
                   EXPECT_EQ(Get<QListWidget>(d, IDC_SEARCH_GENRES)->count(), 3);
                   EXPECT_TRUE(controller.GetGuard().IsRaised());
                   Click(d, IDCANCEL);
                 }),
            IDCANCEL);
  EXPECT_FALSE(controller.GetGuard().IsRaised());
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SearchDialogOpening,
    ::testing::Values(Opening{SearchDialog::kNewSearch, false, false, "サークル検索"},
                      Opening{SearchDialog::kNarrow, true, false, "絞込み検索"},
                      Opening{SearchDialog::kRedoNarrowing, true, true, "絞込み検索（やり直し）"}));

TEST_F(SearchDialogTest, AnEventWithTwoDaysOffersTheBoxesOfTwoDays) {
  Open(SearchDialog::kNewSearch, [&](SearchDialog& d) {
    for (int day = 0; day < 4; ++day) {
      EXPECT_EQ(Get<QCheckBox>(d, IDC_SEARCH_DAY_FIRST + day)->isEnabled(), day < 2) << day;
    }
    Click(d, IDCANCEL);
  });
}

TEST_F(SearchDialogTest, SearchEndsTheDialogAndTheListShowsTheResult) {
  controller.SetCanRedoNarrowing(true);
  EXPECT_EQ(Open(SearchDialog::kNewSearch,
                 [&](SearchDialog& d) {
                   Type(d, "C10");
                   Click(d, IDOK);
                 }),
            IDOK);
  EXPECT_EQ(Listed(), (std::vector<int>{101, 102, 103, 104}));
  EXPECT_TRUE(controller.CanNarrowSearch());
  EXPECT_FALSE(controller.CanRedoNarrowing());
  EXPECT_FALSE(controller.GetGuard().IsRaised());
  EXPECT_EQ(progress.captions, std::vector<std::string>{"検索中"});
  EXPECT_EQ(progress.owners, std::vector<vx::OwnerWindow>{nullptr});
}

// The event's texts, read for the first folded search, stayed in memory for the whole session:
// they stay while the dialog or the list window is open and go once both have closed.
TEST_F(SearchDialogTest, TheEventsTextsStayWhileTheDialogOrTheListIsOpen) {
  Condition().SetNormalizedMatch(true);
  SearchDialog dialog(controller, &owner);
  vxtest::Watchdog watchdog;
  QTimer::singleShot(0, &dialog, [&] {
    EXPECT_TRUE(vx::SearchConnection::Exists(db)) << "read ahead for the first search";
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(dialog.RunModal(SearchDialog::kNewSearch), IDCANCEL);
  EXPECT_FALSE(vx::SearchConnection::Exists(db)) << "kept by the closed dialog";

  window->show();
  QTimer::singleShot(0, &dialog, [&] {
    Type(dialog, "c10");
    Click(dialog, IDOK);
  });
  EXPECT_EQ(dialog.RunModal(SearchDialog::kNewSearch), IDOK);
  EXPECT_EQ(Listed(), (std::vector<int>{101, 102, 103, 104}));
  EXPECT_TRUE(vx::SearchConnection::Exists(db)) << "the list window holds them";
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(vx::SearchConnection::Exists(db));
}

TEST_F(SearchDialogTest, AnEmptyKeywordSearchesByTheOtherChoicesAlone) {
  Condition().SetKeywords("C10");
  Open(SearchDialog::kNewSearch, [&](SearchDialog& d) {
    Type(d, "");
    Get<QCheckBox>(d, IDC_SEARCH_DAY_FIRST)->setChecked(false);
    Get<QCheckBox>(d, IDC_SEARCH_NO_DAY)->setChecked(false);
    Click(d, IDOK);
  });
  EXPECT_EQ(Condition().KeywordText(), "");
  EXPECT_EQ(Listed(), (std::vector<int>{131, 132, 135}));
}

TEST_F(SearchDialogTest, ClearingEveryGenreSearchesWithoutAGenreList) {
  Open(SearchDialog::kNewSearch, [&](SearchDialog& d) {
    Click(d, IDC_SEARCH_CLEAR_ALL_GENRES);
    QListWidget* genres = Get<QListWidget>(d, IDC_SEARCH_GENRES);
    for (int row = 0; row < genres->count(); ++row) {
      EXPECT_EQ(genres->item(row)->checkState(), Qt::Unchecked);
    }
    Click(d, IDOK);
  });
  EXPECT_TRUE(Condition().Genres().empty());
  EXPECT_EQ(Listed().size(), 14u);
}

TEST_F(SearchDialogTest, NarrowingSearchesWithinTheLastResultAndRedoKeepsThatBase) {
  Open(SearchDialog::kNewSearch, [&](SearchDialog& d) {
    Type(d, "C13");
    Click(d, IDOK);
  });
  ASSERT_EQ(Listed(), (std::vector<int>{131, 132, 133, 134, 135, 136}));
  Open(SearchDialog::kNarrow, [&](SearchDialog& d) {
    Type(d, "");
    Get<QCheckBox>(d, IDC_SEARCH_DAY_FIRST + 1)->setChecked(false);
    Click(d, IDC_SEARCH_NARROW);
  });
  EXPECT_EQ(Listed(), (std::vector<int>{133, 134, 136}));
  EXPECT_TRUE(controller.CanRedoNarrowing());
  Open(SearchDialog::kRedoNarrowing, [&](SearchDialog& d) {
    Get<QCheckBox>(d, IDC_SEARCH_DAY_FIRST)->setChecked(false);
    Get<QCheckBox>(d, IDC_SEARCH_DAY_FIRST + 1)->setChecked(true);
    Click(d, IDC_SEARCH_REDO);
  });
  EXPECT_EQ(Listed(), (std::vector<int>{131, 132, 135}));
}

// The dialog used to jump after a search, off the list of its results, half off the screen.
TEST_F(SearchDialogTest, KeptOpenTheDialogLeavesTheOtherWindowsFreeAndStaysAfterASearch) {
  values.searchDlgStyle = 1;
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  Open(SearchDialog::kNewSearch, [&](SearchDialog& d) {
    EXPECT_FALSE(controller.GetGuard().IsRaised());
    EXPECT_EQ(controller.GetOpenSearchDialog(), &d);
    // Centred on the screen, not on its hidden owner; a frame's height off at most.
    const QPoint off = d.geometry().center() - screen.center();
    EXPECT_LE(std::abs(off.x()), 10);
    EXPECT_LE(std::abs(off.y()), 40);
    const QPoint opened = d.pos();
    // The list under the dialog, with room beside it for a dialog that would step aside.
    window->setGeometry(screen.left(), screen.top(), screen.width() - d.frameGeometry().width() - 8,
                        screen.height());
    window->show();
    Type(d, "C10");
    Click(d, IDOK);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.pos(), opened);
    EXPECT_EQ(Listed().size(), 4u);
    EXPECT_TRUE(Get<QPushButton>(d, IDC_SEARCH_NARROW)->isEnabled());
    EXPECT_EQ(progress.owners, std::vector<vx::OwnerWindow>{&d});
    Get<QCheckBox>(d, IDC_SEARCH_KEEP_OPEN)->click();  // off: the dialog holds the guard
    EXPECT_EQ(values.searchDlgStyle, 0);
    EXPECT_TRUE(controller.GetGuard().IsRaised());
    EXPECT_EQ(controller.GetOpenSearchDialog(), nullptr);
    Get<QCheckBox>(d, IDC_SEARCH_KEEP_OPEN)->click();
    EXPECT_FALSE(controller.GetGuard().IsRaised());
    QTest::keyClick(&d, Qt::Key_Escape);
  });
  EXPECT_EQ(controller.GetOpenSearchDialog(), nullptr);
  EXPECT_FALSE(controller.GetGuard().IsRaised());
}

TEST_F(SearchDialogTest, ResetRestoresTheDefaultChoices) {
  Condition().Reset();
  Condition().SetKeywordFields(vx::SearchCondition::kFieldUrl);
  Condition().SetMemoOnly(true);
  Open(SearchDialog::kNewSearch, [&](SearchDialog& d) {
    Click(d, IDC_SEARCH_RESET);
    EXPECT_TRUE(Get<QRadioButton>(d, IDC_SEARCH_MATCH_ALL)->isChecked());
    EXPECT_TRUE(Get<QCheckBox>(d, IDC_SEARCH_NORMALIZE)->isChecked());
    EXPECT_FALSE(Get<QCheckBox>(d, IDC_SEARCH_MEMO_ONLY)->isChecked());
    EXPECT_FALSE(Get<QCheckBox>(d, IDC_SEARCH_FIELD_NAME + 4)->isChecked());  // URL
    EXPECT_TRUE(Get<QCheckBox>(d, IDC_SEARCH_FIELD_MEMO)->isChecked());
    EXPECT_TRUE(Get<QCheckBox>(d, IDC_SEARCH_FIELD_UPDATE)->isChecked());
    for (int id : {IDC_SEARCH_DAY_FIRST, IDC_SEARCH_DAY_FIRST + 1, IDC_SEARCH_NO_DAY}) {
      EXPECT_TRUE(Get<QCheckBox>(d, id)->isChecked()) << id;
    }
    QListWidget* genres = Get<QListWidget>(d, IDC_SEARCH_GENRES);
    for (int row = 0; row < genres->count(); ++row) {
      EXPECT_EQ(genres->item(row)->checkState(), Qt::Checked);
    }
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(Condition().KeywordFields(), vx::SearchCondition::DefaultKeywordFields());
}

TEST_F(SearchDialogTest, TheCommandsOfferNarrowingAndRedoFromTheControllersFlags) {
  vx::SearchCommands commands(controller, [this] { return &owner; });
  EXPECT_TRUE(commands.QueryState(ID_SEARCH).enabled);
  EXPECT_FALSE(commands.QueryState(ID_SEARCH_NARROW).enabled);
  EXPECT_FALSE(commands.QueryState(ID_SEARCH_REDO_NARROW).enabled);
  controller.SetCanNarrowSearch(true);
  EXPECT_TRUE(commands.QueryState(ID_SEARCH_NARROW).enabled);
  QTimer::singleShot(0, [&] {
    ASSERT_NE(commands.OpenDialog(), nullptr);
    EXPECT_EQ(commands.OpenDialog()->windowTitle().toStdString(), "絞込み検索");
    QTest::keyClick(commands.OpenDialog(), Qt::Key_Escape);
  });
  EXPECT_TRUE(commands.OnCommand(ID_SEARCH_NARROW));
  EXPECT_EQ(commands.OpenDialog(), nullptr);
}

TEST_F(SearchDialogTest, TheQuickKeywordSearchKeepsTheOtherChoices) {
  Condition().Reset();
  Condition().AddDay(2);
  controller.SetCanRedoNarrowing(true);
  SearchDialog::RunQuickKeywordSearch(&controller, "C13");
  EXPECT_EQ(Listed(), (std::vector<int>{131, 132, 135}));
  EXPECT_TRUE(controller.CanNarrowSearch());
  EXPECT_FALSE(controller.CanRedoNarrowing());
  SearchDialog::RunQuickKeywordSearch(&controller, "");
  SearchDialog::RunQuickKeywordSearch(nullptr, "C13");
  EXPECT_EQ(progress.owners.size(), 1u);
}

}  // namespace
