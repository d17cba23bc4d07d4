// The file layer of the platform the program was built for.
#pragma once

#include <memory>

#include "platform/files.h"

namespace tw {

std::unique_ptr<Files> MakeNativeFiles();
// The folder separator that ends the program folder: '\' on Windows.
char NativeSeparator();

}  // namespace tw
