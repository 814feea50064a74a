#include "ui/print/MapOptionRows.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

#include "print/PrintSettingsRules.h"
#include "ui/dialogs/DialogSupport.h"

namespace vx {

MapOptionRows::MapOptionRows(QWidget* page, QBoxLayout* layout, const MapOptionIds& ids,
                             std::function<void()> changed) {
  auto* genreRow = new QHBoxLayout;
  genre_ = new QCheckBox(QStringLiteral("ジャンル配置図を重ねる"), page);
  densityLabel_ = new QLabel(QStringLiteral("濃さ"), page);
  density_ = new QLineEdit(page);
  density_->setValidator(new QIntValidator(-999, 999, density_));
  density_->setMaximumWidth(48);
  percentLabel_ = new QLabel(QStringLiteral("%"), page);
  outline_ = new QCheckBox(QStringLiteral("全体図を印刷する"), page);
  rotate_ = new QCheckBox(QStringLiteral("マップの向きに合わせて回転する"), page);
  for (QWidget* w : std::initializer_list<QWidget*>{genre_, densityLabel_, density_, percentLabel_,
                                                    outline_, rotate_}) {
    genreRow->addWidget(w);
  }
  genreRow->addStretch();
  layout->addLayout(genreRow);
  auto* fillRow = new QHBoxLayout;
  fillLabel_ = new QLabel(QStringLiteral("地図の寄せ方向"), page);
  fill_ = new QComboBox(page);
  fill_->addItems({QStringLiteral("左下"), QStringLiteral("下"), QStringLiteral("右下"),
                   QStringLiteral("左"), QStringLiteral("中央"), QStringLiteral("右"),
                   QStringLiteral("左上"), QStringLiteral("上"), QStringLiteral("右上")});
  fillRow->addWidget(fillLabel_);
  fillRow->addWidget(fill_);
  fillRow->addStretch();
  layout->addLayout(fillRow);
  SetControlId(genre_, ids.genre);
  SetControlId(density_, ids.density);
  SetControlId(outline_, ids.outline);
  SetControlId(rotate_, ids.rotate);
  SetControlId(fill_, ids.fill);
  auto onChange = [this, changed] {
    if (!showing_) changed();
  };
  for (QCheckBox* box : {genre_, outline_, rotate_}) {
    QObject::connect(box, &QCheckBox::toggled, page, onChange);
  }
  QObject::connect(fill_, &QComboBox::currentIndexChanged, page, onChange);
}

void MapOptionRows::Show(MapOptionWords words, bool fillEnabled) {
  showing_ = true;
  genre_->setChecked(words.genre != 0);
  density_->setText(QString::number(words.density));
  for (QWidget* w : std::initializer_list<QWidget*>{density_, densityLabel_, percentLabel_}) {
    w->setEnabled(words.genre != 0);
  }
  outline_->setChecked(words.outline != 0);
  rotate_->setEnabled(words.outline != 0);
  rotate_->setChecked(words.outline != 0 && words.rotate != 0);
  words.fill = ValidFillDirection(words.fill);
  fill_->setCurrentIndex(words.fill - 1);
  fill_->setEnabled(fillEnabled);
  fillLabel_->setEnabled(fillEnabled);
  showing_ = false;
}

void MapOptionRows::Read(MapOptionWords words, bool fillEnabled) {
  words.genre = genre_->isChecked() ? 1 : 0;
  const bool outlineWasOn = words.outline != 0;
  words.outline = outline_->isChecked() ? 1 : 0;
  if (outlineWasOn) words.rotate = rotate_->isChecked() ? 1 : 0;
  if (fillEnabled) words.fill = fill_->currentIndex() + 1;
}

void MapOptionRows::TakeDensity(MapOptionWords words) {
  words.density = ClampDensity(density_->text().toInt());
  density_->setText(QString::number(words.density));
}

}  // namespace vx
