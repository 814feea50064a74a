#include "data/DiscImportJob.h"

#include "data/DefinitionFileParser.h"
#include "data/ImportPrompts.h"
#include "data/PavorunDatabase.h"
#include "data/TextLineReader.h"
#include "platform/CodePage.h"
#include "tests/data/BrokenSampleDisc.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using vx::DiscImportJob;
using vx::DiscImportState;
using vx::Sjis;
using vxtest::CircleLine;
using vxtest::DayCircleLine;
using vxtest::QueryTexts;
using Texts = std::vector<std::string>;

struct ScriptedPrompts : vx::ImportPrompts {
  std::optional<fs::path> answer;  // given to the next question only
  Texts asked;
  Texts errors;
  Texts warnings;
  std::function<void()> onAsk;

  std::optional<fs::path> LocateFile(const std::string& fileName, const fs::path&) override {
    asked.push_back(fileName);
    if (onAsk) onAsk();
    return std::exchange(answer, std::nullopt);
  }
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void ShowWarning(const std::string& text) override { warnings.push_back(text); }
};

const std::vector<int> kDiscRowCounts = {1, 2, 2, 2, 5, 2, 1, 4, 3};

class DiscImportJobTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  fs::path disc = dir / "disc";
  fs::path dbFolder = dir / "db";
  ScriptedPrompts prompts;

  void SetUp() override { fs::create_directories(dbFolder); }

  void WriteDisc(const fs::path& folder, const std::string& prefix = "V96", int circles = 3) {
    vxtest::WriteDiscFile(folder, prefix + "DEF.TXT", vxtest::kDefinitionText);
    vxtest::WriteDiscFile(folder, prefix + "MAP.TXT", vxtest::kLayoutText);
    std::string text = CircleLine(11, 1, 1, "土", "Ａ", 1, 110, "one") +
                       CircleLine(12, 1, 2, "土", "Ａ", 1, 110, "two") +
                       CircleLine(13, 2, 1, "日", "あ", 2, 220, "three");
    for (int i = 4; i <= circles; ++i) text += CircleLine(i, 3, i, "土", "Ａ", i, 110, "c");
    vxtest::WriteDiscFile(folder, prefix + "ROM.TXT", text);
  }

  // Rows of event 96 in the info, date, map, area, block, genre, errata, layout, circle tables.
  static std::vector<int> RowCounts(vx::PavorunDatabase& db, int eventNo = 96) {
    std::vector<int> counts;
    for (const char* table :
         {"PavorunInfo", "PavorunDate", "PavorunMap", "PavorunArea", "PavorunBlock", "PavorunGenre",
          "PavorunJiko", "PavorunLayout", "PavorunCircle"}) {
      counts.push_back(vxtest::CountRows(db, table, eventNo));
    }
    return counts;
  }

  int Install() {
    vx::PavorunDatabase db(dbFolder);
    DiscImportJob job(db, 96, disc, prompts);
    return job.Run();
  }
};

TEST_F(DiscImportJobTest, InstallAndReinstallHoldExactlyTheDiscsRows) {
  WriteDisc(disc, "v96");
  fs::rename(disc / "v96MAP.TXT", disc / "V96map.txt");  // names are found whatever their case
  {
    vx::PavorunDatabase db(dbFolder);
    DiscImportJob job(db, 96, disc, prompts);
    EXPECT_EQ(job.Run(), DiscImportJob::kResultDone) << job.ErrorText();
    EXPECT_EQ(job.State(), DiscImportState::kFinished);
    EXPECT_EQ(RowCounts(db), kDiscRowCounts);
    EXPECT_EQ(QueryTexts(db,
                         "select id,day,blockId,spaceNoSub,genreId,circleName,updateId "
                         "from PavorunCircle order by id;"),
              (Texts{"1|1|1|0|1|one|11", "2|1|1|1|1|two|12", "3|2|4|0|2|three|13"}));
    db.SetEventNo(95);  // another event stays untouched
    ASSERT_EQ(db.ClearEventTables(), 0);
    ASSERT_EQ(db.GetDateMaster().InsertRow(1, 2019, 1, 1, 1), 0);
  }
  EXPECT_TRUE(prompts.asked.empty() && prompts.errors.empty());

  vxtest::WriteDiscFile(disc, "v96DEF.TXT",
                        "*Pavorun\n96\tsecond\n*PavorunDate\n2021\t1\t2\t土\n"
                        "*PavorunMap\nm\tf\t0\t0\t0\t0\n*PavorunArea\na\tm\tＡ\t0\t0\t0\t0\n" +
                            vxtest::kGenreText + vxtest::kGeometryText);
  vxtest::WriteDiscFile(disc, "V96map.txt", "Ａ\t1\t1\t1\t1\n");
  vxtest::WriteDiscFile(disc, "v96ROM.TXT", CircleLine(1, 1, 1, "土", "Ａ", 1, 110, "only"));
  ASSERT_EQ(Install(), DiscImportJob::kResultDone);
  vx::PavorunDatabase db(dbFolder);
  EXPECT_EQ(RowCounts(db), (std::vector<int>{1, 1, 1, 1, 1, 1, 0, 1, 1}));
  EXPECT_EQ(vxtest::CountRows(db, "PavorunDate", 95), 1);
}

