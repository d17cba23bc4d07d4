// Which action each control runs. A control without a row is ignored.
#include "app/dispatch_table.h"

#include <array>

#include "app/event_loop.h"

namespace tw {
namespace {

using enum ControlId;

struct Row {
  ControlId control;
  Action action;
};

constexpr Row kDispatch[] = {
    {CancelButton, RequestClose},
};

std::array<Action, kControlCount> BuildIndex() {
  std::array<Action, kControlCount> index{};
  for (const Row& row : kDispatch) index[Index(row.control)] = row.action;
  return index;
}

}  // namespace

Action ActionOf(ControlId id) {
  static const std::array<Action, kControlCount> index = BuildIndex();
  return index[Index(id)];
}

}  // namespace tw
