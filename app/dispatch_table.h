#pragma once

#include "app/context.h"

namespace tw {

// The action of a button, or null for controls that have none.
Action ActionOf(ControlId id);

}  // namespace tw
