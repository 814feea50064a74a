// The disc import's questions shown through the UI services: a file dialog for a missing file and
// error message boxes.
#pragma once

#include "data/ImportPrompts.h"
#include "platform/UiServices.h"

namespace vx {

class DiscImportUiPrompts : public ImportPrompts {
 public:
  DiscImportUiPrompts(UiServices& ui, OwnerWindow owner) : ui_(ui), owner_(owner) {}

  // An open-file dialog titled "<name>の場所の指定" whose only filter is the name itself.
  std::optional<std::filesystem::path> LocateFile(const std::string& fileName,
                                                  const std::filesystem::path& folder) override;
  void ShowError(const std::string& text) override;
  // Titled "警告".
  void ShowWarning(const std::string& text) override;

 private:
  UiServices& ui_;
  OwnerWindow owner_;
};

}  // namespace vx
