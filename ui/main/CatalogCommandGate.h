// Keeps the commands that need a catalogue from being offered while there is none to show (the
// database is damaged, or holds no circle of the event): their items are disabled and their
// accelerators do nothing. Put first on the command route of every window.
#pragma once

#include "ui/menus/CommandTarget.h"

namespace vx {

class CatalogController;
class PavorunDatabase;

class CatalogCommandGate : public CommandTarget {
 public:
  explicit CatalogCommandGate(const CatalogController& controller) : controller_(controller) {}

  // Whether `database` holds a catalogue to show: open, sound, with circles of its event.
  static bool HoldsCatalog(const PavorunDatabase* database);
  // Whether the command is of no use without a catalogue (pages, the hall map, circles,
  // checklists, searches, printing, updates); installing one stays offered.
  static bool NeedsCatalog(int id);
  // Whether the command writes the database, which a damaged one (or one that did not open)
  // must not be.
  static bool NeedsSoundDatabase(int id);

  bool HasCatalog() const;
  bool IsClosed(int id) const;

  // Swallows a closed command; leaves the rest to the targets after it.
  bool OnCommand(int id) override { return IsClosed(id); }
  bool OnUpdateCommand(int id, CommandState& state) const override;
  bool HandlesCommand(int id) const override { return IsClosed(id); }

 private:
  const CatalogController& controller_;
};

}  // namespace vx
