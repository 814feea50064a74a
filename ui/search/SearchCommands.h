// The application's circle search commands: a new search (ID_SEARCH), a narrowing of the last
// result (ID_SEARCH_NARROW, offered while there is one) and a redo of the last narrowing
// (ID_SEARCH_REDO_NARROW, offered while there is one), each opening the search dialog in that
// mode. While a dialog stays open, a command brings it to the front in the new mode instead.
#pragma once

#include <QPointer>

#include <functional>

#include "ui/menus/CommandMap.h"

class QWidget;

namespace vx {

class CatalogController;
class SearchDialog;

class SearchCommands : public CommandMap {
 public:
  // The dialogs belong to the window `owner` gives when one opens (the beacon window).
  SearchCommands(CatalogController& controller, std::function<QWidget*()> owner);

  // The search dialog in `mode`; answers what it ended with (0 when it was only brought back).
  int OpenSearchDialog(int mode);
  SearchDialog* OpenDialog() const;

 private:
  CatalogController& controller_;
  std::function<QWidget*()> owner_;
  QPointer<SearchDialog> open_;
};

}  // namespace vx
