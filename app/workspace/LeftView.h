// CLeftView: the expression pane. The user writes one expression per line; every change asks
// for a recalculation of the whole worksheet, whose answer the results pane (CRightView)
// shows line for line. The pane keeps the results pane aligned with it (scroll position, zoom,
// current-line arrow), holds the result notation and angle unit with their commands, colours
// its text through the lexer, and offers the program's ICodeFormatter, the key filter of its
// editor and a messenger-events sink.
#pragma once

#include <windows.h>

#include <string>

#include "CalcExport.h"
#include "ExpressionLexer.h"
#include "NumbrookLib.h"
#include "ScintillaColorerView.h"

class CRightView;

// Commands of the worksheet panes.
#define ID_RESULT_BINARY 22835
#define ID_RESULT_OCTAL 22836
#define ID_RESULT_DECIMAL 22837
#define ID_RESULT_HEXADECIMAL 22838
#define ID_RESULT_ROMAN 22894
#define ID_ANGLE_DEGREES 22842
#define ID_ANGLE_RADIANS 22843
#define ID_ANGLE_GRADS 22844
#define ID_VIEW_LINE_NUMBERS 22884
#define ID_VIEW_ZOOM_IN 22886
#define ID_VIEW_ZOOM_OUT 22888
#define ID_BOOKMARK_TOGGLE 22889
#define ID_BOOKMARK_NEXT 22890
#define ID_BOOKMARK_CLEAR_ALL 22892
#define ID_BOOKMARK_PREVIOUS 22893
#define ID_FILE_EXPORT 22908

// Asks the expression pane to colour the lines now on screen.
#define WM_COLOUR_VISIBLE_LINES 0x049F

// Resource library texts and menus of the panes.
#define IDS_CARET_HINT_NONE 203
#define IDS_TRUE_WORD 11004
#define IDS_FALSE_WORD 11005
#define IDR_EXPRESSION_PANE_MENU 287
#define IDR_RESULTS_PANE_MENU 288

// The marker of the results pane that points at the expression pane's caret line.
#define RESULT_LINE_MARKER 0

// The recalculation request, "DoCalculationFerrow" (wParam and lParam 0).
UINT CalculationRequestId();

// What the panes need of the application shell besides INumbrookMain. The shell fills it in at
// start-up; an empty entry means that the service is not there, and the pane goes without it.
struct PaneShellServices {
  // A counted reference to the application's kernel bridge, or null.
  ICalculatorKernel* (*GetCalculatorKernel)() = nullptr;
  // Shows context menu nMenuId at a screen point for pWnd; FALSE when nothing was shown.
  BOOL (*ShowPopupMenu)(UINT nMenuId, POINT point, CWnd* pWnd) = nullptr;
  // The export dialog, shown modally over the settings; true on OK with the settings filled in.
  bool (*RunExportDialog)(CWnd* pOwner, ExportSettings& settings) = nullptr;
};
void SetPaneShellServices(const PaneShellServices& services);
const PaneShellServices& GetPaneShellServices();
// A pane's editor asked for its context menu: the shell shows menu nMenuId at the notice's
// point for pWnd, and the notice is marked as served (wParam 0). Without the shell's menu
// service nothing happens.
void ShowPaneContextMenu(UINT nMenuId, SCNotification* pNotify, CWnd* pWnd);

class CLeftView : public CScintillaColorerView {
  DECLARE_DYNCREATE(CLeftView)
public:
  CLeftView();
  ~CLeftView() override;

