#include "ui/views/ZoomableImageView.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpontaneKeyEvent>
#include <QTest>

#include <memory>
#include <tuple>
#include <vector>

#include "res/Pictures.h"
#include "res/ResourceIds.h"
#include "ui/views/ZoomSteps.h"

namespace {

using vx::ViewCursor;
using vx::ZoomableImageView;

// Shows a picture of its own and counts the auto-scroll timer's ticks.
class PictureView : public ZoomableImageView {
 public:
  explicit PictureView(QImage picture) : picture_(std::move(picture)) {}
  void SetPicture(QImage picture) {
    picture_ = std::move(picture);
    SetZoom(Zoom());
  }
  int ticks = 0;

 protected:
  bool HasImage() const override { return !picture_.isNull(); }
  QSize ImageSize() const override { return picture_.size(); }
  void DrawImage(QPainter& painter, const QRectF& target) const override {
    painter.drawImage(target, picture_);
  }
  void timerEvent(QTimerEvent* event) override {
    ZoomableImageView::timerEvent(event);
    ++ticks;
  }

 private:
  QImage picture_;
};

QImage Filled(QSize size, QColor colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// Black left half, white right half.
QImage HalfBlack(QSize size) {
  QImage image = Filled(size, Qt::white);
  QPainter(&image).fillRect(0, 0, size.width() / 2, size.height(), Qt::black);
  return image;
}

class ImageViewTest : public ::testing::Test {
 protected:
  void Show(QImage picture, QSize client = QSize(200, 200)) {
    view = std::make_unique<PictureView>(std::move(picture));
    view->setFrameShape(QFrame::NoFrame);
    view->resize(client);
    view->SetZoom(100);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
  }
  QImage Shot() const { return view->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  QPoint Scroll() const { return view->ScrollPosition(); }
  QWidget* Port() const { return view->viewport(); }

  std::unique_ptr<PictureView> view;
};

TEST(ZoomStepsTest, StepsSnapToTheGridOf25AndStayInRange) {
  // zoom, in, out (range 25..200)
  const std::vector<std::tuple<int, int, int>> steps = {
      {100, 125, 75}, {110, 125, 75}, {137, 150, 100}, {200, 200, 175}, {25, 50, 25}, {30, 50, 25},
  };
  for (auto [zoom, in, out] : steps) {
    EXPECT_EQ(vx::ZoomStepIn(zoom, 200), in) << zoom;
    EXPECT_EQ(vx::ZoomStepOut(zoom, 25), out) << zoom;
  }
  EXPECT_EQ(vx::ZoomStepIn(280, 300), 300);
  EXPECT_EQ(vx::ZoomStepByWheel(110, 120, 25, 200), 125);
  EXPECT_EQ(vx::ZoomStepByWheel(110, -240, 25, 200), 75);
  EXPECT_EQ(vx::ZoomStepByWheel(110, 0, 25, 200), 110);
  EXPECT_EQ(vx::ZoomStepByWheel(190, 120, 25, 200), 200);
  EXPECT_EQ(vx::ZoomStepByWheel(40, -1, 25, 200), 25);
}

TEST_F(ImageViewTest, ZoomBelowOneChangesNothingAndTheCacheHasTheZoomedSize) {
  Show(Filled(QSize(100, 100), Qt::red));
  QSignalSpy changes(view.get(), &ZoomableImageView::zoomChanged);
  for (int bad : {0, -5}) {
    view->SetZoom(bad);
    EXPECT_EQ(view->Zoom(), 100);
    EXPECT_EQ(view->ZoomedSize(), QSize(100, 100));
  }
  view->SetZoom(33);
  EXPECT_EQ(view->ZoomedSize(), QSize(33, 33));
  EXPECT_EQ(view->ZoomCache().size(), QSize(33, 33));
  ASSERT_EQ(changes.count(), 1);
  EXPECT_EQ(changes[0][0].toInt(), 33);
}

TEST_F(ImageViewTest, TheRestOfTheViewAndAMissingPictureShowTheWorkspaceColour) {
  Show(Filled(QSize(100, 50), Qt::red));
  const QRgb workspace = view->WorkspaceColor().rgb();
  QImage shot = Shot();
  EXPECT_EQ(shot.pixel(99, 49), QColor(Qt::red).rgb());
  EXPECT_EQ(shot.pixel(100, 10), workspace);
  EXPECT_EQ(shot.pixel(10, 50), workspace);

  view->SetPicture(QImage());
  EXPECT_TRUE(view->ZoomCache().isNull());
  shot = Shot();
  EXPECT_EQ(shot.pixel(0, 0), workspace);
  EXPECT_EQ(shot.pixel(199, 199), workspace);

  view->SetPicture(Filled(QSize(100, 100), Qt::red));
  view->SetZoom(1);  // zoomed to one pixel: no picture either
  EXPECT_EQ(view->ZoomedSize(), QSize(1, 1));
  view->SetZoom(0);
  view->SetPicture(Filled(QSize(50, 50), Qt::red));
  EXPECT_EQ(view->ZoomedSize(), QSize(0, 0));
  EXPECT_TRUE(view->ZoomCache().isNull());
}

TEST_F(ImageViewTest, SmoothingChoosesBilinearOrNearestScaling) {
  Show(HalfBlack(QSize(2, 1)));
  view->SetZoom(1000);  // 20 x 10
  for (bool smooth : {false, true}) {
    view->SetSmoothing(smooth);
    const QImage& cache = view->ZoomCache();
    ASSERT_EQ(cache.size(), QSize(20, 10));
    int greys = 0;
    for (int x = 0; x < 20; ++x) {
      const int level = qGray(cache.pixel(x, 5));
      if (level != 0 && level != 255) ++greys;
    }
    EXPECT_EQ(greys > 0, smooth) << "smooth " << smooth;
    EXPECT_EQ(qGray(cache.pixel(0, 5)), 0);
    EXPECT_EQ(qGray(cache.pixel(19, 5)), 255);
  }
}

TEST_F(ImageViewTest, AutoScrollMovesAnEighthOfTheOffsetPerTickOutsideTheDeadZone) {
  Show(Filled(QSize(2000, 2000), Qt::gray));
  view->SetScrollMode(ZoomableImageView::kScrollAuto);
  const QPoint anchor(100, 100);
  QTest::mouseMove(Port(), anchor);
  QTest::mouseClick(Port(), Qt::MiddleButton, {}, anchor);
  EXPECT_EQ(view->ShownCursor(), ViewCursor::kScrollCentre);

  // 31 pixels in both directions: the view stands still.
  QTest::mouseMove(Port(), anchor + QPoint(31, -31));
  EXPECT_EQ(view->ShownCursor(), ViewCursor::kScrollCentre);
  view->ticks = 0;
  QTRY_VERIFY_WITH_TIMEOUT(view->ticks >= 3, 5000);
  EXPECT_EQ(Scroll(), QPoint(0, 0));

  QSignalSpy rows(view->verticalScrollBar(), &QScrollBar::valueChanged);
  QTest::mouseMove(Port(), anchor + QPoint(20, 40));
  EXPECT_EQ(view->ShownCursor(), ViewCursor::kScrollDown);     // index 6: 20 / 32 is 0 across
  ASSERT_FALSE(view->viewport()->cursor().pixmap().isNull());  // the program's own picture
  EXPECT_EQ(view->viewport()->cursor().pixmap().toImage(),
            vx::ProgramCursor(IDCUR_SCROLL_DOWN).pixmap().toImage());
  QTRY_VERIFY_WITH_TIMEOUT(rows.count() >= 3, 5000);
  for (int tick = 0; tick < 3; ++tick) EXPECT_EQ(rows[tick][0].toInt(), 5 * (tick + 1));
  EXPECT_EQ(Scroll().x() * 5, Scroll().y() * 2);

  // Any key ends it; the timer then stops at its next tick.
  QTest::keyClick(view.get(), Qt::Key_A);
  EXPECT_EQ(view->ShownCursor(), ViewCursor::kArrow);
  const QPoint stopped = Scroll();
  view->ticks = 0;
  QTRY_VERIFY_WITH_TIMEOUT(view->ticks >= 1, 5000);
  EXPECT_EQ(Scroll(), stopped);
}

TEST_F(ImageViewTest, AutoScrollCursorFollowsTheDirectionFromTheAnchor) {
  Show(Filled(QSize(2000, 2000), Qt::gray), QSize(400, 400));
  view->SetScrollMode(ZoomableImageView::kScrollAuto);
  const QPoint anchor(200, 200);
  QTest::mouseMove(Port(), anchor);
  QTest::mouseClick(Port(), Qt::MiddleButton, {}, anchor);
  const std::vector<std::pair<QPoint, ViewCursor>> cases = {
      {{-32, 0}, ViewCursor::kScrollLeft},      {{40, 0}, ViewCursor::kScrollRight},
      {{0, -40}, ViewCursor::kScrollUp},        {{-40, -40}, ViewCursor::kScrollUpLeft},
      {{40, -40}, ViewCursor::kScrollUpRight},  {{-40, 40}, ViewCursor::kScrollDownLeft},
      {{40, 40}, ViewCursor::kScrollDownRight}, {{-31, 31}, ViewCursor::kScrollCentre},
  };
  for (auto [offset, cursor] : cases) {
    QTest::mouseMove(Port(), anchor + offset);
    EXPECT_EQ(view->ShownCursor(), cursor) << offset.x() << "," << offset.y();
  }
  // A second middle click ends it; a right click ends any pan.
  QTest::mouseClick(Port(), Qt::MiddleButton, {}, anchor);
  EXPECT_EQ(view->ShownCursor(), ViewCursor::kArrow);
  QTest::mouseClick(Port(), Qt::MiddleButton, {}, anchor);
  QTest::mousePress(Port(), Qt::RightButton, {}, anchor);
  EXPECT_EQ(view->ShownCursor(), ViewCursor::kArrow);
  QTest::mouseRelease(Port(), Qt::RightButton, {}, anchor);
}

// Dragging in the two drag modes; the picture is narrower than the view, so only rows move.
TEST_F(ImageViewTest, DraggingMovesOnlyWhereThePictureDoesNotFit) {
  for (int mode : {ZoomableImageView::kScrollSpaceDrag, ZoomableImageView::kScrollDrag}) {
    Show(Filled(QSize(100, 1000), Qt::gray));
    view->SetScrollMode(mode);
    QTest::mouseMove(Port(), QPoint(50, 150));
    if (mode == ZoomableImageView::kScrollSpaceDrag) {
      // Without Space held a drag does nothing.
      QTest::mousePress(Port(), Qt::LeftButton, {}, QPoint(50, 150));
      QTest::mouseMove(Port(), QPoint(10, 50));
      QTest::mouseRelease(Port(), Qt::LeftButton, {}, QPoint(10, 50));
      EXPECT_EQ(Scroll(), QPoint(0, 0));
      QTest::mouseMove(Port(), QPoint(50, 150));
      QTest::keyPress(view.get(), Qt::Key_Space);
      EXPECT_EQ(view->ShownCursor(), ViewCursor::kHand);
    }
    QTest::mousePress(Port(), Qt::LeftButton, {}, QPoint(50, 150));
    QTest::mouseMove(Port(), QPoint(10, 50));
    EXPECT_EQ(view->ShownCursor(), ViewCursor::kGrabbing) << mode;
    EXPECT_EQ(Scroll(), QPoint(0, 100)) << mode;
    QTest::mouseRelease(Port(), Qt::LeftButton, {}, QPoint(10, 50));
    if (mode == ZoomableImageView::kScrollSpaceDrag) {
      EXPECT_EQ(view->ShownCursor(), ViewCursor::kHand);
      QTest::keyRelease(view.get(), Qt::Key_Space);
    }
    QTest::mouseMove(Port(), QPoint(20, 60));
    EXPECT_EQ(view->ShownCursor(), ViewCursor::kArrow) << mode;
    EXPECT_EQ(Scroll(), QPoint(0, 100)) << mode;
  }
}

TEST_F(ImageViewTest, ArrowKeysAndTheWheelScrollWhileCtrlShiftAndFittingPicturesGoToTheFrame) {
  QWidget frame;
  int frameWheels = 0;
  class WheelCounter : public QObject {
   public:
    explicit WheelCounter(int* count) : count_(count) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Wheel) ++*count_;
      return false;
    }
    int* count_;
  } counter(&frameWheels);
  frame.installEventFilter(&counter);

  Show(Filled(QSize(1000, 1000), Qt::gray));
  view->setParent(&frame);
  frame.resize(200, 200);
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  QTest::keyClick(view.get(), Qt::Key_Down);
  QTest::keyClick(view.get(), Qt::Key_Right);
  QTest::keyClick(view.get(), Qt::Key_Right);
  EXPECT_EQ(Scroll(), QPoint(20, 10));  // a line is a hundredth of the zoomed picture
  QTest::keyClick(view.get(), Qt::Key_Left);
  QTest::keyClick(view.get(), Qt::Key_Up);
  EXPECT_EQ(Scroll(), QPoint(10, 0));
  QTest::keyClick(view.get(), Qt::Key_Right, Qt::AltModifier);  // history forward: not a scroll
  EXPECT_EQ(Scroll(), QPoint(10, 0));

  const auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(QPointF(50, 50), Port()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);  // as from the system: it may go on to the frame
    QApplication::instance()->notify(Port(), &event);
  };
  wheel(-120, Qt::NoModifier);
  EXPECT_GT(Scroll().y(), 0);
  EXPECT_EQ(frameWheels, 0);
  wheel(-120, Qt::ControlModifier);
  wheel(-120, Qt::ShiftModifier);
  EXPECT_EQ(frameWheels, 2);
  view->SetZoom(10);  // fits: the wheel turns pages in the frame
  wheel(-120, Qt::NoModifier);
  EXPECT_EQ(frameWheels, 3);
  view->setParent(nullptr);
}

