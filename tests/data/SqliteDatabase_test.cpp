#include "data/SqliteDatabase.h"

#include "data/DamagedDatabaseFile.h"
#include "data/ScrambleVfs.h"
#include "data/SqlText.h"
#include "data/SqliteConnection.h"
#include "platform/CodePage.h"
#include "tests/data/DiscTextFiles.h"
#include "tests/support/TempDir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace {

using vx::DatabaseForm;
using vx::Sjis;
using vx::SqliteDatabase;
using vxtest::QueryTexts;
using vxtest::ReadFileBytes;
using vxtest::WriteFileBytes;
using Texts = std::vector<std::string>;

class SqliteDatabaseTest : public ::testing::Test {
 protected:
  vxtest::TempDir dir;
  SqliteDatabase db{dir.Path(), "test.db"};

  void SetUp() override {
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    ASSERT_EQ(db.Exec(nullptr, nullptr, "create table t (k INTEGER, s VARCHAR(10));"), 0);
  }
};

TEST_F(SqliteDatabaseTest, NormalizeNcntAndCntOnCp932Text) {
  const auto lit = [](const char* utf8) { return vx::FormatSql("%Q", Sjis(utf8).c_str()); };
  const std::pair<std::string, std::string> cases[] = {
      {"normalize(" + lit("Ａｂ１！") + ")", "ab1!"},
      {"normalize(" + lit("がっこう") + ")", Sjis("ｶﾂｺｳ")},
      {"normalize(" + lit("ガッコウ") + ")", Sjis("ｶﾂｺｳ")},
      {"normalize(" + lit("ｶﾞｯｺｳ") + ")", Sjis("ｶﾂｺｳ")},
      {"normalize(" + lit("パ") + ")", Sjis("ﾊ")},
      {"normalize(" + lit("゛゜") + ")", ""},
      {"ncnt(" + lit("xガッコウy") + "," + lit("ｶﾂｺｳ") + ")", "1"},
      {"cnt(" + lit("がっこう") + "," + lit("ｶﾂｺｳ") + ")", "0"},
      {"cnt(" + lit("がっこう") + "," + lit("っこ") + ")", "1"},
      {"cnt('a','')", "1"},
      // A match must start on a character: 機 is 0x8B 0x40, ソ is 0x83 0x5C.
      {"cnt(" + lit("機") + ",'@')", "0"},
      {"ncnt(" + lit("ソ") + ",'\\')", "0"},
      {"cnt(" + lit("機@") + ",'@')", "1"},
      {"cnt(" + lit("ソ\\") + ",'\\')", "1"},
      {"normalize(NULL)", "NULL"},
      {"cnt(NULL,'a')", "NULL"},
      {"ncnt('a',NULL)", "NULL"},
  };
  for (const auto& [expression, expected] : cases) {
    EXPECT_EQ(QueryTexts(db, "select " + expression + ";"), Texts{expected}) << expression;
  }
  Texts rows;  // a worker's connection has the functions too
  EXPECT_EQ(db.ExecPrintfOnNewConnection(vxtest::AppendRowText, &rows, "select normalize(%Q);",
                                         Sjis("ガッコウ").c_str()),
            0);
  EXPECT_EQ(rows, Texts{Sjis("ｶﾂｺｳ")});
}

