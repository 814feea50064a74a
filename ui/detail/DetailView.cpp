// Construction, layout, painting, application messages and the circle shown.
#include "ui/detail/DetailView.h"

#include <QLabel>
#include <QPainter>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <algorithm>

#include "app/CatalogController.h"
#include "app/CircleLinkAddress.h"
#include "data/images/CutDrawing.h"
#include "platform/CodePage.h"
#include "platform/Sjis.h"
#include "platform/TextFormat.h"
#include "platform/UiServices.h"
#include "platform/qt/QtStrings.h"
#include "res/ResourceIds.h"
#include "ui/detail/LinkLabel.h"
#include "ui/detail/MemoEdit.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/widgets/ControlFont.h"

namespace vx {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
// Room beside and below the cut that the text boxes keep at the smallest size.
constexpr int kMinWidthBesideCut = 103;
constexpr int kMinHeightBelowCut = 168;
constexpr int kMemoCaptionOffset = 90;
constexpr int kMemoBoxOffset = 105;
constexpr int kOriginalLabelWidth = 60;

struct LinkRowText {
  const char* caption;       // from event 90 on
  const char* olderCaption;  // below event 90
  int captionId;
  int valueId;
};

constexpr LinkRowText kLinkRowTexts[DetailView::kLinkRows] = {
    {"URL：", "URL：", IDC_LINK_URL_LABEL, IDC_LINK_URL},
    {"Mail：", "Mail：", IDC_LINK_MAIL_LABEL, IDC_LINK_MAIL},
    {"Netherfold：", "Orbalink：", IDC_LINK_PORTAL_LABEL, IDC_LINK_PORTAL},
    {"Twitter：", "Twitter：", IDC_LINK_TWITTER_LABEL, IDC_LINK_TWITTER},
    {"Pixiv：", "Pixiv：", IDC_LINK_PIXIV_LABEL, IDC_LINK_PIXIV},
    {"Orbalink：", "RSS：", IDC_LINK_FEED_LABEL, IDC_LINK_FEED},
};

QString BoxText(const std::string& cp932) {
  return QtText(cp932).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

DetailView::DetailView(CatalogController& controller, QWidget* parent)
    : QAbstractScrollArea(parent), controller_(controller), event_(controller.GetEventNumber()) {
  setFocusPolicy(Qt::StrongFocus);
  horizontalScrollBar()->setSingleStep(kRowStep);
  verticalScrollBar()->setSingleStep(kRowStep);
  CreateControls();
  SetControlFonts();
  CreateCommands();
  Layout();
}

DetailView::~DetailView() { disconnect(memo_, nullptr, this, nullptr); }

void DetailView::CreateControls() {
  description_ = new QPlainTextEdit(viewport());
  description_->setReadOnly(true);
  description_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  SetControlId(description_, IDC_DETAIL_DESCRIPTION);
  const bool older = event_ < kFirstEventWithoutFeeds;
  for (int row = 0; row < kLinkRows; ++row) {
    const LinkRowText& texts = kLinkRowTexts[row];
    captions_[row] =
        new QLabel(QString::fromUtf8(older ? texts.olderCaption : texts.caption), viewport());
    captions_[row]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetControlId(captions_[row], texts.captionId);
    links_[row] = new LinkLabel(viewport());
    SetControlId(links_[row], texts.valueId);
    connect(links_[row], &LinkLabel::activated, this, [this, row] { OpenLink(row); });
  }
  memoCaption_ = new QLabel(QStringLiteral("サークルメモ："), viewport());
  memo_ = new MemoEdit(viewport());
  SetControlId(memo_, IDC_DETAIL_MEMO);
  connect(memo_, &MemoEdit::focusLost, this, [this] { SaveMemo(); });
}

// The caption column fits the widest caption of the font, and never less than 90 pixels.
void DetailView::SetControlFonts() {
  const QFont font = ControlFont();
  description_->setFont(font);
  memoCaption_->setFont(font);
  memo_->setFont(font);
  const QFontMetrics metrics(font);
  for (int row = 0; row < kLinkRows; ++row) {
    captions_[row]->setFont(font);
    links_[row]->setFont(font);
    labelWidth_ = std::max(labelWidth_, metrics.horizontalAdvance(captions_[row]->text()) + 4);
  }
}

void DetailView::SetChecklistMenu(const ColorMenu* menu, CommandTarget* owner) {
  checklistMenu_ = menu;
  menuOwner_ = owner;
}

// --- Layout --------------------------------------------------------------------------------------

QSize DetailView::ContentSize() const {
  const int minWidth =
      controller_.GetCutWidth() + kMinWidthBesideCut + labelWidth_ - kOriginalLabelWidth;
  const int minHeight = controller_.GetCutHeight() + kMinHeightBelowCut;
  return {std::max(viewport()->width(), minWidth), std::max(viewport()->height(), minHeight)};
}

// Twice: showing or hiding a scroll bar changes the room the first pass measured.
void DetailView::Layout() {
  QSize content;
  for (int pass = 0; pass < 2; ++pass) {
    content = ContentSize();
    horizontalScrollBar()->setRange(0, content.width() - viewport()->width());
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setRange(0, content.height() - viewport()->height());
    verticalScrollBar()->setPageStep(viewport()->height());
  }
  PlaceControls(content.width(), content.height());
  viewport()->update();
}

void DetailView::PlaceControls(int right, int bottom) {
  const QPoint shift(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
  const int cutWidth = controller_.GetCutWidth();
  const int cutHeight = controller_.GetCutHeight();
  const auto place = [&shift](QWidget* control, int left, int top, int r, int b) {
    const QRect area(left, top, std::max(0, r - left), std::max(0, b - top));
    control->setGeometry(area.translated(shift));
  };
  place(description_, cutWidth + 2, 2, right - 1, cutHeight + 1);
  const int top = cutHeight + 2;
  for (int row = 0; row < kLinkRows; ++row) {
    const int y = top + kRowStep * row;
    place(captions_[row], 1, y, 1 + labelWidth_, y + kRowHeight);
    place(links_[row], 1 + labelWidth_, y, right, y + kRowHeight);
  }
  place(memoCaption_, 0, top + kMemoCaptionOffset, right, top + kMemoCaptionOffset + kRowHeight);
  place(memo_, 1, top + kMemoBoxOffset, right - 1, bottom - 1);
}

void DetailView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Layout();
}

void DetailView::scrollContentsBy(int, int) { Layout(); }

QRect DetailView::CutArea() const {
  return QRect(1 - horizontalScrollBar()->value(), 1 - verticalScrollBar()->value(),
               controller_.GetCutWidth(), controller_.GetCutHeight());
}

// --- Painting ------------------------------------------------------------------------------------

void DetailView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.fillRect(event->rect(), palette().color(QPalette::Window));
  const QRect cut = CutArea();
  if (circle_.id == 0 || cut.isEmpty() || !event->rect().intersects(cut)) return;
  const int cutNumber = circle_.circleName.empty() ? -1 : circle_.updateId;
  controller_.DrawCircleCut(painter, CutRect{cut.x(), cut.y(), cut.width(), cut.height()},
                            circle_.pageNo, circle_.cutIndex, cutNumber, markColor_, 0);
}

void DetailView::RepaintCut() { viewport()->update(CutArea()); }

// --- Application messages ------------------------------------------------------------------------

void DetailView::OnAppMessage(unsigned message, WParam, LParam lParam) {
  const int id = static_cast<int>(lParam);
  const bool current = circle_.id != 0 && id == circle_.id;
  switch (message) {
    case UM_CIRCLE_CHANGED:
      ShowCircle(id);
      break;
    case UM_CIRCLE_CHECKED:
    case UM_CIRCLE_UNCHECKED:
    case UM_CIRCLE_COLOR_CHANGED:
      if (current) {
        ReadColor();
        RepaintCut();
      }
      break;
    case UM_CHECKLIST_RESET:
      // The checklist was replaced: the memo as loaded is gone with it, and must not come back.
      LoadMemo();
      ReadColor();
      viewport()->update();
      break;
    case UM_COLORS_CHANGED:
      ReadColor();
      viewport()->update();
      break;
    case UM_IMAGES_CHANGED:
      Layout();  // the cut size follows the resolution
      break;
    case UM_CHECKLIST_ENTRY_CHANGED:
      if (current) LoadMemo();
      break;
    case UM_CHECKLIST_MARKS_CHANGED:  // the shown circle may be among them
      if (circle_.id != 0) {
        LoadMemo();
        ReadColor();
        RepaintCut();
      }
      break;
    case UM_CIRCLE_INFO_UPDATED:
      if (current) ReloadCircle();
      break;
    default:
      break;
  }
}

// --- The circle shown ----------------------------------------------------------------------------

// The memo typed for the circle shown so far is written back before another circle takes its
// place.
void DetailView::ShowCircle(int circleId) {
  if (circleId == 0 || circleId == circle_.id) return;
  SaveMemo();
  if (!controller_.GetCircle(circleId, &circle_)) circle_ = CircleRecord();
  ShowTexts();
  LoadMemo();
  ReadColor();
  viewport()->update();
}

void DetailView::ReloadCircle() {
  CircleRecord fresh;
  if (!controller_.GetCircle(circle_.id, &fresh)) return;
  circle_ = std::move(fresh);
  ShowTexts();
}

void DetailView::ShowTexts() {
  description_->setPlainText(BoxText(DescriptionText(controller_, circle_)));
  ShowLinks();
}

void DetailView::ShowLinks() {
  const CircleRecord& c = circle_;
  addresses_ = {
      WebLinkAddress(c.url).value_or(""),        MailtoAddress(c.mailAddr).value_or(""),
      WebLinkAddress(c.orbalink).value_or(""),   TwitterProfileAddress(c.twitter).value_or(""),
      PixivProfileAddress(c.pixiv).value_or(""), WebLinkAddress(c.rss).value_or("")};
  const std::string* texts[kLinkRows] = {&c.url,     &c.mailAddr, &c.orbalink,
                                         &c.twitter, &c.pixiv,    &c.rss};
  for (int row = 0; row < kLinkRows; ++row) {
    links_[row]->SetLink(QtText(*texts[row]), !addresses_[row].empty());
  }
}

void DetailView::LoadMemo() {
  loadedMemo_ = circle_.id != 0
                    ? SjisTruncate(controller_.GetCircleMemo(circle_.id), MemoEdit::kMaxBytes)
                    : std::string();
  memo_->SetMemo(loadedMemo_);
}

// The memo as loaded is not changed here: the controller's UM_CHECKLIST_ENTRY_CHANGED reloads it.
void DetailView::SaveMemo() {
  if (circle_.id == 0) return;
  const std::string typed = memo_->Memo();
  if (!MemoEdit::SameText(typed, loadedMemo_)) controller_.SetCircleMemo(typed, circle_.id);
}

void DetailView::ReadColor() {
  color_ = circle_.id != 0 ? controller_.GetCircleColor(circle_.id) : -1;
  markColor_ = color_ >= 1
                   ? controller_.GetColorValue(color_ - 1, CatalogController::kChecklistColor)
                   : kWhite;
}

// Mail goes to the desktop's mail program, every other line to the browser.
void DetailView::OpenLink(int row) {
  if (addresses_[row].empty()) return;
  if (row == kMailRow) {
    controller_.OpenMail(circle_.mailAddr);
  } else {
    controller_.OpenUrl(addresses_[row]);
  }
}

// --- Texts ---------------------------------------------------------------------------------------

std::string DetailView::PlaceText(const CatalogController& controller, const CircleRecord& circle) {
  if (circle.day <= 0) return controller.GetWeekdayLongName(0);
  return FormatText(
      Sjis("%s %s%s%02d%c").c_str(), controller.GetWeekdayLongName(circle.day).c_str(),
      controller.GetAreaSimpleNameOfBlock(circle.blockId).c_str(),
      controller.GetBlockName(circle.blockId).c_str(), circle.spaceNo, 'a' + circle.spaceNoSub);
}

std::string DetailView::DescriptionText(const CatalogController& controller,
                                        const CircleRecord& circle) {
  const CircleRecord& c = circle;
  std::string text = FormatText(
      Sjis("配置:%s\r\nサークル名：\r\n%s（%s）\r\n\r\n執筆者名：%s\r\n\r\n発行誌名：%s\r\n\r\n"
           "ジャンル：%s\r\n\r\n補足：\r\n%s\r\n\r\n更新補足:\r\n%s\r\n")
          .c_str(),
      PlaceText(controller, c).c_str(), c.circleName.c_str(), c.circleKana.c_str(),
      c.penName.c_str(), c.bookName.c_str(), controller.GetGenreName(c.genreId).c_str(),
      c.description.c_str(), c.updateData.c_str());
  if (controller.GetEventNumber() < kFirstEventWithoutFeeds) {
    text += FormatText(Sjis("\r\nRSS詳細:\r\n%s").c_str(), c.rssInfo.c_str());
  }
  return text;
}

}  // namespace vx
