// Removing one event's catalogue from the database.
#pragma once

namespace vx {

class PavorunDatabase;

// Makes `eventNo` the database's current event number and deletes its rows from all nine tables
// in one transaction, so that the event can be installed or merged again. Nothing is deleted when
// any table refuses; answers the engine's code of the first failure (0 done, -1 no database).
int DeleteStoredEvent(PavorunDatabase& db, int eventNo);

}  // namespace vx
