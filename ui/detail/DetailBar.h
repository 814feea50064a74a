// The detail window's tool bar: the check-colour bar with two push buttons in front of the
// colours, "Googleで検索" (a web search of the current circle) and "設定" (the web-search
// settings). Each button stands on a place that carries its command, so the window's command
// actions run the command and enable the button as they do the colour buttons.
#pragma once

#include "ui/widgets/ColorToolBar.h"

class QPushButton;

namespace vx {

class CatalogController;

class DetailBar : public ColorToolBar {
  Q_OBJECT

 public:
  static constexpr int kSearchWidth = 86;
  static constexpr int kSettingsWidth = 30;

  explicit DetailBar(QWidget* parent = nullptr);

  // The colour bar for the present colours with the two buttons in its leading places.
  void Create(const CatalogController& controller);
  QPushButton* SearchButton() const { return search_; }
  QPushButton* SettingsButton() const { return settings_; }

 private:
  QPushButton* NewButton(int place, const QString& text, int commandId, int width);

  QPushButton* search_ = nullptr;
  QPushButton* settings_ = nullptr;
};

}  // namespace vx
