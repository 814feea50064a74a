// Cut rectangles, check-colour marks and the text drawn on catalogue pictures.
#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <cstdint>

class QPainter;

namespace vx {

// A cut's place in page pixels.
struct CutRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  friend bool operator==(const CutRect&, const CutRect&) = default;
};

// Turns a cut rectangle into its check-colour mark square, in place: the square sits in from the
// cut's top left and scales with the cut width (178 pixels being the reference cut).
void CutMarkRect(CutRect& rect);

// Whether a check colour draws a mark: a colour from 1 up to but not including white. 0 (memo
// only), -1 (not checked) and values that are no colour draw none.
bool IsMarkColor(std::uint32_t colorRef);

// Colours are stored as 0x00BBGGRR; drawn opaque.
QColor ColorFromColorRef(std::uint32_t colorRef);

// The catalogue's proportional Gothic face ("ＭＳ Ｐゴシック" of the original data) at an em size
// in pixels.
QFont CatalogPGothicFont(double pixelSize, bool bold);

// `number` in black, centred in `square`.
void DrawCentredNumber(QPainter& painter, const QRectF& square, int number, const QFont& font);

inline QRectF ToRectF(const CutRect& r) { return QRectF(r.x, r.y, r.w, r.h); }

}  // namespace vx
