// Recording stand-ins for the frames, the beacon window and the active-window query, with a
// small desktop model of the z-order.
#pragma once

#include <algorithm>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "app/ActiveWindowTracker.h"
#include "app/BeaconWindow.h"
#include "app/ControllerWindow.h"
#include "app/PageJumpWindow.h"
#include "app/StackedWindow.h"

namespace vxtest {

struct Delivery {
  const vx::ControllerWindow* receiver;
  unsigned message;
  vx::WParam wParam;
  vx::LParam lParam;
  friend bool operator==(const Delivery&, const Delivery&) = default;
};

// The desktop's z-order, topmost first.
class FakeDesktop {
 public:
  void Add(const vx::StackedWindow* window) { order_.push_back(window); }
  void ToTop(const vx::StackedWindow* window) {
    order_.remove(window);
    order_.push_front(window);
  }
  std::vector<const vx::StackedWindow*> Order() const { return {order_.begin(), order_.end()}; }

 private:
  std::list<const vx::StackedWindow*> order_;
};

class FakeFrame : public vx::ControllerWindow {
 public:
  FakeFrame(std::string name, std::vector<Delivery>* log = nullptr, FakeDesktop* desktop = nullptr)
      : name(std::move(name)), log_(log), desktop_(desktop) {
    if (desktop_) desktop_->Add(this);
  }

  void OnAppMessage(unsigned message, vx::WParam wParam, vx::LParam lParam) override {
    if (log_) log_->push_back({this, message, wParam, lParam});
    if (onMessage) onMessage(message, wParam, lParam);
  }
  vx::WindowRect ScreenRect() const override { return rect; }
  void Minimize() override { ++minimized; }
  void Restore() override { ++restored; }
  void BringToTop() override {
    ++raised;
    if (desktop_) desktop_->ToTop(this);
  }

  std::string name;
  vx::WindowRect rect{10, 20, 300, 400};
  int minimized = 0;
  int restored = 0;
  int raised = 0;
  std::function<void(unsigned, vx::WParam, vx::LParam)> onMessage;

 private:
  std::vector<Delivery>* log_;
  FakeDesktop* desktop_;
};

class FakePageJump : public vx::PageJumpWindow {
 public:
  bool IsShown() const override { return shown; }
  void MoveTo(int l, int t) override {
    left = l;
    top = t;
    ++moves;
  }
  void ShowPage(int p) override { page = p; }
  void Show() override { shown = true; }

  bool shown = false;
  int left = 0;
  int top = 0;
  int moves = 0;
  int page = -1;
};

class FakeBeacon : public vx::BeaconWindow {
 public:
  explicit FakeBeacon(FakeDesktop* desktop = nullptr) : desktop_(desktop) {
    if (desktop_) desktop_->Add(this);
  }
  void BringToTop() override {
    ++raised;
    if (desktop_) desktop_->ToTop(this);
  }
  vx::OwnerWindow DialogOwner() override { return this; }
  vx::PageJumpWindow* CreatePageJumpWindow(vx::CatalogController& controller) override {
    creator = &controller;
    return &pageJump;
  }

  int raised = 0;
  FakePageJump pageJump;
  vx::CatalogController* creator = nullptr;

 private:
  FakeDesktop* desktop_;
};

// The active window is a name; Reactivate makes the remembered name active again.
class FakeActiveWindows : public vx::ActiveWindowTracker {
 public:
  std::unique_ptr<vx::RememberedWindow> RememberActiveWindow() override {
    return std::make_unique<Remembered>(*this, active);
  }

  std::string active = "main";
  std::vector<std::string> reactivated;

 private:
  class Remembered : public vx::RememberedWindow {
   public:
    Remembered(FakeActiveWindows& owner, std::string name)
        : owner_(owner), name_(std::move(name)) {}
    void Reactivate() override {
      owner_.active = name_;
      owner_.reactivated.push_back(name_);
    }

   private:
    FakeActiveWindows& owner_;
    std::string name_;
  };
};

}  // namespace vxtest
