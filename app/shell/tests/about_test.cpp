// The About box: its product text from the resource library, and links that hand the shell a
// mail address (behind "mailto:") or the plain target they carry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AboutDlg.h"
#include "Framework.h"
#include "TestPump.h"

namespace {

class CAboutTestApp : public CWinApp {
public:
  CAboutTestApp() : CWinApp(L"AboutTest") {}
};
CAboutTestApp theApp;

std::vector<std::wstring> g_opened;

HINSTANCE WINAPI RecordShellExecute(HWND, LPCWSTR, LPCWSTR lpFile, LPCWSTR, LPCWSTR, INT) {
  g_opened.push_back(lpFile != nullptr ? lpFile : L"");
  return reinterpret_cast<HINSTANCE>(42);
}

class About : public ::testing::Test {
protected:
  void SetUp() override {
    m_hResx = ::LoadLibraryW(L"BrookResx.dll");
    ASSERT_NE(nullptr, m_hResx);
    m_hSaved = AfxGetResourceHandle();
    AfxSetResourceHandle(m_hResx);
    m_pfnSaved = CUfxURLLinkButton::s_pfnShellExecute;
    CUfxURLLinkButton::s_pfnShellExecute = RecordShellExecute;
    g_opened.clear();
  }
  void TearDown() override {
    CUfxURLLinkButton::s_pfnShellExecute = m_pfnSaved;
    AfxSetResourceHandle(m_hSaved);
    ::FreeLibrary(m_hResx);
  }
  HMODULE m_hResx = nullptr;
  HINSTANCE m_hSaved = nullptr;
  CUfxURLLinkButton::PFN_SHELLEXECUTE m_pfnSaved = nullptr;
};

TEST_F(About, ShowsTheProductTextAndOpensItsLinks) {
  CAboutDlg about;
  ASSERT_TRUE(about.Create(IDD_ABOUTBOX, nullptr));
  about.ShowWindow(SW_SHOWNOACTIVATE);
  CString strProduct, strShown;
  strProduct.LoadString(IDS_ABOUT_PRODUCT);
  ASSERT_FALSE(strProduct.IsEmpty());
  about.GetDlgItemText(IDC_ABOUT_TEXT, strShown);
  EXPECT_EQ(std::wstring(strProduct), std::wstring(strShown));
  struct Case {
    int id;
    bool mail;
  } cases[] = {{IDC_ABOUT_MAIL, true}, {IDC_ABOUT_MAIL_SECOND, true}, {IDC_ABOUT_LINK, false}};
  for (const Case& c : cases) {
    CWnd* pLink = about.GetDlgItem(c.id);
    ASSERT_NE(nullptr, pLink);
    CString strCaption;
    pLink->GetWindowText(strCaption);
    const size_t before = g_opened.size();
    pLink->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    pLink->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    ASSERT_TRUE(PumpUntil([&] { return g_opened.size() > before; })) << c.id;
    EXPECT_EQ(std::wstring(c.mail ? L"mailto:" : L"") + std::wstring(strCaption), g_opened.back()) << c.id;
  }
  about.DestroyWindow();
}

}  // namespace
