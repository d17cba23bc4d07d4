// The job list: adding a job block and the line operations of the list.
#pragma once

#include "app/context.h"

namespace tw {

inline constexpr const char* kBlockStartLine = "@echo.";
inline constexpr const char* kBlockEndLine = "@echo+";
inline constexpr const char* kDisabledPrefix = "@rem ";

void OnAddButton(App& app, EventType type);
void OnClearButton(App& app, EventType type);
void OnDisableButton(App& app, EventType type);
void OnUpButton(App& app, EventType type);
void OnDownButton(App& app, EventType type);
void OnEditButton(App& app, EventType type);
void OnViewButton(App& app, EventType type);
void OnDeleteButton(App& app, EventType type);

}  // namespace tw
