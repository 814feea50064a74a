// What the four tool windows (hall map, checklist, circle detail, circle list) share as frames
// registered with the controller: their close box only hides them (unless the program ends), they
// remember their place on every move and resize, they stack and minimise together with the others,
// a dropped file opens as a checklist, and their commands go to the view first, then the frame,
// then the application, except those that need a catalogue while there is none.
#pragma once

#include <QMainWindow>

#include "app/ControllerWindow.h"
#include "ui/main/CatalogCommandGate.h"
#include "ui/menus/CommandMap.h"
#include "ui/menus/CommandRoute.h"

namespace vx {

class CatalogController;
class CommandActions;

class ToolWindowFrame : public QMainWindow, public ControllerWindow {
  Q_OBJECT

 public:
  explicit ToolWindowFrame(CatalogController& controller, QWidget* parent = nullptr);
  ~ToolWindowFrame() override;

  // --- ControllerWindow ----------------------------------------------------------------------
  WindowRect ScreenRect() const override;
  void Minimize() override;
  void Restore() override;
  void BringToTop() override;
  // The command states follow the checklist once the last run of a walk is in.
  void OnAppMessageRunsEnded() override;

  // Commands this window does not handle go on to the application's.
  void SetApplicationCommands(CommandTarget* application);
  // Runs a command along the window's road; false when nobody ran it.
  bool RunCommand(int id);
  CommandRoute& Route() { return route_; }
  CommandActions* Actions() const { return actions_; }
  // Puts the window at a stored rectangle (screen coordinates), as ScreenRect gives it, on the
  // screen.
  void PlaceAt(const WindowRect& rect);
  // Puts the window so that its frame covers `frameRect` once the frame is known.
  void PlaceFrameAt(const WindowRect& frameRect);

 protected:
  CatalogController& Controller() const { return controller_; }
  // Whether there is a catalogue to show; without one the commands that need it are closed.
  bool HasCatalog() const { return gate_.HasCatalog(); }
  CommandMap& FrameCommands() { return commands_; }
  // The view that gets commands first (null: none).
  void SetViewCommands(CommandTarget* view);
  // Where the focus goes when the window becomes active.
  virtual void FocusView() {}

  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void UpdateRoute();
  void SavePlace();
  bool ProgramEnding() const;

  CatalogController& controller_;
  CatalogCommandGate gate_{controller_};
  CommandMap commands_;
  CommandRoute route_;
  CommandActions* actions_ = nullptr;
  CommandTarget* view_ = nullptr;
  CommandTarget* application_ = nullptr;
  bool placing_ = false;
};

}  // namespace vx
