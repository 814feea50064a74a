// The import confirmation page, offscreen: what it shows of each import row, a choice per row,
// and what OK and Cancel leave in the store.
#include "ui/checklist/ImportConfirmDialog.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"
#include "tests/checklist/StoreFixture.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/checklist/ImportConfirmDelegate.h"
#include "ui/checklist/ImportConfirmHeader.h"
#include "ui/checklist/ImportConfirmModel.h"

namespace vxtest {
namespace {

using vx::ImportConfirmModel;
using vx::Sjis;
using Actions = std::vector<int>;

QString Utf16(const char* utf8) { return QString::fromUtf8(utf8); }

// Another event's checklist (95) with colour 2 red, 3 pure blue and 4 bright green; rows: a file
// circle with two candidates and its "no such circle" row, a circle matched by both names (no row),
// a memo-only circle, and a circle no candidate was found for (its colour 5 is not defined).
class ImportConfirmTest : public StoreFixture {
 protected:
  void SetUp() override {
    StoreFixture::SetUp();
    Store().LoadText(HeaderLine(95) + Sjis("Color,2,0000ff,0000ff,赤\r\n"
                                           "Color,3,ff0000,ff0000,既刊も\r\n"
                                           "Color,4,00c000,00c000,新刊\r\n"),
                     false, true);
    std::string memo;
    for (int i = 0; i < 60; ++i) memo += Sjis("あ");
    AddRow(3, vx::kImportRegister, 2, 1, {"Twin", "Ann", memo}, {"Twin", "Ann", "G", "about"});
    AddRow(1, vx::kImportRegister, 2, 2, {"Twin", "Ann", memo}, {"Twin", "Bob", "G", "x"});
    AddRow(1, vx::kImportSkip, 2, 0, {"Twin", "Ann", memo}, {});
    AddRow(0, vx::kImportRegister, 3, 3, {"Gamma", "Pen", ""}, {"Gamma", "Pen", "", ""});
    AddRow(0, vx::kImportRegister, 0, 4, {"Delta", "", "note"}, {"Delta", "", "", ""});
    AddRow(0, vx::kImportRegisterUnknown, 5, 0, {"<b>Nobody</b>", "", ""}, {});
  }

  void AddRow(int groupRows, int action, int color, int circleId, std::vector<std::string> file,
              std::vector<std::string> candidate) {
    vx::FavoriteImportRecord row{groupRows, action, color, circleId, {}};
    row.texts[vx::kImportCircleName] = file[0];
    row.texts[vx::kImportPenName] = file[1];
    row.texts[vx::kImportMemo] = file[2];
    candidate.resize(4);
    for (int i = 0; i < 4; ++i) row.texts[vx::kImportCandidateName + i] = candidate[i];
    Store().GetImportRecords().push_back(row);
  }

  Actions StoreActions() {
    Actions actions;
    for (const vx::FavoriteImportRecord& row : Rows()) actions.push_back(row.action);
    return actions;
  }

  // Runs the page modally; `drive` gets it once it shows. Answers exec()'s result.
  int RunPage(const std::function<void(vx::ImportConfirmDialog&)>& drive) {
    Watchdog watchdog;
    vx::ImportConfirmDialog dialog(nullptr, Store(), 96);
    QTimer::singleShot(0, &dialog, [&] {
      ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
      drive(dialog);
    });
    return dialog.exec();
  }

  static void Choose(vx::ImportConfirmDialog& dialog, int row, int column) {
    QTableView* view = dialog.View();
    const QRect cell = view->visualRect(dialog.Model()->index(row, column));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      vx::ImportConfirmDelegate::RadioRect(cell).center());
  }
};

TEST(ConfirmationExcerpt, ShowsFortyEightCharactersWithoutBreaksBackslashesOrYen) {
  std::string sixty, fortyEight;
  for (int i = 0; i < 60; ++i) sixty += Sjis(i < 30 ? "あ" : "b");
  for (int i = 0; i < 48; ++i) fortyEight += Sjis(i < 30 ? "あ" : "b");
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"a\\b\r\nc", "abc"},
      {Sjis("１￥２"), Sjis("１２")},
      {"<b>&amp;", "<b>&amp;"},
      {sixty, fortyEight},
      {"\\\r\n", ""},
  };
  for (const auto& [text, shown] : cases) EXPECT_EQ(vx::ConfirmationExcerpt(text), shown) << text;
}