TEST_F(DiscImportJobTest, FailedReinstallsKeepTheOldCatalogue) {
  WriteDisc(disc);
  ASSERT_EQ(Install(), DiscImportJob::kResultDone);
  vxtest::WriteDiscFile(disc, "V96ROM.TXT",
                        CircleLine(1, 1, 1, "土", "Ａ", 1, 110, "new") +
                            CircleLine(2, 2, 1, "日", "あ", 1, 220, "new too"));
  vx::PavorunDatabase db(dbFolder);
  {
    DiscImportJob job(db, 96, disc, prompts);
    ASSERT_EQ(job.Begin(), 0);
    while (job.Step() == 0) {
    }
    ASSERT_EQ(job.State(), DiscImportState::kFinished);
    // A reader in the middle of a transaction keeps the writer from committing.
    vx::SqliteDatabase reader(dbFolder, vx::PavorunDatabase::kFileName);
    ASSERT_EQ(reader.Exec(nullptr, nullptr, "BEGIN; SELECT count(*) FROM PavorunCircle;"), 0);
    EXPECT_EQ(job.Finish(), DiscImportJob::kResultFailed);
    EXPECT_EQ(job.State(), DiscImportState::kFailed);
    EXPECT_NE(job.ErrorText().find("COMMIT"), std::string::npos) << job.ErrorText();
  }
  EXPECT_EQ(RowCounts(db), kDiscRowCounts);
  fs::remove(disc / "V96DEF.TXT");
  DiscImportJob job(db, 96, disc, prompts);
  EXPECT_EQ(job.Run(), DiscImportJob::kResultFailed);
  const std::string expected =
      Sjis("設定情報ファイル ") + (disc / "V96DEF.TXT").string() + Sjis("\nを開けません.");
  EXPECT_EQ(prompts.errors, (Texts{expected}));
  EXPECT_EQ(job.ErrorText(), expected);
  EXPECT_EQ(RowCounts(db), kDiscRowCounts);
}

// The job filled event 97 or installed an event that no list shows, and answered done.
TEST_F(DiscImportJobTest, DefinitionOfAnotherEventOrNoneFailsAndKeepsEveryStoredEvent) {
  WriteDisc(disc, "V97");
  std::string other = vxtest::kDefinitionText;
  other.replace(other.find("96\t"), 2, "97");
  vxtest::WriteDiscFile(disc, "V97DEF.TXT", other);
  vx::PavorunDatabase db(dbFolder);
  ASSERT_EQ(DiscImportJob(db, 97, disc, prompts).Run(), DiscImportJob::kResultDone);
  WriteDisc(disc);
  ASSERT_EQ(DiscImportJob(db, 96, disc, prompts).Run(), DiscImportJob::kResultDone);
  const std::vector<int> before97 = RowCounts(db, 97);

  const std::string refusals[] = {other, "", "*Pavorun\n96\tx\n"};
  for (const std::string& definition : refusals) {
    vxtest::WriteDiscFile(disc, "V96DEF.TXT", definition);
    prompts.errors.clear();
    DiscImportJob job(db, 96, disc, prompts);
    EXPECT_EQ(job.Run(), DiscImportJob::kResultFailed) << definition;
    EXPECT_TRUE(job.ErrorText().starts_with("V96DEF.TXT: ")) << job.ErrorText();
    EXPECT_EQ(prompts.errors, (Texts{job.ErrorText()}));
    EXPECT_EQ(RowCounts(db, 96), kDiscRowCounts);
    EXPECT_EQ(RowCounts(db, 97), before97);
  }
  std::vector<int> events;
  db.ListEventNumbers(events);
  EXPECT_EQ(events, (std::vector<int>{96, 97}));
}

