// A push button that shows one check colour (COLORREF) inside a sunken-looking frame: the outer
// edge in the button face colour (the dark shadow colour while it has the focus), a bevel one
// pixel in that turns over while the button is held down, and two pixels further in the colour
// itself, outlined in the shadow colour.
#pragma once

#include <QAbstractButton>

#include <cstdint>

namespace vx {

class ColorButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit ColorButton(QWidget* parent = nullptr);

  std::uint32_t Color() const { return color_; }
  void SetColor(std::uint32_t colorRef);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::uint32_t color_ = 0;
};

}  // namespace vx
