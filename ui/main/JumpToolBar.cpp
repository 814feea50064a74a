#include "ui/main/JumpToolBar.h"

#include <QComboBox>

#include "platform/CodePage.h"
#include "ui/dialogs/DialogSupport.h"

namespace vx {

namespace {

struct ListPlace {
  int id;
  int width;
};

// Wide enough for a weekday, a hall name and a block letter in the dialog font.
constexpr ListPlace kListPlaces[JumpToolBar::kListCount] = {{122, 80}, {123, 84}, {124, 56}};

}  // namespace

JumpToolBar::JumpToolBar(const QList<QAction*>& leading, QWidget* parent)
    : QToolBar(QtText(Sjis("ページ移動ツールバー")), parent) {
  setObjectName(QStringLiteral("JumpBar"));
  addActions(leading);
  for (int list = 0; list < kListCount; ++list) {
    auto* combo = new QComboBox(this);
    SetControlId(combo, kListPlaces[list].id);
    combo->setMinimumWidth(kListPlaces[list].width);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combos_[list] = combo;
    addWidget(combo);
    connect(combo, &QComboBox::activated, this,
            [this, list](int index) { Q_EMIT entryChosen(list, index); });
  }
}

void JumpToolBar::Fill(List list, const std::vector<std::string>& names) {
  QComboBox* combo = combos_[list];
  const QSignalBlocker blocker(combo);
  combo->clear();
  for (const std::string& name : names) combo->addItem(QtText(name));
}

void JumpToolBar::Select(List list, int index) {
  QComboBox* combo = combos_[list];
  const QSignalBlocker blocker(combo);
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

}  // namespace vx
