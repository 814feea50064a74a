// The current catalogue page in the main window: the page picture that the image store composes,
// the current cut highlighted (pink while pinned) and the cut of every checked circle marked in its
// check colour. The user walks the catalogue here: clicking or hovering selects a cut,
// double-clicking checks it, digit keys give it a colour, arrow and page keys move the selection,
// the right button opens the checklist menu. It keeps no catalogue state beyond a copy of the
// current circle and what it last painted. On a screen of pixel ratio 1.5 or more it has the
// controller compose the page from the high-resolution cuts where they fit.
//
// Painting reads the controller's answers only while the modal guard is down; while a dialog or a
// job runs it paints what it read last, kept current by the check messages.
#pragma once

#include <QColor>
#include <QRect>

#include <array>
#include <vector>

#include "app/AppMessageSink.h"
#include "app/SettingsValues.h"
#include "data/CircleRecord.h"
#include "ui/menus/CircleCommands.h"
#include "ui/menus/CommandMap.h"
#include "ui/views/ZoomableImageView.h"

namespace vx {

class CatalogController;
class ColorMenu;

class CutPageView : public ZoomableImageView, public AppMessageSink, public CommandTarget {
  Q_OBJECT

 public:
  // COLORREF values ANDed onto the current cut.
  static constexpr std::uint32_t kHighlightColor = 0xFFF0C0;
  static constexpr std::uint32_t kPinnedColor = 0xE0C0FF;

  explicit CutPageView(CatalogController& controller, QWidget* parent = nullptr);

  // The main window's colour menu, whose checklist menu the right button opens; its commands go
  // to `owner` (the frame, which passes them to this view first). Null: no menu.
  void SetChecklistMenu(const ColorMenu* menu, CommandTarget* owner);
  // The frame's options ("AutoSel" or "OneClickSel"; "OneClickSel").
  void SetAutoSelect(bool on) { autoSelect_ = on; }
  void SetOneClick(bool on) { oneClick_ = on; }

  // Menu, bar and accelerator commands of the view.
  bool OnCommand(int id) override { return commands_.OnCommand(id); }
  bool OnUpdateCommand(int id, CommandState& state) const override {
    return commands_.OnUpdateCommand(id, state);
  }
  bool HandlesCommand(int id) const override { return commands_.HandlesCommand(id); }
  void OnAppMessage(unsigned message, WParam wParam, LParam lParam) override;

  // Cuts count from 1; 0 is none.
  void SetHighlightCut(int cut);
  void PinSelection();
  void UnpinSelection();
  // Selects the cut under a view point, unless panning or pinned.
  void SelectAt(QPoint point);

  int HighlightCut() const { return highlightCut_; }
  int HoverCut() const { return hoverCut_; }
  bool IsPinned() const { return pinned_; }

 Q_SIGNALS:
  // Commands of the frame that the view's keys give (zoom, fit, the zoom box).
  void frameCommand(int id);
  // A view point whose circle the frame shows in its status bar.
  void pointerReported(QPoint viewPoint);

 protected:
  bool HasImage() const override;
  QSize ImageSize() const override;
  void DrawImage(QPainter& painter, const QRectF& target) const override;
  void PaintOverlay(QPainter& painter, const QRect& clip) override;

  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // What painting needs of one cut slot.
  struct SlotMark {
    int circleId = 0;
    int color = 0;  // -1 not in the checklist, 0 memo only, 1..n check colour
    QRect pageRect;
  };

  void CreateCommands();
  void OnCircleChanged();
  void OnPageChanged();
  void OnCheckChanged(int circleId, int color);
  void ReadPageMarks();
  QRect CutViewRect(int cut) const;
  void RedrawCut(int cut);
  void ScrollCutIntoView(int cut);
  void ReportCutCentre(int cut);
  void PaintSlot(QPainter& painter, const QRect& clip, int cut, const SlotMark& slot);
  QRectF MarkSquare(const QRectF& cell) const;
  QColor MarkColor(int color) const;

  bool HandleNavigationKey(int key);
  void EditCheckColors();
  int CutUnder(QPoint viewPoint) const;
  bool HasCurrentCircle() const { return current_.id > 0; }

  CatalogController& controller_;
  CommandMap commands_;
  CircleCommands circleCommands_{controller_, [this] { return current_.id; }};
  const ColorMenu* checklistMenu_ = nullptr;
  CommandTarget* menuOwner_ = nullptr;
  bool pinned_ = false;
  int highlightCut_ = 0;
  int hoverCut_ = 0;
  bool autoSelect_ = false;
  bool oneClick_ = false;
  CircleRecord current_;
  std::vector<SlotMark> marks_;
  std::array<QColor, kMaxCheckColors> markColors_{};
};

}  // namespace vx
