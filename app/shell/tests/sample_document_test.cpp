// The sample worksheet: copied once on the first run, never over a worksheet, and every line of
// the shipped sample calculates without error. The command line's "tray" switch.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "CalculatorKernel.h"
#include "NumbrookCommandLineInfo.h"
#include "SampleDocument.h"

namespace {

CString TempFolder(LPCWSTR stem) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  CString folder;
  folder.Format(L"%s%s_%lu", temp, stem, ::GetCurrentProcessId());
  ::CreateDirectoryW(folder, nullptr);
  return folder;
}

void WriteText(const CString& path, const char* text) {
  HANDLE h = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(h, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
  ::CloseHandle(h);
}

std::string ReadText(const CString& path) {
  HANDLE h = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[8192];
  DWORD read = 0;
  ::ReadFile(h, buffer, sizeof(buffer), &read, nullptr);
  ::CloseHandle(h);
  return std::string(buffer, read);
}

class SampleDocument : public ::testing::Test {
protected:
  void SetUp() override {
    m_samples = TempFolder(L"ShellSamples");
    m_user = TempFolder(L"ShellUser");
    m_worksheet = m_user + L"\\NumbrookDoc.txt";
  }
  void TearDown() override {
    ::DeleteFileW(m_worksheet);
    ::DeleteFileW(m_samples + L"\\NumbrookDoc.txt");
    ::RemoveDirectoryW(m_user);
    ::RemoveDirectoryW(m_samples);
  }
  CString m_samples, m_user, m_worksheet;
};

TEST_F(SampleDocument, IsCopiedOnceAndNeverOverAWorksheet) {
  WriteText(m_samples + L"\\NumbrookDoc.txt", "1+2\r\n");
  EXPECT_TRUE(CopySampleDocument(m_worksheet, m_samples));
  EXPECT_EQ("1+2\r\n", ReadText(m_worksheet));
  WriteText(m_worksheet, "x := 5\r\n");
  EXPECT_FALSE(CopySampleDocument(m_worksheet, m_samples));
  EXPECT_EQ("x := 5\r\n", ReadText(m_worksheet));
}

TEST_F(SampleDocument, MissingSampleIsNoError) {
  EXPECT_FALSE(CopySampleDocument(m_worksheet, m_samples));
  EXPECT_EQ("<missing>", ReadText(m_worksheet));
}

TEST(ShippedSample, EveryLineCalculatesWithoutError) {
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HMODULE resources = ::LoadLibraryW(L"BrookResx.dll");
  ASSERT_NE(nullptr, resources);
  AfxSetResourceHandle(resources);
  {
    std::unique_ptr<CCalculatorKernel> kernel;
    ASSERT_NO_THROW(kernel.reset(new CCalculatorKernel)) << "is Evalkern registered?";
    std::string text = ReadText(L"NumbrookDoc.txt");
    ASSERT_NE("<missing>", text) << "the sample beside the program";
    size_t start = 0;
    int lines = 0;
    while (start < text.size()) {
      size_t end = text.find('\n', start);
      std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
      start = end == std::string::npos ? text.size() : end + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      BSTR expression = ::SysAllocString(std::wstring(line.begin(), line.end()).c_str());
      ParseExpResult result = {};
      EXPECT_EQ(S_OK, kernel->ParseExpression(expression, &result)) << line;
      EXPECT_EQ(rtVariant, result.Type) << line;
      EXPECT_FALSE(kernel->IsErrorSeen()) << line;
      ::VariantClear(&result.Value);
      ::SysFreeString(expression);
      ++lines;
    }
    EXPECT_GE(lines, 10);
  }
  AfxSetResourceHandle(nullptr);
  ::FreeLibrary(resources);
  ::CoUninitialize();
}

// ---- the command line -----------------------------------------------------------------------------

TEST(CommandLine, TrayIsAFlagInAnyCase) {
  struct Case {
    const wchar_t* param;
    BOOL flag;
    BOOL tray;
    const wchar_t* file;
  } cases[] = {
      {L"tray", TRUE, TRUE, L""},
      {L"TRAY", TRUE, TRUE, L""},
      {L"Tray", TRUE, TRUE, L""},
      {L"tray", FALSE, FALSE, L"tray"},
      {L"trays", TRUE, FALSE, L""},
  };
  for (const Case& c : cases) {
    CNumbrookCommandLineInfo info;
    info.ParseParam(c.param, c.flag, TRUE);
    EXPECT_EQ(c.tray, info.tray) << c.param << c.flag;
    EXPECT_STREQ(c.file, info.m_strFileName) << c.param << c.flag;
  }
  CNumbrookCommandLineInfo info;
  info.ParseParam(L"tray", TRUE, FALSE);
  info.ParseParam(L"Work.txt", FALSE, TRUE);
  EXPECT_TRUE(info.tray);
  EXPECT_EQ(CCommandLineInfo::FileOpen, info.m_nShellCommand);
  EXPECT_STREQ(L"Work.txt", info.m_strFileName);
}

}  // namespace
