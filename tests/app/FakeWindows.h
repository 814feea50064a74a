// Recording stand-ins for the frames, the beacon window and the active-window query.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/ActiveWindowTracker.h"
#include "app/BeaconWindow.h"
#include "app/ControllerWindow.h"
#include "app/MainFrameHook.h"

namespace vxtest {

struct Delivery {
  const vx::ControllerWindow* receiver;
  unsigned message;
  vx::WParam wParam;
  vx::LParam lParam;
};
// Windows in the order they were brought to the top.
using Raises = std::vector<const vx::StackedWindow*>;

// Any frame can stand as the main frame: it records the titles and recent-file menus it is given.
class FakeFrame : public vx::ControllerWindow, public vx::MainFrameHook {
 public:
  explicit FakeFrame(std::vector<Delivery>* log = nullptr, Raises* raises = nullptr)
      : log_(log), raises_(raises) {}
  void OnAppMessage(unsigned message, vx::WParam wParam, vx::LParam lParam) override {
    if (log_) log_->push_back({this, message, wParam, lParam});
    if (onMessage) onMessage();
  }
  vx::WindowRect ScreenRect() const override { return rect; }
  void Minimize() override {}
  void Restore() override {}
  void BringToTop() override {
    if (raises_) raises_->push_back(this);
  }

  std::string ApplicationTitle() const override { return "Vindaxel"; }
  void SetTitleText(std::string_view text) override { titles.emplace_back(text); }
  void SetRecentFileItems(std::span<const vx::RecentFileItem> items) override {
    recentMenus.emplace_back(items.begin(), items.end());
  }

  std::function<void()> onMessage;
  vx::WindowRect rect{10, 20, 300, 400};
  std::vector<std::string> titles;                           // UTF-8
  std::vector<std::vector<vx::RecentFileItem>> recentMenus;  // each rebuild

 private:
  std::vector<Delivery>* log_;
  Raises* raises_;
};

class FakeBeacon : public vx::BeaconWindow {
 public:
  explicit FakeBeacon(Raises* raises = nullptr) : raises_(raises) {}
  void BringToTop() override {
    if (raises_) raises_->push_back(this);
  }
  vx::OwnerWindow DialogOwner() override { return this; }
  vx::PageJumpWindow* CreatePageJumpWindow(vx::CatalogController&) override { return nullptr; }

 private:
  Raises* raises_;
};

// The active window is a name; Reactivate makes the remembered name active again. `probe` runs
// whenever a window is remembered or reactivated.
class FakeActiveWindows : public vx::ActiveWindowTracker {
 public:
  std::unique_ptr<vx::RememberedWindow> RememberActiveWindow() override {
    if (probe) probe();
    return std::make_unique<Remembered>(*this, active);
  }

  std::string active = "main";
  std::vector<std::string> reactivated;
  std::function<void()> probe;

 private:
  struct Remembered : vx::RememberedWindow {
    Remembered(FakeActiveWindows& owner, std::string name) : owner(owner), name(std::move(name)) {}
    void Reactivate() override {
      if (owner.probe) owner.probe();
      owner.active = name;
      owner.reactivated.push_back(name);
    }
    FakeActiveWindows& owner;
    std::string name;
  };
};

}  // namespace vxtest
