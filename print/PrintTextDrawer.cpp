#include "print/PrintTextDrawer.h"

namespace vx {

// Through a mask of its own: any drawer that can draw into an image can draw onto a page.
bool PrintTextDrawer::DrawTextMultiplied(DibImage& page24, const DibRect& box,
                                         std::string_view text, const TextLook& look, bool fit) {
  const DibImagePtr mask =
      DibImage_RenderText(*this, text, fit ? -box.w : box.w, box.h, look.fontHeight,
                          look.fontWeight, look.format, kTextMaskMultiply);
  if (!mask) return false;
  DibImage_Blit(page24, box.x, box.y, box.w, box.h, *mask, 0, 0, kDibMultiply);
  return true;
}

}  // namespace vx
