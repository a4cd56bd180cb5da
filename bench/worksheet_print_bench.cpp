// Speed of worksheet printing on a 10,000-line worksheet in the two panes: preparing the job (the
// printer's layout of both columns and the page count) and rendering one page. Prints one line
// per figure with its target; needs the default printer (scripts/bench.sh sets up the PDF queue).
#include "Framework.h"
#include "BenchClock.h"
#include "TestPump.h"
#include "LeftView.h"
#include "PrintFormatter.h"
#include "RightView.h"
#include "ScintillaColorerDoc.h"

namespace {
class CBenchApp : public CWinApp {
public:
  CBenchApp() : CWinApp(L"WorksheetPrintBench") {}
};
CBenchApp theApp;

// The two panes side by side, as the program's frame has them.
class CPanesFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CPanesFrame)
public:
  CSplitterWnd m_wndSplitter;
  BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override {
    return m_wndSplitter.CreateStatic(this, 1, 2) &&
           m_wndSplitter.CreateView(0, 0, RUNTIME_CLASS(CLeftView), CSize(400, 600), pContext) &&
           m_wndSplitter.CreateView(0, 1, RUNTIME_CLASS(CRightView), CSize(300, 600), pContext);
  }
};
IMPLEMENT_DYNCREATE(CPanesFrame, CFrameWnd)
}  // namespace

int main() {
  if (HMODULE resources = ::LoadLibraryW(L"BrookResx.dll")) AfxSetResourceHandle(resources);
  if (!::LoadLibraryW(L"BrookEdit.dll")) {
    std::printf("no editing control\n");
    return 0;
  }
  theApp.AddDocTemplate(new CSingleDocTemplate(200, RUNTIME_CLASS(CScintillaColorerDoc), RUNTIME_CLASS(CPanesFrame),
                                               RUNTIME_CLASS(CLeftView)));
  theApp.OnFileNew();
  auto* frame = DYNAMIC_DOWNCAST(CPanesFrame, theApp.m_pMainWnd);
  if (frame == nullptr) {
    std::printf("no frame\n");
    return 0;
  }
  auto* left = DYNAMIC_DOWNCAST(CLeftView, frame->m_wndSplitter.GetPane(0, 0));
  auto* right = DYNAMIC_DOWNCAST(CRightView, frame->m_wndSplitter.GetPane(0, 1));
  CString expressions, results;
  for (int i = 1; i <= 10000; ++i) {
    CString e, r;
    e.Format(L"x%d := %d*%d + sqrt(%d)\r\n", i, i, i, i);
    r.Format(L"%d\r\n", i * i);
    expressions += e;
    results += r;
  }
  left->GetEditor()->SetText(expressions);
  right->GetEditor()->SetReadOnly(FALSE);
  right->GetEditor()->SetText(results);
  right->GetEditor()->SetReadOnly(TRUE);
  PumpPending();
  const int rounds = 5;
  double prepare = 0, render = 0;
  int pages = 0;
  for (int r = 0; r < rounds; ++r) {
    CPrintInfo info;
    info.m_bDirect = TRUE;
    const double t0 = Now();
    if (!left->OnPreparePrinting(&info) || left->GetPrintFormatter() == nullptr) {
      std::printf("the job was not prepared (no default printer?)\n");
      return 0;
    }
    prepare += Now() - t0;
    pages = (int)info.GetMaxPage();
    // One page in the middle, drawn for the printer into a metafile of its page.
    HDC hPrinter = info.m_pPD->m_pd.hDC;
    HDC hMeta = ::CreateEnhMetaFileW(hPrinter, nullptr, nullptr, nullptr);
    CDC dc;
    dc.Attach(hMeta);
    info.m_nCurPage = (UINT)(pages / 2);
    info.m_rectDraw.SetRect(0, 0, ::GetDeviceCaps(hPrinter, HORZRES), ::GetDeviceCaps(hPrinter, VERTRES));
    const double t1 = Now();
    left->GetPrintFormatter()->PrintPage(&dc);
    render += Now() - t1;
    dc.Detach();
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(hMeta));
    left->OnEndPrinting(nullptr, &info);
  }
  std::printf("%d pages\n", pages);
  Report("prepare printing a 10,000-line worksheet", prepare * 1e6 / rounds, 1000000);
  Report("render one page of it", render * 1e6 / rounds, 50000);
  frame->DestroyWindow();
  return 0;
}
