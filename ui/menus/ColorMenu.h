// The main window's menu bar with the check colours: the checklist menu (position 4) starts with
// "標準色で追加" (ID_CHECK_CURRENT_COLOR), one item per check colour (ID_CHECK_COLOR_FIRST + i,
// with its swatch) and "チェックリストから外す" (ID_UNCHECK), each group closed by a separator;
// its current-colour sub-menu (at position colour count + 5) holds one item per colour
// (ID_CURRENT_COLOR_FIRST + index) with the current one checked. The views show the checklist
// menu as their right-click popup; the main window shows the current-colour sub-menu under its
// colour drop-down button.
//
// Colours, names and the current colour are those of the current checklist, read through the
// controller; the colour count is 1..16.
#pragma once

#include "ui/menus/CommandMenu.h"

class QPoint;
class QRect;

namespace vx {

class CatalogController;
class CommandTarget;

class ColorMenu : public CommandMenu {
 public:
  // Loads the main menu table with the command images and inserts the colour items. False when
  // the checklist menu or its current-colour sub-menu is missing.
  bool Build(const CatalogController& controller);
  // After the colours or the colour count changed (UM_COLORS_CHANGED): the colour items again,
  // with the present count, colours, names and current colour.
  bool Rebuild(const CatalogController& controller);

  int ColorCount() const { return colorCount_; }  // of the last build
  CommandMenu* ChecklistMenu() const;
  CommandMenu* CurrentColorMenu() const;

  // The checklist menu as a popup at a screen point, its commands going to `owner` (the window
  // whose view was clicked). Answers the command chosen; 0 when none was or the menu is missing.
  int TrackPopup(const QPoint& screenPos, CommandTarget& owner) const;
  // The current-colour sub-menu below (or above) the pressed button `keepClear`.
  int TrackColorDropDown(const QPoint& screenPos, CommandTarget& owner,
                         const QRect& keepClear) const;

 private:
  bool InsertColorItems(const CatalogController& controller);

  int colorCount_ = 0;
};

}  // namespace vx
