// The controller over the test catalogue with a nine-colour palette, checklist files written into
// a folder of the test's own, and the user's checklist: circle 101 with colour 2 and a memo,
// circle 102 with colour 1, colour 1 named "mine", saved as mine.csv.
#pragma once

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"
#include "tests/app/ControllerFixture.h"
#include "tests/checklist/StoreFixture.h"

namespace vxtest {

// What a load may change: the entries (id, colour, memo) in print order, the first three colour
// names, the checklist's file and its modified mark.
struct ChecklistState {
  std::vector<std::tuple<int, int, std::string>> entries;
  std::vector<std::string> colorNames;
  std::filesystem::path path;
  bool modified = false;
  friend bool operator==(const ChecklistState&, const ChecklistState&) = default;
};

class ChecklistCommandTest : public ControllerTest {
 protected:
  void SetUp() override {
    ControllerTest::SetUp();
    values.fvrColorNum = 9;
    for (int i = 0; i < vx::kMaxCheckColors; ++i)
      std::snprintf(values.fvrColorNames[i], 8, "p%d", i);
    std::snprintf(values.defaultFileDir, vx::kTextSize, "%s/", dir.Path().c_str());
    controller.LoadColorTable();
    controller.SetCircleColor(2, 101);
    controller.SetCircleMemo("mine", 101);
    controller.SetCircleColor(1, 102);
    controller.SetColorDef(vx::CatalogController::kChecklistColor, 0, 0xff, 0xff, "mine");
    ui.QueuePath(mine);
    ASSERT_EQ(controller.SaveChecklist(false, false), IDYES);
    log.clear();
    ui.ClearCalls();
    dialogs.shown.clear();
  }

  ChecklistState State() {
    ChecklistState state;
    controller.ForEachInPrintOrder([&](const vx::FavoriteEntry& e) {
      state.entries.emplace_back(e.record.id, e.color, e.record.memo);
      return true;
    });
    for (int i = 0; i < 3; ++i) state.colorNames.push_back(Store().GetColorName(i));
    state.path = controller.ChecklistPath();
    state.modified = controller.IsChecklistModified();
    return state;
  }

  std::filesystem::path Write(const std::string& name, const std::string& text) {
    const std::filesystem::path file = dir / name;
    WriteFileBytes(file, text);
    return file;
  }

  // A checklist of `event`: colour 1 named "file", then circles by update id (its own event) or
  // by name (another event), each with a colour and a memo.
  static std::string ChecklistText(int event, const std::vector<std::tuple<int, int>>& circles) {
    std::string text = HeaderLine(event) + "Color,1,00ff00,00ff00,file\r\n";
    for (const auto& [id, color] : circles) {
      text += CircleLine({{1, std::to_string(1000 + id)},
                          {2, std::to_string(color)},
                          {10, "C" + std::to_string(id)},
                          {17, "m" + std::to_string(id)}});
    }
    return text;
  }

  // "title|text" of every box, in UTF-8.
  std::vector<std::string> Boxes() const {
    std::vector<std::string> boxes;
    for (const vx::UiCall& call : ui.CallsOf(vx::UiCallKind::kMessageBox)) {
      boxes.push_back(vx::Cp932ToUtf8(call.caption) + "|" + vx::Cp932ToUtf8(call.text));
    }
    return boxes;
  }

  vx::FavoriteStore& Store() { return *controller.GetFavoriteStore(); }

  const std::filesystem::path mine = dir / "mine.csv";
};

}  // namespace vxtest
