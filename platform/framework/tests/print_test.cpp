// Printing and print preview on the PDF queue: a worksheet view printed in two columns, a long
// document over several pages with a header on each, a chosen page range; the preview with one
// and two pages, turning pages, zooming, the page description, and the frame given back.
// The jobs' PDF files are read by print_driver.sh beside this program, after the program ends:
// each job is listed in printjobs.txt with the pages it must have and texts they must hold.
#include "Framework.h"
#include <gtest/gtest.h>
#include <fstream>
#include <string>

class CPrintApp : public CWinApp {
public:
  CPrintApp() : CWinApp(L"FwPrintTest") {}
  std::vector<CString> boxes;
  int DoMessageBox(LPCWSTR p, UINT, UINT) override {
    boxes.push_back(p);
    return IDOK;
  }
};
static CPrintApp theApp;

struct Line {
  CString expression, result;
};

class CSheetDoc : public CDocument {
public:
  std::vector<Line> lines;
};

// Prints the document as a worksheet: expressions in the left half, results in the right, under
// a header with the title and "Page n of m"; half-inch margins, a 10-point font.
class CSheetView : public CView {
  DECLARE_DYNCREATE(CSheetView)
public:
  UINT rangeFrom = 0, rangeTo = 0;  // a range as if chosen in the print dialog
  int linesPerPage = 0;
  std::vector<UINT> printed;        // pages given to OnPrint
  std::vector<bool> printerAttrib;  // whether the DC answered for the printer then
  bool closeWhilePreparing = false;  // the frame is asked to close, as from a printer box, and no job comes
  CSheetDoc* Doc() const { return (CSheetDoc*)GetDocument(); }
  void OnDraw(CDC*) override {}
  BOOL OnPreparePrinting(CPrintInfo* pInfo) override {
    if (closeWhilePreparing) {
      GetParentFrame()->SendMessage(WM_CLOSE);
      return FALSE;
    }
    if (!DoPreparePrinting(pInfo)) return FALSE;
    if (rangeFrom != 0) {
      pInfo->m_pPD->m_pd.Flags |= PD_PAGENUMS;
      pInfo->m_pPD->m_pd.nFromPage = (WORD)rangeFrom;
      pInfo->m_pPD->m_pd.nToPage = (WORD)rangeTo;
    }
    return TRUE;
  }
  struct Layout {
    CRect page, header, body;
    int lineHeight;
  };
  static Layout Measure(CDC* pDC, CFont& font) {
    Layout l;
    int dpiX = pDC->GetDeviceCaps(LOGPIXELSX), dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    l.page.SetRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    l.header.SetRect(l.page.left + dpiX / 2, l.page.top + dpiY / 2, l.page.right - dpiX / 2,
                     l.page.top + dpiY / 2 + ::MulDiv(32, dpiY, 72));
    l.body.SetRect(l.header.left, l.header.bottom, l.header.right, l.page.bottom - dpiY / 2);
    font.CreateFont(-::MulDiv(10, dpiY, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
    CFont* old = pDC->SelectObject(&font);
    TEXTMETRICW tm;
    pDC->GetTextMetrics(&tm);
    l.lineHeight = tm.tmHeight + tm.tmExternalLeading;
    pDC->SelectObject(old);
    return l;
  }
  void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override {
    CFont font;
    Layout l = Measure(pDC, font);
    linesPerPage = l.body.Height() / l.lineHeight;
    int n = (int)Doc()->lines.size();
    pInfo->SetMaxPage((UINT)std::max(1, (n + linesPerPage - 1) / linesPerPage));
  }
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
    printed.push_back(pInfo->m_nCurPage);
    printerAttrib.push_back(pDC->IsPrinting() && pDC->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER);
    CFont font;
    Layout l = Measure(pDC, font);
    CFont* old = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(l.header.left, l.header.bottom - l.lineHeight * 2, Doc()->GetTitle());
    CString page;
    page.Format(L"Page %u of %u", pInfo->m_nCurPage, pInfo->GetMaxPage());
    CSize size = pDC->GetTextExtent(page);
    pDC->TextOut(l.header.right - size.cx, l.header.bottom - l.lineHeight * 2, page);
    size_t first = (size_t)(pInfo->m_nCurPage - 1) * linesPerPage;
    for (size_t i = first; i < Doc()->lines.size() && i < first + linesPerPage; ++i) {
      int y = l.body.top + (int)(i - first) * l.lineHeight;
      pDC->TextOut(l.body.left, y, Doc()->lines[i].expression);
      pDC->TextOut(l.body.left + l.body.Width() / 2, y, Doc()->lines[i].result);
    }
    pDC->SelectObject(old);
  }
};
IMPLEMENT_DYNCREATE(CSheetView, CView)

static std::string Utf8(const CString& s) {
  int n = ::WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, s, -1, &out[0], n, nullptr, nullptr);
  return out;
}

