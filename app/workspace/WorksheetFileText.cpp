#include "WorksheetFileText.h"

#include <windows.h>

namespace {

std::wstring Utf16Of(const std::string& bytes, size_t from) {
  std::wstring wide((bytes.size() - from) / 2, L'\0');
  for (size_t i = 0; i < wide.size(); ++i)
    wide[i] = (wchar_t)((unsigned char)bytes[from + 2 * i] | ((unsigned char)bytes[from + 2 * i + 1] << 8));
  return wide;
}

// UTF-16 without its mark: an even number of bytes, and the NUL bytes (the high halves of the
// ASCII characters) mostly at odd offsets.
bool LooksLikeUtf16(const std::string& bytes) {
  if (bytes.size() < 2 || bytes.size() % 2 != 0) return false;
  size_t odd = 0, even = 0;
  for (size_t i = 0; i < bytes.size(); ++i)
    if (bytes[i] == '\0') ++(i % 2 ? odd : even);
  return odd > even;
}

// Text saved by earlier versions: drops the CR that came with every line feed.
std::string FromLegacyForm(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text += bytes[i];
  }
  return text;
}

}  // namespace

std::string WorksheetWideToAnsi(const std::wstring& wide, bool& exact) {
  if (wide.empty()) return std::string();
  if (wide.find(L'\0') != std::wstring::npos) exact = false;
  const int count = (int)wide.size();
  BOOL usedDefault = FALSE;
  int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), count, nullptr, 0, nullptr, &usedDefault);
  std::string ansi((size_t)(size > 0 ? size : 0), '\0');
  if (size > 0)
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), count, &ansi[0], size, nullptr, &usedDefault);
  if (usedDefault || size <= 0) exact = false;
  // The control's text ends at its first NUL.
  size_t nul = ansi.find('\0');
  if (nul != std::string::npos) ansi.resize(nul);
  return ansi;
}

WorksheetFileText DecodeWorksheetBytes(const std::string& bytes) {
  WorksheetFileText result;
  if (bytes.size() >= 2 && (unsigned char)bytes[0] == 0xFF && (unsigned char)bytes[1] == 0xFE) {
    if (bytes.size() % 2 != 0) result.exact = false;  // half a character at the end
    result.ansi = WorksheetWideToAnsi(Utf16Of(bytes, 2), result.exact);
    return result;
  }
  const size_t nul = bytes.find('\0');
  if (nul == std::string::npos) {
    result.ansi = bytes;
    return result;
  }
  if (nul == bytes.size() - 1) {
    result.ansi = FromLegacyForm(bytes.substr(0, nul));
    return result;
  }
  result.exact = false;
  if (LooksLikeUtf16(bytes)) {
    bool ignored = true;
    result.ansi = WorksheetWideToAnsi(Utf16Of(bytes, 0), ignored);
    return result;
  }
  for (char c : bytes)
    if (c != '\0') result.ansi += c;
  return result;
}
