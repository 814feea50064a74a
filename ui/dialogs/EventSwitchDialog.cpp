#include "ui/dialogs/EventSwitchDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

#include "ui/dialogs/DialogSupport.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"

namespace vx {

EventSwitchDialog::EventSwitchDialog(QWidget* parent, std::vector<int> storedEvents,
                                     int currentEvent)
    : QDialog(parent), storedEvents_(std::move(storedEvents)), currentEvent_(currentEvent) {
  setWindowTitle(QtText(Sjis("ヴェラストレード回数切り替え")));
  CreateControls();
  ArrangeControls();
  ConnectControls();
  FillEventList(list_, storedEvents_);
}

void EventSwitchDialog::CreateControls() {
  currentText_ =
      new QLabel(QtText(Sjis("現在参照中のデータ : ") + EventTitle(currentEvent_)), this);
  SetControlId(currentText_, IDC_SWITCH_CURRENT_TEXT);
  list_ = CreateEventList(this, IDC_SWITCH_EVENT_LIST);
  switch_ = new QPushButton(QtText(Sjis("切り替え")), this);
  SetControlId(switch_, IDOK);
  switch_->setDefault(true);
  switch_->setEnabled(false);
  cancel_ = new QPushButton(QtText(Sjis("キャンセル")), this);
  SetControlId(cancel_, IDCANCEL);
}

void EventSwitchDialog::ArrangeControls() {
  auto* listLabel = new QLabel(QtText(Sjis("インストールされているデータ(&L) :")), this);
  listLabel->setBuddy(list_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(switch_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(currentText_);
  layout->addWidget(listLabel);
  layout->addWidget(list_);
  layout->addLayout(buttons);
}

void EventSwitchDialog::ConnectControls() {
  connect(list_, &QTreeWidget::currentItemChanged, this, [this] { OnCurrentItemChanged(); });
  connect(switch_, &QPushButton::clicked, this, [this] { done(CurrentListEvent(list_)); });
  connect(cancel_, &QPushButton::clicked, this, [this] { done(0); });
}

void EventSwitchDialog::OnCurrentItemChanged() {
  const int event = CurrentListEvent(list_);
  switch_->setEnabled(event != 0 && event != currentEvent_);
}

int EventSwitchDialog::DoModal() { return exec(); }

}  // namespace vx
