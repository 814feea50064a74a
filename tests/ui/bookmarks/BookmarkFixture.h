// The bookmark dialogs over the controller's test catalogue, with scripted message boxes, and
// bookmark lists written and read back as short texts: "Fruit{Apple,Pear} Veg{} Banana", where
// braces mark a group and what it holds.
#pragma once

#include <gtest/gtest.h>

#include <QTreeWidget>

#include <string>
#include <utility>
#include <vector>

#include "app/BookmarkList.h"
#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/ui/UiOnlyServices.h"

namespace vxtest {

// Every record as "type/depth/page/title".
inline std::string Records(const vx::BookmarkList& list) {
  std::string text;
  for (int i = 0; const vx::Bookmark* b = list.GetAt(i); ++i) {
    text += (i ? " " : "") + std::to_string(b->type) + "/" + std::to_string(b->depth) + "/" +
            std::to_string(b->page) + "/" + b->title;
  }
  return text;
}

// UTF-8.
inline std::string Shape(const QTreeWidget& tree) {
  std::string text;
  for (int i = 0; i < tree.topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = tree.topLevelItem(i);
    text += (i ? " " : "") + item->text(0).toStdString();
    if (item->data(0, Qt::UserRole + 2).toInt() != 1) continue;  // a bookmark
    text += "{";
    for (int j = 0; j < item->childCount(); ++j) {
      text += (j ? "," : "") + item->child(j)->text(0).toStdString();
    }
    text += "}";
  }
  return text;
}

class BookmarkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildControllerCatalog(db);
    values.eventNumber = kControllerEvent;
    ASSERT_TRUE(controller.Init(&db, &images, &values));
  }

  // Groups of type 2 at depth 0, their bookmarks at depth 1 on page 10 + position.
  void Fill(const std::vector<std::pair<std::string, std::vector<std::string>>>& groups,
            const std::vector<std::string>& loose) {
    int page = 10;
    for (const auto& [group, members] : groups) {
      list.Add(vx::Bookmark::Make(vx::Bookmark::kFolder, 0, 0, group));
      for (const std::string& title : members) {
        list.Add(vx::Bookmark::Make(vx::Bookmark::kPage, 1, page++, title));
      }
    }
    for (const std::string& title : loose) {
      list.Add(vx::Bookmark::Make(vx::Bookmark::kPage, 0, page++, title));
    }
  }

  TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  vx::BookmarkList list;
  vx::CatalogController controller{nullptr, UiOnly(ui)};
};

}  // namespace vxtest
