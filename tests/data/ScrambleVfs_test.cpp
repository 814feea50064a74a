#include "data/ScrambleVfs.h"

#include "data/SqliteDatabase.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using vx::DatabaseForm;
using vx::SqliteDatabase;
using vxtest::ReadFileBytes;
using vxtest::WriteFileBytes;

constexpr char kKey[] = "qzmvtrkbwplhsdnc";  // 16 letters, then a zero byte ends the cycle
const std::string kPlainHeader("SQLite format 3\0", 16);

// The stored file descrambled independently of the library: byte i of a page ^ key[i mod 17].
std::string Descramble(std::string bytes) {
  for (std::size_t o = 0; o < bytes.size(); ++o) {
    const std::size_t k = (o % 1024) % 17;
    if (k < 16) bytes[o] = static_cast<char>(bytes[o] ^ kKey[k]);
  }
  return bytes;
}

// Runs the stock sqlite3 shell on a plain file and returns what it prints.
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

void FillSomeRows(SqliteDatabase& db, int rows) {
  ASSERT_EQ(db.Exec(nullptr, nullptr,
                    "create table if not exists t (k INTEGER primary key, s TEXT);"
                    "create index if not exists ts on t(s);"),
            0)
      << db.LastError();
  ASSERT_EQ(db.BeginTransaction(), 0);
  for (int k = 0; k < rows; ++k) {
    ASSERT_EQ(db.ExecPrintf(nullptr, nullptr,
                            "insert into t(s) values('row %d padded to fill several pages');", k),
              0);
  }
  ASSERT_EQ(db.Commit(), 0);
}

TEST(ScrambleBytes, RestartsOnEveryPageAndLeavesEverySeventeenthByte) {
  std::uint8_t bytes[2048] = {};
  vx::ScrambleBytes(bytes, sizeof bytes, 0);
  EXPECT_EQ(bytes[0], 'q');
  EXPECT_EQ(bytes[16], 0);
  EXPECT_EQ(bytes[17], 'q');
  EXPECT_EQ(bytes[1019], 0);
  EXPECT_EQ(bytes[1023], kKey[1023 % 17]);
  EXPECT_EQ(bytes[1024], 'q');
  std::uint8_t part[3] = {};
  vx::ScrambleBytes(part, sizeof part, 1024 + 15);
  EXPECT_EQ(part[0], 'c');
  EXPECT_EQ(part[1], 0);
  EXPECT_EQ(part[2], 'q');
}

// Reads `amount` bytes at `offset` of `file` through the scrambling VFS as a main database file.
std::string ReadThroughVfs(const std::filesystem::path& file, int amount, int offset, int& rc) {
  EXPECT_TRUE(vx::RegisterScrambleVfs());
  sqlite3_vfs* vfs = sqlite3_vfs_find(vx::kScrambleVfsName);
  EXPECT_NE(vfs, nullptr);
  std::vector<char> storage(static_cast<std::size_t>(vfs->szOsFile));
  auto* handle = reinterpret_cast<sqlite3_file*>(storage.data());
  int outFlags = 0;
  const std::string name = file.string();
  rc = vfs->xOpen(vfs, name.c_str(), handle, SQLITE_OPEN_MAIN_DB | SQLITE_OPEN_READONLY,
                  &outFlags);
  if (rc != SQLITE_OK) return {};
  std::string out(static_cast<std::size_t>(amount), '\x55');
  rc = handle->pMethods->xRead(handle, out.data(), amount, offset);
  handle->pMethods->xClose(handle);
  return out;
}

TEST(ScrambleVfs, ShortReadDescramblesOnlyTheBytesThatWereThere) {
  vxtest::TempDir dir;
  WriteFileBytes(dir / "short.db", Descramble(std::string(10, 'A')));
  int rc = 0;
  const std::string read = ReadThroughVfs(dir / "short.db", 20, 0, rc);
  EXPECT_EQ(rc, SQLITE_IOERR_SHORT_READ);
  EXPECT_EQ(read, std::string(10, 'A') + std::string(10, '\0'));
  const std::string tail = ReadThroughVfs(dir / "short.db", 8, 6, rc);
  EXPECT_EQ(rc, SQLITE_IOERR_SHORT_READ);
  EXPECT_EQ(tail, std::string(4, 'A') + std::string(4, '\0'));
}

