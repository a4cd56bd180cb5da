// User tools: the icon of the program (found on the search path or not), loaded once per command;
// starting the program; the archive's layout; drawing the icon and copying it to the clipboard.
#include "CommandBarsTestKit.h"
#include "bars/UfxUserTool.h"
#include <fstream>

using namespace command_bars_test;

namespace {

// A tool that counts how often it loads an icon and shows its default icon.
class CCountingTool : public CUfxUserTool {
public:
  int loads = 0;
  HICON DefaultIcon() { return GetDefaultIcon(); }
protected:
  HICON LoadIcon() override {
    ++loads;
    return CUfxUserTool::LoadIcon();
  }
};

std::wstring ProgramFolder() {
  wchar_t szPath[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
  std::wstring path = szPath;
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

class UserToolTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { hResx = ::LoadLibraryW(L"BrookResx.dll"); }
  void SetUp() override {
    ASSERT_NE(nullptr, hResx) << "BrookResx.dll not found beside the program";
    AfxSetResourceHandle(hResx);
  }
  static HMODULE hResx;
};
HMODULE UserToolTest::hResx = nullptr;

TEST_F(UserToolTest, ABareNameOnTheSearchPathShowsThatProgramsIconAndAnUnknownOneTheDefault) {
  CCountingTool tool;
  const HICON hDefault = tool.DefaultIcon();
  ASSERT_NE(nullptr, hDefault) << "icon 16931 of the resource library";
  const struct {
    const wchar_t* command;
    bool isDefault;
  } cases[] = {{L"notepad.exe", false}, {L"no-such-program-here.exe", true}, {L"", true}};
  for (const auto& c : cases) {
    tool.SetCommand(c.command);
    ASSERT_NE(nullptr, tool.GetIcon());
    EXPECT_EQ(c.isDefault, tool.GetIcon() == hDefault) << CString(c.command);
  }
}

TEST_F(UserToolTest, SettingTheSameCommandAgainKeepsTheIcon) {
  CCountingTool tool;
  tool.SetCommand(L"notepad.exe");
  const HICON hIcon = tool.GetIcon();
  tool.SetCommand(L"notepad.exe");
  EXPECT_EQ(1, tool.loads);
  EXPECT_EQ(hIcon, tool.GetIcon());
  tool.SetCommand(L"winhlp32.exe");
  EXPECT_EQ(2, tool.loads);
}

TEST_F(UserToolTest, InvokeStartsTheProgramOrAnswersFalseForNoCommand) {
  CUfxUserTool none;
  none.m_strArguments = L"whatever";
  EXPECT_FALSE(none.Invoke());

  const std::wstring marker = ProgramFolder() + L"usertool-marker-" + std::to_wstring(::GetCurrentProcessId()) + L".txt";
  ::DeleteFileW(marker.c_str());
  CUfxUserTool tool;
  tool.SetCommand((ProgramFolder() + L"bars_usertool_marker.exe").c_str());
  tool.m_strArguments = (L"\"" + marker + L"\"").c_str();
  tool.m_strInitialDirectory = ProgramFolder().c_str();
  ASSERT_TRUE(tool.Invoke());
  EXPECT_TRUE(PumpUntil([&] { return ::GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, 15000));
  std::ifstream in(marker.c_str(), std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  EXPECT_EQ("started", text);
  ::DeleteFileW(marker.c_str());
}

TEST_F(UserToolTest, TheArchiveIsTextCommandArgumentsDirectoryThenTheId) {
  CUfxUserTool tool;
  tool.m_strLabel = L"T";
  tool.SetCommand(L"c");
  tool.m_strArguments = L"-a";
  tool.m_strInitialDirectory = L"";
  tool.m_uiCmdId = 0x8102;
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    tool.Serialize(ar);
  }
  std::vector<BYTE> bytes((size_t)file.GetLength());
  file.SeekToBegin();
  file.Read(bytes.data(), (UINT)bytes.size());
  const std::vector<BYTE> expected = {0xFF, 0xFE, 0xFF, 1, 'T', 0,                 // text
                                      0xFF, 0xFE, 0xFF, 1, 'c', 0,                 // command
                                      0xFF, 0xFE, 0xFF, 2, '-', 0, 'a', 0,         // arguments
                                      0xFF, 0xFE, 0xFF, 0,                         // directory
                                      0x02, 0x81, 0, 0};                           // id
  EXPECT_EQ(expected, bytes);

  CCountingTool loaded;
  file.SeekToBegin();
  CArchive ar(&file, CArchive::load);
  loaded.Serialize(ar);
  EXPECT_EQ(CString(L"T"), loaded.m_strLabel);
  EXPECT_EQ(CString(L"c"), loaded.GetCommand());
  EXPECT_EQ(CString(L"-a"), loaded.m_strArguments);
  EXPECT_EQ(0x8102u, loaded.m_uiCmdId);
  EXPECT_EQ(1, loaded.loads) << "the command brings its icon";
}

TEST_F(UserToolTest, TheIconIsDrawnCentredAndCopiedToTheClipboard) {
  CUfxUserTool tool;
  tool.SetCommand(L"no-such-program-here.exe");
  const CSize sizeIcon(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
  CWindowDC dcScreen(nullptr);
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(&dcScreen));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dcScreen, 64, 64));
  CBitmap* pOld = dc.SelectObject(&bitmap);
  const COLORREF clrBack = RGB(1, 2, 3);
  dc.FillSolidRect(0, 0, 64, 64, clrBack);
  tool.DrawIcon(&dc, CRect(0, 0, 64, 64));
  const int nLeft = (64 - sizeIcon.cx) / 2;
  int nOutside = 0, nInside = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const bool bInIcon = x >= nLeft && x < nLeft + sizeIcon.cx && y >= nLeft && y < nLeft + sizeIcon.cy;
      const bool bChanged = dc.GetPixel(x, y) != clrBack;
      nOutside += !bInIcon && bChanged;
      nInside += bInIcon && bChanged;
    }
  dc.SelectObject(pOld);
  EXPECT_EQ(0, nOutside);
  EXPECT_GT(nInside, sizeIcon.cx * sizeIcon.cy / 4);

  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  EXPECT_TRUE(tool.CopyIconToClipboard());
  EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
}

}  // namespace
