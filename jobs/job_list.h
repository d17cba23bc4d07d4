// The job list: adding a job block and the line operations of the list.
#pragma once

#include "app/context.h"

namespace tw {

inline constexpr const char* kBlockStartLine = "@echo.";
inline constexpr const char* kBlockEndLine = "@echo+";
inline constexpr const char* kDisabledPrefix = "@rem ";

void OnAddButton(App& app, const Event& event);
void OnClearButton(App& app, const Event& event);
void OnDisableButton(App& app, const Event& event);
void OnUpButton(App& app, const Event& event);
void OnDownButton(App& app, const Event& event);
void OnEditButton(App& app, const Event& event);
void OnViewButton(App& app, const Event& event);
void OnDeleteButton(App& app, const Event& event);

}  // namespace tw
