#include "ui/checklist/ImportConfirmDelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

#include <cmath>

#include "ui/checklist/ImportConfirmModel.h"

namespace vx {

namespace {

constexpr int kPadding = 3;
constexpr int kRadioSize = 16;

// Names and genres are plain text: whatever characters a catalogue or a file holds are shown,
// never taken for markup.
void DrawText(QPainter* painter, const QRect& rect, const QString& text, const QFont& font) {
  painter->setFont(font);
  painter->drawText(
      rect.adjusted(kPadding, 0, -kPadding, 0), Qt::AlignLeft | Qt::AlignVCenter,
      painter->fontMetrics().elidedText(text, Qt::ElideRight, rect.width() - 2 * kPadding));
}

QFont SmallFont(const QFont& font) {
  QFont small = font;
  small.setPointSizeF(font.pointSizeF() * 0.8);
  return small;
}

// Black or white, whichever stands out more from `background` by relative luminance: a pure blue
// is as dark to the eye as it is saturated, a bright green as light.
QColor ReadableTextColor(const QColor& background) {
  const auto linear = [](float channel) {
    return channel <= 0.04045f ? channel / 12.92f : std::pow((channel + 0.055f) / 1.055f, 2.4f);
  };
  const float luminance = 0.2126f * linear(background.redF()) +
                          0.7152f * linear(background.greenF()) +
                          0.0722f * linear(background.blueF());
  // Contrast with white (1.05 / (L + 0.05)) and with black ((L + 0.05) / 0.05) are equal here.
  constexpr float kEqualContrast = 0.179f;
  return luminance < kEqualContrast ? QColor(Qt::white) : QColor(Qt::black);
}

bool IsChoice(const QModelIndex& index) {
  return index.data(ImportConfirmModel::kChoiceRole).isValid();
}

}  // namespace

QRect ImportConfirmDelegate::RadioRect(const QRect& cell) {
  QRect radio(0, 0, kRadioSize, kRadioSize);
  radio.moveCenter(cell.center());
  return radio;
}

void ImportConfirmDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
  painter->save();
  painter->fillRect(option.rect, Qt::white);
  painter->setPen(Qt::black);
  if (index.column() <= ImportConfirmModel::kCandidateColumn) {
    PaintCircleCell(painter, option, index);
  } else {
    PaintChoiceCell(painter, option, index);
  }
  painter->setPen(Qt::gray);
  painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
  painter->restore();
}

// Two by two: name and pen name above; colour (or genre) and memo (or description) below.
void ImportConfirmDelegate::PaintCircleCell(QPainter* painter, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
  const QRect r = option.rect;
  const int halfWidth = r.width() / 2;
  const int lineHeight = option.fontMetrics.height() + kPadding;
  const QRect name(r.left(), r.top(), halfWidth, lineHeight);
  const QRect pen(r.left() + halfWidth, r.top(), r.width() - halfWidth, lineHeight);
  const QRect label(r.left(), r.top() + lineHeight, halfWidth, lineHeight);
  const QRect note(pen.left(), label.top(), pen.width(), lineHeight);
  DrawText(painter, name, index.data(Qt::DisplayRole).toString(), option.font);
  DrawText(painter, pen, index.data(ImportConfirmModel::kPenNameRole).toString(), option.font);
  const QVariant swatch = index.data(ImportConfirmModel::kSwatchRole);
  if (swatch.isValid()) {
    const QColor color = swatch.value<QColor>();
    painter->fillRect(label.adjusted(1, 1, -1, -1), color);
    painter->setPen(ReadableTextColor(color));
  }
  DrawText(painter, label, index.data(ImportConfirmModel::kLabelRole).toString(), option.font);
  painter->setPen(Qt::black);
  DrawText(painter, note, index.data(ImportConfirmModel::kNoteRole).toString(),
           SmallFont(option.font));
}

void ImportConfirmDelegate::PaintChoiceCell(QPainter* painter, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
  if (!IsChoice(index)) {
    painter->drawText(option.rect, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
    return;
  }
  QStyleOptionButton radio;
  radio.rect = RadioRect(option.rect);
  radio.state = QStyle::State_Enabled;
  radio.state |=
      index.data(ImportConfirmModel::kChoiceRole).toBool() ? QStyle::State_On : QStyle::State_Off;
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawPrimitive(QStyle::PE_IndicatorRadioButton, &radio, painter, widget);
}

QSize ImportConfirmDelegate::sizeHint(const QStyleOptionViewItem& option,
                                      const QModelIndex&) const {
  return {kRadioSize + 2 * kPadding, 2 * (option.fontMetrics.height() + kPadding) + 2};
}

bool ImportConfirmDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                        const QStyleOptionViewItem& option,
                                        const QModelIndex& index) {
  if (!IsChoice(index)) return false;
  bool chosen = false;
  if (event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    chosen = mouse->button() == Qt::LeftButton && option.rect.contains(mouse->position().toPoint());
  } else if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    chosen = key == Qt::Key_Space || key == Qt::Key_Select;
  }
  return chosen && model->setData(index, true, ImportConfirmModel::kChoiceRole);
}

}  // namespace vx
