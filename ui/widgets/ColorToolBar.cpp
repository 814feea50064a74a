#include "ui/widgets/ColorToolBar.h"

#include <QAction>
#include <QPalette>

#include <algorithm>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "platform/qt/QtStrings.h"
#include "res/Pictures.h"
#include "res/ResourceIds.h"
#include "ui/menus/ColorSwatch.h"
#include "ui/menus/CommandActions.h"

namespace vx {

namespace {

QAction* NewSeparator(QObject* parent) {
  auto* separator = new QAction(parent);
  separator->setSeparator(true);
  return separator;
}

QString ColorToolTip(const CatalogController& controller, int index) {
  const char* name = controller.GetColorName(index, CatalogController::kChecklistColor);
  const QString text = QtText(name ? name : "");
  if (text.isEmpty()) return QStringLiteral("色%1で追加").arg(index + 1);
  return QStringLiteral("「%1」に追加").arg(text);
}

}  // namespace

ColorToolBar::ColorToolBar(const QString& title, QWidget* parent) : QToolBar(title, parent) {
  setProperty("controlId", IDW_TOOLBAR);
  setIconSize(QSize(16, 16));
  setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
}

void ColorToolBar::CreateColorBar(const CatalogController& controller, int bitmapId,
                                  int leadingPlaces, int leadingImages) {
  clear();
  colorButtons_.clear();
  leadingPlaces_ = std::max(0, leadingPlaces);
  leadingImages_ = std::max(0, leadingImages);
  images_.assign(leadingImages_ + 1, QIcon());
  for (int i = 0; i < leadingImages_; ++i) images_[i] = BitmapImage(bitmapId, i);
  images_[leadingImages_] = BitmapImage(IDB_REMOVE);

  for (int i = 0; i <= leadingPlaces_; ++i) addAction(NewSeparator(this));
  addAction(NewSeparator(this));  // after the colours
  QAction* remove = addAction(images_[leadingImages_], QStringLiteral("チェックリストから外す"));
  CommandActions::SetCommandId(remove, ID_UNCHECK);
  UpdateColorButtons(controller);
}

void ColorToolBar::UpdateColorButtons(const CatalogController& controller) {
  FitColorButtons(std::clamp(controller.GetColorCount(), 1, kMaxCheckColors));
  const int current = controller.GetCurrentColor();
  const QColor highlight = palette().color(QPalette::Highlight);
  for (int i = 0; i < ColorCount(); ++i) {
    const QIcon swatch =
        BarColorSwatch(controller.GetColorValue(i, CatalogController::kChecklistColor),
                       i == current ? highlight : QColor());
    images_[leadingImages_ + 1 + i] = swatch;
    colorButtons_[i]->setIcon(swatch);
    colorButtons_[i]->setText(ColorToolTip(controller, i));
  }
}

// Colour buttons come and go just in front of the place that follows them, which the owner may
// have filled; what stands before and after the colours is kept.
void ColorToolBar::FitColorButtons(int count) {
  images_.resize(leadingImages_ + 1 + count);
  while (ColorCount() > count) {
    QAction* last = colorButtons_.back();
    colorButtons_.pop_back();
    Discard(last);
  }
  while (ColorCount() < count) {
    QAction* after = PlaceAt(FirstColorPlace() + ColorCount());
    QAction* button = NewColorButton(ColorCount());
    insertAction(after, button);
    colorButtons_.push_back(button);
  }
}

QAction* ColorToolBar::NewColorButton(int index) {
  auto* button = new QAction(this);
  CommandActions::SetCommandId(button, ID_CHECK_COLOR_FIRST + index);
  return button;
}

int ColorToolBar::PlaceCount() const { return static_cast<int>(actions().size()); }

QAction* ColorToolBar::PlaceAt(int place) const {
  const QList<QAction*> places = actions();
  return place >= 0 && place < places.size() ? places[place] : nullptr;
}

QAction* ColorToolBar::ReplacePlace(int place, QAction* replacement) {
  QAction* old = PlaceAt(place);
  if (!old) {
    delete replacement;
    return nullptr;
  }
  insertAction(old, replacement);
  Discard(old);
  return replacement;
}

void ColorToolBar::Discard(QAction* place) {
  removeAction(place);
  if (place->parent() == this) delete place;
}

QAction* ColorToolBar::SetPlaceButton(int place, int commandId, int imageIndex,
                                      const QString& toolTip) {
  auto* button = new QAction(Image(imageIndex), toolTip, this);
  CommandActions::SetCommandId(button, commandId);
  return ReplacePlace(place, button);
}

QAction* ColorToolBar::SetPlaceWidget(int place, QWidget* widget) {
  QAction* old = PlaceAt(place);
  if (!old) return nullptr;
  QAction* holder = insertWidget(old, widget);
  Discard(old);
  return holder;
}

QIcon ColorToolBar::Image(int index) const {
  return index >= 0 && index < static_cast<int>(images_.size()) ? images_[index] : QIcon();
}

}  // namespace vx
