// Closing Numbrook.exe while the print preview is up, driven from outside: the layout saved is the
// one the user had, and with no printer installed the preview's printer box neither lets a close
// pull the frame away under it nor leaves anything of the preview behind.
// The program keeps its settings under a profile key of this test's own (NUMBROOK_PROFILE). The
// tests of NoPrinter* run in a second run of this program (shell_preview_noprinter) whose print
// scheduler address leads nowhere (CUPS_SERVER, set in CMakeLists.txt): Wine finds no printer for
// it and the programs it starts; the others run with the test queue as printer.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "ProgramDriver.h"
#include "ProgramTestKit.h"

namespace {

const wchar_t kProfileName[] = L"NumbrookPreviewCloseTest";
const wchar_t kProfileKey[] = L"Software\\Ferrow Software\\NumbrookPreviewCloseTest";
const UINT kPrintPreview = 0xE109;  // ID_FILE_PRINT_PREVIEW
const UINT kAppExit = 0xE141;       // ID_APP_EXIT, also the tray menu's Exit
const int kMenuBarId = 59398;
const wchar_t kPrinterBoxCaption[] = L"Print";

std::wstring AppDataWorksheet() {
  wchar_t folder[MAX_PATH] = {};
  ::GetEnvironmentVariableW(L"APPDATA", folder, MAX_PATH);
  return std::wstring(folder) + L"\\Ferrow Software\\Numbrook\\NumbrookDoc.txt";
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
  bytes.clear();
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  ::CloseHandle(file);
  return true;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
}

// An environment variable of this process for the life of the object (the programs it starts
// inherit it), then as it was.
class EnvironmentScope {
public:
  EnvironmentScope(const wchar_t* name, const wchar_t* value) : m_name(name) {
    wchar_t old[1024];
    const DWORD length = ::GetEnvironmentVariableW(name, old, 1024);
    m_had = length > 0 && length < 1024;
    if (m_had) m_old = old;
    ::SetEnvironmentVariableW(name, value);
  }
  ~EnvironmentScope() { ::SetEnvironmentVariableW(m_name.c_str(), m_had ? m_old.c_str() : nullptr); }
  EnvironmentScope(const EnvironmentScope&) = delete;
  EnvironmentScope& operator=(const EnvironmentScope&) = delete;

private:
  std::wstring m_name, m_old;
  bool m_had = false;
};

// The frame and each visible window below it, with its place and style: what the user sees of it.
typedef std::tuple<int, LONG, LONG, LONG, LONG, LONG_PTR> ChildLook;  // id, left, top, right, bottom, style
ChildLook LookOf(HWND hWnd, int id) {
  RECT r;
  ::GetWindowRect(hWnd, &r);
  return ChildLook(id, r.left, r.top, r.right, r.bottom, ::GetWindowLongPtrW(hWnd, GWL_STYLE));
}
// The browser control of a command panel: its own windows come and go as it navigates, on its
// own time, and are not the frame's.
const int kPanelBrowserId = 2054;
bool InsideBrowser(HWND hWnd) {
  for (HWND parent = ::GetParent(hWnd); parent != nullptr; parent = ::GetParent(parent))
    if (::GetDlgCtrlID(parent) == kPanelBrowserId) return true;
  return false;
}

std::vector<ChildLook> FrameLook(HWND frame) {
  std::vector<ChildLook> look = {LookOf(frame, 0)};
  ::EnumChildWindows(
      frame,
      [](HWND child, LPARAM param) -> BOOL {
        if (::IsWindowVisible(child) && !InsideBrowser(child))
          reinterpret_cast<std::vector<ChildLook>*>(param)->push_back(LookOf(child, ::GetDlgCtrlID(child)));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&look));
  std::sort(look.begin(), look.end());
  return look;
}

// What differs between two looks of the frame, for a failure's message.
std::string LookChanges(const std::vector<ChildLook>& before, const std::vector<ChildLook>& after) {
  std::string text;
  auto add = [&](const char* what, const ChildLook& l) {
    text += std::string("\n") + what + " id " + std::to_string(std::get<0>(l)) + " (" + std::to_string(std::get<1>(l)) +
            "," + std::to_string(std::get<2>(l)) + ")-(" + std::to_string(std::get<3>(l)) + "," +
            std::to_string(std::get<4>(l)) + ") style " + std::to_string((long long)std::get<5>(l));
  };
  for (const ChildLook& l : before)
    if (std::find(after.begin(), after.end(), l) == after.end()) add("was", l);
  for (const ChildLook& l : after)
    if (std::find(before.begin(), before.end(), l) == before.end()) add("now", l);
  return text;
}

// A window of the frame by its id, wherever it is docked.
HWND FindBar(HWND frame, int id) {
  std::pair<int, HWND> search = {id, nullptr};
  ::EnumChildWindows(
      frame,
      [](HWND child, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<std::pair<int, HWND>*>(param);
        if (::GetDlgCtrlID(child) != s->first) return TRUE;
        s->second = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

// The frame's bars the user sees (menu bar, toolbars, status bar, caption bar, command panels).
std::set<int> VisibleBars(HWND frame) {
  std::set<int> ids;
  for (int id : {kMenuBarId, 100, 401, 402, 0xE801, 22816, 22817}) {
    HWND bar = FindBar(frame, id);
    if (bar != nullptr && ::IsWindowVisible(bar)) ids.insert(id);
  }
  return ids;
}

bool IsMenuBarShown(HWND frame) { return VisibleBars(frame).count(kMenuBarId) != 0; }

// The visible top-level windows of a process but its frame.
std::vector<HWND> OtherWindows(DWORD pid, HWND frame) {
  std::pair<DWORD, std::vector<HWND>> search = {pid, {}};
  ::EnumWindows(
      [](HWND hWnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(param);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hWnd, &owner);
        if (owner == s->first && ::IsWindowVisible(hWnd)) s->second.push_back(hWnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  search.second.erase(std::remove(search.second.begin(), search.second.end(), frame), search.second.end());
  return search.second;
}

// A message round trip: the program has handled everything posted to the frame before.
bool RoundTrip(HWND frame) {
  DWORD_PTR answer = 0;
  return ::SendMessageTimeoutW(frame, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &answer) != 0;
}

// The printer box once it shows: the print dialog that raises it has the same caption but never
// shows.
HWND PrinterBox(const StartedProgram& program) {
  HWND box = nullptr;
  PumpUntil([&] {
    for (HWND other : OtherWindows(program.Pid(), nullptr)) {
      wchar_t caption[64] = {};
      ::GetWindowTextW(other, caption, 64);
      if (wcscmp(caption, kPrinterBoxCaption) == 0) box = other;
    }
    return box != nullptr;
  });
  return box;
}

// Answers a message box with OK once it runs its own message loop.
bool AnswerBox(HWND box) {
  if (!RoundTrip(box)) return false;
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  return PumpUntil([&] { return !::IsWindow(box); });
}

DWORD ExitCode(const StartedProgram& program) {
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(program.Process(), &code);
  return code;
}

class ProgramWithItsOwnProfile : public ::testing::Test {
protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
    m_hadWorksheet = ReadFileBytes(AppDataWorksheet(), m_worksheet);
    WriteFileBytes(AppDataWorksheet(), "");
  }
  void TearDown() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
    if (m_hadWorksheet) WriteFileBytes(AppDataWorksheet(), m_worksheet);
    else ::DeleteFileW(AppDataWorksheet().c_str());
  }
  // The program with this test's profile.
  std::unique_ptr<NumbrookProcess> Start() {
    EnvironmentScope profile(L"NUMBROOK_PROFILE", kProfileName);
    return std::make_unique<NumbrookProcess>(m_folder.Path(), L"");
  }

  ProgramFolder m_folder{kProgramFiles};
  std::string m_worksheet;
  bool m_hadWorksheet = false;
};

// ---- a close while the preview is shown -------------------------------------------------------------

struct CloseRoute {
  const char* name;
  UINT message;
  WPARAM wParam;
};

class PreviewCloseRoutes : public ProgramWithItsOwnProfile, public ::testing::WithParamInterface<CloseRoute> {};

TEST_P(PreviewCloseRoutes, EndTheProgramWithTheLayoutTheUserHad) {
  std::set<int> bars;
  {
    auto program = Start();
    HWND frame = program->Frame(true);
    ASSERT_NE(nullptr, frame);
    ASSERT_TRUE(PumpUntil([&] { return IsMenuBarShown(frame); }));
    bars = VisibleBars(frame);
    ::PostMessageW(frame, WM_COMMAND, kPrintPreview, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsMenuBarShown(frame); })) << "the preview took the frame";
    ::PostMessageW(frame, GetParam().message, GetParam().wParam, 0);
    ASSERT_TRUE(program->Ended());
    EXPECT_EQ(0u, ExitCode(*program));
  }
  auto again = Start();
  HWND frame = again->Frame(true);
  ASSERT_NE(nullptr, frame);
  EXPECT_TRUE(PumpUntil([&] { return VisibleBars(frame) == bars; })) << "every bar is back";
  EXPECT_TRUE(IsMenuBarShown(frame));
}

INSTANTIATE_TEST_SUITE_P(PreviewClose, PreviewCloseRoutes,
                         ::testing::Values(CloseRoute{"WindowClose", WM_CLOSE, 0},
                                           CloseRoute{"ExitCommand", WM_COMMAND, kAppExit}),
                         [](const ::testing::TestParamInfo<CloseRoute>& info) { return std::string(info.param.name); });

// ---- no printer installed ---------------------------------------------------------------------------

using NoPrinterPreview = ProgramWithItsOwnProfile;

TEST_F(NoPrinterPreview, TheBoxTellsOnceAndTheFrameStaysAsItWas) {
  auto program = Start();
  HWND frame = program->Frame(true);
  ASSERT_NE(nullptr, frame);
  ASSERT_TRUE(PumpUntil([&] { return IsMenuBarShown(frame); }));
  // The frame as it settles after its start: the command panel's browser made (at the first idle
  // time), and the same before and after a message round trip.
  std::vector<ChildLook> before;
  ASSERT_TRUE(PumpUntil([&] {
    before = FrameLook(frame);
    return FindBar(frame, kPanelBrowserId) != nullptr && RoundTrip(frame) && FrameLook(frame) == before;
  }));

  ::PostMessageW(frame, WM_COMMAND, kPrintPreview, 0);
  HWND box = PrinterBox(*program);
  ASSERT_NE(nullptr, box) << "the system's box asks for a printer";
  ASSERT_TRUE(AnswerBox(box));
  ASSERT_TRUE(RoundTrip(frame));
  EXPECT_TRUE(OtherWindows(program->Pid(), frame).empty()) << "no second message follows";
  EXPECT_TRUE(PumpUntil([&] { return FrameLook(frame) == before; })) << "nothing of the preview stays"
                                                                      << LookChanges(before, FrameLook(frame));
}

TEST_F(NoPrinterPreview, CloseWhileTheBoxIsUpEndsCleanlyAndLosesNothing) {
  {
    auto program = Start();
    HWND frame = program->Frame(true);
    ASSERT_NE(nullptr, frame);
    auto panes = WorksheetPanes(frame);
    ASSERT_NE(nullptr, panes.first);
    Type(panes.first, L"6*7");
    ASSERT_TRUE(PumpUntil([&] { return EditorText(panes.second) == L"42"; })) << EditorText(panes.second).c_str();

    ::PostMessageW(frame, WM_COMMAND, kPrintPreview, 0);
    HWND box = PrinterBox(*program);
    ASSERT_NE(nullptr, box);
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    ASSERT_TRUE(RoundTrip(frame));
    EXPECT_TRUE(::IsWindow(frame)) << "the frame stays while the box is up";
    EXPECT_TRUE(::IsWindow(box));

    ASSERT_TRUE(AnswerBox(box));
    ASSERT_TRUE(program->Ended()) << "the close comes once the box is answered";
    EXPECT_EQ(0u, ExitCode(*program));
  }
  std::string saved;
  EXPECT_TRUE(ReadFileBytes(AppDataWorksheet(), saved));
  EXPECT_EQ("6*7", saved);

  auto again = Start();
  HWND frame = again->Frame(true);
  ASSERT_NE(nullptr, frame);
  EXPECT_TRUE(PumpUntil([&] { return IsMenuBarShown(frame); })) << "the saved layout has its menu bar";
}

}  // namespace
