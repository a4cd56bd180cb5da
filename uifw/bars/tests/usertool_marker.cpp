// A program for the user-tool tests: writes its second argument into the file named by its first.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 1;
  const HANDLE h = ::CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return 2;
  DWORD dwWritten = 0;
  const char text[] = "started";
  ::WriteFile(h, text, sizeof(text) - 1, &dwWritten, nullptr);
  ::CloseHandle(h);
  return 0;
}