TEST_F(SqliteDatabaseTest, RowCallbacksErrorsAndTransactions) {
  ASSERT_EQ(db.Exec(nullptr, nullptr, "insert into t values(3,'a'); insert into t values(9,'b');"),
            0);
  std::vector<int> seen;
  EXPECT_EQ(db.ExecRows("select k from t order by k;",
                        [&seen](int, char** columns) {
                          seen.push_back(std::atoi(columns[0]));
                          return 1;  // abort after the first row
                        }),
            4);
  EXPECT_EQ(seen, (std::vector<int>{3}));
  int value = 77;
  EXPECT_EQ(db.Exec(vx::RowFirstColumnInt, &value, "select MAX(k) from t where k>9;"), 0);
  EXPECT_EQ(value, 77);  // NULL keeps the caller's value
  EXPECT_EQ(db.Exec(vx::RowFirstColumnInt, &value, "select k from t order by k;"), 0);
  EXPECT_EQ(value, 9);
  EXPECT_EQ(db.Exec(vx::RowAppendInt, &seen, "select k from t order by k;"), 0);
  EXPECT_EQ(seen, (std::vector<int>{3, 3, 9}));

  EXPECT_EQ(db.Exec(nullptr, nullptr, "select * from missing;"), 1);
  EXPECT_NE(db.LastError().find("no such table"), std::string::npos);
  EXPECT_EQ(db.Exec(nullptr, nullptr, "select 1;"), 0);
  EXPECT_EQ(db.LastError(), "");
}

// Reading an existing catalogue read-only is in PavorunDatabase_test.
TEST_F(SqliteDatabaseTest, TypedRowsReadNumbersAndBytesAsStoredOnAnyConnection) {
  ASSERT_EQ(db.Exec(nullptr, nullptr,
                    "insert into t values(3,'a'); insert into t values(99999999999, x'610062');"
                    "insert into t values(NULL, NULL);"),
            0);
  const std::string sql = "select k,s,k+1 from t order by rowid;";
  Texts seen;
  const vx::SqlRowHandler collect = [&seen](const vx::SqlRow& row) {
    seen.push_back(std::to_string(row.ColumnCount()) + "|" + std::to_string(row.Int(0)) + "|" +
                   std::string(row.Text(1)) + "|" + std::to_string(row.Int(2)) + "|" +
                   std::to_string(row.Int(3)) + std::string(row.Text(-1)));
    return 0;
  };
  EXPECT_EQ(db.QueryRows(sql, collect), 0);
  const Texts expected = {"3|3|a|4|0", "3|2147483647|" + std::string("a\0b", 3) + "|2147483647|0",
                          "3|0||0|0"};
  EXPECT_EQ(seen, expected);
  seen.clear();
  std::string error;
  EXPECT_EQ(db.QueryRowsOnNewConnection(sql, collect, &error), 0);
  EXPECT_EQ(seen, expected);
  const std::unique_ptr<vx::SqliteConnection> kept = db.OpenConnection(&error);
  ASSERT_NE(kept, nullptr) << error;
  EXPECT_EQ(kept->QueryRows(
                "select k from t;", [](const vx::SqlRow&) { return 1; }, &error),
            4);
  EXPECT_EQ(kept->QueryRows("select * from missing;", collect, &error), 1);
  EXPECT_NE(error.find("no such table"), std::string::npos) << error;
  ASSERT_EQ(db.Exec(nullptr, nullptr, "delete from t where k=3;"), 0);
  EXPECT_EQ(kept->QueryRows(
                "select count(*) from t;",
                [](const vx::SqlRow& row) { return row.Int(0) == 2 ? 0 : 1; }, &error),
            0);  // the kept connection sees the other connection's change
  vx::SqliteDatabase closed(dir / "no" / "such" / "folder");
  EXPECT_EQ(closed.OpenConnection(&error), nullptr);
  EXPECT_EQ(closed.QueryRows("select 1;", collect), -1);
}

TEST(SqliteDatabaseOpen, ReadOnlyCreatesAMissingFileAndRefusesWrites) {
  vxtest::TempDir dir;
  {
    SqliteDatabase db(dir.Path(), "ro.db", SqliteDatabase::kReadOnly);
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    EXPECT_NE(db.Exec(nullptr, nullptr, "create table t (k INTEGER);"), 0);
    EXPECT_EQ(db.LastError(), "attempt to write a readonly database");
  }
  EXPECT_EQ(std::filesystem::file_size(dir / "ro.db"), 0u);
}

