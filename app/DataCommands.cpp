#include "app/DataCommands.h"

#include <optional>
#include <string>
#include <utility>

#include "app/ApplicationCore.h"
#include "app/DataCommandDialogs.h"
#include "app/ModalScope.h"
#include "platform/CodePage.h"
#include "platform/UiServices.h"

namespace vx {

namespace {

constexpr std::string_view kInitializeFirst = "\nまずデータベースを初期化して下さい";
constexpr std::string_view kUpdateTitle = "データベースの更新";

}  // namespace

DataCommands::DataCommands(ApplicationCore& core, UiServices& ui, DataCommandDialogs& dialogs,
                           Restart restart)
    : core_(core), ui_(ui), dialogs_(dialogs), restart_(std::move(restart)) {}

int DataCommands::Box(std::string_view utf8Text, std::string_view utf8Title, unsigned flags) {
  ModalScope modal(core_.Controller());
  return ui_.MessageBox(nullptr, Sjis(utf8Text), Sjis(utf8Title), flags);
}

bool DataCommands::CanWriteDatabase(std::string_view utf8Text, std::string_view utf8Title) {
  const PavorunDatabase* database = core_.Database();
  if (database && database->IsOpen() && database->Mode() == PavorunDatabase::kReadWrite) {
    return true;
  }
  std::string text(utf8Text);
  if (core_.UsesUserDatabase()) text += kInitializeFirst;
  Box(text, utf8Title, MB_ICONINFORMATION);
  return false;
}

bool DataCommands::Confirm(std::string_view utf8Question, std::string_view utf8Title) {
  if (Box(utf8Question, utf8Title, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
  CatalogController* controller = core_.Controller();
  return !controller || controller->AskSaveChecklist() != IDCANCEL;
}

void DataCommands::RestartWith(const RestartRequest& request) {
  if (CatalogController* controller = core_.Controller()) controller->NewChecklist(true);
  if (restart_) restart_(request);
}

void DataCommands::InstallImageData() {
  CatalogController* controller = core_.Controller();
  const std::vector<int> events = controller ? controller->ListEventNumbers() : std::vector<int>();
  dialogs_.InstallImageData(core_.ProgramFolder(), events, core_.EventNumber());
  core_.RelocateImageData();
}

void DataCommands::InstallCircleData() {
  if (!CanWriteDatabase("読み込み専用データベースのサークルデータは追加できません。",
                        "サークルデータの追加")) {
    return;
  }
  if (!Confirm("サークルデータの追加・削除を行いますか？\r\n追加後は再起動する場合があります。",
               "サークルデータの追加・削除")) {
    return;
  }
  PavorunDatabase& database = *core_.Database();
  const int changed = dialogs_.InstallCircleData(database, core_.EventNumber());
  // Installing and deleting leave another event selected in the database.
  database.SelectEvent(core_.EventNumber());
  if (changed == 1) RestartWith({true, 0, false});
}

void DataCommands::SwitchEvent() {
  if (!Confirm("ヴェラストレード回数の切り替えを行いますか？\r\n切り替え後は再起動します。",
               "ヴェラストレード回数切り替え")) {
    return;
  }
  CatalogController* controller = core_.Controller();
  const std::vector<int> events = controller ? controller->ListEventNumbers() : std::vector<int>();
  const int chosen = dialogs_.ChooseEvent(events, core_.EventNumber());
  if (chosen > 0 && chosen != core_.EventNumber()) RestartWith({true, chosen, false});
}

void DataCommands::InitializeDatabase() {
  if (!core_.UsesUserDatabase()) {
    const PavorunDatabase* database = core_.Database();
    if (database && database->IsOpen() && !core_.Settings().IsReadOnly()) {
      Box("その場利用のデータベースは初期化する必要がありません。\nそのままご利用ください。",
          kInitializeTitle, MB_ICONINFORMATION);
    } else {
      Box("強制読み込み専用のデータベースは初期化できません。\nインストールしてからご利用ください"
          "。",
          kInitializeTitle, MB_ICONINFORMATION);
    }
    return;
  }
  const std::string_view question =
      core_.Values().noDatabase
          ? "データベースを初期化してよろしいですか？\r\n初期化後は再起動します。"
          : "既にデータベースが存在します。初期化してよろしいですか？\r\n初期化後は再起動します。";
  if (!Confirm(question, kInitializeTitle)) return;
  core_.Values().noDatabase = 0;
  RestartWith({true, 0, true});
}

void DataCommands::UpdateCircleData(bool fromFile) {
  if (!CanWriteDatabase("読み込み専用データベースのサークルデータは更新できません。",
                        kUpdateTitle)) {
    return;
  }
  const std::string_view question =
      fromFile
          ? "データベースをファイルから更新してもよろしいですか？\r\n更新後は再起動します。"
          : "データベースをネットワーク経由で更新してもよろしいですか？\r\n更新後は再起動します。";
  if (!Confirm(question, kUpdateTitle)) return;
  std::filesystem::path archive;
  if (fromFile) {
    FileDialogRequest request;
    request.title = Sjis("パヴォルンデータ更新ファイルの選択");
    request.filter = Sjis("パヴォルンデータ更新ファイル(*.zip)|*.zip|");
    request.defaultExtension = "zip";
    CatalogController* controller = core_.Controller();
    std::optional<std::filesystem::path> chosen;
    {
      ModalScope modal(controller);
      chosen = ui_.OpenFileDialog(controller ? controller->GetDialogOwner() : nullptr, request);
    }
    if (!chosen) return;
    archive = *chosen;
  }
  const int outcome = dialogs_.UpdateCircleData(*core_.Database(), core_.EventNumber(), archive);
  if (outcome == 2) RestartWith({true, 0, false});
}

}  // namespace vx