  // View base overrides.
  void ColourRange(int nStart, int nEnd) override;
  void OnEditorChanged() override;
  LRESULT OnFindReplaceMessage(WPARAM wParam, LPARAM lParam) override;
  LRESULT OnEditorNotify(UINT nCode, SCNotification* pNotify) override;
  void OnEditCopy() override;
  void OnEditPaste() override;
  void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pPreview) override;
  CPrintFormatter* CreatePrintFormatter(CPrintInfo* pInfo) override;
  void OnInitialUpdate() override;
  void PostNcDestroy() override;

  // The pane's own virtual operations.
  virtual int ClassifyWord(const CString& word);
  virtual void ColourVisibleLines();
  virtual void RequestCalculation();
  virtual void OnFilePrintPreview();
  // The bars, and the document's editable mode, as they were before the preview.
  void RestoreBarsAfterPreview();

  // Recalculation of the whole worksheet; the handler of the request.
  void OnCalculate();
  // Recalculation now, which serves the requests queued so far: they are taken off the queue.
  void CalculateNow();
  // The requests queued so far served now by one calculation (none queued: nothing is done);
  // TRUE when it ran. The program calculates this way before its window first shows, so that
  // the first paint shows the results.
  BOOL ServeQueuedCalculations();
  // The hint for the name at or around the caret.
  CString BuildCaretHint();
  // The hint for one name, from the kernel that the main window hands out.
  CString HintForWord(const CString& word);
  // Puts text into the main window's caption bar.
  void ShowHint(const CString& text);
  // Stores the worksheet in the automatic file when the document keeps one.
  void SaveDocumentText();

  void MarkCaretLine(CScintillaColorerView* pOther);
  // Inserts a command of a command panel at the caret (replacing the selection).
  void InsertCommand(const CalcCommand& command);

  // The first view of the document that is a results pane, or null.
  CRightView* GetResultsPane() const;

  // As at program start: the next initial update of an expression pane is the first one again,
  // which loads the automatically stored worksheet (a host that starts its document anew).
  static void ResetFirstInitialUpdate();

  // Key filter of the editor: 0 swallows the message.
  LONG FilterMessage(MSG* pMsg);

  ICodeFormatter* GetCodeFormatter() { return &m_xCodeFormatter; }
  IEditorKeyFilter* GetKeyFilter() { return &m_xKeyFilter; }
  ICBMessengerEvents* GetMessengerSink() { return m_pMessengerSink; }

  long GetResultFormat() const { return m_nResultFormat; }
  long GetAngleFormat() const { return m_nAngleFormat; }
  int GetPendingCalculations() const { return m_nPendingCalculations; }
  int GetMarkedResultLine() const { return m_nMarkedResultLine; }
  BOOL IsDocumentLoaded() const { return m_bDocumentLoaded; }

  // Commands.
  afx_msg void OnResultFormat(UINT nID);
  afx_msg void OnUpdateResultFormat(CCmdUI* pCmdUI);
  afx_msg void OnAngleFormat(UINT nID);
  afx_msg void OnUpdateAngleFormat(CCmdUI* pCmdUI);
  afx_msg void OnToggleBookmark();
  afx_msg void OnUpdateToggleBookmark(CCmdUI* pCmdUI);
  afx_msg void OnClearBookmarks();
  afx_msg void OnNextBookmark();
  afx_msg void OnPreviousBookmark();
  afx_msg void OnLineNumbers();
  afx_msg void OnUpdateLineNumbers(CCmdUI* pCmdUI);
  afx_msg void OnZoomIn();
  afx_msg void OnZoomOut();
  afx_msg void OnFileExport();
  afx_msg void OnEditClear();
  afx_msg void OnEditSelectAll();
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnDestroy();
  afx_msg LRESULT OnCalculationRequest(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnColourVisibleLines(WPARAM wParam, LPARAM lParam);

  // ICodeFormatter.
  HRESULT GetCharFormat(LexemeType type, CharFormat* pFormat);
  HRESULT SetCharFormat(LexemeType type, const CharFormat& format);
  HRESULT GetCommonFormat(CodeCommonFormat* pFormat);
  HRESULT SetCommonFormat(const CodeCommonFormat& format);
  HRESULT EndUpdate();
  HRESULT QueryFace(REFIID riid, void** ppv);

protected:
  class XCodeFormatter : public ICodeFormatter {
  public:
    explicit XCodeFormatter(CLeftView* view) : m_pView(view) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return m_pView->QueryFace(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetCharFormat(LexemeType Type, CharFormat* Format) override {
      return m_pView->GetCharFormat(Type, Format);
    }
    STDMETHODIMP SetCharFormat(LexemeType Type, CharFormat Format) override {
      return m_pView->SetCharFormat(Type, Format);
    }
    STDMETHODIMP GetCommonFormat(CodeCommonFormat* Format) override { return m_pView->GetCommonFormat(Format); }
    STDMETHODIMP SetCommonFormat(CodeCommonFormat Format) override { return m_pView->SetCommonFormat(Format); }
    STDMETHODIMP EndUpdate() override { return m_pView->EndUpdate(); }

  private:
    CLeftView* m_pView;
  };

  class XKeyFilter : public IEditorKeyFilter {
  public:
    explicit XKeyFilter(CLeftView* view) : m_pView(view) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return m_pView->QueryFace(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return 1; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    LONG STDMETHODCALLTYPE FilterMessage(MSG* pMsg) override { return m_pView->FilterMessage(pMsg); }

  private:
    CLeftView* m_pView;
  };

  // Lets the lexer classify names through ClassifyWord.
  class XWordClassifier : public numbrook::IWordClassifier {
  public:
    explicit XWordClassifier(CLeftView* view) : m_pView(view) {}
    int ClassifyWord(const std::wstring& word) override {
      return m_pView->ClassifyWord(CString(word.c_str(), (int)word.size()));
    }

  private:
    CLeftView* m_pView;
  };

  void SubscribeMessenger();
  void UnsubscribeMessenger();
  void LoadWorksheet();
  void ShowResults(CRightView* pResults, const CString& text);
  // Writes an answer into the results pane unless the window is gone, a newer request waits or
  // there is no results pane; true when it was written.
  bool ShowAnswer(const CString& answer);
  // Shows why a calculation failed as a whole: the description, else the general text.
  void ShowFailure(const wchar_t* description);
  void SyncZoomTo(CScintillaColorerView* pOther);
  void SetResultFormat(long format);
  void SetAngleFormat(long format);

  XCodeFormatter m_xCodeFormatter;
  XKeyFilter m_xKeyFilter;
  XWordClassifier m_xClassifier;

  IKivKbdManager* m_pKbdManager;
  void* m_pParserObject;
  // The underline kind each lexeme type was given: the editor draws every kind as a simple
  // underline, but the settings keep the kind chosen.
  UnderlineTypes m_underlineKinds[LexemeTypeMax + 1] = {};
  ICalculatorKernel* m_pKernel;
  ICBMessengerEvents* m_pMessengerSink;
  GUID m_subscription;
  BOOL m_bSubscribed;
  int m_nMarkedResultLine;
  long m_nResultFormat;
  long m_nAngleFormat;
  BYTE m_bSavedEditableMode;
  BYTE m_bSavedButtonsBarVisible;
  BYTE m_bSavedCaptionBarVisible;
  BYTE m_bDocumentLoaded;
  // Takes this pane's queued calculation requests off the queue; how many there were.
  int TakeQueuedRequests();
  int m_nPendingCalculations;
  CString m_strTrueWord;
  CString m_strFalseWord;

  // A calculation pumps messages, and the window may be closed meanwhile: the object then
  // outlives its window until the calculation has returned.
  int m_nCalculationDepth;
  BOOL m_bWindowGone;
  BOOL m_bDeleteWhenIdle;

  DECLARE_MESSAGE_MAP()
};
