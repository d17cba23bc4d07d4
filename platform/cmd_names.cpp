#include "platform/cmd_names.h"

#include <vector>

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

bool ReportLeftOut(Platform& platform, const std::vector<std::string>& names) {
  if (names.empty()) return false;
  std::string text = names.size() == 1 ? "This file was not taken:" : "These files were not taken:";
  for (const std::string& name : names) text += "\r\n" + name;
  text +=
      "\r\n\r\nThe system's code page cannot hold every character of the name, and the disk gives no short "
      "name for it. Rename the file to use it.";
  platform.dialogs.MessageUtf8("File name", text);
  return true;
}

}  // namespace tw