TEST_F(ImageViewTest, ZoomStepsKeepToTheRangeAndFitsComputeTwiceForTheScrollBars) {
  Show(Filled(QSize(400, 800), Qt::gray), QSize(200, 300));
  view->SetZoomRange(25, 200);
  EXPECT_TRUE(view->ZoomIn());
  EXPECT_EQ(view->Zoom(), 125);
  view->SetZoom(200);
  EXPECT_FALSE(view->ZoomIn());
  EXPECT_TRUE(view->ZoomByWheel(-120));
  EXPECT_EQ(view->Zoom(), 175);

  // The whole picture first: no scroll bars.
  EXPECT_TRUE(view->FitOnce(ZoomableImageView::FitMode::kWhole));
  EXPECT_EQ(view->Zoom(), 300 * 100 / 800);
  EXPECT_TRUE(view->FitsInClient());
  // Fit to width brings a vertical bar, which narrows the view; the second pass allows for it.
  EXPECT_TRUE(view->FitOnce(ZoomableImageView::FitMode::kWidth));
  EXPECT_TRUE(view->verticalScrollBar()->isVisible());
  EXPECT_EQ(view->Zoom(), Port()->width() * 100 / 400);
  EXPECT_LT(Port()->width(), 200);
  EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
  EXPECT_FALSE(view->FitOnce(ZoomableImageView::FitMode::kWidth));

  // A kept fit follows the size of the view; a one-off fit does not.
  view->SetFitMode(ZoomableImageView::FitMode::kHeight);
  const int heightFit = view->Zoom();
  EXPECT_EQ(heightFit, Port()->height() * 100 / 800);
  view->resize(200, 500);
  EXPECT_EQ(view->Zoom(), Port()->height() * 100 / 800);
  EXPECT_GT(view->Zoom(), heightFit);
  view->SetFitMode(ZoomableImageView::FitMode::kNone);
  const int kept = view->Zoom();
  view->resize(200, 300);
  EXPECT_EQ(view->Zoom(), kept);
}

TEST_F(ImageViewTest, ViewAndImageCoordinatesMapBothWaysWithTheScroll) {
  Show(Filled(QSize(1000, 1000), Qt::gray));
  view->SetZoom(33);
  view->ScrollTo(QPoint(10, 20));
  EXPECT_EQ(view->ViewToImage(QPoint(0, 0)), QPoint(30, 60));
  EXPECT_EQ(view->ViewToImage(QPoint(23, 13)), QPoint(100, 100));
  // Edges truncate: 100 * 33 / 100 = 33, 161 * 33 / 100 = 53.13.
  EXPECT_EQ(view->ImageToView(QRect(100, 100, 61, 61)), QRectF(23, 13, 20, 20));
  view->ScrollTo(QPoint(-5, 5000));
  EXPECT_EQ(Scroll(), QPoint(0, 330 - Port()->height()));
}

}  // namespace
