#include "ui/menus/CommandMap.h"

#include <utility>

namespace vx {

CommandMap& CommandMap::On(int id, std::function<void()> handler) {
  return OnRange(id, id, [handler = std::move(handler)](int) { handler(); });
}

CommandMap& CommandMap::OnRange(int first, int last, Handler handler) {
  entries_.push_back({first, last, std::move(handler), {}});
  return *this;
}

CommandMap& CommandMap::OnUpdate(int id, Updater updater) {
  return OnUpdateRange(id, id, std::move(updater));
}

CommandMap& CommandMap::OnUpdateRange(int first, int last, Updater updater) {
  entries_.push_back({first, last, {}, std::move(updater)});
  return *this;
}

const CommandMap::Entry* CommandMap::FindHandler(int id) const {
  for (const Entry& entry : entries_) {
    if (entry.handler && id >= entry.first && id <= entry.last) return &entry;
  }
  return nullptr;
}

bool CommandMap::OnCommand(int id) {
  const Entry* entry = FindHandler(id);
  if (!entry) return false;
  entry->handler(id);
  return true;
}

bool CommandMap::OnUpdateCommand(int id, CommandState& state) const {
  for (const Entry& entry : entries_) {
    if (entry.updater && id >= entry.first && id <= entry.last) {
      entry.updater(id, state);
      return true;
    }
  }
  return false;
}

bool CommandMap::HandlesCommand(int id) const { return FindHandler(id) != nullptr; }

}  // namespace vx
