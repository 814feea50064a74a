#include "data/TextSqlFunctions.h"

#include "data/TextFold.h"
#include "platform/Sjis.h"

#include <sqlite3.h>

#include <cstring>
#include <string>
#include <string_view>

namespace vx {
namespace {

bool AnyNull(int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i) {
    if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
  }
  return false;
}

// The argument's bytes as stored; no encoding conversion takes place for UTF-8 functions.
std::string_view ArgText(sqlite3_value* value) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
  if (text == nullptr) return {};
  return {text, static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

// The folded text in a buffer kept per thread: a search folds every row it looks at, and the
// buffer keeps its size from row to row instead of being allocated anew.
const std::string& FoldIntoScratch(std::string_view text) {
  thread_local std::string scratch;
  scratch.clear();
  FoldText(text, scratch);
  return scratch;
}

void Contains(sqlite3_context* context, int argc, sqlite3_value** argv) {
  if (AnyNull(argc, argv)) return sqlite3_result_null(context);
  sqlite3_result_int(context, ContainsCharacters(ArgText(argv[0]), ArgText(argv[1])) ? 1 : 0);
}

void FoldedContains(sqlite3_context* context, int argc, sqlite3_value** argv) {
  if (AnyNull(argc, argv)) return sqlite3_result_null(context);
  const std::string& folded = FoldIntoScratch(ArgText(argv[0]));
  sqlite3_result_int(context, ContainsCharacters(folded, ArgText(argv[1])) ? 1 : 0);
}

void Normalize(sqlite3_context* context, int argc, sqlite3_value** argv) {
  if (AnyNull(argc, argv)) return sqlite3_result_null(context);
  const std::string& folded = FoldIntoScratch(ArgText(argv[0]));
  sqlite3_result_text(context, folded.data(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
}

// SQLite's substr counts UTF-8 characters, which would cut a CP932 character in half.
void FirstChar(sqlite3_context* context, int argc, sqlite3_value** argv) {
  if (AnyNull(argc, argv)) return sqlite3_result_null(context);
  const std::string_view text = ArgText(argv[0]);
  if (text.empty()) return sqlite3_result_text(context, "", 0, SQLITE_STATIC);
  const auto length = static_cast<int>(SjisCharLength(text, 0));
  sqlite3_result_text(context, text.data(), length, SQLITE_TRANSIENT);
}

}  // namespace

std::size_t FindBytes(std::string_view text, std::string_view key, std::size_t from) {
  if (key.empty()) return from <= text.size() ? from : std::string_view::npos;
  if (from >= text.size()) return std::string_view::npos;
  const void* at = memmem(text.data() + from, text.size() - from, key.data(), key.size());
  return at == nullptr ? std::string_view::npos
                       : static_cast<std::size_t>(static_cast<const char*>(at) - text.data());
}

int RegisterTextFunctions(sqlite3* connection) {
  constexpr int kFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  struct Entry {
    const char* name;
    int argc;
    void (*function)(sqlite3_context*, int, sqlite3_value**);
  };
  const Entry entries[] = {{"cnt", 2, Contains},
                           {"ncnt", 2, FoldedContains},
                           {"normalize", 1, Normalize},
                           {"firstchar", 1, FirstChar}};
  for (const Entry& e : entries) {
    const int rc = sqlite3_create_function_v2(connection, e.name, e.argc, kFlags, nullptr,
                                              e.function, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return rc;
  }
  return SQLITE_OK;
}

}  // namespace vx