constexpr char kKey[] = "qzmvtrkbwplhsdnc";  // 16 letters, then a zero byte ends the cycle
const std::string kPlainHeader("SQLite format 3\0", 16);

// The stored file descrambled independently of the library.
std::string Descramble(std::string bytes) {
  for (std::size_t o = 0; o < bytes.size(); ++o) bytes[o] ^= kKey[(o % 1024) % 17];
  return bytes;
}

std::string RunSqliteShell(const std::filesystem::path& file, const std::string& sql) {
  const std::string command = "sqlite3 '" + file.string() + "' '" + sql + "' 2>&1";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    pclose(pipe);
  }
  return output;
}

void ExpectStockToolReads(const std::filesystem::path& plainFile, const std::string& count) {
  EXPECT_EQ(RunSqliteShell(plainFile, "PRAGMA integrity_check;"), "ok\n");
  EXPECT_EQ(RunSqliteShell(plainFile, "select count(*) from t;"), count + "\n");
}

void FillSomeRows(SqliteDatabase& db, int rows) {
  ASSERT_EQ(db.ExecPrintf(nullptr, nullptr,
                          "create table if not exists t (k INTEGER primary key, s TEXT);"
                          "create index if not exists ts on t(s);"
                          "with recursive c(x) as (select 1 union all select x+1 from c where x<%d)"
                          " insert into t(s) select 'row ' || x || ' padded to fill pages' from c;",
                          rows),
            0)
      << db.LastError();
}

// The fast path works on words: hold it to the bytewise key at unaligned spans.
TEST(ScrambleBytes, MatchesTheBytewiseKeyAndUndoesItself) {
  for (const std::int64_t offset : {0LL, 5LL, 1020LL, 3 * 1024LL + 1000}) {
    std::vector<std::uint8_t> bytes(2100);
    std::iota(bytes.begin(), bytes.end(), 0);
    const std::vector<std::uint8_t> plain = bytes;
    vx::ScrambleBytes(bytes.data(), bytes.size(), offset);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const auto inPage = static_cast<std::size_t>(offset + static_cast<std::int64_t>(i)) % 1024;
      ASSERT_EQ(bytes[i], plain[i] ^ static_cast<std::uint8_t>(kKey[inPage % 17]))
          << "offset " << offset << " byte " << i;
    }
    vx::ScrambleBytes(bytes.data(), bytes.size(), offset);
    EXPECT_EQ(bytes, plain);
  }
}

TEST(ScrambleVfs, NewFileIsScrambledAndTheStockToolChecksItsDescrambledFormAfterVacuum) {
  vxtest::TempDir dir;
  SqliteDatabase db(dir.Path(), "s.db");
  ASSERT_TRUE(db.IsOpen()) << db.LastError();
  EXPECT_TRUE(db.IsScrambled());
  FillSomeRows(db, 400);
  const std::string stored = ReadFileBytes(dir / "s.db");
  ASSERT_GE(stored.size(), 4u * 1024);
  EXPECT_EQ(stored.size() % 1024, 0u);
  const std::string plain = Descramble(stored);
  EXPECT_EQ(plain.substr(0, 18), kPlainHeader + std::string("\x04\x00", 2));  // page size 1,024
  for (std::size_t page = 0; page < stored.size() / 1024; ++page) {
    ASSERT_EQ(stored[page * 1024 + 16], plain[page * 1024 + 16]) << "page " << page + 1;
  }
  WriteFileBytes(dir / "plain.db", plain);
  ExpectStockToolReads(dir / "plain.db", "400");
  ASSERT_EQ(db.Exec(nullptr, nullptr, "delete from t where k % 2 = 0; VACUUM;"), 0)
      << db.LastError();
  WriteFileBytes(dir / "plain.db", Descramble(ReadFileBytes(dir / "s.db")));
  ExpectStockToolReads(dir / "plain.db", "200");
}