// A disc cut short, junk in place of a circle file and a disc converted to UTF-8 each installed
// with success over the event, leaving it without maps, with junk circles or garbled names.
TEST_F(DiscImportJobTest, TruncatedJunkAndConvertedDiscsFailAndKeepTheInstalledEvent) {
  WriteDisc(disc);
  ASSERT_EQ(Install(), DiscImportJob::kResultDone);
  const fs::path saved = fs::path(std::getenv("VX_TEST_DATA")) / "disc";
  const struct {
    std::string file;
    std::string bytes;
    std::string why;
  } cases[] = {
      {"V96DEF.TXT", vxtest::ReadFileBytes(saved / "truncated-V96DEF.TXT"),
       "行 21: 行の途中でファイルが終わっています (節の名前 *Pavor)"},
      {"V96ROM.TXT", vxtest::ReadFileBytes(saved / "random-V96ROM.TXT"),
       "行 3: 列 1 に NUL 文字 (0x00) があります"},
      {"V96DEF.TXT", vx::Cp932ToUtf8(vxtest::DiscText(vxtest::kDefinitionText)),
       "行 3: UTF-8 のテキストです"},
  };
  for (const auto& c : cases) {
    const std::string kept = vxtest::ReadFileBytes(disc / c.file);
    vxtest::WriteFileBytes(disc / c.file, c.bytes);
    prompts.errors.clear();
    vx::PavorunDatabase db(dbFolder);
    DiscImportJob job(db, 96, disc, prompts);
    EXPECT_EQ(job.Run(), DiscImportJob::kResultFailed) << c.why;
    EXPECT_TRUE(job.ErrorText().starts_with(c.file + ": " + Sjis(c.why))) << job.ErrorText();
    EXPECT_EQ(prompts.errors, (Texts{job.ErrorText()}));
    EXPECT_EQ(RowCounts(db), kDiscRowCounts);
    vxtest::WriteFileBytes(disc / c.file, kept);
  }
}

// Each of these replaced the installed event "with success": with no circles, 7 of 15 with the
// last one cut mid-row, genres cut off, a row's fields lost after a NUL byte, or halls holding
// circles without desks. A hall without circles was refused as well.
TEST_F(DiscImportJobTest, BrokenSampleDiscFilesFailNamingLineAndReasonAndLeaveTheFileAsItWas) {
  vxtest::WriteSampleDisc(disc);
  ASSERT_EQ(Install(), DiscImportJob::kResultDone);
  const fs::path dbFile = dbFolder / vx::PavorunDatabase::kFileName;
  const std::string installed = vxtest::ReadFileBytes(dbFile);
  for (const vxtest::BrokenDiscFile& broken : vxtest::kBrokenDiscFiles) {
    vxtest::BreakSampleDisc(disc, broken);
    prompts.errors.clear();
    {
      vx::PavorunDatabase db(dbFolder);
      DiscImportJob job(db, 96, disc, prompts);
      EXPECT_EQ(job.Run(), DiscImportJob::kResultFailed) << broken.saved;
      EXPECT_EQ(job.ErrorText(), vxtest::BrokenDiscRefusal(broken)) << broken.saved;
      EXPECT_EQ(prompts.errors, (Texts{job.ErrorText()}));
    }
    EXPECT_TRUE(vxtest::ReadFileBytes(dbFile) == installed) << broken.saved;
  }
  for (const vxtest::BrokenDiscFile& sound : vxtest::kSoundDiscFiles) {
    vxtest::BreakSampleDisc(disc, sound);
    vx::PavorunDatabase db(dbFolder);
    DiscImportJob job(db, 96, disc, prompts);
    EXPECT_EQ(job.Run(), DiscImportJob::kResultDone) << sound.saved << ": " << job.ErrorText();
  }
}

