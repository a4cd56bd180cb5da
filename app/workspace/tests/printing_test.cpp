// Printing the worksheet on the PDF queue: the two panes in a split frame over the registered
// kernel print their lines in two columns under a header. The program lists every job in
// printjobs.txt with what its PDF must hold; the driver script reads the PDF files back once
// the program has ended. In-process checks cover the job's page range and the panes' zoom.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "CalculatorKernel.h"
#include "EditorMessages.h"
#include "LeftView.h"
#include "PrintFormatter.h"
#include "RightView.h"
#include "ScintillaColorerDoc.h"
#include "WorkspaceTestKit.h"
#include "WorksheetPrintFormatter.h"

namespace {

class CTestApp : public CWinApp {
public:
  CTestApp() : CWinApp(L"WorkspacePrintingTest") {}
};
CTestApp theApp;

std::unique_ptr<CCalculatorKernel> g_kernel;

std::string Utf8(const CString& s) {
  int n = ::WideCharToMultiByte(CP_UTF8, 0, s, -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, s, -1, &out[0], n, nullptr, nullptr);
  return out;
}

// What the driver checks in a job's PDF: its page count, texts on given pages, lines that occur
// exactly once in the whole job, and pages with a given number of non-empty lines.
struct JobCheck {
  CString title;
  int pages = 1;
  std::vector<std::pair<int, CString>> texts;
  std::vector<CString> once;  // extended regular expressions, matched against whole lines
  std::vector<std::pair<int, int>> lineCounts;
  void Write() const {
    std::ofstream out("printjobs.txt", std::ios::app | std::ios::binary);
    out << "JOB " << Utf8(title) << " " << pages << "\n";
    for (auto& t : texts) out << "PAGE " << t.first << " " << Utf8(t.second) << "\n";
    for (auto& r : once) out << "ONCE " << Utf8(r) << "\n";
    for (auto& c : lineCounts) out << "LINES " << c.first << " " << c.second << "\n";
  }
};

CString UniqueTitle(LPCWSTR stem) {
  CString title;
  title.Format(L"ws%s%lu_%lu", stem, ::GetCurrentProcessId(), ::GetTickCount());
  return title;
}

// Worksheet line i: an assignment whose value is its own result ("v007 := 5007" gives 5007).
CString Line(int i) {
  CString line;
  line.Format(L"v%03d := %d", i, 5000 + i);
  return line;
}
CString LinesText(int count) {
  CString text;
  for (int i = 1; i <= count; ++i) {
    if (i > 1) text += L"\r\n";
    text += Line(i);
  }
  return text;
}
// The printed row of line i: the expression, then its result beside it.
CString RowPattern(int i) {
  CString pattern;
  pattern.Format(L"^ *v%03d := %d +%d *$", i, 5000 + i, 5000 + i);
  return pattern;
}
CString ExpressionPattern(int i) {
  CString pattern;
  pattern.Format(L"v%03d := %d( |$)", i, 5000 + i);
  return pattern;
}

class Printing : public ::testing::Test {
protected:
  static CPanesFrame* frame;
  static CLeftView* left;
  static CRightView* right;

  static void SetUpTestSuite() {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (HMODULE resources = ::LoadLibraryW(L"BrookResx.dll")) AfxSetResourceHandle(resources);
    if (!::LoadLibraryW(L"BrookEdit.dll")) return;
    try {
      g_kernel.reset(new CCalculatorKernel);
    } catch (...) {
      return;
    }
    PaneShellServices services;
    services.GetCalculatorKernel = []() -> ICalculatorKernel* { return g_kernel.get(); };
    SetPaneShellServices(services);
    theApp.AddDocTemplate(new CSingleDocTemplate(200, RUNTIME_CLASS(CScintillaColorerDoc),
                                                 RUNTIME_CLASS(CPanesFrame), RUNTIME_CLASS(CLeftView)));
    frame = CPanesFrame::OpenNew(left, right);
  }

