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

std::string QuotedName(std::string_view name) {
  std::string out;
  AppendQuotedName(out, name);
  return out;
}

void AppendQuotedName(std::string& out, std::string_view name) {
  out.reserve(out.size() + name.size() + 2);
  out += '"';
  AppendDoublePercent(out, name);
  out += '"';
}

std::string ListHead(const std::string& programFolder, bool runScript) {
  std::string head = "@cd /d " + QuotedName(programFolder) + "\r\n";
  if (runScript) head += "@echo Please wait until this process is set into idle.\r\n@marram.exe 1000\r\n";
  return head + "@quillon.exe run\r\n@call quillon.bat\r\n@del quillon.bat\r\n";
}

}  // namespace tw