// What the driver checks in a job's PDF.
static void ExpectJob(const CString& title, int pages, const std::vector<std::pair<int, CString>>& texts) {
  std::ofstream out("printjobs.txt", std::ios::app | std::ios::binary);
  out << "JOB " << Utf8(title) << " " << pages << "\n";
  for (auto& t : texts) out << "PAGE " << t.first << " " << Utf8(t.second) << "\n";
}

// A frame with a menu, accelerators, a control bar, another bar window and a message bar around
// the worksheet view.
struct PrintFixture : ::testing::Test {
  CFrameWnd* frame = nullptr;
  CSheetDoc* doc = nullptr;
  CSheetView* view = nullptr;
  CWnd bar, status;
  CDialogBar dialogBar;
  HMENU menu = nullptr;
  HACCEL accel = nullptr;
  static int jobs;
  void SetUp() override {
    doc = new CSheetDoc;
    doc->m_bAutoDelete = FALSE;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CSheetView);
    context.m_pCurrentDoc = doc;
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Print", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 700), nullptr, nullptr,
                              0, &context));
    view = (CSheetView*)frame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
    ASSERT_NE(nullptr, view);
    frame->SetActiveView(view);
    menu = ::CreateMenu();
    ::AppendMenuW(menu, MF_STRING, ID_FILE_PRINT, L"&Print");
    ::SetMenu(frame->m_hWnd, menu);
    ACCEL a = {FVIRTKEY | FCONTROL, 'P', ID_FILE_PRINT};
    accel = frame->m_hAccelTable = ::CreateAcceleratorTableW(&a, 1);
    ASSERT_TRUE(bar.Create(L"STATIC", L"bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 800, 20), frame, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(status.Create(L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(0, 600, 800, 620), frame, AFX_IDW_STATUS_BAR));
    ASSERT_TRUE(dialogBar.Create(frame, 400, CBRS_TOP | WS_VISIBLE, AFX_IDW_DIALOGBAR));
    frame->RecalcLayout();
  }
  void TearDown() override {
    if (frame != nullptr) frame->DestroyWindow();
    delete doc;
    if (accel) ::DestroyAcceleratorTable(accel);
  }
  CString UniqueTitle(LPCWSTR what) {
    CString s;
    s.Format(L"FwPrint-%lu-%lu-%s", ::GetCurrentProcessId(), (unsigned long)::GetTickCount() % 100000, what);
    return s;
  }
  void Fill(int n) {
    for (int i = 1; i <= n; ++i) {
      Line l;
      l.expression.Format(L"line%03d := %d*2", i, i);
      l.result.Format(L"%d", i * 2);
      doc->lines.push_back(l);
    }
  }
  CString StatusText() const {
    CString s;
    status.GetWindowText(s);
    return s;
  }
  void Command(UINT id) { frame->SendMessage(WM_COMMAND, id, 0); }
};
int PrintFixture::jobs = 0;

TEST_F(PrintFixture, AWorksheetPrintsInTwoColumnsOnOnePage) {
  doc->SetTitle(UniqueTitle(L"sheet"));
  doc->lines = {{L"1+2; 3*4", L"3; 12"}, {L"x := 5", L"5"}, {L"x*2", L"10"}};
  Command(ID_FILE_PRINT_DIRECT);
  ASSERT_EQ(std::vector<UINT>{1}, view->printed);
  EXPECT_TRUE(view->printerAttrib[0]);
  ExpectJob(doc->GetTitle(), 1,
            {{1, doc->GetTitle()}, {1, L"Page 1 of 1"}, {1, L"1+2; 3*4"}, {1, L"3; 12"}, {1, L"x := 5"}, {1, L"x*2"},
             {1, L"10"}});
}

