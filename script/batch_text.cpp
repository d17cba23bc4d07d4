#include "script/batch_text.h"

namespace tw {

std::string BatchName(std::string_view name) { return DoublePercent(name); }

std::string Quoted(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out += '"';
  out.append(text.data(), text.size());
  out += '"';
  return out;
}

std::string QuotedName(std::string_view name) { return Quoted(BatchName(name)); }

}  // namespace tw