// A circle file cut exactly at a line end, or a day file left empty, still leaves a day without
// circles.
TEST_F(DiscImportJobTest, ADayWithoutCirclesFailsNamingTheDayAndItsFile) {
  WriteDisc(disc);
  vxtest::WriteDiscFile(disc, "V96ROM.TXT", CircleLine(11, 1, 1, "土", "Ａ", 1, 110, "one"));
  vx::PavorunDatabase db(dbFolder);
  DiscImportJob single(db, 96, disc, prompts);
  EXPECT_EQ(single.Run(), DiscImportJob::kResultFailed);
  const std::string why =
      Sjis(" のサークルが1つもありません. ファイルが空か、途中で切れている可能性があります.");
  EXPECT_EQ(single.ErrorText(), "V96ROM.TXT: " + Sjis("2日目 (日曜日)") + why);

  fs::remove(disc / "V96ROM.TXT");
  vxtest::WriteDiscFile(disc, "V96ROM1.TXT", DayCircleLine(1, 1, "土", "Ａ", 1, 110, "sat"));
  vxtest::WriteDiscFile(disc, "V96ROM2.TXT", "");
  vxtest::WriteDiscFile(disc, "V96ROM0.TXT", DayCircleLine(0, 0, "漏", "", 0, 220, "none"));
  DiscImportJob days(db, 96, disc, prompts);
  EXPECT_EQ(days.Run(), DiscImportJob::kResultFailed);
  EXPECT_EQ(days.ErrorText(), "V96ROM2.TXT: " + Sjis("2日目 (日曜日)") + why);
  EXPECT_EQ(prompts.errors, (Texts{single.ErrorText(), days.ErrorText()}));
  EXPECT_EQ(db.CountEvents(), 0);
}

// A pipe or a link to a device was read as a file without end (or waited on for a writer).
TEST_F(DiscImportJobTest, PipesDevicesAndHugeFilesAreRefusedUnread) {
  WriteDisc(disc);
  const fs::path rom = disc / "V96ROM.TXT";
  const std::string notAFile =
      Sjis("通常のファイルではありません (パイプやデバイスは読み込めません).");
  const struct {
    std::function<void()> make;
    std::string why;
  } cases[] = {
      {[&] { ASSERT_EQ(::mkfifo(rom.c_str(), 0600), 0); }, notAFile},
      {[&] { fs::create_symlink("/dev/zero", rom); }, notAFile},
      {[&] {
         vxtest::WriteFileBytes(rom, "");
         fs::resize_file(rom, vx::kMaxDiscTextBytes + 1);  // sparse: nothing is written
       },
       Sjis("ファイルが大きすぎます (256 MB まで).")},
  };
  for (const auto& c : cases) {
    fs::remove(rom);
    c.make();
    prompts.errors.clear();
    vx::PavorunDatabase db(dbFolder);
    DiscImportJob job(db, 96, disc, prompts);
    EXPECT_EQ(job.Run(), DiscImportJob::kResultFailed) << c.why;
    EXPECT_EQ(job.ErrorText(), "V96ROM.TXT: " + c.why);
    EXPECT_EQ(prompts.errors, (Texts{job.ErrorText()}));
    EXPECT_EQ(db.CountEvents(), 0);
  }
  // The installer reads the definition file's event line before it runs the job.
  fs::remove(disc / "V96DEF.TXT");
  ASSERT_EQ(::mkfifo((disc / "V96DEF.TXT").c_str(), 0600), 0);
  EXPECT_EQ(vx::DefinitionFileEventProblem(disc / "V96DEF.TXT", 96), "V96DEF.TXT: " + notAFile);
}

TEST_F(DiscImportJobTest, AFewRefusedLinesInstallTheRestAndAreShownOnceAtTheEnd) {
  WriteDisc(disc);
  const fs::path rom = disc / "V96ROM.TXT", map = disc / "V96MAP.TXT";
  vxtest::WriteFileBytes(rom, vxtest::ReadFileBytes(rom) + "junk\r\n\x1A");
  vxtest::WriteFileBytes(map, Sjis("Ａ\tx\t1\t1\t1\r\n") + vxtest::ReadFileBytes(map));
  vx::PavorunDatabase db(dbFolder);
  DiscImportJob job(db, 96, disc, prompts);
  EXPECT_EQ(job.Run(), DiscImportJob::kResultDone) << job.ErrorText();
  EXPECT_EQ(RowCounts(db), kDiscRowCounts);
  const std::string notice =
      "V96MAP.TXT: " +
      Sjis("読み込めない行が 1 行あります (行 1). 行 1: 列 2 が数値ではありません.\n") +
      "V96ROM.TXT: " +
      Sjis(
          "読み込めない行が 1 行あります (行 4). 行 4: 列の数 (1) が 9 から 20 "
          "ではありません.\n");
  EXPECT_EQ(job.NoticeText(), notice);
  EXPECT_EQ(
      prompts.warnings,
      (Texts{Sjis("次の行は読み込めなかったため、インストールされていません.\n\n") + notice}));
  EXPECT_TRUE(prompts.errors.empty());
}

