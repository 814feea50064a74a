#include "ui/widgets/WindowPlacement.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMargins>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidget>

#include "tests/ui/widgets/ScreenPlacementChecks.h"
#include "ui/widgets/PageScrollArea.h"
#include "ui/widgets/WrappedLabel.h"

namespace {

// Placed before a window manager framed it, a window at the top of the screen had its title bar
// above the screen's edge; once the frame is known the window comes down and shrinks within it.
TEST(WindowPlacementTest, AFrameLearntLaterBringsTheTitleBarOntoTheScreen) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget window;
  window.setGeometry(area.left(), area.top(), 400, area.height());

  const QMargins frame(1, 20, 1, 5);
  vx::FitFrameOnScreen(window, frame);
  const QRect fitted = window.geometry();
  EXPECT_TRUE(area.contains(fitted.marginsAdded(frame))) << fitted.top() << " " << fitted.height();
  EXPECT_EQ(fitted.top(), area.top() + frame.top());
  EXPECT_EQ(fitted.width(), 400);
  vx::FitFrameOnScreen(window, frame);  // a window that fits stays
  EXPECT_EQ(window.geometry(), fitted);
}

QString LongText(int sentences) {
  return QStringLiteral(
             "チェックリストに登録されているサークルを、画像なしの一覧表形式で印刷します。")
      .repeated(sentences);
}

// A dialog of a page `pageHeight` pixels high (scrolling when asked to) and a wrapped text.
struct PageDialog : QDialog {
  PageDialog(QWidget* owner, int pageHeight, bool scrolling) : QDialog(owner) {
    page->setMinimumSize(300, pageHeight);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scrolling ? new vx::PageScrollArea(page, this) : page);
    layout->addWidget(text);
    layout->addWidget(new QPushButton(QStringLiteral("OK"), this));
    vx::PlaceDialogOnScreen(*this);
  }
  QWidget* page = new QWidget;
  vx::WrappedLabel* text = new vx::WrappedLabel(this, LongText(2));
};

// The program's dialogs belong to a window that is never shown: they opened over its place, away
// from the window the user works in. Over an owner that is shown, they open over the owner.
TEST(WindowPlacementTest, ADialogOpensOverItsOwnerOrTheWindowTheUserWorksIn) {
  vxtest::OwnerAndWorkWindow windows;
  ASSERT_TRUE(windows.Active());
  PageDialog overWork(&windows.owner, 50, false);
  const vxtest::NativeWindowBirth birth(overWork);
  vxtest::ShowOnScreenOver(overWork, windows.work, 2);
  vxtest::ExpectMadeWhereItOpened(birth, overWork);
  vxtest::ExpectWrappedTextsWhole(overWork);

  // Between a dialog that closes and the next, no window is active.
  overWork.hide();
  PageDialog passing(&windows.owner, 50, false);
  passing.move(0, 0);
  passing.show();
  passing.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&passing));
  passing.hide();
  ASSERT_EQ(QApplication::activeWindow(), nullptr);
  PageDialog next(&windows.owner, 50, false);
  vxtest::ShowOnScreenOver(next, windows.work, 2);

  QWidget shownOwner;
  shownOwner.setGeometry(20, 60, 500, 400);
  shownOwner.show();
  PageDialog overOwner(&shownOwner, 50, false);
  vxtest::ShowOnScreenOver(overOwner, shownOwner, 2);
}

// A dialog taller than the screen is kept within it, down to its minimum size: a page that
// scrolls lets it shrink, and the page shows whole where there is room.
TEST(WindowPlacementTest, ADialogTallerThanTheScreenShrinksWhereItsPageScrolls) {
  const int screenHeight = QGuiApplication::primaryScreen()->availableGeometry().height();
  PageDialog tall(nullptr, screenHeight + 200, true);
  tall.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&tall));
  vxtest::ExpectFrameOnScreen(tall);
  EXPECT_GT(tall.findChild<vx::PageScrollArea*>()->verticalScrollBar()->maximum(), 0);
  vxtest::ExpectWrappedTextsWhole(tall);

  PageDialog low(nullptr, screenHeight / 4, true);
  low.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&low));
  EXPECT_EQ(low.findChild<vx::PageScrollArea*>()->verticalScrollBar()->maximum(), 0);
  EXPECT_GE(low.page->height(), screenHeight / 4);
}

// A window's minimum size leaves out the lines that wrapped texts take: a dialog taller than
// two thirds of the screen opens at that minimum, and a text of two lines in a group got the
// height of one. The label keeps its height as its text grows and as its window narrows.
TEST(WrappedLabelTest, TakesTheHeightItsTextNeedsAtItsWidth) {
  QDialog dialog;
  auto* layout = new QVBoxLayout(&dialog);
  auto* group = new QGroupBox(QStringLiteral("出力形式"), &dialog);
  auto* grid = new QGridLayout(group);
  auto* text = new vx::WrappedLabel(group, LongText(1));
  grid->addWidget(new QPushButton(QStringLiteral("a"), group), 0, 0);
  grid->addWidget(new QPushButton(QStringLiteral("b"), group), 0, 1);
  grid->addWidget(text, 1, 0, 1, 2);
  grid->addWidget(new QPushButton(QStringLiteral("c"), group), 2, 0);
  layout->addWidget(group);
  const int screenHeight = QGuiApplication::primaryScreen()->availableGeometry().height();
  while (dialog.minimumSizeHint().height() < screenHeight * 3 / 4) {
    layout->addWidget(new QLineEdit(QStringLiteral("wider than the label's text"), &dialog));
  }
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  ASSERT_GT(text->heightForWidth(text->width()), text->fontMetrics().lineSpacing() * 3 / 2)
      << "the text takes more than one line";
  EXPECT_TRUE(vxtest::Whole(*text)) << text->height() << " " << text->heightForWidth(text->width());
  // The platform resizes a shown window later: the window grows once the event loop runs.
  text->setText(LongText(3));
  EXPECT_TRUE(vxtest::WaitUntilWhole(*text)) << "a longer text";
  dialog.resize(dialog.minimumWidth(), dialog.height());
  EXPECT_TRUE(vxtest::WaitUntilWhole(*text)) << "a narrower window";
}

}  // namespace
