#include "ui/search/SearchCommands.h"

#include <utility>

#include "app/CatalogController.h"
#include "res/ResourceIds.h"
#include "ui/search/SearchDialog.h"

namespace vx {

SearchCommands::SearchCommands(CatalogController& controller, std::function<QWidget*()> owner)
    : controller_(controller), owner_(std::move(owner)) {
  On(ID_SEARCH, [this] { OpenSearchDialog(SearchDialog::kNewSearch); });
  On(ID_SEARCH_NARROW, [this] { OpenSearchDialog(SearchDialog::kNarrow); });
  On(ID_SEARCH_REDO_NARROW, [this] { OpenSearchDialog(SearchDialog::kRedoNarrowing); });
  OnUpdate(ID_SEARCH_NARROW,
           [this](int, CommandState& state) { state.enabled = controller_.CanNarrowSearch(); });
  OnUpdate(ID_SEARCH_REDO_NARROW,
           [this](int, CommandState& state) { state.enabled = controller_.CanRedoNarrowing(); });
}

SearchDialog* SearchCommands::OpenDialog() const { return open_; }

int SearchCommands::OpenSearchDialog(int mode) {
  if (open_) {
    open_->Reopen(mode);
    return 0;
  }
  SearchDialog dialog(controller_, owner_ ? owner_() : nullptr);
  open_ = &dialog;
  const int result = dialog.RunModal(mode);
  open_ = nullptr;
  return result;
}

}  // namespace vx
