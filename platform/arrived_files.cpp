#include "platform/arrived_files.h"

namespace tw {

ArrivedFiles SortArrivedNames(Files& files, const std::vector<std::string>& names, char separator) {
  ArrivedFiles arrived;
  arrived.several = names.size() > 1;
  for (const std::string& name : names) {
    if (name.empty()) continue;
    if (files.IsFile(name)) {
      arrived.files.push_back(name);
    } else if (const auto inside = files.ListFiles(name, "*")) {
      arrived.several = true;
      const bool ended = !name.empty() && (name.back() == '\\' || name.back() == '/');
      for (const std::string& file : *inside) arrived.files.push_back(name + (ended ? "" : std::string(1, separator)) + file);
    } else {
      arrived.missing.push_back(name);
    }
  }
  return arrived;
}

}  // namespace tw