TEST_F(DiscImportJobTest, LayoutTheGridCannotHoldFailsTheJobWithTheReason) {
  WriteDisc(disc);
  vxtest::WriteDiscFile(disc, "V96MAP.TXT", "Ａ\t1\t20\t50\t1\nＡ\t2000000\t20\t60\t1\n");
  vx::PavorunDatabase db(dbFolder);
  DiscImportJob job(db, 96, disc, prompts);
  EXPECT_EQ(job.Run(), DiscImportJob::kResultFailed);
  EXPECT_EQ(job.ErrorText(),
            "V96MAP.TXT: " +
                Sjis("配置の大きさ (ブロック 1 × スペース 2000000) が扱える範囲を超えています."));
  EXPECT_EQ(prompts.errors, (Texts{job.ErrorText()}));
  EXPECT_EQ(db.CountEvents(), 0);
}

TEST_F(DiscImportJobTest, InstallerAsksTheDefinitionFilesOwnEventBeforeItsRegisteredCheck) {
  vxtest::WriteDiscFile(disc, "V96DEF.TXT", vxtest::kDefinitionText);
  vxtest::WriteDiscFile(disc, "V97DEF.TXT", vxtest::kDefinitionText);
  vxtest::WriteDiscFile(disc, "V98DEF.TXT", "# no event line\n");
  EXPECT_EQ(vx::DefinitionFileEventProblem(disc / "V96DEF.TXT", 96), "");
  EXPECT_EQ(vx::DefinitionFileEventProblem(disc / "V97DEF.TXT", 97),
            Sjis("ヴェラストレード97 の設定情報ファイルではありません (ヴェラストレード96 と"
                 "書かれています)."));
  EXPECT_EQ(vx::DefinitionFileEventProblem(disc / "V98DEF.TXT", 98),
            Sjis("開催回の行 (*Pavorun) がありません."));
  EXPECT_EQ(vx::DefinitionFileEventProblem(disc / "V99DEF.TXT", 99),
            Sjis("設定情報ファイル ") + (disc / "V99DEF.TXT").string() + Sjis("\nを開けません."));
}

TEST_F(DiscImportJobTest, MissingLayoutFileIsAskedForAndGivingUpRollsEverythingBack) {
  vxtest::WriteDiscFile(disc, "V96DEF.TXT", vxtest::kDefinitionText);
  vx::PavorunDatabase db(dbFolder);
  EXPECT_EQ(DiscImportJob(db, 96, disc, prompts).Run(), DiscImportJob::kResultFailed);
  EXPECT_EQ(
      prompts.errors,
      (Texts{"V96MAP.TXT" + Sjis(" を開けませんでした.\nサークル情報追加処理は失敗しました.")}));
  EXPECT_EQ(db.CountEvents(), 0);

  const fs::path other = dir / "other";
  WriteDisc(other);
  prompts.answer = other / "V96MAP.TXT";
  DiscImportJob job(db, 96, disc, prompts);
  DiscImportState stateWhileAsking{};
  prompts.onAsk = [&] { stateWhileAsking = job.State(); };
  EXPECT_EQ(job.Run(), DiscImportJob::kResultDone);
  EXPECT_EQ(prompts.asked, (Texts{"V96MAP.TXT", "V96MAP.TXT"}));
  EXPECT_EQ(stateWhileAsking, DiscImportState::kWaitLayout);
  EXPECT_EQ(RowCounts(db), kDiscRowCounts);
}

