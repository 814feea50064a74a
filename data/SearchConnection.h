// The connection that searches run on, with the copy of the event's circle texts kept on it
// (EventCircleTexts): one per database, shared by every search condition of it. It lives while a
// search runs or something holds it (the search dialog and the list window while they are open),
// so that searches in a row reuse its page cache and its copy; when the last holder lets go, the
// connection, its cache and the copy go with it.
//
// One search or read at a time uses it. The copy can be read ahead on a thread of its own, and
// that read stops when asked to (StopReadAhead), when a search waiting for it is cancelled, and
// when the object goes. A wait for a locked database ends as soon as the search or read that
// waits is stopped.
#pragma once

#include "data/EventCircleTexts.h"
#include "data/SqliteConnection.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace vx {

class PavorunDatabase;

class SearchConnection {
 public:
  using Work = std::function<int(SqliteConnection& connection, EventCircleTexts& texts)>;

  // The database's search connection: the one in use, or a new one (not opened yet). The
  // database must outlive it. Any thread.
  static std::shared_ptr<SearchConnection> Of(PavorunDatabase& database);
  // Whether the database has one now (something holds it or a search runs).
  static bool Exists(const PavorunDatabase& database);

  explicit SearchConnection(PavorunDatabase& database);
  ~SearchConnection();
  SearchConnection(const SearchConnection&) = delete;
  SearchConnection& operator=(const SearchConnection&) = delete;

  // Runs `work` on the connection, opened first when needed, once no other search or read uses
  // it; `cancel` also ends a wait for a locked database. Answers what `work` answers (4 when it
  // failed once `cancel` was set), or -1 when the connection cannot be opened (`error` says
  // why). After a failure other than a cancel, the next use starts on a fresh connection with
  // the copy read again.
  int Use(const std::atomic<bool>& cancel, std::string* error, const Work& work);

  // Reads the copy of `event` on a thread of its own, unless such a read runs already.
  void ReadAhead(int event);
  // Stops a read-ahead in progress; it leaves no copy. Any thread.
  void StopReadAhead() { readAheadStop_.store(true); }

  // Tests act at a given point of a use through this: called on the thread of each search or read
  // as it asks for the connection, with whether another holds it (the caller then waits for it).
  using UseObserver = void (*)(bool waits);
  static void ObserveUses(UseObserver observer) { useObserver_.store(observer); }

 private:
  bool Open(std::string* error);
  void JoinReadAhead();
  static int WaitWhileLocked(void* self, int attempts);

  static inline std::atomic<UseObserver> useObserver_{nullptr};

  PavorunDatabase& database_;
  EventCircleTexts texts_;
  std::mutex useMutex_;
  // Under useMutex_:
  std::unique_ptr<SqliteConnection> connection_;
  const std::atomic<bool>* currentStop_ = nullptr;  // of the search or read using it

  std::mutex readAheadMutex_;
  std::thread readAhead_;  // under readAheadMutex_
  std::atomic<bool> readAheadRunning_{false};
  std::atomic<bool> readAheadStop_{false};
};

}  // namespace vx