TEST(ScrambleVfs, NewFileIsWrittenScrambledAndIsAValidDatabaseOnceDescrambled) {
  vxtest::TempDir dir;
  {
    SqliteDatabase db(dir.path(), "s.db");
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    EXPECT_TRUE(db.IsScrambled());
    FillSomeRows(db, 400);
  }
  const std::string stored = ReadFileBytes(dir / "s.db");
  ASSERT_GE(stored.size(), 4u * 1024);
  EXPECT_EQ(stored.size() % 1024, 0u);
  EXPECT_NE(stored.substr(0, 16), kPlainHeader);
  const std::string plain = Descramble(stored);
  EXPECT_EQ(plain.substr(0, 16), kPlainHeader);
  EXPECT_EQ(static_cast<unsigned char>(plain[16]) * 256 + static_cast<unsigned char>(plain[17]),
            1024);  // page size field
  for (std::size_t page = 0; page < stored.size() / 1024; ++page) {
    ASSERT_EQ(stored[page * 1024 + 16], plain[page * 1024 + 16]) << "page " << page + 1;
  }
  EXPECT_EQ(stored[17], static_cast<char>(plain[17] ^ 'q'));
  WriteFileBytes(dir / "plain.db", plain);
  EXPECT_EQ(RunSqliteShell(dir / "plain.db", "PRAGMA integrity_check;"), "ok\n");
  EXPECT_EQ(RunSqliteShell(dir / "plain.db", "select count(*) from t;"), "400\n");
}

TEST(ScrambleVfs, EmptyFileOpensScrambledBecauseShortReadsStayZero) {
  vxtest::TempDir dir;
  WriteFileBytes(dir / "e.db", "");
  SqliteDatabase db(dir.path(), "e.db");
  ASSERT_TRUE(db.IsOpen()) << db.LastError();
  EXPECT_TRUE(db.IsScrambled());
  FillSomeRows(db, 3);
  EXPECT_EQ(Descramble(ReadFileBytes(dir / "e.db")).substr(0, 16), kPlainHeader);
}

TEST(ScrambleVfs, RollbackLeavesTheFileByteIdenticalAndTheJournalPlain) {
  vxtest::TempDir dir;
  SqliteDatabase db(dir.path(), "r.db");
  FillSomeRows(db, 200);
  const std::string before = ReadFileBytes(dir / "r.db");
  ASSERT_EQ(db.BeginTransaction(), 0);
  ASSERT_EQ(db.Exec(nullptr, nullptr,
                    "update t set s = s || ' changed'; create table u (x INTEGER);"
                    "PRAGMA cache_size=2;"),
            0);
  for (int i = 0; i < 300; ++i) {
    ASSERT_EQ(db.ExecPrintf(nullptr, nullptr, "insert into t(s) values('spill %d');", i), 0);
  }
  ASSERT_NE(ReadFileBytes(dir / "r.db"), before);  // the small cache spilled into the file
  const std::string journal = ReadFileBytes(dir.path() / "r.db-journal");
  EXPECT_NE(journal.find(kPlainHeader), std::string::npos);  // page 1 image kept plain
  EXPECT_EQ(journal.find(Descramble(kPlainHeader)), std::string::npos);
  ASSERT_EQ(db.Rollback(), 0);
  EXPECT_EQ(ReadFileBytes(dir / "r.db"), before);
}

TEST(ScrambleVfs, VacuumKeepsTheScrambledForm) {
  vxtest::TempDir dir;
  SqliteDatabase db(dir.path(), "v.db");
  FillSomeRows(db, 300);
  ASSERT_EQ(db.Exec(nullptr, nullptr, "delete from t where k % 2 = 0; VACUUM;"), 0)
      << db.LastError();
  const std::string stored = ReadFileBytes(dir / "v.db");
  EXPECT_EQ(Descramble(stored).substr(0, 16), kPlainHeader);
  WriteFileBytes(dir / "plain.db", Descramble(stored));
  EXPECT_EQ(RunSqliteShell(dir / "plain.db", "PRAGMA integrity_check;"), "ok\n");
  EXPECT_EQ(RunSqliteShell(dir / "plain.db", "select count(*) from t;"), "150\n");
}

