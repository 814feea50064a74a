#include "tools/install/InstallCommand.h"

#include "data/DiscImportJob.h"
#include "data/ImportPrompts.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tools/install/DiscEvents.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iomanip>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <system_error>

namespace vx::install {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTables[] = {"PavorunInfo", "PavorunDate",   "PavorunMap",
                                   "PavorunArea", "PavorunBlock",  "PavorunGenre",
                                   "PavorunJiko", "PavorunLayout", "PavorunCircle"};

// Nobody to ask: a missing file ends the install, and the job's error text says which. The
// lines left out of an install that went through are printed as the dialog shows them.
class NoPrompts : public ImportPrompts {
 public:
  std::optional<fs::path> LocateFile(const std::string&, const fs::path&) override {
    return std::nullopt;
  }
  void ShowError(const std::string&) override {}
  void ShowWarning(const std::string& text) override { warnings_ += Cp932ToUtf8(text) + "\n"; }
  const std::string& Warnings() const { return warnings_; }

 private:
  std::string warnings_;
};

// A database file made for this install: built under a name of its own beside the target and
// renamed into place only when the install is done, so that a failed or broken install leaves
// no file behind.
class NewDatabaseFile {
 public:
  explicit NewDatabaseFile(const fs::path& target) : target_(target) {}
  ~NewDatabaseFile() { Discard(); }
  NewDatabaseFile(const NewDatabaseFile&) = delete;
  NewDatabaseFile& operator=(const NewDatabaseFile&) = delete;