TEST_F(PrintFixture, ALongDocumentHasThePredictedPagesEachWithItsHeader) {
  doc->SetTitle(UniqueTitle(L"long"));
  Fill(300);
  Command(ID_FILE_PRINT_DIRECT);
  ASSERT_GT(view->linesPerPage, 10);
  const int pages = (300 + view->linesPerPage - 1) / view->linesPerPage;
  ASSERT_GT(pages, 1);
  EXPECT_EQ((size_t)pages, view->printed.size());
  std::vector<std::pair<int, CString>> texts;
  for (int p = 1; p <= pages; ++p) {
    CString header, firstLine;
    header.Format(L"Page %d of %d", p, pages);
    firstLine.Format(L"line%03d", (p - 1) * view->linesPerPage + 1);
    texts.push_back({p, header});
    texts.push_back({p, firstLine});
  }
  texts.push_back({pages, L"line300"});
  ExpectJob(doc->GetTitle(), pages, texts);
}

TEST_F(PrintFixture, AChosenPageRangePrintsOnlyThosePagesClippedToTheDocument) {
  Fill(300);
  struct Case {
    LPCWSTR what;
    UINT from, to;
  };
  for (const Case& c : {Case{L"range", 2, 3}, Case{L"clipped", 3, 999}}) {
    doc->SetTitle(UniqueTitle(c.what));
    view->printed.clear();
    view->rangeFrom = c.from;
    view->rangeTo = c.to;
    Command(ID_FILE_PRINT_DIRECT);
    const UINT pages = (300 + view->linesPerPage - 1) / view->linesPerPage;
    const UINT last = std::min(c.to, pages);
    std::vector<UINT> expected;
    std::vector<std::pair<int, CString>> texts;
    for (UINT p = c.from; p <= last; ++p) {
      expected.push_back(p);
      CString header;
      header.Format(L"Page %u of %u", p, pages);
      texts.push_back({(int)(p - c.from + 1), header});
    }
    EXPECT_EQ(expected, view->printed) << Utf8(c.what);
    ExpectJob(doc->GetTitle(), (int)expected.size(), texts);
  }
}

// Pixels of the window that are not the page's white or the frame's grey, inside a rectangle.
static int InkInside(CWnd* pWnd, const CRect& rc) {
  HDC dc = ::GetDC(pWnd->m_hWnd);
  int ink = 0;
  for (int y = rc.top + 2; y < rc.bottom - 2; y += 2)
    for (int x = rc.left + 2; x < rc.right - 2; x += 2) {
      COLORREF c = ::GetPixel(dc, x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300) ++ink;
    }
  ::ReleaseDC(pWnd->m_hWnd, dc);
  return ink;
}

