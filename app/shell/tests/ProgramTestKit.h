// What the tests of the program as a whole share beside the driver: a copy of Numbrook.exe and
// the libraries it loads from its own folder, in a folder of its own.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ProgramDriver.h"

namespace {

// A folder with a copy of the program and the libraries it loads from its own folder.
class ProgramFolder {
public:
  explicit ProgramFolder(std::vector<std::wstring> files) {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    m_path = std::wstring(temp) + L"nbprogram" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
             std::to_wstring(s_counter++);
    ::CreateDirectoryW(m_path.c_str(), nullptr);
    for (const std::wstring& file : files) Add(file);
  }
  ~ProgramFolder() {
    for (const std::wstring& file : m_files) ::DeleteFileW((m_path + L"\\" + file).c_str());
    ::RemoveDirectoryW(m_path.c_str());
  }
  void Add(const std::wstring& file) {
    ::CopyFileW(file.c_str(), (m_path + L"\\" + file).c_str(), FALSE);
    m_files.push_back(file);
  }
  const std::wstring& Path() const { return m_path; }

private:
  static int s_counter;
  std::wstring m_path;
  std::vector<std::wstring> m_files;
};
int ProgramFolder::s_counter = 0;

const std::vector<std::wstring> kProgramFiles = {L"Numbrook.exe", L"BrookResx.dll", L"BrookEdit.dll"};

}  // namespace