TEST(ScrambleVfs, RollbackLeavesTheFileByteIdenticalAndTheJournalPlain) {
  vxtest::TempDir dir;
  SqliteDatabase db(dir.Path(), "r.db");
  FillSomeRows(db, 200);
  const std::string before = ReadFileBytes(dir / "r.db");
  ASSERT_EQ(db.BeginTransaction(), 0);
  ASSERT_EQ(db.Exec(nullptr, nullptr,
                    "update t set s = s || ' changed'; create table u (x INTEGER);"
                    "PRAGMA cache_size=2;"),
            0);
  FillSomeRows(db, 300);
  ASSERT_NE(ReadFileBytes(dir / "r.db"), before);  // the small cache spilled into the file
  const std::string journal = ReadFileBytes(dir.Path() / "r.db-journal");
  EXPECT_NE(journal.find(kPlainHeader), std::string::npos);  // page 1 image kept plain
  EXPECT_EQ(journal.find(Descramble(kPlainHeader)), std::string::npos);
  ASSERT_EQ(db.Rollback(), 0);
  EXPECT_EQ(ReadFileBytes(dir / "r.db"), before);
}

TEST(ScrambleVfs, PlainFileStaysPlainThroughWritesAndVacuum) {
  vxtest::TempDir dir;
  ASSERT_EQ(RunSqliteShell(dir / "p.db", "create table t (k INTEGER primary key, s TEXT);"), "");
  {
    SqliteDatabase db(dir.Path(), "p.db");
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    EXPECT_FALSE(db.IsScrambled());
    FillSomeRows(db, 100);
    ASSERT_EQ(db.Exec(nullptr, nullptr, "VACUUM;"), 0);
  }
  ExpectStockToolReads(dir / "p.db", "100");
}

