// The one road of the files brought in from outside: the command line, a
// second start of the program handing over its own, and a drop.
#pragma once

#include "app/context.h"
#include "platform/arrived_files.h"

namespace tw {

// One file as if chosen with "..." beside "Input file:"; several, or a
// folder's, as "Files input" takes the files it is given, asking for the
// output folder. Then one message names the names of nothing, and another
// the files the ANSI page cannot name, as the dialogs do. While long work
// runs, nothing is taken and a message says so.
void TakeArrivedFiles(App& app, const ArrivedFiles& arrived);

}  // namespace tw
