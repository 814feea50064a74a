#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QImage>
#include <QTest>
#include <QTimer>

#include <optional>

#include "data/images/CutDrawing.h"
#include "tests/ui/dialogs/DialogTestSupport.h"
#include "ui/settings/ColorButton.h"
#include "ui/settings/ColorChooser.h"

namespace {

// Colours that tell the parts of the frame apart.
QPalette FramePalette() {
  QPalette palette;
  palette.setColor(QPalette::Button, QColor(0xC0, 0xC0, 0xC0));
  palette.setColor(QPalette::Light, QColor(0xFF, 0xFF, 0xFF));
  palette.setColor(QPalette::Shadow, QColor(0x10, 0x10, 0x10));
  palette.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
  return palette;
}

class ColorButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    button.setPalette(FramePalette());
    button.resize(24, 20);
    button.SetColor(0x0000FF);  // red
  }
  // The colours at the outer edge, the bevel's top left and bottom right, the gap inside the
  // bevel, the colour's outline and the middle.
  std::vector<QColor> Parts() {
    const QImage shot = button.grab().toImage();
    const int w = shot.width();
    const int h = shot.height();
    return {shot.pixel(0, 0), shot.pixel(1, 1),         shot.pixel(w - 2, h - 2),
            shot.pixel(2, 2), shot.pixel(w - 4, h - 4), shot.pixel(w / 2, h / 2)};
  }

  vx::ColorButton button;
  const QColor face{0xC0, 0xC0, 0xC0};
  const QColor light{0xFF, 0xFF, 0xFF};
  const QColor darkShadow{0x10, 0x10, 0x10};
  const QColor shadow{0x80, 0x80, 0x80};
  const QColor red{0xFF, 0, 0};
};

TEST_F(ColorButtonTest, TheColourSitsInARaisedFrameThatTurnsOverWhenPressed) {
  EXPECT_EQ(Parts(), (std::vector<QColor>{face, light, darkShadow, face, shadow, red}));
  button.setDown(true);
  EXPECT_EQ(Parts(), (std::vector<QColor>{face, darkShadow, light, face, shadow, red}));
}

TEST_F(ColorButtonTest, TheFocusDarkensTheOuterEdge) {
  QWidget window;
  button.setParent(&window);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.activateWindow();
  button.setFocus();
  QTRY_VERIFY(button.hasFocus());
  EXPECT_EQ(Parts()[0], darkShadow);
  button.setParent(nullptr);
}

TEST_F(ColorButtonTest, ANewColourIsDrawnAndAClickIsReported) {
  button.SetColor(0xFF8000);  // COLORREF: blue 0xFF, green 0x80
  EXPECT_EQ(Parts()[5], QColor(0x00, 0x80, 0xFF));
  EXPECT_EQ(button.Color(), 0xFF8000u);
  int clicks = 0;
  QObject::connect(&button, &QAbstractButton::clicked, [&] { ++clicks; });
  QTest::mouseClick(&button, Qt::LeftButton);
  QTest::keyClick(&button, Qt::Key_Space);
  EXPECT_EQ(clicks, 2);
}

// The dialog is driven from a zero-delay timer once it is up.
std::optional<std::uint32_t> RunChooser(std::uint32_t start, const QColor& pick, bool accept,
                                        QString* title, QColor* startShown) {
  vxtest::Watchdog watchdog;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    *title = dialog->windowTitle();
    *startShown = dialog->currentColor();
    dialog->setCurrentColor(pick);
    if (accept) {
      dialog->accept();
    } else {
      QTest::keyClick(dialog, Qt::Key_Escape);
    }
  });
  return vx::ChooseColorWithDialog(nullptr, start);
}

TEST(ChooseColorWithDialogTest, StartsFromTheColourAndGivesTheChoiceAsColorRef) {
  QString title;
  QColor startShown;
  EXPECT_EQ(RunChooser(0x336699, QColor(0x12, 0x34, 0x56), true, &title, &startShown),
            std::optional<std::uint32_t>(0x563412));
  EXPECT_EQ(title.toStdString(), "色の設定");
  EXPECT_EQ(startShown, QColor(0x99, 0x66, 0x33));
  EXPECT_EQ(RunChooser(0x336699, Qt::white, false, &title, &startShown), std::nullopt);
}

}  // namespace