  // False with `error` set when no file can be made in the target's folder.
  bool Create(std::string& error) {
    const fs::path folder = target_.has_parent_path() ? target_.parent_path() : fs::path(".");
    std::string name = (folder / ("." + target_.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
      error = std::strerror(errno);
      return false;
    }
    ::close(fd);
    path_ = name;
    return true;
  }
  const fs::path& Path() const { return path_; }
  bool Commit(std::string& error) {
    std::error_code ec;
    fs::rename(path_, target_, ec);
    if (ec) {
      error = ec.message();
      return false;
    }
    path_.clear();
    return true;
  }

 private:
  void Discard() {
    if (path_.empty()) return;
    std::error_code ec;
    fs::remove(path_, ec);
    fs::remove(path_.string() + "-journal", ec);
  }

  fs::path target_;
  fs::path path_;
};

bool ParseEventNumber(const std::string& text, int& eventNo) {
  if (text.empty() || text.size() > 6 ||
      text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  eventNo = std::stoi(text);
  return eventNo > 0;
}

std::string EventList(const std::vector<DiscEvent>& events) {
  std::string list;
  for (const DiscEvent& event : events) {
    if (!list.empty()) list += ", ";
    list += std::to_string(event.eventNo);
  }
  return list;
}

// The event to install, or nothing with `error` set.
std::optional<DiscEvent> ChooseEvent(const InstallOptions& options, std::string& error) {
  const std::vector<DiscEvent> events = FindDiscEvents(options.disc);
  if (events.empty()) {
    error = options.disc.string() + ": no V*DEF.TXT in the folder or its DATA sub-folders";
    return std::nullopt;
  }
  if (options.eventNo == 0) {
    if (events.size() == 1) return events.front();
    error = options.disc.string() + " holds events " + EventList(events) +
            ": choose one with --event N";
    return std::nullopt;
  }
  for (const DiscEvent& event : events) {
    if (event.eventNo == options.eventNo) return event;
  }
  error = options.disc.string() + " holds no event " + std::to_string(options.eventNo) +
          " (it holds " + EventList(events) + ")";
  return std::nullopt;
}

// Only the name and the row counts: selecting the event would build indexes nobody reads here.
void ReportInstalled(PavorunDatabase& db, const DiscEvent& event, const fs::path& file,
                     std::ostream& out) {
  db.SetEventNo(event.eventNo);
  EventInfo info;
  db.GetInfoTable().ReadEventInfo(info);
  out << "event " << event.eventNo << " \"" << Cp932ToUtf8(info.pavorunName) << "\" installed from "
      << event.folder.string() << " into " << file.string() << "\n";
  for (const char* table : kTables) {
    int count = 0;
    db.ExecPrintf(RowFirstColumnInt, &count, "select count(*) from %s where pavorunNo=%d;", table,
                  event.eventNo);
    out << "  " << std::left << std::setw(14) << table << std::right << std::setw(8) << count
        << "\n";
  }
}

std::string Failure(const fs::path& file, const std::string& why) {
  return "vindaxel-install: " + file.string() + ": " + why + "\n";
}

// Installs into `file`: the install's transaction leaves it as it was on failure. The report
// names the file as `shownAs`.
bool InstallInto(const fs::path& file, const fs::path& shownAs, const DiscEvent& event,
                 std::ostream& report, std::ostream& err, NoPrompts& prompts) {
  PavorunDatabase db(file.parent_path(), file.filename().string(), SqliteDatabase::kReadWrite);
  if (!db.IsOpen()) {
    err << Failure(shownAs, db.LastError());
    return false;
  }
  DiscImportJob job(db, event.eventNo, event.folder, prompts);
  if (job.Run() != DiscImportJob::kResultDone) {
    err << "vindaxel-install: event " << event.eventNo << " from " << event.folder.string() << ": "
        << Cp932ToUtf8(job.ErrorText()) << "\n";
    return false;
  }
  ReportInstalled(db, event, shownAs, report);
  return true;
}

int InstallEvent(const DiscEvent& event, const fs::path& database, std::ostream& out,
                 std::ostream& err) {
  NoPrompts prompts;
  std::ostringstream report;
  std::error_code ec;
  if (fs::exists(fs::symlink_status(database, ec))) {
    if (!InstallInto(database, database, event, report, err, prompts)) return 1;
  } else {
    NewDatabaseFile file(database);
    std::string error;
    if (!file.Create(error)) {
      err << Failure(database, "cannot create: " + error);
      return 1;
    }
    if (!InstallInto(file.Path(), database, event, report, err, prompts)) return 1;
    if (!file.Commit(error)) {
      err << Failure(database, "cannot rename the new file into place: " + error);
      return 1;
    }
  }
  out << report.str();
  err << prompts.Warnings();
  return 0;
}

}  // namespace

std::string UsageText() {
  return "usage: vindaxel-install [--event N] DISC_FOLDER DATABASE_FILE\n"
         "Installs the catalogue of the event found in DISC_FOLDER (V<N>DEF.TXT there or in a\n"
         "DATA<N>N or DATA<N> sub-folder) into DATABASE_FILE, which is created when missing.\n";
}

bool ParseInstallOptions(const std::vector<std::string>& args, InstallOptions& options,
                         std::string& error) {
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--event") {
      if (i + 1 >= args.size() || !ParseEventNumber(args[i + 1], options.eventNo)) {
        error = "--event: expected an event number from 1 on";
        return false;
      }
      ++i;
    } else if (args[i].starts_with("--")) {
      error = args[i] + ": unknown option";
      return false;
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2) {
    error = "expected DISC_FOLDER and DATABASE_FILE";
    return false;
  }
  options.disc = positional[0];
  options.database = positional[1];
  return true;
}

int RunInstall(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  InstallOptions options;
  std::string error;
  if (!ParseInstallOptions(args, options, error)) {
    err << "vindaxel-install: " << error << "\n" << UsageText();
    return 2;
  }
  std::error_code ec;
  if (!fs::is_directory(options.disc, ec)) {
    err << "vindaxel-install: " << options.disc.string() << ": not a folder\n";
    return 1;
  }
  const std::optional<DiscEvent> event = ChooseEvent(options, error);
  if (!event) {
    err << "vindaxel-install: " << error << "\n";
    return 1;
  }
  return InstallEvent(*event, options.database, out, err);
}

}  // namespace vx::install
