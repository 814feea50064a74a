// The circle list and the search dialog over the controller catalogue (event 96: day 1 blocks
// "Ａ" with circles 101-104, 133, 136 and "Ｂ" with 112, 113, 115, 134; day 2 block "Ｃ" with
// 131, 132, 135; circle 900 without a day), readings added, the default list columns, nine named
// check colours and searches run in the real progress dialog.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "app/CatalogController.h"
#include "app/ListColumns.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/SearchCondition.h"
#include "data/SqlText.h"
#include "data/images/CatalogImages.h"
#include "platform/CodePage.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/ui/list/ListedIds.h"
#include "ui/list/ListWindow.h"
#include "ui/widgets/ProgressDialogRunner.h"

namespace vxtest {

// The columns of the default layout of event 96.
constexpr int kColumnDay = 1;
constexpr int kColumnSpace = 2;
constexpr int kColumnGenre = 3;
constexpr int kColumnCut = 4;
constexpr int kColumnName = 5;
constexpr int kColumnKana = 6;
constexpr int kColumnMemo = 14;

// The catalogue is built once per run and copied for each test.
inline const std::filesystem::path& CircleCatalogFile() {
  static TempDir folder;
  static const std::filesystem::path file = [] {
    {
      vx::PavorunDatabase db(folder.Path());
      BuildControllerCatalog(db);
      const std::pair<int, const char*> readings[] = {
          {101, "アオイ"}, {102, "カキ"},   {103, "イロハ"}, {104, "アサ"}, {133, "サクラ"},
          {136, "ワカバ"}, {112, "アカネ"}, {113, "ヲトメ"}, {115, "ンゴ"}, {134, "イチゴ"},
          {131, "アキ"},   {132, "ウミ"},   {135, "エダ"},   {900, "オト"}};
      std::string sql;
      for (const auto& [id, kana] : readings) {
        sql += vx::FormatSql("update PavorunCircle set circleKana=%Q where id=%d;",
                             vx::Sjis(kana).c_str(), id);
      }
      EXPECT_EQ(db.Exec(nullptr, nullptr, sql), 0) << db.LastError();
    }
    return folder.Path() / vx::PavorunDatabase::kFileName;
  }();
  return file;
}

inline const std::filesystem::path& WithCircleCatalog(const TempDir& dir) {
  std::filesystem::copy_file(CircleCatalogFile(), dir.Path() / vx::PavorunDatabase::kFileName);
  return dir.Path();
}

// The real progress dialog, with the window each run was centred on.
class RecordingProgress : public vx::ProgressJobRunner {
 public:
  int Run(vx::ProgressJob& job, std::string_view caption, vx::OwnerWindow owner) override {
    owners.push_back(owner);
    captions.push_back(vx::Cp932ToUtf8(caption));
    return dialog_.Run(job, caption, owner);
  }
  std::vector<vx::OwnerWindow> owners;
  std::vector<std::string> captions;

 private:
  vx::ProgressDialogRunner dialog_;
};

class CircleCatalogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    db.SelectEvent(kControllerEvent);
    values.eventNumber = kControllerEvent;
    const int ids[] = {vx::kMainWindowId, vx::kMapWindowId, vx::kChecklistWindowId,
                       vx::kDetailWindowId, vx::kListWindowId};
    for (int slot = 0; slot < 5; ++slot) values.windowIds[slot] = ids[slot];
    vx::ResetListColumns(values, kControllerEvent);
    values.listShowCut = 1;
    values.listSortEnable = 1;
    values.autoNext = 1;
    values.fvrColorNum = 9;
    for (int i = 0; i < vx::kMaxCheckColors; ++i) values.fvrColors[i] = 0x203040u * (i + 1);
    values.fvrColors[0] = 0x0000FF;  // red
    std::snprintf(values.fvrColorNames[0], vx::kColorNameSize, "%s", vx::Sjis("赤").c_str());
    ASSERT_TRUE(controller.Init(&db, &images, &values));
  }

  // A list window registered with the controller, so that searches reach it.
  void CreateListWindow() {
    window = std::make_unique<vx::ListWindow>(controller);
    ASSERT_TRUE(controller.RegisterWindow(vx::kListWindowId, window.get(), "list"));
  }

  TempDir dir;
  vx::PavorunDatabase db{WithCircleCatalog(dir)};
  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  RecordingProgress progress;
  vx::CatalogController controller{nullptr, {&ui, &progress, nullptr, nullptr, nullptr}};
  std::unique_ptr<vx::ListWindow> window;
};

}  // namespace vxtest
