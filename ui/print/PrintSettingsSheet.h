// The print settings sheet "印刷詳細設定": one page per print kind (list, cut, map, blank map) on
// a working copy of the print settings. It opens on the page of the print kind; OK copies the
// whole working copy back, the page shown then deciding the print kind; Cancel keeps the
// caller's settings as they were.
#pragma once

#include <QDialog>

#include <vector>

#include "app/PrintSettings.h"
#include "ui/print/PrintSettingsPage.h"

class QDialogButtonBox;
class QTabWidget;

namespace vx {

class PrintSettingsSheet : public QDialog {
  Q_OBJECT

 public:
  PrintSettingsSheet(QWidget* parent, const PrintSettingsContext& context, PrintSettings& settings);

  PrintSettingsPage* Page(int kind) const { return pages_[static_cast<std::size_t>(kind)]; }
  PrintSettingsPage* CurrentPage() const;
  QTabWidget* Tabs() const { return tabs_; }
  const PrintSettings& WorkingCopy() const { return work_; }

  void accept() override;

 private:
  PrintSettings& settings_;
  PrintSettings work_;
  std::vector<PrintSettingsPage*> pages_;
  QTabWidget* tabs_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

// Runs the sheet modal to `parent`; IDOK or IDCANCEL.
int RunPrintSettingsSheet(QWidget* parent, const PrintSettingsContext& context,
                          PrintSettings& settings);

}  // namespace vx
