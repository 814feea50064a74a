// Doubles for the print engine's injected services, and a fixture that resets the engine around
// every test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "platform/CodePage.h"
#include "print/PrintDataSource.h"
#include "print/PrintEngine.h"
#include "print/PrintEventSink.h"
#include "print/PrintReportSink.h"
#include "print/QtPrintTextDrawer.h"

namespace vxtest {

// The error boxes shown, as UTF-8 text and title.
class RecordingReports : public vx::PrintReportSink {
 public:
  void ShowError(vx::OwnerWindow owner, std::string_view text, std::string_view title) override {
    std::lock_guard lock(mutex_);
    shown.emplace_back(vx::Cp932ToUtf8(text), std::string(title));
    owners.push_back(owner);
  }
  std::vector<std::pair<std::string, std::string>> Shown() {
    std::lock_guard lock(mutex_);
    return shown;
  }

  std::vector<std::pair<std::string, std::string>> shown;
  std::vector<vx::OwnerWindow> owners;

 private:
  std::mutex mutex_;
};

// The messages posted: window, message, lParam.
class RecordingEvents : public vx::PrintEventSink {
 public:
  using Posted = std::tuple<vx::OwnerWindow, unsigned, std::intptr_t>;
  void Post(vx::OwnerWindow window, unsigned message, std::intptr_t lParam) override {
    {
      std::lock_guard lock(mutex_);
      posted_.emplace_back(window, message, lParam);
    }
    if (onPost) onPost(message, lParam);
  }
  std::vector<Posted> Taken() {
    std::lock_guard lock(mutex_);
    return posted_;
  }
  void Clear() {
    std::lock_guard lock(mutex_);
    posted_.clear();
  }

  // Called after each message is recorded, on the posting thread.
  std::function<void(unsigned message, std::intptr_t lParam)> onPost;

 private:
  std::mutex mutex_;
  std::vector<Posted> posted_;
};

// A catalogue given field by field: maps and areas by 1-based id, named as in the engine's hall
// tables when a test needs them.
class FakePrintSource : public vx::PrintDataSource {
 public:
  std::string EventName() const override { return eventName; }
  int DayCount() const override { return dayCount; }
  std::string DayWeekdayName(int day) const override {
    return day >= 1 && day <= dayCount ? "D" + std::to_string(day) : "";
  }
  vx::PrintMapCell MapCell() const override { return cell; }
  int FindMapId(std::string_view name) const override { return Find(maps, name); }
  int FindAreaId(std::string_view name) const override { return Find(areas, name); }
  vx::PrintMapInfo Map(int id) const override { return At(maps, id); }
  vx::PrintAreaInfo Area(int id) const override { return At(areas, id); }
  vx::PrintSpace Space(int blockId, int spaceNo) const override {
    for (const auto& [block, space, info] : spaces) {
      if (block == blockId && space == spaceNo) return info;
    }
    return {};
  }
  int CheckColorCount() const override { return colorCount; }
  vx::PrintMapTemplates MapTemplates() const override { return templates; }
  vx::ColorRef PrintColor(int index) const override { return 0x010000u * (index + 1); }
  std::string ColorName(int index) const override { return "C" + std::to_string(index + 1); }
  std::vector<vx::FavoriteEntry> ChecklistEntries() const override {
    ++checklistReads;
    return entries;
  }
  std::vector<vx::CircleRecord> CirclesOfBlocks(
      std::span<const vx::DayBlock> blocks) const override {
    std::vector<vx::CircleRecord> found;
    for (const vx::CircleRecord& c : catalogue) {
      for (const vx::DayBlock& b : blocks) {
        if (c.day == b.day && c.blockId == b.blockId) found.push_back(c);
      }
    }
    return found;
  }
  std::string ChecklistHeaderLine() const override { return "QUILLOR,104,Vellastrade96,Windows"; }
  // id - 1, colour, then the circle name and kana in fields 9 and 18.
  std::string ChecklistLine(const vx::CircleRecord& r, int color) const override {
    std::string line = std::to_string(r.id - 1) + "," + std::to_string(color);
    for (int f = 2; f < 29; ++f)
      line += "," + (f == 9 ? r.circleName : f == 18 ? r.circleKana : "");
    return line + ",";
  }
  void DrawCut(QPainter&, const vx::CutRect&, int pageNo, int cutIndex, int updateId,
               vx::ColorRef fill) const override {
    drawnCuts.push_back({pageNo, cutIndex, updateId, static_cast<int>(fill)});
  }

  std::string eventName = "Event";
  int dayCount = 3;
  vx::PrintMapCell cell{5, 6, 10, 12};
  std::vector<std::pair<std::string, vx::PrintMapInfo>> maps;
  std::vector<std::pair<std::string, vx::PrintAreaInfo>> areas;
  std::vector<std::tuple<int, int, vx::PrintSpace>> spaces;
  int colorCount = 9;
  vx::PrintMapTemplates templates;
  std::vector<vx::FavoriteEntry> entries;
  std::vector<vx::CircleRecord> catalogue;
  mutable int checklistReads = 0;
  mutable std::vector<std::array<int, 4>> drawnCuts;

 private:
  template <class T>
  static int Find(const std::vector<std::pair<std::string, T>>& list, std::string_view name) {
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (list[i].first == name) return static_cast<int>(i) + 1;
    }
    return 0;
  }
  template <class T>
  static T At(const std::vector<std::pair<std::string, T>>& list, int id) {
    return id >= 1 && id <= static_cast<int>(list.size())
               ? list[static_cast<std::size_t>(id - 1)].second
               : T{};
  }
};

inline std::filesystem::path LayoutFolder() { return VX_LAYOUT_FOLDER; }

// Resets the engine before and after each test and gives it the doubles above.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vx::PrintEngine_Reset();
    SetContext(&source);
  }
  void TearDown() override { vx::PrintEngine_Reset(); }

  void SetContext(vx::PrintDataSource* dataSource, const std::filesystem::path& imageFolder = {},
                  const std::filesystem::path& programFolder = LayoutFolder()) {
    vx::PrintEngineServices services;
    services.source = dataSource;
    services.reports = &reports;
    services.events = &events;
    services.text = &textDrawer;
    vx::PrintEngine_SetContext(services, imageFolder, programFolder);
  }

  // Texts of the error boxes shown so far.
  std::vector<std::string> ReportTexts() {
    std::vector<std::string> texts;
    for (const auto& [text, title] : reports.Shown()) texts.push_back(text);
    return texts;
  }

  FakePrintSource source;
  RecordingReports reports;
  RecordingEvents events;
  vx::QtPrintTextDrawer textDrawer;
};

}  // namespace vxtest
