#include "ui/dialogs/DialogSupport.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

#include "platform/CodePage.h"
#include "platform/UiServices.h"
#include "res/ResourceIds.h"

namespace vx {
namespace {
constexpr int kEventColumnWidth = 128;
}  // namespace

std::string PathText(const std::filesystem::path& path) { return Utf8ToCp932(path.string()); }

std::string EventTitle(int event) { return Sjis("ヴェラストレード") + std::to_string(event); }

void SetControlId(QWidget* control, int id) { control->setProperty("controlId", id); }

std::optional<std::filesystem::path> AskForFolder(UiServices& ui, QWidget* owner,
                                                  const std::string& title,
                                                  const std::filesystem::path& start,
                                                  const std::string& invalidText) {
  for (;;) {
    std::optional<std::filesystem::path> chosen = ui.FolderDialog(owner, title, start);
    if (!chosen) return std::nullopt;
    std::error_code error;
    if (std::filesystem::is_directory(*chosen, error)) return chosen;
    ui.MessageBox(owner, invalidText, Sjis("エラー"), MB_OK | MB_ICONERROR);
  }
}

OkCancelButtons CreateOkCancelButtons(QWidget* dialog) {
  auto* ok = new QPushButton(QStringLiteral("OK"), dialog);
  SetControlId(ok, IDOK);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QtText(Sjis("キャンセル")), dialog);
  SetControlId(cancel, IDCANCEL);
  return {ok, cancel};
}

QHBoxLayout* OkCancelRow(const OkCancelButtons& buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(buttons.ok);
  row->addWidget(buttons.cancel);
  return row;
}

QTreeWidget* CreateEventList(QWidget* parent, int controlId) {
  auto* list = new QTreeWidget(parent);
  SetControlId(list, controlId);
  list->setColumnCount(1);
  list->setHeaderLabels({QStringLiteral("File")});
  list->setColumnWidth(0, kEventColumnWidth);
  list->setRootIsDecorated(false);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  // Reached from the keyboard (its label's Alt key, Tab), the list offers its first event, so
  // that Return acts on it.
  QObject::connect(qApp, &QApplication::focusChanged, list, [list](QWidget*, QWidget* now) {
    if (now != list || QApplication::mouseButtons() != Qt::NoButton) return;
    if (list->selectedItems().isEmpty() && list->topLevelItemCount() > 0) {
      list->setCurrentItem(list->topLevelItem(0));
    }
  });
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
