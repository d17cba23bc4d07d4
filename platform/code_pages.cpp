#include "platform/code_pages.h"

namespace tw {
namespace {

class SamePages : public CodePages {
 public:
  std::string OemText(std::string_view ansi) override { return std::string(ansi); }
  std::optional<std::string> FirstNotInOem(std::string_view) override { return std::nullopt; }
  std::string OemSafeName(std::string_view ansi) override { return std::string(ansi); }
};

}  // namespace

CodePages& OnePage() {
  static SamePages pages;
  return pages;
}

}  // namespace tw
