#include "app/file_names.h"

#include "base/text.h"

namespace tw {

std::string ExistingPath(Platform& platform, const std::string& path) {
  if (!platform.pages.FirstNotInOem(path)) return path;
  std::string shortPath = platform.files.ShortPath(path).value_or(path);
  // A folder keeps its final separator.
  if (FolderPart(path) == path && FolderPart(shortPath) != shortPath) shortPath += path.back();
  return shortPath;
}

std::optional<std::string> CreatedNameFault(Platform& platform, const std::string& what, const std::string& name) {
  const std::optional<std::string> c = platform.pages.FirstNotInOem(name);
  if (!c) return std::nullopt;
  return "The " + what + " \"" + name + "\" has the character \"" + *c +
         "\", which the batch file cannot carry: cmd reads it in the console's code page. Choose another name.";
}

}  // namespace tw
