#include "ui/list/CircleListBar.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "res/Pictures.h"
#include "res/ResourceIds.h"
#include "ui/menus/CommandActions.h"
#include "ui/widgets/ControlFont.h"

namespace vx {

namespace {

constexpr int kSearchImage = 13;
constexpr const char* kModeCaptions[] = {"日付/ブロック指定", "日付/インデックス",
                                         "抽選漏れサークル", "検索結果"};

}  // namespace

CircleListBar::CircleListBar(QWidget* parent)
    : QToolBar(QString::fromUtf8("サークル一覧バー"), parent) {
  setObjectName(QStringLiteral("CircleListBar"));
  setProperty("controlId", IDW_TOOLBAR);
  setFont(ControlFont());
  auto* label = new QLabel(QString::fromUtf8("  表示モード："), this);
  label->setFixedWidth(72);
  addWidget(label);
  mode_ = NewCombo(IDC_LIST_MODE_COMBO, 134);
  for (const char* caption : kModeCaptions) mode_->addItem(QString::fromUtf8(caption));
  AddGap();
  day_ = NewCombo(IDC_LIST_DAY_COMBO, 64);
  block_ = NewCombo(IDC_LIST_BLOCK_COMBO, 40);
  AddGap();
  search_ = addAction(BitmapImage(IDB_TOOLBAR, kSearchImage), QString::fromUtf8("サークル検索"));
  CommandActions::SetCommandId(search_, ID_SEARCH);
  keyword_ = new QLineEdit(this);
  keyword_->setProperty("controlId", ID_QUICK_KEYWORD);
  keyword_->setFixedWidth(160);
  keyword_->setToolTip(QString::fromUtf8("キーワード検索"));
  addWidget(keyword_);
}

QComboBox* CircleListBar::NewCombo(int controlId, int width) {
  auto* combo = new QComboBox(this);
  combo->setProperty("controlId", controlId);
  combo->setMinimumWidth(width);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  addWidget(combo);
  return combo;
}

void CircleListBar::AddGap() {
  auto* gap = new QWidget(this);
  gap->setFixedWidth(16);
  addWidget(gap);
}

}  // namespace vx
