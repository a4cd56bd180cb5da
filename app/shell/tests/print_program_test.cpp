// File > Print in the running program, on the PDF queue: a copy of Numbrook.exe opens a
// worksheet file, prints it through the print dialog and ends. Every job is listed in printjobs.txt
// with what its PDF must hold; the platform's print driver reads the files back once this
// program has ended.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "ProgramTestKit.h"

namespace {

const UINT kFilePrint = 0xE107;  // File > Print
const UINT kAppExit = 0xE141;
const UINT kGetStyleSize = 5101;  // the editing control's style size, (style, 0)
const UINT kSetStyleSize = 2055;
const int kLastStyle = 34;

std::string Utf8(const std::wstring& s) {
  int n = ::WideCharToMultiByte(CP_UTF8, 0, s.c_str(), (int)s.size(), nullptr, 0, nullptr, nullptr);
  std::string out((size_t)n, '\0');
  if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, s.c_str(), (int)s.size(), &out[0], n, nullptr, nullptr);
  return out;
}

// Worksheet line i: an assignment whose value is its own result.
std::wstring Line(int i) {
  wchar_t line[32];
  swprintf(line, 32, L"p%03d := %d", i, 7000 + i);
  return line;
}
std::wstring Lines(int count) {
  std::wstring text;
  for (int i = 1; i <= count; ++i) text += (i > 1 ? L"\r\n" : L"") + Line(i);
  return text;
}

// The dialog box of the program that is up, or null.
HWND DialogOf(DWORD pid) {
  std::pair<DWORD, HWND> search = {pid, nullptr};
  ::EnumWindows(
      [](HWND hWnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<std::pair<DWORD, HWND>*>(param);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hWnd, &owner);
        wchar_t name[16] = {};
        ::GetClassNameW(hWnd, name, 16);
        if (owner != s->first || !::IsWindowVisible(hWnd) || wcscmp(name, L"#32770") != 0) return TRUE;
        s->second = hWnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

class PrintingProgram : public ::testing::Test {
protected:
  ProgramFolder folder{kProgramFiles};
  std::unique_ptr<NumbrookProcess> program;
  std::wstring worksheet;
  HWND frame = nullptr;
  std::pair<HWND, HWND> panes;
  std::ofstream jobs{"printjobs.txt", std::ios::app | std::ios::binary};

  // Starts the program on a worksheet file of that text, named after this process and test (the
  // job, and with it its PDF file, takes the name), and waits for its last result.
  void Start(const std::wstring& text, const std::wstring& lastResult) {
    static int counter = 0;
    const std::wstring name = L"nbprint" + std::to_wstring(::GetCurrentProcessId()) + L"t" +
                              std::to_wstring(::GetTickCount()) + L"x" + std::to_wstring(++counter);
    worksheet = folder.Path() + L"\\" + name + L".txt";
    const std::string bytes(text.begin(), text.end());  // ASCII
    HANDLE file = ::CreateFileW(worksheet.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    ::CloseHandle(file);
    program.reset(new NumbrookProcess(folder.Path(), L"\"" + worksheet + L"\""));
    ASSERT_TRUE(program->Started());
    frame = program->Frame(true);
    ASSERT_NE(nullptr, frame);
    panes = WorksheetPanes(frame);
    ASSERT_NE(nullptr, panes.first);
    EXPECT_TRUE(PumpUntil([&] {
      const std::wstring results = EditorText(panes.second);
      return lastResult.empty() ? results.find_first_not_of(L"\r\n") == std::wstring::npos
                                : results.find(lastResult) != std::wstring::npos;
    })) << Utf8(EditorText(panes.second));
    ASSERT_EQ(name, Title()) << "the worksheet file was not opened";
  }
  void TearDown() override {
    if (frame != nullptr) ::PostMessageW(frame, WM_COMMAND, kAppExit, 0);
    if (program) EXPECT_TRUE(program->Ended());
    ::DeleteFileW(worksheet.c_str());
  }
  // The document title, which names the job's PDF file.
  std::wstring Title() {
    wchar_t caption[256] = {};
    ::GetWindowTextW(frame, caption, 256);
    std::wstring title = caption;
    const size_t dash = title.find(L" - ");
    if (dash != std::wstring::npos) title.resize(dash);
    const size_t dot = title.find(L'.');
    if (dot != std::wstring::npos) title.resize(dot);
    return title;
  }
  // File > Print, OK in the print dialog; answers once the program is idle again.
  void Print() {
    ::PostMessageW(frame, WM_COMMAND, kFilePrint, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (dialog = DialogOf(program->Pid())) != nullptr; })) << "no print dialog";
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(dialog); }));
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
  }
};

TEST_F(PrintingProgram, EveryLinePrintsOnceBesideItsResultUnderAHeaderOnEachPage) {
  const int count = 150;
  Start(Lines(count), std::to_wstring(7000 + count));
  Print();
  const std::wstring title = Title();
  jobs << "JOB " << Utf8(title) << " 0\nHEADERS\nPAGE 1 " << Utf8(title) << "\n";
  for (int i = 1; i <= count; ++i)
    jobs << "ONCE ^ *p" << (i < 10 ? "00" : i < 100 ? "0" : "") << i << " := " << 7000 + i << " +" << 7000 + i
         << " *$\n";
}

TEST_F(PrintingProgram, AnEmptyWorksheetPrintsOnePageWithOnlyTheHeader) {
  Start(L"", L"");
  Print();
  jobs << "JOB " << Utf8(Title()) << " 1\nPAGE 1 Page 1 of 1\nLINES 1 1\n";
}

TEST_F(PrintingProgram, WithResultsTwiceAsHighEveryExpressionStillPrints) {
  const int count = 100;
  Start(Lines(count), std::to_wstring(7000 + count));
  for (int style = 0; style <= kLastStyle; ++style) {
    const LRESULT size = ::SendMessageW(panes.second, kGetStyleSize, (WPARAM)style, 0);
    ::SendMessageW(panes.second, kSetStyleSize, (WPARAM)style, size * 2);
  }
  Print();
  jobs << "JOB " << Utf8(Title()) << " 0\nHEADERS\n";
  for (int i = 1; i <= count; ++i)
    jobs << "ONCE p" << (i < 10 ? "00" : i < 100 ? "0" : "") << i << " := " << 7000 + i << "( |$)\n";
}

}  // namespace
