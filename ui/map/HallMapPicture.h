// The picture a hall map view shows, at the map's own size: the map, the genre layer (the hall's
// genre colouring faded toward white by an opacity) and the check layer (white, with each checked
// circle's half-space in its check colour). Drawn together at any zoom: the map, then both layers
// ANDed onto it, so white leaves the map as it is and a colour darkens it. Nothing is kept at the
// zoom, so memory is that of the three layers at the map's size whatever the zoom.
//
// For a screen of high pixel ratio the map and the genre picture may come with high-resolution
// versions of exactly twice the size: those are drawn instead, over the same map coordinates.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

#include <filesystem>
#include <span>
#include <utility>

class QPainter;
class QRectF;

namespace vx {

class HallMapPicture {
 public:
  // False, with no map, check layer or genre layer, when the file gives no picture. `sharpPath`
  // (may be empty) is the high-resolution map.
  bool LoadMap(const std::filesystem::path& path, const std::filesystem::path& sharpPath = {});
  void Clear();
  bool HasMap() const { return !map_.isNull(); }
  QSize Size() const { return map_.size(); }

  // The genre picture at `opacity` percent (1..100); without one (or at opacity 0) no genre layer.
  bool LoadGenre(const std::filesystem::path& path, int opacity,
                 const std::filesystem::path& sharpPath = {});
  void ClearGenre() { genre_ = sharpGenre_ = QImage(); }
  bool HasGenre() const { return !genre_.isNull(); }
  bool HasSharpMap() const { return !sharpMap_.isNull(); }

  // A white check layer of the map's size; none without a map.
  void ResetCheckLayer();
  bool HasCheckLayer() const { return !check_.isNull(); }
  // Opaque; white takes a mark away. Nothing without a check layer.
  void FillCheck(const QRect& rect, const QColor& color);
  // Many at once, in order, with one painter.
  void FillChecks(std::span<const std::pair<QRect, QColor>> fills);

  // Draws the whole picture into `target` (map pixels; the painter carries the zoom) over white.
  void Draw(QPainter& painter, const QRectF& target) const;

  const QImage& CheckLayer() const { return check_; }
  const QImage& GenreLayer() const { return genre_; }

 private:
  // The picture at `path` when it is exactly twice the map's size, else none.
  QImage LoadSharp(const std::filesystem::path& path) const;
  static QImage Faded(const QImage& picture, int opacity);

  QImage map_;
  QImage genre_;
  QImage check_;
  QImage sharpMap_;
  QImage sharpGenre_;
};

}  // namespace vx
