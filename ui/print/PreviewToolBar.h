// The preview's tool bar: the five zoom buttons (one checked), previous page, the page list
// ("%d : %s" per page), " / N", next page and close. Buttons are found by their command ids.
#pragma once

#include <QToolBar>

#include <map>
#include <vector>

class QAction;
class QComboBox;
class QLabel;

namespace vx {

// Tool bar commands.
constexpr int kPreviewZoomCommandFirst = 10001;  // 25 % .. 10005 400 %
constexpr int kPreviewPreviousCommand = 10006;
constexpr int kPreviewNextCommand = 10007;
constexpr int kPreviewCloseCommand = 10009;

class PreviewToolBar : public QToolBar {
  Q_OBJECT

 public:
  // `pageItems`: the page list's texts, page 1 first.
  PreviewToolBar(const std::vector<QString>& pageItems, QWidget* parent);

  QAction* Button(int commandId) const;
  QComboBox* PageList() const { return pageList_; }
  QLabel* PageCountLabel() const { return pageCount_; }

  // Checks the zoom button of `commandId` (10001..10005) and unchecks the others; disables the
  // levels below `minimumZoomIndex` for good once another level is chosen.
  void SetZoomButtons(int commandId, int minimumZoomIndex);

 Q_SIGNALS:
  void commandRequested(int commandId);

 private:
  void AddButton(int commandId, int pictureId, const QString& text = {});
  void AddPageControls(const std::vector<QString>& pageItems);

  std::map<int, QAction*> buttons_;
  QComboBox* pageList_ = nullptr;
  QLabel* pageCount_ = nullptr;
};

}  // namespace vx
