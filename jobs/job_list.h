// The job list: adding a job block and the line operations of the list.
#pragma once

#include "jobs/list_file.h"
#include "platform/platform.h"
#include "ui/form.h"

namespace tw {

inline constexpr const char* kBlockStartLine = "@echo.";
inline constexpr const char* kBlockEndLine = "@echo+";
inline constexpr const char* kDisabledPrefix = "@rem ";

FormAction OnAddButton, OnDisableButton, OnUpButton, OnDownButton, OnEditButton, OnViewButton, OnDeleteButton;
// Asks first while the list holds lines no batch file has received.
void OnClearButton(Form& form, Platform& platform, const ListMark& written);

}  // namespace tw
