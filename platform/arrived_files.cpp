#include "platform/arrived_files.h"

#include <algorithm>

#include "platform/listing.h"

namespace tw {

ArrivedFiles SortArrivedNames(Files& files, const std::vector<std::string>& names, char separator) {
  ArrivedFiles arrived;
  arrived.several = names.size() > 1;
  for (const std::string& name : names) {
    if (name.empty()) continue;
    if (files.IsFile(name)) {
      arrived.files.push_back(name);
    } else if (std::optional<std::vector<std::string>> inside = files.ListFiles(name, "*")) {
      arrived.several = true;
      // in the order of NTFS, whatever order the disk lists them in
      std::sort(inside->begin(), inside->end(), [](const auto& a, const auto& b) { return ListedBefore(a, b); });
      const std::string folder = name.back() == '\\' || name.back() == '/' ? name : name + separator;
      for (const std::string& file : *inside) arrived.files.push_back(folder + file);
    } else {
      arrived.missing.push_back(name);
    }
  }
  return arrived;
}

}  // namespace tw
