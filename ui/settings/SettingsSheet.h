// The settings sheet: pages on tabs with OK, Cancel and Apply, all editing one scratch copy of
// the live setting values. OK and Apply first let every page refuse what it cannot store, then
// have every page store its keys into the live values; Cancel drops what was not applied.
//
// The application's settings command shows the behaviour, path, list and colour pages under the
// title "動作設定", the palette being the colour set shown first. The check-colour commands (and
// the print settings) show the colour page alone under "チェック色の編集", on the checklist's set.
#pragma once

#include <QDialog>

#include <vector>

#include "app/SettingsValues.h"
#include "ui/settings/ColorChooser.h"

class QDialogButtonBox;
class QPushButton;
class QTabWidget;

namespace vx {

class CatalogController;
class SettingsPage;
class UiServices;

class SettingsSheet : public QDialog {
  Q_OBJECT

 public:
  enum class Kind { kSettings, kCheckColors };

  // `live` is the application's working copy of the setting values; it is read now and written
  // only by OK and Apply.
  SettingsSheet(Kind kind, CatalogController& controller, SettingsValues& live, UiServices& ui,
                ColorChooser chooser = ChooseColorWithDialog);

  // Shows the sheet modal to `owner` (null: no owner) under the controller's modal guard.
  // IDOK after OK; IDCANCEL after Cancel, Escape or the close box.
  int Run(QWidget* owner);

  int PageCount() const { return static_cast<int>(pages_.size()); }
  SettingsPage* Page(int index) const;
  SettingsPage* CurrentPage() const;
  QPushButton* ApplyButton() const { return apply_; }

  void accept() override;
  void reject() override;

 private:
  void CreatePages(Kind kind, CatalogController& controller, SettingsValues& live, UiServices& ui,
                   ColorChooser chooser);
  void ArrangeControls();
  bool ApplyPages();

  CatalogController& controller_;
  SettingsValues scratch_;
  std::vector<SettingsPage*> pages_;
  QTabWidget* tabs_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  QPushButton* apply_ = nullptr;
};

}  // namespace vx
