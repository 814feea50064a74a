// The map window's tool bar, in its fifteen places: the map choice (day and hall); zoom out, the
// zoom box and zoom in; the label "ジャンル表示" and the genre opacity ("なし", 25 % .. 100 %); fit
// width, fit height and whole map (check buttons of the fit modes) and actual size; anti-aliasing
// (a check button). The buttons carry their commands (CommandActions), with the texts of the
// window's view menu.
#pragma once

#include <QToolBar>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;

namespace vx {

class CommandMenu;

class HallMapBar : public QToolBar {
  Q_OBJECT

 public:
  static constexpr int kOpacityStep = 25;

  HallMapBar(CommandMenu& viewMenu, QWidget* parent = nullptr);

  QComboBox* MapChoice() const { return mapChoice_; }
  QLineEdit* ZoomBox() const { return zoomBox_; }
  QComboBox* OpacityChoice() const { return opacityChoice_; }
  // The button of a command; null for a command the bar has none of.
  QAction* Button(int commandId) const;

  // Replaces the map choice's rows (CP932) without announcing a choice.
  void FillMapChoice(const std::vector<std::string>& labels);
  void ShowMap(int slot);
  // "<zoom>%".
  void ShowZoom(int zoom);
  // The row of the opacity: percent / 25.
  void ShowOpacity(int percent);

 Q_SIGNALS:
  void mapChosen(int slot);
  void opacityChosen(int percent);
  // Return in the zoom box.
  void zoomEntered();

 private:
  void AddButton(CommandMenu& viewMenu, int commandId, int image, bool checkable);
  void AddZoomBox();
  void AddGenreControls();

  QComboBox* mapChoice_ = nullptr;
  QLineEdit* zoomBox_ = nullptr;
  QComboBox* opacityChoice_ = nullptr;
  QLabel* genreLabel_ = nullptr;
};

}  // namespace vx
