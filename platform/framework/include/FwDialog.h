// CDialog with dialog data exchange, and the common dialogs (file, find/replace, colour, print).
#pragma once
#include "FwFrame.h"
#include <commdlg.h>

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Modeless: the template from the resource handle, shown when it has WS_VISIBLE.
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  virtual BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  BOOL CreateIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = nullptr);
  BOOL InitModalIndirect(LPCDLGTEMPLATEW lpDialogTemplate, CWnd* pParentWnd = nullptr);
  // Modal: disables the owner, runs the modal loop (pre-translation, WM_KICKIDLE), answers EndDialog's value.
  virtual INT_PTR DoModal();
  void EndDialog(int nResult);
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
  void NextDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
  void PrevDlgCtrl() const { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
  void GotoDlgCtrl(CWnd* pWndCtrl) { ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->GetSafeHwnd(), 1L); }
  void SetDefID(UINT nID) { ::SendMessageW(m_hWnd, DM_SETDEFID, nID, 0); }
  DWORD GetDefID() const { return (DWORD)::SendMessageW(m_hWnd, DM_GETDEFID, 0, 0); }
  afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);
  afx_msg void OnClose();
  // The hosted controls of the template being created (made before OnInitDialog runs).
  BOOL SetOccDialogInfo(struct _AFX_OCC_DIALOG_INFO* pOccDialogInfo) override;

  LPCWSTR m_lpszTemplateName = nullptr;
  LPCDLGTEMPLATEW m_lpDialogTemplate = nullptr;
  UINT m_nIDHelp = 0;
  CWnd* m_pParentWnd = nullptr;
protected:
  HWND PreModal();
  void PostModal() {}
  BOOL CreateFromTemplate(LPCDLGTEMPLATEW lpTemplate, HINSTANCE hInst, CWnd* pParentWnd);
  struct _AFX_OCC_DIALOG_INFO* m_pOccDialogInfo = nullptr;
  DECLARE_MESSAGE_MAP()
};

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// ---- dialog data exchange ------------------------------------------------------------------
class CDataExchange {
public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
      : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_idLastControl(0), m_bEditLastControl(FALSE) {}
  BOOL m_bSaveAndValidate;   // TRUE: controls to members (and validate)
  CWnd* m_pDlgWnd;
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Puts the focus on the last control and throws CUserException (the user was already told).
  [[noreturn]] void Fail();
  int m_idLastControl;
  BOOL m_bEditLastControl;
};

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal);

// ---- common dialogs ------------------------------------------------------------------------------
class CCommonDialog : public CDialog {
  DECLARE_DYNAMIC(CCommonDialog)
public:
  explicit CCommonDialog(CWnd* pParentWnd) : CDialog((UINT)0, pParentWnd) {}
  // The system dialog ends itself; these only pass the click on.
  void OnOK() override;
  void OnCancel() override;
};

class CFileDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFileDialog)
public:
  // lpszFilter: "Text files (*.txt)|*.txt|All files|*.*||".
  explicit CFileDialog(BOOL bOpenFileDialog, LPCWSTR lpszDefExt = nullptr, LPCWSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR lpszFilter = nullptr,
                       CWnd* pParentWnd = nullptr);
  INT_PTR DoModal() override;
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  CString GetFolderPath() const;
  BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
  POSITION GetStartPosition() const { return (POSITION)m_ofn.lpstrFile; }
  CString GetNextPathName(POSITION& pos) const;
  void SetControlText(int nID, LPCWSTR lpsz);
  void HideControl(int nID);
  void SetDefExt(LPCWSTR lpsz);
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // Hooks of the explorer-style dialog; the object is attached to the hook (child) dialog.
  virtual BOOL OnFileNameOK() { return FALSE; }  // TRUE rejects the name
  virtual void OnInitDone() {}
  virtual void OnFileNameChange() {}
  virtual void OnFolderChange() {}
  virtual void OnTypeChange() {}

  OPENFILENAMEW m_ofn;
  BOOL m_bOpenFileDialog;
  CString m_strFilter;
  CString m_strDefExt;
  wchar_t m_szFileTitle[MAX_PATH];
  wchar_t m_szFileName[MAX_PATH * 8];
};

class CFindReplaceDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFindReplaceDialog)
public:
  CFindReplaceDialog();
  // Modeless; the object deletes itself when the dialog closes (create it with new).
  BOOL Create(BOOL bFindDialogOnly, LPCWSTR lpszFindWhat, LPCWSTR lpszReplaceWith = nullptr, DWORD dwFlags = FR_DOWN,
              CWnd* pParentWnd = nullptr);
  static CFindReplaceDialog* GetNotifier(LPARAM lParam);
  CString GetFindString() const { return m_fr.lpstrFindWhat; }
  CString GetReplaceString() const { return m_fr.lpstrReplaceWith; }
  BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
  BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
  BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
  BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
  BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
  BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
  BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }
  void PostNcDestroy() override;
  FINDREPLACEW m_fr;
  wchar_t m_szFindWhat[128];
  wchar_t m_szReplaceWith[128];
};

class CColorDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CColorDialog)
public:
  explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }
  void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
  static COLORREF* GetSavedCustomColors();
  CHOOSECOLORW m_cc;
};

class CPrintDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CPrintDialog)
public:
  explicit CPrintDialog(BOOL bPrintSetupOnly,
                        DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                        CWnd* pParentWnd = nullptr);
  INT_PTR DoModal() override;
  BOOL GetDefaults();
  HDC CreatePrinterDC();
  HDC GetPrinterDC() const { return m_pd.hDC; }
  CString GetDeviceName() const;
  CString GetDriverName() const;
  CString GetPortName() const;
  LPDEVMODEW GetDevMode() const { return m_pd.hDevMode ? (LPDEVMODEW)::GlobalLock(m_pd.hDevMode) : nullptr; }
  PRINTDLGW m_pd;
};
