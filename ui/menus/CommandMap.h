// The handlers of one window, view or the application, by command id or id range: the usual way
// to be a CommandTarget.
//
//   map.On(ID_ZOOM_IN, [this] { ZoomIn(); })
//      .OnRange(ID_CHECK_COLOR_FIRST, ID_CHECK_COLOR_LAST, [this](int id) { Check(id); })
//      .OnUpdate(ID_ANTI_ALIAS, [this](int, CommandState& s) { s.checked = antiAlias_; });
#pragma once

#include <functional>
#include <vector>

#include "ui/menus/CommandTarget.h"

namespace vx {

class CommandMap : public CommandTarget {
 public:
  using Handler = std::function<void(int id)>;
  using Updater = std::function<void(int id, CommandState& state)>;

  CommandMap& On(int id, std::function<void()> handler);
  CommandMap& OnRange(int first, int last, Handler handler);
  // An update may come without a handler (a status pane, a command handled further on).
  CommandMap& OnUpdate(int id, Updater updater);
  CommandMap& OnUpdateRange(int first, int last, Updater updater);

  bool OnCommand(int id) override;
  bool OnUpdateCommand(int id, CommandState& state) const override;
  bool HandlesCommand(int id) const override;

 private:
  struct Entry {
    int first;
    int last;
    Handler handler;
    Updater updater;
  };
  const Entry* FindHandler(int id) const;

  std::vector<Entry> entries_;  // first registered wins
};

}  // namespace vx