TEST_F(ImportConfirmTest, RowsFollowTheImportRowsWithTheFileCellOncePerGroup) {
  ImportConfirmModel model(Store());
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
  ASSERT_EQ(model.rowCount(), 5);  // the circle matched by both names has no row
  EXPECT_EQ((std::vector<int>{model.FileSpan(0), model.FileSpan(1), model.FileSpan(2),
                              model.FileSpan(3), model.FileSpan(4)}),
            (std::vector<int>{3, 0, 0, 1, 1}));
  const auto text = [&](int row, int column, int role = Qt::DisplayRole) {
    return model.index(row, column).data(role).toString();
  };
  EXPECT_EQ(text(0, 0), QStringLiteral("Twin"));
  EXPECT_EQ(text(0, 0, ImportConfirmModel::kLabelRole), Utf16("赤"));
  EXPECT_EQ(text(0, 0, ImportConfirmModel::kNoteRole).size(), 48);
  EXPECT_EQ(text(1, 1, ImportConfirmModel::kPenNameRole), QStringLiteral("Bob"));
  EXPECT_EQ(text(2, 1), Utf16("該当サークルなし"));
  EXPECT_EQ(text(3, 0, ImportConfirmModel::kLabelRole), Utf16("メモのみ"));
  EXPECT_EQ(model.index(3, 0).data(ImportConfirmModel::kSwatchRole).value<QColor>(),
            QColor(Qt::white));
  EXPECT_EQ(model.index(0, 0).data(ImportConfirmModel::kSwatchRole).value<QColor>(),
            QColor(Qt::red));
  EXPECT_EQ(text(4, 0), QStringLiteral("<b>Nobody</b>"));  // plain text, as it stands
  EXPECT_EQ(text(4, 0, ImportConfirmModel::kLabelRole), Utf16("未設定"));
  // Choices a row offers: register and skip in a group, all three alone, no register without
  // a candidate.
  const auto offered = [&](int row) {
    std::vector<bool> offers;
    for (int c = ImportConfirmModel::kRegisterColumn; c < ImportConfirmModel::kColumnCount; ++c) {
      offers.push_back(model.index(row, c).data(ImportConfirmModel::kChoiceRole).isValid());
    }
    return offers;
  };
  EXPECT_EQ(offered(0), (std::vector<bool>{true, false, true}));
  EXPECT_EQ(offered(2), (std::vector<bool>{false, true, true}));
  EXPECT_EQ(offered(3), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(offered(4), (std::vector<bool>{false, true, true}));
  EXPECT_EQ(text(0, ImportConfirmModel::kUnknownColumn), QStringLiteral(" - "));
  // Both candidates stay proposed for registering: namesakes may both be wanted.
  EXPECT_EQ(model.Actions(), (Actions{1, 1, 3, 1, 1, 2}));
}

TEST_F(ImportConfirmTest, ThePageShowsTheEventsTheGroupSpanAndTheCheckColours) {
  // A light and a dark check colour: bright green for the group, pure blue for the last circle.
  for (int record : {0, 1, 2}) Store().GetImportRecords()[record].color = 4;
  Store().GetImportRecords()[5].color = 3;
  std::vector<QString> captions;
  int span = 0;
  QImage shot;
  QRect groupCell, memoOnlyCell, blueCell;
  EXPECT_EQ(RunPage([&](vx::ImportConfirmDialog& dialog) {
              EXPECT_EQ(dialog.windowTitle(), Utf16("読み込みサークル確認"));
              for (const auto& caption : dialog.Header()->Captions())
                captions.push_back(caption.text);
              QTableView* view = dialog.View();
              span = view->rowSpan(0, ImportConfirmModel::kFileColumn);
              groupCell = view->visualRect(dialog.Model()->index(0, 0));
              memoOnlyCell = view->visualRect(dialog.Model()->index(3, 0));
              blueCell = view->visualRect(dialog.Model()->index(4, 0));
              shot = view->viewport()->grab().toImage();
              dialog.CancelButton()->click();
            }),
            QDialog::Rejected);
  ASSERT_GE(captions.size(), 3u);
  EXPECT_EQ(captions[0], Utf16("パヴォルン95"));  // the checklist's event first
  EXPECT_EQ(captions[1], Utf16("パヴォルン96"));
  EXPECT_EQ(captions[2], Utf16("チェック"));
  EXPECT_EQ(span, 3);
  EXPECT_EQ(groupCell.height(), 3 * memoOnlyCell.height());
  // The colour cell is the lower left quarter of a circle cell; its right end is clear of text.
  const int line = memoOnlyCell.height() / 2;
  const auto swatch = [&](const QRect& cell) {
    return shot.pixelColor(cell.left() + cell.width() / 2 - 4, cell.top() + line + line / 2);
  };
  EXPECT_EQ(swatch(groupCell), QColor(0, 0xC0, 0));
  EXPECT_EQ(swatch(memoOnlyCell), QColor(Qt::white));
  EXPECT_EQ(swatch(blueCell), QColor(Qt::blue));
  // The colour's name is written in white on the blue and in black on the green (and on white).
  const auto textPixels = [&](const QRect& cell, const QColor& text) {
    int count = 0;
    for (int y = cell.top() + line + 1; y <= cell.top() + 2 * line - 5; ++y) {
      for (int x = cell.left() + 2; x <= cell.left() + cell.width() / 2 - 3; ++x) {
        const QColor c = shot.pixelColor(x, y);
        count += std::abs(c.red() - text.red()) < 60 && std::abs(c.green() - text.green()) < 60 &&
                 std::abs(c.blue() - text.blue()) < 60;
      }
    }
    return count;
  };
  EXPECT_GT(textPixels(blueCell, Qt::white), 0);
  EXPECT_EQ(textPixels(blueCell, Qt::black), 0);
  EXPECT_GT(textPixels(groupCell, Qt::black), 0);
  EXPECT_EQ(textPixels(groupCell, Qt::white), 0);
  EXPECT_GT(textPixels(memoOnlyCell, Qt::black), 0);
}

// Choosing a second namesake unselected the first: each row is its own choice.
TEST_F(ImportConfirmTest, EveryRowIsItsOwnChoiceAndOnlyOkWritesTheChoices) {
  const Actions proposed = StoreActions();
  EXPECT_EQ(RunPage([&](vx::ImportConfirmDialog& dialog) {
              Choose(dialog, 0, ImportConfirmModel::kSkipColumn);
              EXPECT_EQ(dialog.Model()->Actions(), (Actions{3, 1, 3, 1, 1, 2}));
              QTest::keyClick(&dialog, Qt::Key_Escape);
            }),
            QDialog::Rejected);
  EXPECT_EQ(StoreActions(), proposed);

  QImage shot;
  QRect first, second, unchosen;
  EXPECT_EQ(RunPage([&](vx::ImportConfirmDialog& dialog) {
              Choose(dialog, 2, ImportConfirmModel::kUnknownColumn);
              Choose(dialog, 3, ImportConfirmModel::kSkipColumn);
              Choose(dialog, 4, ImportConfirmModel::kRegisterColumn);  // not offered: nothing
              // Space on a choice chooses it too.
              QTableView* view = dialog.View();
              view->setCurrentIndex(dialog.Model()->index(0, ImportConfirmModel::kSkipColumn));
              QTest::keyClick(view, Qt::Key_Space);
              EXPECT_EQ(dialog.Model()->Actions(), (Actions{3, 1, 2, 1, 3, 2}));
              Choose(dialog, 0, ImportConfirmModel::kRegisterColumn);
              const auto radio = [&](int row, int column) {
                return vx::ImportConfirmDelegate::RadioRect(
                    view->visualRect(dialog.Model()->index(row, column)));
              };
              first = radio(0, ImportConfirmModel::kRegisterColumn);
              second = radio(1, ImportConfirmModel::kRegisterColumn);
              unchosen = radio(1, ImportConfirmModel::kSkipColumn);
              shot = view->viewport()->grab().toImage();
              dialog.OkButton()->click();
            }),
            QDialog::Accepted);
  EXPECT_EQ(StoreActions(), (Actions{1, 1, 2, 1, 3, 2}));
  // Both namesakes show their register choice checked alike.
  const auto dark = [&](const QRect& r) {
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
      for (int x = r.left(); x <= r.right(); ++x) count += shot.pixelColor(x, y).lightness() < 96;
    }
    return count;
  };
  EXPECT_GT(dark(first), dark(unchosen));
  EXPECT_EQ(dark(first), dark(second));
}

}  // namespace
}  // namespace vxtest
