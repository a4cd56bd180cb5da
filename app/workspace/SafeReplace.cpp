#include "SafeReplace.h"

CString FolderOf(LPCWSTR path) {
  CString folder = path;
  int slash = folder.ReverseFind(L'\\');
  int forward = folder.ReverseFind(L'/');
  if (forward > slash) slash = forward;
  if (slash < 0) return folder.GetLength() > 2 && folder[1] == L':' ? folder.Left(2) : CString(L".");
  if (slash == 0 || (slash == 2 && folder[1] == L':')) return folder.Left(slash + 1);  // a root
  return folder.Left(slash);
}

bool TargetReplaceable(LPCWSTR path) {
  const DWORD attributes = ::GetFileAttributesW(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
  HANDLE h = ::CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(h);
  return true;
}

bool MakeTempBeside(LPCWSTR target, LPCWSTR prefix, CString& temp) {
  wchar_t name[MAX_PATH + 1] = {};
  if (::GetTempFileNameW(FolderOf(target), prefix, 0, name) == 0) return false;
  temp = name;
  return true;
}

bool FlushToDisk(LPCWSTR path) {
  HANDLE h = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = ::FlushFileBuffers(h) != FALSE;
  ::CloseHandle(h);
  return ok;
}

bool ReplaceWithTemp(LPCWSTR temp, LPCWSTR target) {
  return ::MoveFileExW(temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool KeepBackupOf(LPCWSTR path) {
  if (::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES && ::GetLastError() == ERROR_FILE_NOT_FOUND) return true;
  const CString backup = CString(path) + L".bak";
  CString temp;
  if (!MakeTempBeside(backup, L"nbk", temp)) return false;
  if (::CopyFileW(path, temp, FALSE) && FlushToDisk(temp) && ReplaceWithTemp(temp, backup)) return true;
  ::DeleteFileW(temp);
  return false;
}
