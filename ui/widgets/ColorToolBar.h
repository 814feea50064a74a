// A tool bar with one button per check colour: n places that the owning window fills (buttons or
// controls), a separator, the colour buttons (ID_CHECK_COLOR_FIRST + i, each showing its colour's
// swatch, the current colour's on a highlighted cell), a separator (the owner may put something
// else there) and the remove button (ID_UNCHECK). The checklist, detail and list windows use it;
// the main window's check bar too.
//
// Images are addressed by index as in a strip: 0..m-1 the leading images taken from a tool bar
// bitmap, m the remove image, m + 1 + i the swatch of colour i. The buttons carry command ids;
// the owner binds the bar to its command route (CommandActions).
#pragma once

#include <QIcon>
#include <QToolBar>

#include <vector>

class QAction;

namespace vx {

class CatalogController;

class ColorToolBar : public QToolBar {
  Q_OBJECT

 public:
  explicit ColorToolBar(const QString& title, QWidget* parent = nullptr);

  // Lays the places out for the present colour count: `leadingPlaces` separators for the owner,
  // then the colour part; `bitmapId` (0: none) gives the first `leadingImages` images.
  void CreateColorBar(const CatalogController& controller, int bitmapId, int leadingPlaces,
                      int leadingImages);
  // Redraws the swatches from the present colours and current colour (UM_CURRENT_COLOR_CHANGED,
  // UM_COLORS_CHANGED); colour buttons are added or removed when the colour count changed.
  void UpdateColorButtons(const CatalogController& controller);

  int PlaceCount() const;
  QAction* PlaceAt(int place) const;  // null outside
  // What the owner puts into one of its places (the leading ones and the one after the colours),
  // replacing what stood there.
  QAction* SetPlaceButton(int place, int commandId, int imageIndex, const QString& toolTip = {});
  QAction* SetPlaceWidget(int place, QWidget* widget);

  QIcon Image(int index) const;  // null outside
  int ColorCount() const { return static_cast<int>(colorButtons_.size()); }
  int FirstColorPlace() const { return leadingPlaces_ + 1; }

 private:
  QAction* ReplacePlace(int place, QAction* replacement);
  void Discard(QAction* place);
  void FitColorButtons(int count);
  QAction* NewColorButton(int index);

  int leadingPlaces_ = 0;
  int leadingImages_ = 0;
  std::vector<QIcon> images_;
  std::vector<QAction*> colorButtons_;
};

}  // namespace vx