TEST_F(DiscImportJobTest, WithoutSingleCircleFileReadsEachDayThenTheUnplaced) {
  vxtest::WriteDiscFile(disc, "V96DEF.TXT", vxtest::kDefinitionText);
  vxtest::WriteDiscFile(disc, "V96MAP.TXT", vxtest::kLayoutText);
  vxtest::WriteDiscFile(disc, "V96ROM1.TXT",
                        DayCircleLine(1, 1, "土", "Ａ", 1, 110, "sat1") +
                            DayCircleLine(1, 2, "土", "Ａ", 1, 110, "sat2"));
  vxtest::WriteDiscFile(disc, "V96ROM0.TXT", DayCircleLine(0, 0, "漏", "", 0, 220, "none"));
  const fs::path later = dir / "later";
  vxtest::WriteDiscFile(later, "V96ROM2.TXT", DayCircleLine(5, 1, "日", "あ", 1, 220, "sun"));
  vxtest::WriteDiscFile(later, "V96ROM0.TXT", DayCircleLine(0, 0, "漏", "", 0, 220, "late"));
  prompts.answer = later / "V96ROM2.TXT";

  vx::PavorunDatabase db(dbFolder);
  DiscImportJob job(db, 96, disc, prompts);
  std::pair<DiscImportState, int> whileAsking;
  prompts.onAsk = [&] { whileAsking = {job.State(), job.Day()}; };
  ASSERT_EQ(job.Run(), DiscImportJob::kResultDone) << job.ErrorText();
  EXPECT_EQ(prompts.asked, (Texts{"V96ROM2.TXT"}));
  EXPECT_EQ(whileAsking, std::make_pair(DiscImportState::kWaitDay, 2));
  // The user's folder stays the source: its V96ROM0.TXT is read.
  EXPECT_EQ(QueryTexts(db, "select id,updateId,day,circleName from PavorunCircle order by id;"),
            (Texts{"1|1|1|sat1", "2|2|1|sat2", "3|3|2|sun", "4|4|0|late"}));
}

TEST_F(DiscImportJobTest, CancelRacingTheLastFilesEndIsNotLost) {
  WriteDisc(disc);
  vx::PavorunDatabase db(dbFolder);
  vxtest::RecordingProgress progress;
  DiscImportJob job(db, 96, disc, prompts, &progress);
  progress.onReport = [&](int position) {
    if (job.State() == DiscImportState::kCircles && position == -1) job.Cancel();
  };
  EXPECT_EQ(job.Run(), DiscImportJob::kResultCancelled);
  EXPECT_EQ(job.State(), DiscImportState::kCancelled);
  EXPECT_FALSE(db.HasCircles(96));
}

TEST_F(DiscImportJobTest, CancelFromAnotherThreadWinsWheneverItComesBeforeFinish) {
  WriteDisc(disc, "V96", 3000);
  vx::PavorunDatabase db(dbFolder);
  DiscImportJob job(db, 96, disc, prompts);
  ASSERT_EQ(job.Begin(), 0);
  std::atomic<bool> ended{false};
  std::thread worker([&] {
    while (job.Step() == 0) {
    }
    ended = true;
  });
  while (!ended && !(job.State() == DiscImportState::kCircles && job.Position() >= 100)) {
    std::this_thread::yield();
  }
  job.Cancel();
  worker.join();
  EXPECT_EQ(job.State(), DiscImportState::kCancelled);
  EXPECT_EQ(job.Finish(), DiscImportJob::kResultCancelled);
  EXPECT_EQ(db.CountEvents(), 0);
}

TEST_F(DiscImportJobTest, CancelAfterAFailureKeepsTheFailure) {
  vx::PavorunDatabase db(dbFolder);
  DiscImportJob job(db, 96, disc, prompts);  // the disc folder is empty
  ASSERT_EQ(job.Begin(), 0);
  EXPECT_EQ(job.Step(), 1);
  job.Cancel();
  EXPECT_EQ(job.State(), DiscImportState::kFailed);
  EXPECT_TRUE(db.GetDefinitionStop() && db.GetLayoutStop() && db.GetCircleStop());
  EXPECT_EQ(job.Finish(), DiscImportJob::kResultFailed);
  vx::PavorunDatabase closed(dir / "no" / "such" / "folder");
  DiscImportJob lost(closed, 96, disc, prompts);
  EXPECT_NE(lost.Begin(), 0);
  EXPECT_EQ(lost.Step(), 1);
  EXPECT_EQ(lost.Finish(), DiscImportJob::kResultFailed);
}

TEST_F(DiscImportJobTest, ReadOnlyDatabaseFailsInsteadOfReportingSuccess) {
  WriteDisc(disc);
  { vx::PavorunDatabase create(dbFolder); }
  vx::PavorunDatabase db(dbFolder, vx::SqliteDatabase::kReadOnly);
  ASSERT_TRUE(db.IsOpen());
  DiscImportJob job(db, 96, disc, prompts);
  EXPECT_EQ(job.Run(), DiscImportJob::kResultFailed);
  EXPECT_NE(job.ErrorText().find("readonly"), std::string::npos) << job.ErrorText();
  EXPECT_TRUE(prompts.errors.empty()) << "the caller reports the failed run";
}

}  // namespace
