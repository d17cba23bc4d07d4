// The job list: adding a job block and the line operations of the list.
#pragma once

#include "platform/platform.h"
#include "ui/form.h"

namespace tw {

inline constexpr const char* kBlockStartLine = "@echo.";
inline constexpr const char* kBlockEndLine = "@echo+";
inline constexpr const char* kDisabledPrefix = "@rem ";

FormAction OnAddButton, OnClearButton, OnDisableButton, OnUpButton, OnDownButton, OnEditButton, OnViewButton,
    OnDeleteButton;

}  // namespace tw
