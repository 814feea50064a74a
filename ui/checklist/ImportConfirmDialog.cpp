#include "ui/checklist/ImportConfirmDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "checklist/FavoriteStore.h"
#include "ui/checklist/ImportConfirmDelegate.h"
#include "ui/checklist/ImportConfirmHeader.h"
#include "ui/checklist/ImportConfirmModel.h"

namespace vx {

namespace {

constexpr int kButtonWidth = 100;
constexpr int kChoiceWidth = 56;
constexpr QSize kInitialSize(760, 520);

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

ImportConfirmDialog::ImportConfirmDialog(QWidget* parent, FavoriteStore& store, int catalogueEvent)
    : QDialog(parent), store_(store) {
  setWindowTitle(Text("読み込みサークル確認"));
  QPalette page = palette();
  page.setColor(QPalette::Window, QColor(Qt::lightGray));
  setPalette(page);
  setAutoFillBackground(true);
  CreateControls(store.GetFileEventNo(), catalogueEvent);
  ArrangeControls();
  ConnectControls();
  resize(kInitialSize);
}

void ImportConfirmDialog::CreateControls(int fileEvent, int catalogueEvent) {
  model_ = new ImportConfirmModel(store_, this);
  view_ = new QTableView(this);
  header_ = new ImportConfirmHeader(fileEvent, catalogueEvent, view_);
  view_->setHorizontalHeader(header_);
  view_->setModel(model_);
  view_->setItemDelegate(new ImportConfirmDelegate(view_));
  view_->verticalHeader()->hide();
  view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  QStyleOptionViewItem cell;
  cell.initFrom(view_);
  view_->verticalHeader()->setDefaultSectionSize(
      view_->itemDelegate()->sizeHint(cell, {}).height());
  view_->setShowGrid(false);
  view_->setSelectionMode(QAbstractItemView::NoSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  header_->setSectionResizeMode(ImportConfirmModel::kFileColumn, QHeaderView::Stretch);
  header_->setSectionResizeMode(ImportConfirmModel::kCandidateColumn, QHeaderView::Stretch);
  for (int c = ImportConfirmModel::kRegisterColumn; c < ImportConfirmModel::kColumnCount; ++c) {
    header_->setSectionResizeMode(c, QHeaderView::Fixed);
    header_->resizeSection(c, kChoiceWidth);
  }
  SpanFileCells();
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  cancel_ = new QPushButton(Text("キャンセル"), this);
  for (QPushButton* button : {ok_, cancel_}) button->setFixedWidth(kButtonWidth);
  ok_->setDefault(true);
}

// The file's circle is shown once for all the catalogue circles proposed for it.
void ImportConfirmDialog::SpanFileCells() {
  for (int row = 0; row < model_->rowCount(); ++row) {
    const int span = model_->FileSpan(row);
    if (span > 1) view_->setSpan(row, ImportConfirmModel::kFileColumn, span, 1);
  }
}

void ImportConfirmDialog::ArrangeControls() {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Text("登録するサークルをチェックしてください"), this));
  layout->addWidget(view_, 1);
  layout->addLayout(buttons);
  layout->addWidget(new QLabel(Text("※「Pixiv」「Twitter」「サークル名と作家名」が単独合致したもの"
                                    "は自動的に登録されています"),
                               this));
}

void ImportConfirmDialog::ConnectControls() {
  connect(ok_, &QPushButton::clicked, this, &ImportConfirmDialog::OnOk);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void ImportConfirmDialog::OnOk() {
  model_->WriteActions(store_);
  accept();
}

}  // namespace vx
