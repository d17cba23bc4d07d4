// Small text helpers shared by every builder of batch lines, and the head
// of every script the job list is written into.
#pragma once

#include <string>
#include <string_view>

#include "base/text.h"

namespace tw {

// cmd expands "%" in batch files even inside quotes; every file name the
// program writes into a batch line goes through here so that the script
// names the file as it is.
std::string BatchName(std::string_view name);
// A file name for a batch line: percent signs doubled, then quoted.
std::string QuotedName(std::string_view name);
// The same put at the end of `out`.
void AppendQuotedName(std::string& out, std::string_view name);
std::string Quoted(std::string_view text);

// The lines before the job list's own, CR LF after each: into the program
// folder, where the tools are, and the search path set up. The run script
// first waits for its process to be set to idle.
std::string ListHead(const std::string& programFolder, bool runScript);

}  // namespace tw
