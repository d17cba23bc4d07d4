// Texts and paths as the program and its small tools treat them: case is
// folded in ASCII only (as Windows folds file and key names for the names
// the program writes), and a path separator is "\" or "/".
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tw {

std::string Lowered(std::string_view text);
bool SameNoCase(std::string_view a, std::string_view b);
bool EndsWithNoCase(std::string_view text, std::string_view tail);
// Whether two paths name one file as Windows compares names: ASCII letters
// without regard to case, "\\" and "/" alike.
bool SamePath(std::string_view a, std::string_view b);
// A character of a path as SamePath compares it: two paths are the same
// when these are, one by one.
inline char PathKeyChar(char c) {
  return c == '/' ? '\\' : c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
bool IsAscii(std::string_view text);

// cmd expands "%" in batch files even inside quotes; doubled, it stands for itself.
std::string DoublePercent(std::string_view text);
void AppendDoublePercent(std::string& out, std::string_view text);

// Where the last component begins: after the last separator, else 0.
size_t FileNameStart(std::string_view path);
// The parts one after another, in one allocation.
std::string Joined(std::initializer_list<std::string_view> parts);
// Up to and including the last separator; "" for a bare name.
std::string FolderPart(std::string_view path);
// After the last separator.
std::string FileNamePart(std::string_view path);
// Whether the last component has a dot.
bool HasExtension(std::string_view path);
// The path without the extension of its last component, the final dot kept;
// a path without extension is returned whole.
std::string WithoutExtensionKeepDot(std::string_view path);

}  // namespace tw
