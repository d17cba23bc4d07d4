// The option syntax of the pass lines: the user's choice, or what the
// x264.exe the script will start can take.
#pragma once

#include "app/context.h"

namespace tw {

// Asks the x264.exe the run script would start for its version, notes the
// syntax it takes and shows it in X264FoundLabel. Runs at start-up once the
// window shows and on "Refresh", never while jobs are added: a slow answer
// should hold up nothing but those.
void LookForX264(App& app);

// The syntax the next pass lines are written in.
OptionSyntax SyntaxOfForm(const App& app);

}  // namespace tw