TEST(ScrambleVfs, PlainFileOpensPlainAndStaysPlainThroughWritesAndVacuum) {
  vxtest::TempDir dir;
  ASSERT_EQ(RunSqliteShell(dir / "p.db", "create table t (k INTEGER primary key, s TEXT);"), "");
  {
    SqliteDatabase db(dir.path(), "p.db");
    ASSERT_TRUE(db.IsOpen()) << db.LastError();
    EXPECT_FALSE(db.IsScrambled());
    FillSomeRows(db, 100);
    ASSERT_EQ(db.Exec(nullptr, nullptr, "VACUUM;"), 0);
  }
  EXPECT_EQ(ReadFileBytes(dir / "p.db").substr(0, 16), kPlainHeader);
  EXPECT_EQ(RunSqliteShell(dir / "p.db", "PRAGMA integrity_check;"), "ok\n");
  EXPECT_EQ(RunSqliteShell(dir / "p.db", "select count(*) from t;"), "100\n");
}

TEST(ScrambleVfs, ScrambledFileReopensScrambled) {
  vxtest::TempDir dir;
  { SqliteDatabase db(dir.path(), "a.db"); FillSomeRows(db, 10); }
  SqliteDatabase again(dir.path(), "a.db");
  ASSERT_TRUE(again.IsOpen());
  EXPECT_TRUE(again.IsScrambled());
  int count = 0;
  EXPECT_EQ(again.Exec(vx::RowFirstColumnInt, &count, "select count(*) from t;"), 0);
  EXPECT_EQ(count, 10);
}

TEST(ScrambleVfs, FileThatIsNoDatabaseDoesNotOpen) {
  vxtest::TempDir dir;
  WriteFileBytes(dir / "x.db", std::string(4096, 'x'));
  SqliteDatabase db(dir.path(), "x.db");
  EXPECT_FALSE(db.IsOpen());
  EXPECT_EQ(ReadFileBytes(dir / "x.db"), std::string(4096, 'x'));
}

TEST(ScrambleVfs, UnknownFormWithAPendingJournalIsLeftAlone) {
  vxtest::TempDir dir;
  WriteFileBytes(dir / "j.db", std::string(2048, 'y'));
  WriteFileBytes(dir / "j.db-journal", std::string(1536, 'z'));
  SqliteDatabase db(dir.path(), "j.db");
  EXPECT_FALSE(db.IsOpen());
  EXPECT_NE(db.LastError().find("journal"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(dir / "j.db"), std::string(2048, 'y'));
  EXPECT_EQ(ReadFileBytes(dir / "j.db-journal"), std::string(1536, 'z'));
}

TEST(DetectDatabaseForm, TellsTheFormFromTheFirstSixteenBytes) {
  vxtest::TempDir dir;
  EXPECT_EQ(vx::DetectDatabaseForm(dir / "missing.db"), DatabaseForm::kScrambled);
  WriteFileBytes(dir / "empty.db", "");
  EXPECT_EQ(vx::DetectDatabaseForm(dir / "empty.db"), DatabaseForm::kScrambled);
  WriteFileBytes(dir / "plain.db", kPlainHeader + std::string(100, '\0'));
  EXPECT_EQ(vx::DetectDatabaseForm(dir / "plain.db"), DatabaseForm::kPlain);
  WriteFileBytes(dir / "scr.db", Descramble(kPlainHeader + std::string(100, '\0')));
  EXPECT_EQ(vx::DetectDatabaseForm(dir / "scr.db"), DatabaseForm::kScrambled);
  WriteFileBytes(dir / "short.db", "SQLite");
  EXPECT_EQ(vx::DetectDatabaseForm(dir / "short.db"), DatabaseForm::kUnknown);
}

}  // namespace