TEST(DetectDatabaseForm, TellsTheFormFromTheFirstSixteenBytesAndLeavesUnknownFormsAlone) {
  vxtest::TempDir dir;
  WriteFileBytes(dir / "empty.db", "");
  WriteFileBytes(dir / "plain.db", kPlainHeader + std::string(100, '\0'));
  WriteFileBytes(dir / "scr.db", Descramble(kPlainHeader + std::string(100, '\0')));
  WriteFileBytes(dir / "short.db", "SQLite");
  std::vector<DatabaseForm> forms;
  for (const char* name : {"missing.db", "empty.db", "plain.db", "scr.db", "short.db"}) {
    forms.push_back(vx::DetectDatabaseForm(dir / name));
  }
  EXPECT_EQ(forms, (std::vector<DatabaseForm>{DatabaseForm::kScrambled, DatabaseForm::kScrambled,
                                              DatabaseForm::kPlain, DatabaseForm::kScrambled,
                                              DatabaseForm::kUnknown}));
  // Neither a file of another form nor its pending journal is opened or touched.
  WriteFileBytes(dir / "x.db", std::string(4096, 'x'));
  EXPECT_FALSE(SqliteDatabase(dir.Path(), "x.db").IsOpen());
  EXPECT_EQ(ReadFileBytes(dir / "x.db"), std::string(4096, 'x'));
  WriteFileBytes(dir / "j.db", std::string(2048, 'y'));
  WriteFileBytes(dir / "j.db-journal", std::string(1536, 'z'));
  SqliteDatabase db(dir.Path(), "j.db");
  EXPECT_FALSE(db.IsOpen());
  EXPECT_NE(db.LastError().find("journal"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(dir / "j.db"), std::string(2048, 'y'));
  EXPECT_EQ(ReadFileBytes(dir / "j.db-journal"), std::string(1536, 'z'));
}

// A damaged file was opened, or refused, as if it were new and empty. Each is damaged from a sound
// file the way disks and copies damage them; none is written to, and set aside it keeps its bytes.
TEST(SqliteDatabaseOpen, DamagedFilesAreToldFromNewOnesAndSetAsideWhole) {
  vxtest::TempDir dir;
  {
    SqliteDatabase db(dir.Path(), "sound.db");
    FillSomeRows(db, 3000);
  }
  const std::string sound = ReadFileBytes(dir / "sound.db");
  ASSERT_GT(sound.size(), 40u * 1024);
  const auto flipped = [&](std::size_t from, std::size_t to) {
    std::string bytes = sound;
    for (std::size_t i = from; i < to; ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
    return bytes;
  };
  std::mt19937 random(7);
  std::string junk(8192, '\0');
  for (char& c : junk) c = static_cast<char>(random());
  const std::pair<const char*, std::string> cases[] = {
      {"cut at a page", sound.substr(0, sound.size() / 2048 * 1024)},
      {"cut inside a page", sound.substr(0, sound.size() - 100)},
      {"header flipped", flipped(0, 100)},
      {"page size flipped", flipped(16, 17)},
      {"pages flipped", flipped(1024, sound.size())},
      {"random bytes", junk},
      {"sound", sound},
      {"empty", ""},
  };
  for (const auto& [name, bytes] : cases) {
    WriteFileBytes(dir / "d.db", bytes);
    {
      SqliteDatabase db(dir.Path(), "d.db");
      db.Exec(nullptr, nullptr, "select count(*), max(s) from t;");
      const bool damaged = name != std::string("sound") && name != std::string("empty");
      EXPECT_EQ(db.IsDamaged(), damaged) << name << ": " << db.LastError();
    }
    EXPECT_EQ(ReadFileBytes(dir / "d.db"), bytes) << name;
  }
  SqliteDatabase missing(dir.Path(), "missing.db");
  EXPECT_FALSE(missing.IsDamaged());
  EXPECT_FALSE(missing.IsNotRegularFile());
  // A folder was an empty database that could not be opened; a pipe blocked the first read.
  std::filesystem::create_directory(dir / "folder.db");
  ASSERT_EQ(::mkfifo((dir / "pipe.db").c_str(), 0600), 0);
  // Held open for writing, with bytes to read, the pipe lets an open that took it for a file go
  // on and fail here instead of blocking the test.
  const int pipeWriter = ::open((dir / "pipe.db").c_str(), O_RDWR | O_NONBLOCK);
  ASSERT_GE(pipeWriter, 0);
  std::filesystem::create_symlink("/dev/zero", dir / "device.db");
  for (const char* name : {"folder.db", "pipe.db", "device.db"}) {
    for (const int mode : {SqliteDatabase::kReadWrite, SqliteDatabase::kReadOnly}) {
      ASSERT_EQ(::write(pipeWriter, "not a database..", 16), 16);
      SqliteDatabase db(dir.Path(), name, mode);
      EXPECT_EQ(std::make_tuple(db.IsOpen(), db.IsDamaged(), db.IsNotRegularFile()),
                std::make_tuple(false, true, true))
          << name;
      EXPECT_EQ(db.LastError(), "not a regular file: " + (dir / name).string());
    }
  }
  ::close(pipeWriter);
  EXPECT_TRUE(std::filesystem::is_empty(dir / "folder.db"));

  WriteFileBytes(dir / "d.db-journal", "journal");
  WriteFileBytes(dir / "d.db.damaged", "older");
  std::string error;
  const auto aside = vx::SetAsideDamagedDatabase(dir / "d.db", error);
  ASSERT_TRUE(aside) << error;
  EXPECT_EQ(*aside, dir / "d.db.damaged-2");
  EXPECT_EQ(std::make_tuple(ReadFileBytes(*aside), ReadFileBytes(aside->string() + "-journal")),
            std::make_tuple(std::string(), std::string("journal")));
  EXPECT_FALSE(std::filesystem::exists(dir / "d.db"));
  EXPECT_FALSE(std::filesystem::exists(dir / "d.db-journal"));
  EXPECT_FALSE(vx::SetAsideDamagedDatabase(dir / "d.db", error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
