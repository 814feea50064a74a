#include "ui/print/PreviewToolBar.h"

#include <QAction>
#include <QKeySequence>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

#include "res/Pictures.h"
#include "res/ResourceIds.h"

namespace vx {

namespace {

constexpr int kPageListWidth = 45;
constexpr int kPageCountWidth = 35;

}  // namespace

PreviewToolBar::PreviewToolBar(const std::vector<QString>& pageItems, QWidget* parent)
    : QToolBar(parent) {
  setMovable(false);
  setFloatable(false);
  setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  for (int i = 0; i < 5; ++i) AddButton(kPreviewZoomCommandFirst + i, IDB_PREVIEW_ZOOM_25 + i);
  addSeparator();
  AddButton(kPreviewPreviousCommand, IDB_PREVIEW_PREVIOUS, QStringLiteral("前頁(&P)"));
  AddPageControls(pageItems);
  AddButton(kPreviewNextCommand, IDB_PREVIEW_NEXT, QStringLiteral("次頁(&N)"));
  addSeparator();
  AddButton(kPreviewCloseCommand, IDB_PREVIEW_CLOSE, QStringLiteral("閉じる(&X)"));
  buttons_.at(kPreviewZoomCommandFirst)->setChecked(true);
}

void PreviewToolBar::AddButton(int commandId, int pictureId, const QString& text) {
  QAction* action = addAction(BitmapImage(pictureId), text);
  action->setData(commandId);
  const bool zoom = commandId < kPreviewZoomCommandFirst + 5;
  action->setCheckable(zoom);
  if (zoom) {
    // Picture-only buttons: the percent is their tool tip.
    const int percents[] = {25, 50, 100, 200, 400};
    action->setToolTip(QStringLiteral("%1%").arg(percents[commandId - kPreviewZoomCommandFirst]));
    if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action))) {
      button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
  }
  // The button shows its text without the mnemonic; Alt with the letter still presses it.
  if (!text.isEmpty()) action->setShortcut(QKeySequence::mnemonic(text));
  connect(action, &QAction::triggered, this,
          [this, commandId] { Q_EMIT commandRequested(commandId); });
  buttons_[commandId] = action;
}

void PreviewToolBar::AddPageControls(const std::vector<QString>& pageItems) {
  pageList_ = new QComboBox(this);
  pageList_->setObjectName(QStringLiteral("pageList"));
  for (const QString& item : pageItems) pageList_->addItem(item);
  pageList_->setCurrentIndex(0);
  // Wide enough for the longest "%d : title", so that no page is told by its number alone.
  pageList_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  pageList_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 4 +
                             kPageListWidth);
  addWidget(pageList_);
  pageCount_ = new QLabel(QStringLiteral(" / %1").arg(pageItems.size()), this);
  pageCount_->setMinimumWidth(kPageCountWidth);
  pageCount_->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
  addWidget(pageCount_);
}

QAction* PreviewToolBar::Button(int commandId) const {
  const auto it = buttons_.find(commandId);
  return it == buttons_.end() ? nullptr : it->second;
}

void PreviewToolBar::SetZoomButtons(int commandId, int minimumZoomIndex) {
  for (int i = 0; i < 5; ++i) {
    const int command = kPreviewZoomCommandFirst + i;
    buttons_.at(command)->setChecked(command == commandId);
  }
  if (commandId != kPreviewZoomCommandFirst && minimumZoomIndex > 0) {
    buttons_.at(kPreviewZoomCommandFirst)->setEnabled(false);
  }
  if (commandId >= kPreviewZoomCommandFirst + 2 && minimumZoomIndex > 1) {
    buttons_.at(kPreviewZoomCommandFirst + 1)->setEnabled(false);
  }
}

}  // namespace vx
