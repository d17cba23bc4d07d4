// The job list: adding a job block and the line operations of the list.
#pragma once

#include "app/context.h"

namespace tw {

inline constexpr const char* kBlockStartLine = "@echo.";
inline constexpr const char* kBlockEndLine = "@echo+";
inline constexpr const char* kDisabledPrefix = "@rem ";

ActionFunction OnAddButton, OnClearButton, OnDisableButton, OnUpButton, OnDownButton, OnEditButton, OnViewButton,
    OnDeleteButton;

}  // namespace tw
