#include "ui/checklist/ImportConfirmHeader.h"

#include <QPainter>

#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"
#include "ui/checklist/ImportConfirmModel.h"

namespace vx {

namespace {

constexpr int kBands = 3;
constexpr int kBandPadding = 6;

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QString EventCaption(int event) { return Text("パヴォルン") + QString::number(event); }

}  // namespace

ImportConfirmHeader::ImportConfirmHeader(int fileEvent, int catalogueEvent, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent) {
  using M = ImportConfirmModel;
  const int file = M::kFileColumn;
  const int candidate = M::kCandidateColumn;
  captions_ = {
      {EventCaption(fileEvent), 0, 1, file, file},
      {EventCaption(catalogueEvent), 0, 1, candidate, candidate},
      {Text("チェック"), 0, 1, M::kRegisterColumn, M::kSkipColumn},
      {Text("サークル名"), 1, 1, file, file, 0},
      {Text("ペンネーム"), 1, 1, file, file, 1},
      {Text("サークル名"), 1, 1, candidate, candidate, 0},
      {Text("ペンネーム"), 1, 1, candidate, candidate, 1},
      {Text("する"), 1, 2, M::kRegisterColumn, M::kRegisterColumn},
      {Text("未登録"), 1, 2, M::kUnknownColumn, M::kUnknownColumn},
      {Text("しない"), 1, 2, M::kSkipColumn, M::kSkipColumn},
      {Text("チェック色"), 2, 1, file, file, 0},
      {Text("メモ"), 2, 1, file, file, 1},
      {Text("ジャンル"), 2, 1, candidate, candidate, 0},
      {Text("サークル詳細"), 2, 1, candidate, candidate, 1},
  };
}

int ImportConfirmHeader::BandHeight() const { return fontMetrics().height() + kBandPadding; }

QSize ImportConfirmHeader::sizeHint() const {
  return {QHeaderView::sizeHint().width(), kBands * BandHeight()};
}

QRect ImportConfirmHeader::CaptionRect(const Caption& caption) const {
  const int left = sectionViewportPosition(caption.firstSection);
  const int right = sectionViewportPosition(caption.lastSection) + sectionSize(caption.lastSection);
  QRect rect(left, caption.band * BandHeight(), right - left, caption.bands * BandHeight());
  if (caption.half >= 0) {
    const int half = rect.width() / 2;
    rect = caption.half == 0 ? rect.adjusted(0, 0, -(rect.width() - half), 0)
                             : rect.adjusted(half, 0, 0, 0);
  }
  return rect;
}

void ImportConfirmHeader::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().button());
  for (const Caption& caption : captions_) {
    const QRect rect = CaptionRect(caption);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect, Qt::AlignCenter, caption.text);
  }
}

}  // namespace vx
