// The link button: the text it hands to the shell, clicks and keys that open it, a disabled
// button, and fitting the window to its caption.
#include "ColorTestKit.h"
#include "looks/UfxURLLinkButton.h"
#include <string>

using namespace color_test;

namespace {

struct ShellCall {
  std::wstring file;
  bool verb, params, dir;
  INT show;
};
std::vector<ShellCall> g_calls;
INT_PTR g_result = 42;

HINSTANCE WINAPI FakeShellExecute(HWND, LPCWSTR lpVerb, LPCWSTR lpFile, LPCWSTR lpParams, LPCWSTR lpDir, INT nShow) {
  g_calls.push_back({lpFile != nullptr ? lpFile : L"", lpVerb != nullptr, lpParams != nullptr, lpDir != nullptr, nShow});
  return (HINSTANCE)g_result;
}

class LinkButton : public ColorTest {
protected:
  void SetUp() override {
    ColorTest::SetUp();
    g_calls.clear();
    g_result = 42;
    m_saved = CUfxURLLinkButton::s_pfnShellExecute;
    CUfxURLLinkButton::s_pfnShellExecute = FakeShellExecute;
    ASSERT_TRUE(parent.Make());
  }
  void TearDown() override {
    if (link.GetSafeHwnd() != nullptr) link.DestroyWindow();
    parent.DestroyWindow();
    CUfxURLLinkButton::s_pfnShellExecute = m_saved;
    ColorTest::TearDown();
  }
  void Make(LPCWSTR lpszCaption, const CRect& rect = CRect(20, 20, 180, 44)) {
    ASSERT_TRUE(link.Create(lpszCaption, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rect, &parent, 77));
  }
  void Click() {
    ::SetCursorPos(0, 0);
    link.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    link.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpRoundTrip(link.GetSafeHwnd());
  }
  BOOL Key(UINT message, UINT nKey) {
    MSG msg = {link.GetSafeHwnd(), message, nKey, 0};
    return link.PreTranslateMessage(&msg);
  }
  CCommandRecorder parent;
  CUfxURLLinkButton link;
  CUfxURLLinkButton::PFN_SHELLEXECUTE m_saved = nullptr;
};

TEST_F(LinkButton, ACLickHandsThePrefixAndTheTargetToTheShell) {
  const struct {
    const wchar_t *caption, *url, *prefix, *expected;
  } cases[] = {{L"www.example.com", L"", L"", L"www.example.com"},
               {L"Our web site", L"http://www.example.com/", L"", L"http://www.example.com/"},
               {L"team@example.com", L"", L"mailto:", L"mailto:team@example.com"},
               {L"Write to us", L"team@example.com", L"mailto:", L"mailto:team@example.com"}};
  for (const auto& c : cases) {
    Make(c.caption);
    link.SetURL(c.url);
    link.SetURLPrefix(c.prefix);
    g_calls.clear();
    Click();
    ASSERT_EQ(1u, g_calls.size()) << c.expected;
    EXPECT_EQ(std::wstring(c.expected), g_calls[0].file);
    EXPECT_FALSE(g_calls[0].verb || g_calls[0].params || g_calls[0].dir);
    EXPECT_EQ(SW_SHOWNORMAL, g_calls[0].show);
    EXPECT_FALSE(link.IsHighlighted());
    link.DestroyWindow();
  }
  link.SetURLPrefix(nullptr);
  EXPECT_TRUE(link.m_strPrefix.IsEmpty());
}

TEST_F(LinkButton, EnterOpensTheLinkOnceWhenTheKeyComesUp) {
  Make(L"www.example.com");
  EXPECT_TRUE(Key(WM_KEYDOWN, VK_RETURN));
  EXPECT_TRUE(g_calls.empty());
  EXPECT_TRUE(Key(WM_KEYUP, VK_RETURN));
  EXPECT_EQ(1u, g_calls.size());
  // Space is swallowed both ways and opens nothing; the parent hears of neither key.
  EXPECT_TRUE(Key(WM_KEYDOWN, VK_SPACE));
  EXPECT_TRUE(Key(WM_KEYUP, VK_SPACE));
  EXPECT_EQ(1u, g_calls.size());
  PumpRoundTrip(parent.GetSafeHwnd());
  EXPECT_EQ(0, parent.Count(77));
}

TEST_F(LinkButton, ADisabledLinkIgnoresClicksAndKeys) {
  Make(L"www.example.com");
  link.EnableWindow(FALSE);
  Click();
  Key(WM_KEYUP, VK_RETURN);
  EXPECT_TRUE(g_calls.empty());
  link.EnableWindow(TRUE);
  Click();
  EXPECT_EQ(1u, g_calls.size());
}

TEST_F(LinkButton, ALinkTheShellCannotOpenChangesNothingElse) {
  Make(L"nowhere:at-all");
  g_result = 2;  // file not found
  Click();
  EXPECT_EQ(1u, g_calls.size());
  EXPECT_TRUE(::IsWindow(link.GetSafeHwnd()));
}

TEST_F(LinkButton, SizingToTheCaptionKeepsTheCentreWhereAsked) {
  const CString caption = L"www.example.com";
  CSize sizeText;
  {
    CClientDC dc(&parent);
    CFont* pOld = dc.SelectObject(&UfxGlobalData.fontUnderline);
    CRect r(0, 0, 0, 0);
    dc.DrawText(caption, r, DT_SINGLELINE | DT_CALCRECT);
    dc.SelectObject(pOld);
    sizeText = r.Size();
  }
  const CRect rectStart(20, 20, 220, 60);
  const struct {
    BOOL v, h;
  } cases[] = {{FALSE, FALSE}, {TRUE, FALSE}, {FALSE, TRUE}, {TRUE, TRUE}};
  for (const auto& c : cases) {
    Make(caption, rectStart);
    const CSize size = link.SizeToContent(c.v, c.h);
    EXPECT_EQ(CSize(sizeText.cx + 6, sizeText.cy + 6), size);
    CRect rect;
    link.GetWindowRect(rect);
    parent.ScreenToClient(rect);
    EXPECT_EQ(size, rect.Size());
    EXPECT_EQ(c.h ? rectStart.CenterPoint().x - size.cx / 2 : rectStart.left, rect.left) << c.v << c.h;
    EXPECT_EQ(c.v ? rectStart.CenterPoint().y - size.cy / 2 : rectStart.top, rect.top) << c.v << c.h;
    link.DestroyWindow();
  }
}

}  // namespace