TEST_F(PrintFixture, PreviewShowsPagesTurnsZoomsAndGivesTheFrameBack) {
  doc->SetTitle(L"Preview");
  Fill(300);
  Command(ID_FILE_PRINT_PREVIEW);
  auto* preview = DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView());
  ASSERT_NE(nullptr, preview) << "the preview took the view's place";
  EXPECT_EQ(AFX_IDW_PANE_FIRST, preview->GetDlgCtrlID());
  EXPECT_EQ(AFX_IDW_PANE_SAVE, view->GetDlgCtrlID());
  EXPECT_FALSE(view->IsWindowVisible());
  EXPECT_EQ(nullptr, ::GetMenu(frame->m_hWnd));
  EXPECT_EQ(nullptr, frame->m_hAccelTable);
  EXPECT_FALSE(bar.IsWindowVisible());
  EXPECT_FALSE(dialogBar.IsVisible()) << "control bars are put away";
  EXPECT_TRUE(status.IsWindowVisible()) << "the message bar shows the page";
  EXPECT_EQ(CString(L"Page 1"), StatusText());
  CWnd* buttons = frame->GetDlgItem(AFX_IDW_PREVIEW_BAR);
  ASSERT_NE(nullptr, buttons) << "the preview's bar of buttons";
  EXPECT_TRUE(buttons->IsWindowVisible());
  buttons->GetDlgItem(ID_PREVIEW_NEXT)->SendMessage(BM_CLICK);
  EXPECT_EQ(2u, preview->GetCurrentPage()) << "its Next button turns the page";
  buttons->GetDlgItem(ID_PREVIEW_PREV)->SendMessage(BM_CLICK);
  EXPECT_EQ(1u, preview->GetCurrentPage());

  // One page, with the printer's proportions, and the view's text on it.
  preview->UpdateWindow();
  const std::vector<CRect> one = preview->GetPageRects();
  ASSERT_EQ(1u, one.size());
  HDC printer = preview->GetPrintInfo()->m_pPD->m_pd.hDC;
  double printerRatio = ((double)::GetDeviceCaps(printer, HORZRES) / ::GetDeviceCaps(printer, LOGPIXELSX)) /
                        ((double)::GetDeviceCaps(printer, VERTRES) / ::GetDeviceCaps(printer, LOGPIXELSY));
  EXPECT_NEAR(printerRatio, (double)one[0].Width() / one[0].Height(), 0.02);
  ASSERT_FALSE(view->printed.empty());
  EXPECT_EQ(1u, view->printed.back());
  EXPECT_TRUE(view->printerAttrib.back()) << "the preview DC answers for the printer";
  EXPECT_GT(InkInside(preview, one[0]), 20) << "the page's text is drawn";

  Command(ID_PREVIEW_NEXT);
  EXPECT_EQ(2u, preview->GetCurrentPage());
  EXPECT_EQ(CString(L"Page 2"), StatusText());
  Command(ID_PREVIEW_PREV);
  EXPECT_EQ(CString(L"Page 1"), StatusText());
  Command(ID_PREVIEW_PREV);
  EXPECT_EQ(1u, preview->GetCurrentPage()) << "no page before the first";

  Command(ID_PREVIEW_NUMPAGE);
  EXPECT_EQ(2, preview->GetPagesShown());
  EXPECT_EQ(CString(L"Pages 1-2"), StatusText());
  view->printed.clear();
  preview->RedrawWindow();
  EXPECT_EQ((std::vector<UINT>{1, 2}), view->printed);
  const std::vector<CRect> two = preview->GetPageRects();
  ASSERT_EQ(2u, two.size());
  EXPECT_LT(two[0].right, two[1].left);

  Command(ID_PREVIEW_ZOOMIN);
  EXPECT_EQ(1, preview->GetPagesShown());
  EXPECT_GT(preview->GetPageRects()[0].Width(), two[0].Width());
  Command(ID_PREVIEW_ZOOMOUT);
  EXPECT_EQ(2, preview->GetPagesShown());

  Command(ID_PREVIEW_CLOSE);
  EXPECT_EQ(view, frame->GetActiveView());
  EXPECT_EQ(AFX_IDW_PANE_FIRST, view->GetDlgCtrlID());
  EXPECT_TRUE(view->IsWindowVisible());
  EXPECT_EQ(nullptr, frame->GetDescendantWindow(AFX_IDW_PANE_SAVE));
  EXPECT_EQ(menu, ::GetMenu(frame->m_hWnd));
  EXPECT_EQ(accel, frame->m_hAccelTable);
  EXPECT_TRUE(bar.IsWindowVisible());
  EXPECT_TRUE(dialogBar.IsVisible());
  EXPECT_EQ(nullptr, frame->GetDlgItem(AFX_IDW_PREVIEW_BAR)) << "the preview's bar is gone";
}

