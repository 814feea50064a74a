// Base of the catalogue's table objects: every row of every table carries the event number in its
// first column pavorunNo, and every statement names the owning database's current event.
#pragma once

#include <string>

namespace vx {

class PavorunDatabase;

class PavorunTable {
 public:
  explicit PavorunTable(PavorunDatabase& owner) : owner_(owner) {}
  virtual ~PavorunTable() = default;
  PavorunTable(const PavorunTable&) = delete;
  PavorunTable& operator=(const PavorunTable&) = delete;

  virtual const char* TableName() const = 0;
  // The CREATE statement (with its indexes), CP932 comments included.
  virtual const std::string& CreateText() const = 0;

  // Deletes the current event's rows; creates the table when it does not exist yet. The importers
  // call it before inserting an event's rows. -1 without a database.
  int ClearEvent();
  int CreateTable();

 protected:
  PavorunDatabase& Owner() const { return owner_; }
  bool HasDatabase() const;
  int EventNo() const;
  // Runs a statement that changes rows; -1 without a database.
  int ExecWrite(const std::string& sql);

 private:
  PavorunDatabase& owner_;
};

}  // namespace vx