  void SetUp() override {
    ASSERT_NE(nullptr, g_kernel) << "is Evalkern registered?";
    ASSERT_NE(nullptr, left);
    ASSERT_NE(nullptr, right);
    ::SendMessageW(left->GetEditor()->m_hWnd, SCI_SETZOOM, 0, 0);
  }

  // Gives the worksheet the text and waits for its results.
  void SetWorksheet(const CString& text) {
    left->GetEditor()->SetText(text);
    ASSERT_TRUE(PumpUntil([] { return left->GetPendingCalculations() == 0; }));
    ASSERT_EQ(left->GetEditor()->GetLineCount(), right->GetEditor()->GetLineCount());
  }
  // Prepares a job on the default printer as printing does, without printing anything.
  struct PreparedJob {
    CPrintInfo info;
    CLeftView* view;
    explicit PreparedJob(CLeftView* v) : view(v) {
      info.m_bDirect = TRUE;
      prepared = view->OnPreparePrinting(&info);
    }
    ~PreparedJob() { view->OnEndPrinting(nullptr, &info); }
    CWorksheetPrintFormatter* Formatter() const {
      return dynamic_cast<CWorksheetPrintFormatter*>(view->GetPrintFormatter());
    }
    BOOL prepared = FALSE;
  };
  // Lines on a full first page of the expression column.
  int LinesPerPage() {
    SetWorksheet(LinesText(400));
    PreparedJob job(left);
    EXPECT_TRUE(job.prepared) << "no default printer";
    return job.Formatter() != nullptr ? job.Formatter()->LinesPerPage() : 0;
  }
  void Print(const CString& title) {
    left->GetDocument()->SetTitle(title);
    left->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
  }
};
CPanesFrame* Printing::frame = nullptr;
CLeftView* Printing::left = nullptr;
CRightView* Printing::right = nullptr;

TEST_F(Printing, TwoAndAHalfPagesOfLinesPrintOnThreePagesEachLineOnceBesideItsResult) {
  const int lpp = LinesPerPage();
  ASSERT_GT(lpp, 10);
  const int count = lpp * 2 + lpp / 2;
  SetWorksheet(LinesText(count));
  {
    PreparedJob job(left);
    ASSERT_NE(nullptr, job.Formatter());
    EXPECT_EQ(3, job.Formatter()->PageCount());
    EXPECT_EQ(3u, job.info.GetMaxPage());
    EXPECT_EQ(1u, job.info.GetFromPage());
    EXPECT_EQ(3u, job.info.GetToPage());
  }
  JobCheck check;
  check.title = UniqueTitle(L"three");
  check.pages = 3;
  for (int p = 1; p <= 3; ++p) {
    CString header;
    header.Format(L"Page %d of 3", p);
    check.texts.push_back({p, header});
    check.texts.push_back({p, check.title});
  }
  // The first line of each page follows the last of the page before.
  check.texts.push_back({1, Line(1)});
  check.texts.push_back({2, Line(lpp + 1)});
  check.texts.push_back({3, Line(2 * lpp + 1)});
  check.texts.push_back({3, Line(count)});
  for (int i = 1; i <= count; ++i) check.once.push_back(RowPattern(i));
  Print(check.title);
  check.Write();
}

TEST_F(Printing, AnEmptyWorksheetPrintsOnePageWithOnlyTheHeader) {
  SetWorksheet(L"");
  {
    PreparedJob job(left);
    ASSERT_NE(nullptr, job.Formatter());
    EXPECT_EQ(1, job.Formatter()->PageCount());
    EXPECT_EQ(1u, job.info.GetMaxPage());
  }
  JobCheck check;
  check.title = UniqueTitle(L"empty");
  check.texts.push_back({1, L"Page 1 of 1"});
  check.texts.push_back({1, check.title});
  check.lineCounts.push_back({1, 1});
  Print(check.title);
  check.Write();
}

TEST_F(Printing, WithTallerResultsTheLongerColumnSetsThePagesAndEveryExpressionPrints) {
  CScintillaWnd* results = right->GetEditor();
  std::vector<int> sizes;
  for (int style = 0; style <= STYLE_MAX; ++style) {
    sizes.push_back((int)results->SendMessage(EDM_GETSTYLESIZE, (WPARAM)style));
    results->SendMessage(SCI_STYLESETSIZE, (WPARAM)style, sizes.back() * 2);
  }
  const int lpp = LinesPerPage();
  const int count = lpp + lpp / 2;  // one and a half pages of expressions
  SetWorksheet(LinesText(count));
  int pages = 0, resultsPages = 0;
  {
    PreparedJob job(left);
    ASSERT_NE(nullptr, job.Formatter());
    ASSERT_NE(nullptr, job.Formatter()->GetResultsFormatter());
    EXPECT_EQ(2, job.Formatter()->PageCount());
    resultsPages = job.Formatter()->GetResultsFormatter()->PageCount();
    EXPECT_GT(resultsPages, 2);
    pages = (int)job.info.GetMaxPage();
    EXPECT_EQ(resultsPages, pages);
  }
  JobCheck check;
  check.title = UniqueTitle(L"tall");
  check.pages = pages;
  CString lastHeader;
  lastHeader.Format(L"Page %d of %d", pages, pages);
  check.texts.push_back({pages, lastHeader});
  for (int i = 1; i <= count; ++i) check.once.push_back(ExpressionPattern(i));
  Print(check.title);
  check.Write();
  for (int style = 0; style <= STYLE_MAX; ++style) results->SendMessage(SCI_STYLESETSIZE, (WPARAM)style, sizes[style]);
}

TEST_F(Printing, ARangeChosenInThePrintDialogIsKeptAndCutToThePages) {
  const int lpp = LinesPerPage();
  SetWorksheet(LinesText(lpp * 2 + 1));
  struct Case {
    UINT from, to, expectFrom, expectTo;
  } cases[] = {{2, 2, 2, 2}, {2, 9, 2, 3}, {1, 0xFFFF, 1, 3}};
  PreparedJob printer(left);  // the default printer's DC
  ASSERT_TRUE(printer.prepared);
  for (const Case& c : cases) {
    CPrintInfo info;
    info.m_pPD->m_pd.hDC = printer.info.m_pPD->m_pd.hDC;
    info.m_pPD->m_pd.Flags |= PD_PAGENUMS;
    info.m_pPD->m_pd.nFromPage = (WORD)c.from;
    info.m_pPD->m_pd.nToPage = (WORD)c.to;
    {
      CWorksheetPrintFormatter formatter(&info, left, right);
      EXPECT_EQ(3u, info.GetMaxPage());
      EXPECT_EQ(c.expectFrom, info.GetFromPage()) << c.from << "-" << c.to;
      EXPECT_EQ(c.expectTo, info.GetToPage()) << c.from << "-" << c.to;
      // The page a range starts with begins where the page before it ends.
      EXPECT_EQ(left->GetEditor()->PositionFromLine(lpp), formatter.PageStart(2));
    }
    info.m_pPD->m_pd.hDC = nullptr;  // the prepared job's
  }
}

TEST_F(Printing, ThePanesKeepTheirZoomThroughAJob) {
  SetWorksheet(LinesText(20));
  left->GetEditor()->SendMessage(SCI_SETZOOM, 3, 0);
  ASSERT_TRUE(PumpUntil([] { return right->GetEditor()->SendMessage(SCI_GETZOOM) == 3; }));
  {
    PreparedJob job(left);
    ASSERT_NE(nullptr, job.Formatter());
    CDC dc;
    dc.Attach(job.info.m_pPD->m_pd.hDC);
    job.info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    job.Formatter()->PrintPage(&dc);  // measured and drawn on the printer DC, outside a document
    dc.Detach();
  }
  PumpUntil([] { return true; });
  EXPECT_EQ(3, left->GetEditor()->SendMessage(SCI_GETZOOM));
  EXPECT_EQ(3, right->GetEditor()->SendMessage(SCI_GETZOOM));
  EXPECT_EQ(0, left->ZoomSyncFlag());
  EXPECT_EQ(0, right->ZoomSyncFlag());
  left->GetEditor()->SendMessage(SCI_SETZOOM, 0, 0);
}

}  // namespace
