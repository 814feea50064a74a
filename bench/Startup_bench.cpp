// Start-up of the program as the user waits for it: a new `vindaxel` process on the full-size
// sample catalogue (a profile as run-sample.sh makes one), from its spawn until the first cut page
// is painted. VINDAXEL_SCREENSHOT makes the program render its main window once the first page is
// set and save the picture; the moment the picture file is created (before it is encoded) ends
// the timing, and the program then closes as the user would close it.
//
// Yardstick: a minimal Qt Widgets program (bench/yardstick/MinimalWindow.cpp) showing a window of
// the same size, started and timed the same way. The two alternate. Both need an X server: without
// DISPLAY the benchmark runs itself again under xvfb-run.
// Goal: start-up under 500 ms (median).
//
//   build/bench/Startup_bench      (the disc is generated once into build/bench-data/)
#include <benchmark/benchmark.h>

#include <QImage>

#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using vxbench::Clock;
using vxbench::Median;
using vxbench::MillisecondsSince;

constexpr int kEvent = 96;
constexpr double kGoalMs = 500;
constexpr int kDeadlineMs = 60000;

// A profile as run-sample.sh makes one, on the full-size disc: the database installed by the
// install tool, the image data reached through a link.
class Profile {
 public:
  static Profile& Get() {
    static Profile profile;
    return profile;
  }
  bool Ok() const { return ok_; }
  const fs::path& Folder() const { return folder_; }

 private:
  Profile()
      : disc_(fs::path(VX_BENCH_DATA) / "full-disc"),
        folder_(fs::path(VX_BENCH_DATA) / "startup-profile") {
    if (!fs::exists(disc_ / "V96DEF.TXT")) {
      fs::create_directories(disc_.parent_path());
      const std::string command = std::string("'") + VX_SAMPLE_DISC_TOOL + "' --out '" +
                                  disc_.string() + "' --size full --seed 1 > /dev/null";
      if (std::system(command.c_str()) != 0) return;
    }
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    std::ofstream(folder_ / "settings.ini") << "[Settings]\r\nUserData=exepath\r\n";
    fs::create_directory_symlink(fs::absolute(disc_), folder_ / ("VQ" + std::to_string(kEvent)));
    const std::string install = std::string("'") + VX_INSTALL_TOOL + "' '" + disc_.string() +
                                "' '" + (folder_ / "vindaxel96.db").string() + "' > /dev/null";
    ok_ = std::system(install.c_str()) == 0;
  }

  fs::path disc_;
  fs::path folder_;
  bool ok_ = false;
};

struct Run {
  double firstPageMs = 0;  // spawn to the picture file created
  double exitMs = 0;       // from then to the end of the process
  bool pagePainted = false;
};

// Whether the picture shows a page: more than one colour in its middle.
bool ShowsAPage(const fs::path& file) {
  const QImage picture(QString::fromStdString(file.string()));
  if (picture.isNull()) return false;
  const QRgb first = picture.pixel(picture.width() / 2, picture.height() / 2);
  int differing = 0;
  for (int y = picture.height() / 4; y < picture.height() * 3 / 4; y += 7) {
    for (int x = picture.width() / 4; x < picture.width() * 3 / 4; x += 7) {
      differing += picture.pixel(x, y) != first;
    }
  }
  return differing > 100;
}

// Starts `program` with VINDAXEL_SCREENSHOT and waits (inotify, with a deadline) for the picture.
std::optional<Run> TimeStart(const std::string& program, const fs::path& shot) {
  fs::remove(shot);
  const int watch = inotify_init1(IN_CLOEXEC);
  if (watch < 0 || inotify_add_watch(watch, shot.parent_path().c_str(), IN_CREATE) < 0) return {};
  setenv("VINDAXEL_SCREENSHOT", shot.c_str(), 1);
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
  const Clock::time_point start = Clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return {};
  Run run;
  alignas(inotify_event) char events[4096];
  for (bool created = false; !created;) {
    pollfd ready{watch, POLLIN, 0};
    if (poll(&ready, 1, kDeadlineMs) <= 0) break;
    const ssize_t n = read(watch, events, sizeof events);
    for (ssize_t at = 0; at < n;) {
      const auto* event = reinterpret_cast<const inotify_event*>(events + at);
      created = created || (event->len > 0 && shot.filename() == event->name);
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
    if (created) run.firstPageMs = MillisecondsSince(start);
  }
  const Clock::time_point created = Clock::now();
  int status = 0;
  waitpid(pid, &status, 0);
  run.exitMs = MillisecondsSince(created);
  close(watch);
  if (run.firstPageMs <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  run.pagePainted = ShowsAPage(shot);
  return run;
}

struct Medians {
  double program = 0, programExit = 0, yardstick = 0, yardstickExit = 0;
};
Medians g_medians;

void BM_StartProgramAndMinimalWindow(benchmark::State& state) {
  if (!Profile::Get().Ok()) return state.SkipWithError("the sample profile could not be made");
  const fs::path shots = fs::path(VX_BENCH_DATA) / "startup-shots";
  fs::create_directories(shots);
  std::vector<double> program, programExit, yardstick, yardstickExit;
  for (auto _ : state) {
    const std::optional<Run> ours = TimeStart(VX_PROGRAM, shots / "program.png");
    const std::optional<Run> minimal = TimeStart(VX_YARDSTICK, shots / "minimal.png");
    if (!ours || !minimal) return state.SkipWithError("a program did not show its window");
    if (!ours->pagePainted) return state.SkipWithError("the program showed no cut page");
    program.push_back(ours->firstPageMs);
    programExit.push_back(ours->exitMs);
    yardstick.push_back(minimal->firstPageMs);
    yardstickExit.push_back(minimal->exitMs);
    state.SetIterationTime(ours->firstPageMs / 1000);
  }
  g_medians = {Median(program), Median(programExit), Median(yardstick), Median(yardstickExit)};
  state.counters["program_ms"] = g_medians.program;
  state.counters["minimal_ms"] = g_medians.yardstick;
  state.counters["program_exit_ms"] = g_medians.programExit;
}
BENCHMARK(BM_StartProgramAndMinimalWindow)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(9);

// Without an X server, the benchmark runs again under one of its own.
void RunUnderXvfbWithoutDisplay(char** argv) {
  if (std::getenv("DISPLAY") != nullptr) return;
  std::vector<char*> args = {const_cast<char*>("xvfb-run"), const_cast<char*>("-a")};
  for (char** a = argv; *a != nullptr; ++a) args.push_back(*a);
  args.push_back(nullptr);
  execvp("xvfb-run", args.data());
  std::perror("xvfb-run");
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  RunUnderXvfbWithoutDisplay(argv);
  // The program's socket and settings stay apart from a real instance of the user.
  const fs::path tmp = fs::path(VX_BENCH_DATA) / "startup-tmp";
  fs::create_directories(tmp);
  setenv("TMPDIR", tmp.c_str(), 1);
  setenv("VINDAXEL_PROGRAM_DIR", Profile::Get().Folder().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf(
      "shut-down after the first page (informational), median: program %.1f ms, minimal "
      "window %.1f ms\n",
      g_medians.programExit, g_medians.yardstickExit);
  vxbench::PrintGoalLine("start-up of the program to the first cut page painted, median",
                         g_medians.program, "a minimal Qt Widgets window started the same way",
                         g_medians.yardstick, "< 500 ms",
                         g_medians.program > 0 && g_medians.program < kGoalMs);
  return 0;
}
