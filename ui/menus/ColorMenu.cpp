#include "ui/menus/ColorMenu.h"

#include <QAction>
#include <QPoint>
#include <QRect>

#include <algorithm>
#include <vector>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "platform/qt/QtStrings.h"
#include "res/Pictures.h"
#include "res/ResourceIds.h"
#include "ui/menus/ColorSwatch.h"
#include "ui/menus/MenuTables.h"

namespace vx {

namespace {

// The items in front of the colours: "標準色で追加" and a separator.
constexpr int kItemsBeforeColors = 2;
// Separator, "チェックリストから外す", separator.
constexpr int kItemsAfterColors = 3;

struct ColorItem {
  QString name;  // as a menu text: its ampersands are not mnemonics
  QIcon swatch;
};

std::vector<ColorItem> ColorItems(const CatalogController& controller, int count) {
  std::vector<ColorItem> items;
  for (int i = 0; i < count; ++i) {
    const char* name = controller.GetColorName(i, CatalogController::kChecklistColor);
    items.push_back(
        {QtText(name ? name : "").replace(QLatin1Char('&'), QStringLiteral("&&")),
         MenuColorSwatch(controller.GetColorValue(i, CatalogController::kChecklistColor))});
  }
  return items;
}

QString CheckItemText(const QString& name, int number) {
  if (name.isEmpty()) return QStringLiteral("色&%1で追加\t%1").arg(number);
  return QStringLiteral("「%1」に追加(&%2)\t%2").arg(name).arg(number);
}

QString CurrentColorItemText(const QString& name, int number) {
  if (name.isEmpty()) return QStringLiteral("色&%1").arg(number);
  return QStringLiteral("%1(&%2)").arg(name).arg(number);
}

}  // namespace

bool ColorMenu::Build(const CatalogController& controller) {
  Load(MainMenuTable());
  AttachImages(CommandImage);
  return InsertColorItems(controller);
}

bool ColorMenu::Rebuild(const CatalogController& controller) {
  CommandMenu* checklist = ChecklistMenu();
  if (!checklist) return false;
  while (checklist->Count() > kChecklistResourceItems) checklist->DeleteItem(0);
  return InsertColorItems(controller);
}

CommandMenu* ColorMenu::ChecklistMenu() const { return SubMenuAt(kMainChecklistMenu); }

CommandMenu* ColorMenu::CurrentColorMenu() const {
  const CommandMenu* checklist = ChecklistMenu();
  return checklist ? checklist->SubMenuAt(colorCount_ + kItemsBeforeColors + kItemsAfterColors)
                   : nullptr;
}

bool ColorMenu::InsertColorItems(const CatalogController& controller) {
  CommandMenu* checklist = ChecklistMenu();
  if (!checklist) return false;
  colorCount_ = std::clamp(controller.GetColorCount(), 1, kMaxCheckColors);
  const std::vector<ColorItem> colors = ColorItems(controller, colorCount_);

  int position = 0;
  checklist->InsertItem(position++, QStringLiteral("標準色で追加(&A)\tEnter"),
                        ID_CHECK_CURRENT_COLOR);
  checklist->InsertItem(position++, QString(), 0);
  for (int i = 0; i < colorCount_; ++i) {
    checklist->InsertItem(position++, CheckItemText(colors[i].name, i + 1),
                          ID_CHECK_COLOR_FIRST + i, colors[i].swatch);
  }
  checklist->InsertItem(position++, QString(), 0);
  checklist->InsertItem(position++, QStringLiteral("チェックリストから外す(&R)\t0"), ID_UNCHECK,
                        BitmapImage(IDB_REMOVE));
  checklist->InsertItem(position++, QString(), 0);

  CommandMenu* current = CurrentColorMenu();
  if (!current) return false;
  current->Clear();
  for (int i = 0; i < colorCount_; ++i) {
    current->AppendItem(CurrentColorItemText(colors[i].name, i + 1), ID_CURRENT_COLOR_FIRST + i,
                        colors[i].swatch);
  }
  current->SetChecked(ID_CURRENT_COLOR_FIRST + controller.GetCurrentColor(), true);
  return true;
}

int ColorMenu::TrackPopup(const QPoint& screenPos, CommandTarget& owner) const {
  const CommandMenu* checklist = ChecklistMenu();
  return checklist ? checklist->TrackPopup(screenPos, owner) : 0;
}

int ColorMenu::TrackColorDropDown(const QPoint& screenPos, CommandTarget& owner,
                                  const QRect& keepClear) const {
  const CommandMenu* current = CurrentColorMenu();
  return current ? current->TrackPopup(screenPos, owner, keepClear) : 0;
}

}  // namespace vx
