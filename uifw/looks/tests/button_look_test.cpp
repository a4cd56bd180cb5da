// The button appearance dialog over a frame: what OK refuses, the accelerator part of a text, the
// user images it offers in its grid (scrolling, End and Home), and a user image chosen for a
// button. The dialog runs modally; the tests act from a timer inside its loop.
#include "Framework.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolBarImages.h"
#include "bars/UfxToolbarButton.h"
#include "frames/UfxCommandManager.h"
#include "looks/UfxButtonLookDlg.h"
#include "looks/UfxImageGridCtrl.h"
#include "ColorTestKit.h"
#include "TestPump.h"
#include <gtest/gtest.h>
#include <functional>
#include <vector>

namespace {

const UINT kCmdWithImage = 0xE101;     // has a standard image
const UINT kCmdWithoutImage = 0xE102;  // has none

class CLookTestApp : public CWinApp {
public:
  CLookTestApp() : CWinApp(L"UfxButtonLookTest") {}
  std::vector<CString> boxes;
  int DoMessageBox(LPCWSTR lpszPrompt, UINT, UINT) override {
    boxes.push_back(lpszPrompt);
    return IDOK;
  }
};
CLookTestApp theApp;

CString ResourceString(UINT uiID) {
  CString str;
  str.LoadString(uiID);
  return str;
}

class ButtonLook : public ::testing::Test {
protected:
  void SetUp() override {
    m_hResx = ::LoadLibraryW(L"BrookResx.dll");
    ASSERT_NE(nullptr, m_hResx);
    m_hSaved = AfxGetResourceHandle();
    AfxSetResourceHandle(m_hResx);
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Looks", WS_POPUP, CRect(40, 40, 440, 340)));
    UfxGetCommandManager()->CleanUp();
    UfxGetCommandManager()->SetCmdImage(kCmdWithImage, 2, FALSE);
    theApp.boxes.clear();
  }
  void TearDown() override {
    UfxGetCommandManager()->CleanUp();
    if (frame != nullptr && ::IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();  // deletes itself
    PumpPending();
    AfxSetResourceHandle(m_hSaved);
    ::FreeLibrary(m_hResx);
  }

  // User images: nImages pictures of 16 x 15, image i filled with a grey of its own.
  void MakeUserImages(int nImages) {
    CClientDC dcScreen(nullptr);
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dcScreen);
    CBitmap strip;
    strip.CreateCompatibleBitmap(&dcScreen, 16 * nImages, 15);
    CBitmap* pOld = dcMem.SelectObject(&strip);
    for (int i = 0; i < nImages; i++) dcMem.FillSolidRect(CRect(16 * i, 0, 16 * i + 16, 15), RGB(i, 100, 50));
    dcMem.SelectObject(pOld);
    userImages.SetImageSize(CSize(16, 15));
    ASSERT_EQ(nImages - 1, userImages.AddImage((HBITMAP)strip.GetSafeHandle()));  // the last one added
    ASSERT_EQ(nImages, userImages.GetCount());
  }

  // Runs the dialog; the action runs inside its modal loop and must end it.
  int RunDialog(CUfxButtonLookDlg& dlg, std::function<void(CUfxButtonLookDlg&)> action) {
    bool bActed = false;
    color_test::RunSoon([&] {
      bActed = true;
      action(dlg);
    });
    const int nResult = (int)dlg.DoModal();
    EXPECT_TRUE(bActed);
    return nResult;
  }

  static void Click(CUfxButtonLookDlg& dlg, UINT uiID) {
    if (uiID >= CUfxButtonLookDlg::kImageOnly && uiID <= CUfxButtonLookDlg::kImageAndText)
      ::CheckRadioButton(dlg.m_hWnd, CUfxButtonLookDlg::kImageOnly, CUfxButtonLookDlg::kImageAndText, uiID);
    if (uiID == CUfxButtonLookDlg::kUserImage || uiID == CUfxButtonLookDlg::kDefaultImage) ::CheckDlgButton(dlg.m_hWnd, uiID, BST_CHECKED);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(uiID, BN_CLICKED), (LPARAM)::GetDlgItem(dlg.m_hWnd, uiID));
  }

