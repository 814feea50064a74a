#include "ui/dialogs/DialogSupport.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "platform/CodePage.h"

namespace vx {
namespace {
constexpr int kEventColumnWidth = 128;
}  // namespace

std::string PathText(const std::filesystem::path& path) { return Utf8ToCp932(path.string()); }

std::string EventTitle(int event) { return Sjis("ヴェラストレード") + std::to_string(event); }

void SetControlId(QWidget* control, int id) { control->setProperty("controlId", id); }

QTreeWidget* CreateEventList(QWidget* parent, int controlId) {
  auto* list = new QTreeWidget(parent);
  SetControlId(list, controlId);
  list->setColumnCount(1);
  list->setHeaderLabels({QStringLiteral("File")});
  list->setColumnWidth(0, kEventColumnWidth);
  list->setRootIsDecorated(false);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  return list;
}

void FillEventList(QTreeWidget* list, const std::vector<int>& events) {
  list->clear();
  for (int event : events) {
    auto* item = new QTreeWidgetItem(list, {QtText(EventTitle(event))});
    item->setData(0, Qt::UserRole, event);
  }
  list->setCurrentItem(nullptr);
}

int CurrentListEvent(const QTreeWidget* list) {
  const QTreeWidgetItem* item = list->currentItem();
  return item != nullptr ? item->data(0, Qt::UserRole).toInt() : 0;
}

}  // namespace vx
