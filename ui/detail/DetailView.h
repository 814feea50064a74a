// Everything about the current circle, in the detail window: its cut (with its check mark) at the
// top left, beside it a read-only description (place, names, genre, notes), below six link lines
// (home page, mail, two portal pages, Twitter, Pixiv; the feed below event 90) and the checklist
// memo. It follows the current circle and writes an edited memo back through the controller when
// the memo box loses the focus, before a command acts on the circle, and when another circle
// becomes current, always to the circle it was typed for.
//
// The view keeps copies of what it shows (the record, the memo as loaded, the check colour), so
// painting never reads the checklist while a job may be writing it.
#pragma once

#include <QAbstractScrollArea>

#include <array>
#include <cstdint>
#include <string>

#include "app/AppMessageSink.h"
#include "data/CircleRecord.h"
#include "ui/menus/CircleCommands.h"
#include "ui/menus/CommandMap.h"

class QLabel;
class QPlainTextEdit;

namespace vx {

class CatalogController;
class ColorMenu;
class LinkLabel;
class MemoEdit;

class DetailView : public QAbstractScrollArea, public AppMessageSink, public CommandTarget {
  Q_OBJECT

 public:
  enum LinkRow { kUrlRow, kMailRow, kPortalRow, kTwitterRow, kPixivRow, kFeedRow, kLinkRows };
  static constexpr int kMinLabelWidth = 90;
  static constexpr int kRowHeight = 14;
  static constexpr int kRowStep = 15;
  static constexpr int kFirstEventWithoutFeeds = 90;

  explicit DetailView(CatalogController& controller, QWidget* parent = nullptr);
  // Going away is no leaving of the memo box: nothing is written then.
  ~DetailView() override;

  // The main window's colour menu, whose checklist menu the right button opens over the cut; its
  // commands go to `owner` (the frame, which passes them to this view first). Null: no menu.
  void SetChecklistMenu(const ColorMenu* menu, CommandTarget* owner);
  // Places the controls for the present size and cut size (the frame calls it on every resize).
  void Layout();
  // Writes the memo box back when it differs from the memo as loaded.
  void SaveMemo();

  bool OnCommand(int id) override { return commands_.OnCommand(id); }
  bool OnUpdateCommand(int id, CommandState& state) const override {
    return commands_.OnUpdateCommand(id, state);
  }
  bool HandlesCommand(int id) const override { return commands_.HandlesCommand(id); }
  void OnAppMessage(unsigned message, WParam wParam, LParam lParam) override;

  const CircleRecord& Circle() const { return circle_; }
  QPlainTextEdit* DescriptionBox() const { return description_; }
  MemoEdit* MemoBox() const { return memo_; }
  QLabel* LinkCaption(int row) const { return captions_[row]; }
  LinkLabel* LinkValue(int row) const { return links_[row]; }
  QLabel* MemoCaption() const { return memoCaption_; }
  int LabelWidth() const { return labelWidth_; }
  // The cut's place in the view (scrolled).
  QRect CutArea() const;

  // "土曜日 東Ａ01a", or the name of day 0 ("抽選漏れ") for a circle without a day (CP932).
  static std::string PlaceText(const CatalogController& controller, const CircleRecord& circle);
  // The description box's text (CP932, CR LF); below event 90 with the fetched feed text.
  static std::string DescriptionText(const CatalogController& controller,
                                     const CircleRecord& circle);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void CreateControls();
  void CreateCommands();
  void SetControlFonts();
  QSize ContentSize() const;
  void PlaceControls(int right, int bottom);

  void ShowCircle(int circleId);
  void ReloadCircle();
  void ShowTexts();
  void ShowLinks();
  void LoadMemo();
  void ReadColor();
  void RepaintCut();
  void OpenLink(int row);

  CatalogController& controller_;
  CommandMap commands_;
  // Every change to the checklist first writes back a memo being typed, which the change would
  // otherwise reload the box over.
  CircleCommands circleCommands_{controller_, [this] { return circle_.id; },
                                 [this] { SaveMemo(); }};
  const ColorMenu* checklistMenu_ = nullptr;
  CommandTarget* menuOwner_ = nullptr;
  QPlainTextEdit* description_ = nullptr;
  std::array<QLabel*, kLinkRows> captions_{};
  std::array<LinkLabel*, kLinkRows> links_{};
  std::array<std::string, kLinkRows> addresses_;  // what a click opens; "" for nothing
  QLabel* memoCaption_ = nullptr;
  MemoEdit* memo_ = nullptr;
  int event_ = 0;
  int labelWidth_ = kMinLabelWidth;
  CircleRecord circle_;
  std::string loadedMemo_;
  int color_ = -1;                      // -1 not in the checklist, 0 memo only, 1..n
  std::uint32_t markColor_ = 0xFFFFFF;  // COLORREF of the cut's mark
};

}  // namespace vx