  HMODULE m_hResx = nullptr;
  HINSTANCE m_hSaved = nullptr;
  CFrameWnd* frame = nullptr;
  CUfxToolBarImages userImages;
};

TEST_F(ButtonLook, OKRefusesAMissingImageOrAnEmptyTextAndStaysOpen) {
  const struct {
    const char* name;
    UINT uiCmd;
    UINT uiDisplay;
    const wchar_t* text;
    UINT uiMessage;  // 0: accepted
  } cases[] = {
      {"image only, default radio, no standard image", kCmdWithoutImage, CUfxButtonLookDlg::kImageOnly, L"Open", 16001},
      {"text only with an empty text", kCmdWithImage, CUfxButtonLookDlg::kTextOnly, L"", 16002},
      {"image and text with an empty text", kCmdWithImage, CUfxButtonLookDlg::kImageAndText, L"", 16002},
      {"image only with the standard image", kCmdWithImage, CUfxButtonLookDlg::kImageOnly, L"", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    theApp.boxes.clear();
    CUfxToolbarButton button(c.uiCmd, -1, L"Open");
    button.m_bUserButton = FALSE;
    CUfxButtonLookDlg dlg(&button, nullptr, frame);
    bool bStayedOpen = false;
    const int nResult = RunDialog(dlg, [&](CUfxButtonLookDlg& d) {
      Click(d, c.uiDisplay);
      Click(d, CUfxButtonLookDlg::kDefaultImage);
      d.SetDlgItemText(CUfxButtonLookDlg::kTextEdit, c.text);
      d.SendMessage(WM_COMMAND, IDOK);
      bStayedOpen = ::IsWindow(d.m_hWnd) && !theApp.boxes.empty();
      d.PostMessage(WM_COMMAND, IDCANCEL);
    });
    if (c.uiMessage == 0) {
      EXPECT_EQ(IDOK, nResult);
      EXPECT_TRUE(theApp.boxes.empty());
      EXPECT_EQ(2, button.GetImage());
      EXPECT_TRUE(button.m_bImage);
      EXPECT_FALSE(button.m_bText);
    } else {
      EXPECT_EQ(IDCANCEL, nResult);
      EXPECT_TRUE(bStayedOpen);
      ASSERT_EQ(1u, theApp.boxes.size());
      EXPECT_EQ(ResourceString(c.uiMessage), theApp.boxes[0]);
    }
  }
}

TEST_F(ButtonLook, TheAcceleratorPartOfTheTextIsKeptButNotEdited) {
  CUfxToolbarButton button(kCmdWithImage, 2, L"Save &As\tCtrl+S");
  button.m_bText = TRUE;
  CUfxButtonLookDlg dlg(&button, nullptr, frame);
  CString strShown;
  EXPECT_EQ(IDOK, RunDialog(dlg, [&](CUfxButtonLookDlg& d) {
              d.GetDlgItemText(CUfxButtonLookDlg::kTextEdit, strShown);
              d.SetDlgItemText(CUfxButtonLookDlg::kTextEdit, L"Store &Under");
              d.PostMessage(WM_COMMAND, IDOK);
            }));
  EXPECT_EQ(CString(L"Save &As"), strShown);
  EXPECT_EQ(CString(L"Store &Under\tCtrl+S"), button.m_strText);
}

TEST_F(ButtonLook, TheGridScrollsByRowsAndEndBringsTheLastImageIntoView) {
  MakeUserImages(60);
  CUfxToolbarButton button(kCmdWithoutImage, -1, L"Mine");
  button.m_bUserButton = TRUE;
  button.m_iUserImage = 0;
  CUfxButtonLookDlg dlg(&button, &userImages, frame);
  RunDialog(dlg, [&](CUfxButtonLookDlg& d) {
    CUfxImageGridCtrl& grid = d.GetImageGrid();
    ASSERT_EQ(60, grid.GetCount());
    ASSERT_NE(nullptr, grid.GetScrollBar().GetSafeHwnd());  // more rows than fit
    const int iRowStep = 15 + 7 + 5;
    EXPECT_EQ(0, grid.GetScrollMax() % iRowStep);
    EXPECT_GT(grid.GetScrollMax(), 0);
    ASSERT_NE(nullptr, grid.GetSelected());
    EXPECT_EQ(0, grid.GetSelected()->GetImage());

    // Scrolling, always within 0..maximum.
    const struct {
      UINT code;
      UINT pos;
      int expected;  // -1: the maximum
    } steps[] = {{SB_LINEDOWN, 0, iRowStep},
                 {SB_LINEUP, 0, 0},
                 {SB_LINEUP, 0, 0},
                 {SB_PAGEDOWN, 0, iRowStep * grid.GetRowsPerPage()},
                 {SB_BOTTOM, 0, -1},
                 {SB_LINEDOWN, 0, -1},
                 {SB_THUMBTRACK, (UINT)iRowStep + iRowStep / 2 + 1, 2 * iRowStep},
                 {SB_THUMBTRACK, (UINT)iRowStep + 3, iRowStep},
                 {SB_TOP, 0, 0}};
    for (const auto& s : steps) {
      grid.SendMessage(WM_VSCROLL, MAKEWPARAM(s.code, s.pos), (LPARAM)grid.GetScrollBar().GetSafeHwnd());
      EXPECT_EQ(s.expected < 0 ? grid.GetScrollMax() : std::min(s.expected, grid.GetScrollMax()), grid.GetScrollOffset())
          << "scroll code " << s.code;
    }

    // End selects the last image and scrolls it into view; Home goes back.
    grid.SetFocus();
    grid.SendMessage(WM_KEYDOWN, VK_END);
    ASSERT_NE(nullptr, grid.GetSelected());
    EXPECT_EQ(59, grid.GetSelected()->GetImage());
    CRect rectClient;
    grid.GetClientRect(rectClient);
    EXPECT_LE(grid.GetSelected()->Rect().bottom, rectClient.bottom);
    EXPECT_GE(grid.GetSelected()->Rect().top, rectClient.top);
    EXPECT_EQ(grid.GetScrollMax(), grid.GetScrollOffset());
    EXPECT_EQ(59, d.GetImageIndex());  // the dialog heard of the choice
    grid.SendMessage(WM_KEYDOWN, VK_LEFT);
    EXPECT_EQ(58, grid.GetSelected()->GetImage());
    grid.SendMessage(WM_KEYDOWN, VK_HOME);
    EXPECT_EQ(0, grid.GetSelected()->GetImage());
    EXPECT_EQ(0, grid.GetScrollOffset());
    d.PostMessage(WM_COMMAND, IDCANCEL);
  });
}

TEST_F(ButtonLook, AUserImagePickedInTheGridGoesToTheButton) {
  MakeUserImages(6);
  CUfxToolbarButton button(kCmdWithImage, 2, L"Open");
  CUfxButtonLookDlg dlg(&button, &userImages, frame);
  EXPECT_EQ(IDOK, RunDialog(dlg, [&](CUfxButtonLookDlg& d) {
              // The standard image first: the grid waits for the user-defined choice.
              EXPECT_TRUE(d.IsDlgButtonChecked(CUfxButtonLookDlg::kDefaultImage));
              EXPECT_FALSE(d.GetDlgItem(CUfxButtonLookDlg::kImageGrid)->IsWindowEnabled());
              Click(d, CUfxButtonLookDlg::kUserImage);
              EXPECT_TRUE(d.GetDlgItem(CUfxButtonLookDlg::kImageGrid)->IsWindowEnabled());
              EXPECT_FALSE(d.IsDlgButtonChecked(CUfxButtonLookDlg::kDefaultImage));
              // A click on the fourth image.
              CUfxImageGridCtrl& grid = d.GetImageGrid();
              POSITION pos = grid.m_Buttons.FindIndex(3);
              ASSERT_NE(nullptr, pos);
              const CPoint pt = grid.m_Buttons.GetAt(pos)->Rect().CenterPoint();
              grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
              EXPECT_EQ(3, d.GetImageIndex());
              EXPECT_TRUE(d.GetDlgItem(CUfxButtonLookDlg::kEditImage)->IsWindowEnabled());
              d.PostMessage(WM_COMMAND, IDOK);
            }));
  EXPECT_TRUE(button.m_bUserButton);
  EXPECT_EQ(3, button.GetImage());
  EXPECT_EQ(2, button.m_iImage);  // the standard image stays for a reset
}

}  // namespace
