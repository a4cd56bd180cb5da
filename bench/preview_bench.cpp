// Speed of the print preview on a 10,000-line worksheet printed in two columns: opening the
// preview (the job's preparation, its page count, the first page drawn) and turning a page.
// Prints one line per figure with its target; needs the default printer (scripts/bench.sh sets
// up the PDF queue). The exit code is 0 either way (figures are read, not asserted).
#include "Framework.h"
#include "BenchClock.h"

namespace {

class CBenchApp : public CWinApp {
public:
  CBenchApp() : CWinApp(L"PreviewBench") {}
};
CBenchApp theApp;

class CLinesDoc : public CDocument {
public:
  std::vector<CString> expressions, results;
};

// Two columns under a header, half-inch margins, a 10-point font: the worksheet's print layout.
class CLinesView : public CView {
  DECLARE_DYNCREATE(CLinesView)
public:
  int lineHeight = 1, linesPerPage = 1;
  CRect body;
  CLinesDoc* Doc() const { return (CLinesDoc*)GetDocument(); }
  void OnDraw(CDC*) override {}
  void MakeFont(CDC* pDC, CFont& font) {
    font.CreateFont(-::MulDiv(10, pDC->GetDeviceCaps(LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
  }
  void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override {
    int dpiX = pDC->GetDeviceCaps(LOGPIXELSX), dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    body.SetRect(dpiX / 2, dpiY / 2 + ::MulDiv(32, dpiY, 72), pDC->GetDeviceCaps(HORZRES) - dpiX / 2,
                 pDC->GetDeviceCaps(VERTRES) - dpiY / 2);
    CFont font;
    MakeFont(pDC, font);
    CFont* old = pDC->SelectObject(&font);
    TEXTMETRICW tm;
    pDC->GetTextMetrics(&tm);
    pDC->SelectObject(old);
    lineHeight = tm.tmHeight + tm.tmExternalLeading;
    linesPerPage = std::max(1, body.Height() / lineHeight);
    int n = (int)Doc()->expressions.size();
    pInfo->SetMaxPage((UINT)std::max(1, (n + linesPerPage - 1) / linesPerPage));
  }
  void OnPrint(CDC* pDC, CPrintInfo* pInfo) override {
    CFont font;
    MakeFont(pDC, font);
    CFont* old = pDC->SelectObject(&font);
    CString header;
    header.Format(L"Page %u of %u", pInfo->m_nCurPage, pInfo->GetMaxPage());
    pDC->TextOut(body.left, body.top - 2 * lineHeight, header);
    size_t first = (size_t)(pInfo->m_nCurPage - 1) * linesPerPage;
    for (size_t i = first; i < Doc()->expressions.size() && i < first + linesPerPage; ++i) {
      int y = body.top + (int)(i - first) * lineHeight;
      pDC->TextOut(body.left, y, Doc()->expressions[i]);
      pDC->TextOut(body.left + body.Width() / 2, y, Doc()->results[i]);
    }
    pDC->SelectObject(old);
  }
};
IMPLEMENT_DYNCREATE(CLinesView, CView)

}  // namespace

int main() {
  auto* doc = new CLinesDoc;
  doc->m_bAutoDelete = FALSE;
  doc->SetTitle(L"Preview benchmark");
  for (int i = 1; i <= 10000; ++i) {
    CString e, r;
    e.Format(L"x%d := %d*%d + sqrt(%d)", i, i, i, i);
    r.Format(L"%d", i * i);
    doc->expressions.push_back(e);
    doc->results.push_back(r);
  }
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(CLinesView);
  context.m_pCurrentDoc = doc;
  auto* frame = new CFrameWnd;
  if (!frame->Create(nullptr, L"Preview benchmark", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 800), nullptr,
                     nullptr, 0, &context)) {
    std::printf("no frame\n");
    return 0;
  }
  auto* view = (CView*)frame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
  frame->SetActiveView(view);
  const int rounds = 5;
  double open = 0, turn = 0;
  int turns = 0;
  for (int r = 0; r < rounds; ++r) {
    double t0 = Now();
    frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    auto* preview = DYNAMIC_DOWNCAST(CPreviewView, frame->GetActiveView());
    if (preview == nullptr) {
      std::printf("the preview did not open (no default printer?)\n");
      return 0;
    }
    preview->UpdateWindow();
    open += Now() - t0;
    for (int p = 0; p < 10; ++p, ++turns) {
      double t1 = Now();
      frame->SendMessage(WM_COMMAND, ID_PREVIEW_NEXT);
      preview->UpdateWindow();
      turn += Now() - t1;
    }
    frame->SendMessage(WM_COMMAND, ID_PREVIEW_CLOSE);
  }
  Report("open the preview of 10,000 lines", open * 1e6 / rounds, 100000);
  Report("turn a page of the preview", turn * 1e6 / turns, 100000);
  frame->DestroyWindow();
  delete doc;
  return 0;
}
