#include "platform/win32/win32_pages.h"

#include <windows.h>

namespace tw {
namespace {

constexpr unsigned kUtf8 = CP_UTF8;

// One character of a wide text: two units for a surrogate pair.
size_t CharacterLength(std::wstring_view wide, size_t at) {
  const wchar_t c = wide[at];
  return c >= 0xD800 && c <= 0xDBFF && at + 1 < wide.size() ? 2 : 1;
}

std::string Narrowed(std::wstring_view wide, unsigned page, DWORD flags, BOOL* usedDefault) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(page, flags, wide.data(), size, nullptr, 0, nullptr, usedDefault);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(page, flags, wide.data(), size, out.data(), n, nullptr, usedDefault);
  return out;
}

}  // namespace

std::wstring Widened(std::string_view text, unsigned page) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(page, 0, text.data(), size, nullptr, 0);
  std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(page, 0, text.data(), size, out.data(), n);
  return out;
}

std::optional<std::string> Exactly(std::wstring_view wide, unsigned page) {
  // UTF-8 holds everything, and the flags below are not allowed for it.
  if (page == kUtf8) return Narrowed(wide, page, 0, nullptr);
  BOOL usedDefault = FALSE;
  std::string out = Narrowed(wide, page, WC_NO_BEST_FIT_CHARS, &usedDefault);
  if (usedDefault || (out.empty() && !wide.empty())) return std::nullopt;
  return out;
}

std::string Utf8(std::wstring_view wide) { return Narrowed(wide, kUtf8, 0, nullptr); }

std::string Win32Pages::OemText(std::string_view ansi) {
  if (Same()) return std::string(ansi);
  return Narrowed(Widened(ansi, ansi_), oem_, 0, nullptr);
}

std::optional<std::string> Win32Pages::FirstNotInOem(std::string_view ansi) {
  if (Same()) return std::nullopt;
  const std::wstring wide = Widened(ansi, ansi_);
  for (size_t at = 0; at < wide.size();) {
    const std::wstring_view one = std::wstring_view(wide).substr(at, CharacterLength(wide, at));
    if (!Exactly(one, oem_)) return Narrowed(one, ansi_, 0, nullptr);
    at += one.size();
  }
  return std::nullopt;
}

std::string Win32Pages::OemSafeName(std::string_view ansi) {
  if (Same()) return std::string(ansi);
  const std::wstring wide = Widened(ansi, ansi_);
  std::string out;
  for (size_t at = 0; at < wide.size();) {
    const std::wstring_view one = std::wstring_view(wide).substr(at, CharacterLength(wide, at));
    out += Exactly(one, oem_) ? Narrowed(one, ansi_, 0, nullptr) : std::string("_");
    at += one.size();
  }
  return out;
}

bool Win32Pages::HoldsText(std::string_view ansi) {
  if (ansi.empty()) return true;
  return MultiByteToWideChar(ansi_, MB_ERR_INVALID_CHARS, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0) > 0;
}

CodePages& NativePages() {
  static Win32Pages pages(GetACP(), GetOEMCP());
  return pages;
}

}  // namespace tw
