#include "data/SearchConnection.h"

#include "data/PavorunDatabase.h"
#include "data/SqlRow.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <system_error>
#include <utility>
#include <vector>

namespace vx {
namespace {

constexpr const char* kSearchCacheSize = "PRAGMA cache_size=-65536;";  // KiB, at most
constexpr int kNoConnection = -1;
constexpr int kStopped = 4;  // SQLITE_ABORT, what a stopped search or read answers
// As long as the database's own connections wait for a lock.
constexpr auto kLockWait = std::chrono::milliseconds(2000);
constexpr auto kLockPoll = std::chrono::milliseconds(5);

// The search connection of each database that has one, found by address: a database outlives
// its search connection, so a live entry never names a database that has gone.
struct Registry {
  std::mutex mutex;
  std::vector<std::pair<const PavorunDatabase*, std::weak_ptr<SearchConnection>>> entries;

  std::shared_ptr<SearchConnection> Find(const PavorunDatabase& database) {
    std::erase_if(entries, [](const auto& entry) { return entry.second.expired(); });
    for (const auto& [owner, connection] : entries) {
      if (owner == &database) return connection.lock();
    }
    return nullptr;
  }
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

std::shared_ptr<SearchConnection> SearchConnection::Of(PavorunDatabase& database) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  if (std::shared_ptr<SearchConnection> found = registry.Find(database)) return found;
  auto made = std::make_shared<SearchConnection>(database);
  registry.entries.emplace_back(&database, made);
  return made;
}

bool SearchConnection::Exists(const PavorunDatabase& database) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  return registry.Find(database) != nullptr;
}

SearchConnection::SearchConnection(PavorunDatabase& database)
    : database_(database), texts_(database) {}

SearchConnection::~SearchConnection() {
  StopReadAhead();
  JoinReadAhead();
}

int SearchConnection::Use(const std::atomic<bool>& cancel, std::string* error, const Work& work) {
  std::unique_lock lock(useMutex_, std::try_to_lock);
  if (const UseObserver observer = useObserver_.load()) observer(!lock.owns_lock());
  if (!lock.owns_lock()) lock.lock();
  if (!Open(error)) return kNoConnection;
  currentStop_ = &cancel;
  int rc = work(*connection_, texts_);
  currentStop_ = nullptr;
  // A wait for a locked database that the stop ended fails as "busy": the stop was the cause.
  if (rc != 0 && cancel.load()) rc = kStopped;
  // Whatever else went wrong, the next search starts afresh.
  if (rc != 0 && rc != kStopped) {
    connection_.reset();
    texts_.Forget();
  }
  return rc;
}

void SearchConnection::ReadAhead(int event) {
  std::lock_guard lock(readAheadMutex_);
  if (readAheadRunning_.load()) return;
  if (readAhead_.joinable()) readAhead_.join();
  readAheadStop_.store(false);
  readAheadRunning_.store(true);
  const auto read = [this, event] {
    Use(readAheadStop_, nullptr,
        [this, event](SqliteConnection& connection, EventCircleTexts& texts) {
          return texts.Prepare(connection, event, readAheadStop_, nullptr);
        });
    readAheadRunning_.store(false);
  };
  try {
    readAhead_ = std::thread(read);
  } catch (const std::system_error&) {
    readAheadRunning_.store(false);  // no thread: the first search reads the copy itself
  }
}

void SearchConnection::JoinReadAhead() {
  std::lock_guard lock(readAheadMutex_);
  if (readAhead_.joinable()) readAhead_.join();
}

// The search connection keeps its page cache from search to search: a search reads every circle
// of the event, and with the pages in its cache the next one need not read them again.
bool SearchConnection::Open(std::string* error) {
  if (connection_) return true;
  connection_ = database_.OpenConnection(error);
  if (!connection_) return false;
  texts_.Forget();
  texts_.Register(connection_->Handle());
  sqlite3_busy_handler(connection_->Handle(), WaitWhileLocked, this);
  connection_->QueryRows(
      kSearchCacheSize, [](const SqlRow&) { return 0; }, nullptr);
  return true;
}

// Waits for a lock as the database's own connections do, but no longer than the search or read
// that waits is wanted.
int SearchConnection::WaitWhileLocked(void* self, int attempts) {
  const auto* connection = static_cast<const SearchConnection*>(self);
  const std::atomic<bool>* stop = connection->currentStop_;
  if ((stop != nullptr && stop->load()) || attempts * kLockPoll >= kLockWait) return 0;
  std::this_thread::sleep_for(kLockPoll);
  return 1;
}

}  // namespace vx
