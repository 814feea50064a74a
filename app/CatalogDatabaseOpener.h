// Opens the catalogue database at start-up: read-only from the program folder when
// "settings.ini" forces it, else read/write from the user folder; a user database that lacks the
// current event is offered for initialisation, and a refusal ("noDatabase96") falls back to the
// program folder's database, read-only, without asking again on later starts. A damaged database
// that the program may write (the user folder's, also when that is the program folder), or a
// folder or device in its place, is named as such and offered for installing again from the
// disc; the initialisation moves it aside, never writes over it. A refusal, or an install that
// came to nothing, leaves the file as it was and runs on the program folder's database,
// read-only, this time only.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/AppSettings.h"
#include "data/PavorunDatabase.h"

namespace vx {

class UiServices;

// The box text naming a damaged database file (CP932); `format` holds one "%s".
std::string DamagedDatabaseText(std::string_view format, const std::filesystem::path& file);

inline constexpr std::string_view kInitializeQuestion =
    "データベースにデータがありません。\n初期化してよろしいですか？\n"
    "いいえを選択すると、読み込み専用モードで起動します";
inline constexpr std::string_view kInitializeTitle = "データベースの初期化";
inline constexpr std::string_view kNoCirclesText =
    "データベースにサークルデータがありません。\n初期化する必要があります";
inline constexpr std::string_view kNoCirclesTitle = "データベース異常";
// "%s" is the file.
inline constexpr std::string_view kDamagedQuestion =
    "データベースファイル\n%s\nは壊れています.\n\n"
    "ディスクからサークルデータをインストールし直しますか？\n"
    "壊れたファイルは名前を変えて残します.\n"
    "いいえを選択すると、このファイルには手を付けずに起動します";
inline constexpr std::string_view kDamagedText =
    "データベースファイル\n%s\nは壊れています.\n"
    "インストールし直すか、壊れていないファイルと置き換えてください.";
inline constexpr std::string_view kDamagedTitle = "データベースの破損";
// The same for a folder, a pipe or a device in place of the file.
inline constexpr std::string_view kNotAFileQuestion =
    "データベースファイル\n%s\nはデータベースとして開けません (通常のファイルではありません).\n\n"
    "ディスクからサークルデータをインストールし直しますか？\n"
    "開けないファイルは名前を変えて残します.\n"
    "いいえを選択すると、このファイルには手を付けずに起動します";
inline constexpr std::string_view kNotAFileText =
    "データベースファイル\n%s\nはデータベースとして開けません (通常のファイルではありません).\n"
    "インストールし直すか、データベースファイルと置き換えてください.";
inline constexpr std::string_view kNotAFileTitle = "データベースを開けません";

// The box naming a database that IsDamaged() (CP932): the question offering to install it again,
// or the notice; a folder or a device in place of the file is said to be one.
std::string UnsoundDatabaseText(const SqliteDatabase& database, bool offerReinstall);
std::string UnsoundDatabaseTitle(const SqliteDatabase& database);

class CatalogDatabaseOpener {
 public:
  // The database initialisation routine: -1 nothing found, 0 cancelled, 1 done, 2 error. It may
  // replace the database object (a read-only one by a writable user database).
  using Initializer = std::function<int(std::unique_ptr<PavorunDatabase>& database)>;

  struct Result {
    std::unique_ptr<PavorunDatabase> database;
    // Set when the user folder's database was opened or tried; the database commands then speak
    // of initialising it.
    bool userDatabase = false;
    // Set when the user was told of a damaged database here already.
    bool damageReported = false;
  };

  // `values` is the working copy: "noDatabase96" is read and updated, "VQNumber96" names the
  // event. `ui` may be null (no question can be asked: the answer counts as No). Without an
  // initialiser nothing is asked and the program folder's database is used.
  CatalogDatabaseOpener(const AppSettings& settings, std::filesystem::path programFolder,
                        SettingsValues& values, UiServices* ui, Initializer initialize);

  Result Open();

 private:
  bool AskToInitialize() const;
  // Installs a damaged database again when the user says so, else puts the program folder's
  // database in its place.
  void ReplaceDamaged(Result& result);
  bool AskToReinstall(const PavorunDatabase& database) const;
  std::unique_ptr<PavorunDatabase> OpenProgramDatabase() const;

  const AppSettings& settings_;
  std::filesystem::path programFolder_;
  SettingsValues& values_;
  UiServices* ui_;
  Initializer initialize_;
};

}  // namespace vx
