// One page of the settings sheet. A page shows and edits the sheet's scratch copy of the setting
// values; only Apply touches the live values (the application's working copy) and, where the
// windows must redraw, has the controller announce the change.
#pragma once

#include <QString>
#include <QWidget>

namespace vx {

class CatalogController;
class UiServices;
struct SettingsValues;

class SettingsPage : public QWidget {
  Q_OBJECT

 public:
  SettingsPage(CatalogController& controller, SettingsValues& scratch, SettingsValues& live,
               UiServices& ui);

  // The text of the page's tab.
  virtual QString Title() const = 0;
  // False, once the user has been told why, when what the page shows cannot be stored; the sheet
  // then stays open on this page.
  virtual bool CanApply() { return true; }
  virtual void Apply() = 0;

 Q_SIGNALS:
  // The user changed something that Apply would store.
  void modified();

 protected:
  void SetModified() { Q_EMIT modified(); }

  CatalogController& controller_;
  SettingsValues& scratch_;
  SettingsValues& live_;
  UiServices& ui_;
};

}  // namespace vx
