// Text drawing for print pages with Qt on an offscreen picture, in the catalogue's proportional
// Gothic face. Needs a QGuiApplication; safe on any thread (QImage painting).
#pragma once

#include "print/PrintTextDrawer.h"

namespace vx {

class QtPrintTextDrawer final : public PrintTextDrawer {
 public:
  bool DrawText(DibImage& image24, std::string_view text, const TextLook& look) override;
  int TextWidth(std::string_view text, int fontHeight, int fontWeight) override;
  bool DrawTextMultiplied(DibImage& page24, const DibRect& box, std::string_view text,
                          const TextLook& look, bool fit) override;
};

}  // namespace vx