// Closing the frame while it shows a preview ends the preview first, as its Close button does, so
// the frame is whole again when the close goes on; a close procedure that refuses keeps both.
TEST_F(PrintFixture, ClosingDuringThePreviewEndsThePreviewFirst) {
  Fill(3);
  Command(ID_FILE_PRINT_PREVIEW);
  ASSERT_NE(nullptr, DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()));
  EXPECT_TRUE(frame->ClosePrintPreview());
  EXPECT_EQ(view, frame->GetActiveView());
  EXPECT_EQ(menu, ::GetMenu(frame->m_hWnd));
  EXPECT_TRUE(bar.IsWindowVisible());
  EXPECT_TRUE(dialogBar.IsVisible());
  EXPECT_TRUE(frame->ClosePrintPreview()) << "without a preview nothing holds the close";

  auto* pState = new CPrintPreviewState;
  pState->lpfnCloseProc = [](CFrameWnd*) -> BOOL { return FALSE; };
  ASSERT_TRUE(view->DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, view, RUNTIME_CLASS(CPreviewView), pState));
  EXPECT_FALSE(frame->ClosePrintPreview());
  EXPECT_NE(nullptr, DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView()));
  Command(ID_PREVIEW_CLOSE);
  EXPECT_EQ(view, frame->GetActiveView());
}

// A close that reaches the frame while the preview prepares its job (a printer box may be up then)
// waits until the preparation is over and is asked again; a preview without a job adds no message.
TEST_F(PrintFixture, ACloseAskedWhileTheJobIsPreparedComesAfterIt) {
  theApp.boxes.clear();
  view->closeWhilePreparing = true;
  Command(ID_FILE_PRINT_PREVIEW);
  view->closeWhilePreparing = false;
  ASSERT_TRUE(::IsWindow(frame->m_hWnd));
  EXPECT_EQ(view, frame->GetActiveView());
  EXPECT_EQ(menu, ::GetMenu(frame->m_hWnd));
  EXPECT_TRUE(theApp.boxes.empty());
  MSG msg;
  EXPECT_TRUE(::PeekMessageW(&msg, frame->m_hWnd, WM_CLOSE, WM_CLOSE, PM_REMOVE)) << "the close is asked again";
}

// In an MDI frame the preview takes the client area's place and the child's menu comes back.
TEST(MdiPreview, TheClientAreaStepsAsideAndTheChildsMenuComesBack) {
  auto* doc = new CSheetDoc;
  doc->m_bAutoDelete = FALSE;
  doc->SetTitle(L"Mdi");
  doc->lines = {{L"1+1", L"2"}};
  auto* main = new CMDIFrameWnd;
  HMENU frameMenu = ::CreateMenu();
  HMENU windowMenu = ::CreatePopupMenu();
  ::AppendMenuW(windowMenu, MF_STRING, ID_WINDOW_CASCADE, L"&Cascade");
  ::AppendMenuW(frameMenu, MF_POPUP, (UINT_PTR)windowMenu, L"&Window");
  ASSERT_TRUE(main->Create(nullptr, L"Mdi", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 700, 600), nullptr, nullptr));
  ::SetMenu(main->m_hWnd, frameMenu);
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CSheetView);
  context.m_pCurrentDoc = doc;
  auto* child = new CMDIChildWnd;
  ASSERT_TRUE(child->Create(nullptr, L"Sheet", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, main,
                            &context));
  auto* view = (CSheetView*)child->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
  ASSERT_NE(nullptr, view);
  child->SetActiveView(view);
  HWND client = main->m_hWndMDIClient;
  view->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
  auto* preview = DYNAMIC_DOWNCAST(CPreviewView, main->GetActiveView());
  ASSERT_NE(nullptr, preview);
  EXPECT_EQ(main->m_hWnd, ::GetParent(preview->m_hWnd));
  EXPECT_FALSE(::IsWindowVisible(client));
  EXPECT_EQ(nullptr, ::GetMenu(main->m_hWnd));
  main->SendMessage(WM_COMMAND, ID_PREVIEW_CLOSE);
  EXPECT_TRUE(::IsWindowVisible(client));
  EXPECT_EQ(AFX_IDW_PANE_FIRST, ::GetDlgCtrlID(client));
  EXPECT_NE(nullptr, ::GetMenu(main->m_hWnd));
  EXPECT_EQ(child, main->MDIGetActive());
  main->DestroyWindow();
  delete doc;
}
