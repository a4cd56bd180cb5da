#include "ClipboardText.h"

#include <windows.h>

#include <cstring>

namespace {

// Another program may hold the clipboard open for a moment (the one that just copied).
bool OpenClipboardSoon() {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (::OpenClipboard(nullptr)) return true;
    ::Sleep(10);
  }
  return false;
}

// A movable global block holding `bytes` bytes copied from `data`.
HGLOBAL BlockOf(const void* data, size_t bytes) {
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!block) return nullptr;
  void* p = ::GlobalLock(block);
  if (!p) {
    ::GlobalFree(block);
    return nullptr;
  }
  std::memcpy(p, data, bytes);
  ::GlobalUnlock(block);
  return block;
}

// The text in a code page, with its terminating NUL.
HGLOBAL NarrowBlockOf(LPCWSTR text, UINT codePage) {
  int bytes = ::WideCharToMultiByte(codePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return nullptr;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)bytes);
  if (!block) return nullptr;
  char* p = static_cast<char*>(::GlobalLock(block));
  if (!p) {
    ::GlobalFree(block);
    return nullptr;
  }
  ::WideCharToMultiByte(codePage, 0, text, -1, p, bytes, nullptr, nullptr);
  ::GlobalUnlock(block);
  return block;
}

}  // namespace

CString GetClipboardText() {
  CString text;
  if (!OpenClipboardSoon()) return text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    SIZE_T capacity = ::GlobalSize(data) / sizeof(wchar_t);
    if (const wchar_t* p = static_cast<const wchar_t*>(::GlobalLock(data))) {
      SIZE_T length = 0;
      while (length < capacity && p[length] != L'\0') ++length;
      text = CString(p, (int)length);
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

bool SetClipboardText(LPCWSTR text) {
  if (!text) text = L"";
  HGLOBAL blocks[3] = {BlockOf(text, (std::wcslen(text) + 1) * sizeof(wchar_t)), NarrowBlockOf(text, CP_ACP),
                       NarrowBlockOf(text, CP_OEMCP)};
  const UINT formats[3] = {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT};
  bool ready = blocks[0] && blocks[1] && blocks[2];
  if (!ready || !OpenClipboardSoon()) {
    for (HGLOBAL b : blocks)
      if (b) ::GlobalFree(b);
    return false;
  }
  ::EmptyClipboard();
  bool ok = true;
  for (int i = 0; i < 3; ++i) {
    if (!::SetClipboardData(formats[i], blocks[i])) {
      ::GlobalFree(blocks[i]);  // still ours when the clipboard refused it
      ok = false;
    }
  }
  ::CloseClipboard();
  return ok;
}
