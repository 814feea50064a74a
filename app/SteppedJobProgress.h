// Runs a catalogue job that does one step per call (0 = call again, 1 = ended) as the job of the
// shared progress dialog, and a database as the target of that dialog's transaction.
#pragma once

#include "app/ProgressJob.h"
#include "data/ImportProgress.h"

namespace vx {

class SqliteDatabase;

class SqliteTransactionTarget : public TransactionTarget {
 public:
  explicit SqliteTransactionTarget(SqliteDatabase& database) : database_(database) {}
  int Execute(const std::string& sql) override;

 private:
  SqliteDatabase& database_;
};

class SteppedJobProgress : public ProgressJob {
 public:
  // `database` (may be null) gets BEGIN before the worker starts and COMMIT or ROLLBACK after it.
  explicit SteppedJobProgress(TransactionTarget* database);

  // The listener to hand to the catalogue job: its reports reach the dialog with JobTotal().
  ImportProgress& Listener() { return relay_; }

 protected:
  virtual int StepJob() = 0;
  virtual bool JobSucceeded() const = 0;
  virtual int JobTotal() const = 0;

 private:
  class Relay : public ImportProgress {
   public:
    explicit Relay(SteppedJobProgress& owner) : owner_(owner) {}
    void ReportProgress(int position) override;

   private:
    SteppedJobProgress& owner_;
  };

  StepResult Step() final;

  Relay relay_{*this};
};

}  // namespace vx
