// CScintillaWnd: the thin wrapper around one editing control (window class "SimpleEditorsci").
// Each operation sends one or a few control messages; text travels between the program's wide
// strings and the control's byte text in the ANSI code page, and every position and length
// exchanged with the control counts bytes of that text.
#pragma once

#include "Framework.h"

#include <unknwn.h>

#include <string>

#include "WorksheetFileText.h"

// Consulted first for every message the wrapper pre-translates.
// {E508BDA8-6988-4506-86BC-BFAF33ED9415}
extern "C" const IID IID_IEditorKeyFilter;
struct IEditorKeyFilter : public IUnknown {
  // 0 swallows the message; anything else lets it go on.
  virtual LONG STDMETHODCALLTYPE FilterMessage(MSG* pMsg) = 0;
};
#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IEditorKeyFilter, 0xE508BDA8, 0x6988, 0x4506, 0x86, 0xBC, 0xBF, 0xAF, 0x33, 0xED, 0x94, 0x15)
#endif

// Text conversion between the program and the control (ANSI code page, NUL-terminated).
std::string EditorTextToAnsi(LPCWSTR text);
CString EditorTextFromAnsi(const char* text, int length = -1);

class CScintillaWnd : public CWnd {
  DECLARE_DYNCREATE(CScintillaWnd)
public:
  CScintillaWnd();
  ~CScintillaWnd() override;

  using CWnd::Create;

  virtual void SetSearchFlags(DWORD dwFlags);
  virtual DWORD GetSearchFlags() const;
  virtual BOOL Create(LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  virtual void SetReadOnly(BOOL bReadOnly);
  virtual void SetDefaultStyles(LPCWSTR lpszFont, int nSize, COLORREF crBack, COLORREF crFore);
  virtual void InitEditor();
  virtual int GetLineLength(int nLine);
  virtual int GetLineCount();
  virtual int LineFromPosition(int nPos);
  virtual int PositionFromLine(int nLine);
  virtual int GetEndStyled();
  virtual void StartStyling(int nPos);
  virtual void SetStyling(int nLength, int nStyle);
  virtual int GetFirstVisibleLine();
  virtual CString GetLine(int nLine);
  virtual int GetLength();
  virtual void SetText(LPCWSTR lpszText);
  // Makes the text the given one by replacing only the part that differs, as one change: the
  // caret, the focus, the scroll position and the lines around the change stay as they are.
  // Refused, like any change, while the control is read-only.
  void ReplaceChangedText(LPCWSTR lpszText);
  virtual CString GetText();
  virtual CString GetTextRange(int nStart, int nEnd);
  virtual void InsertText(LPCWSTR lpszText, int nPos);
  virtual BOOL LoadFile(LPCWSTR lpszPath);
  // LoadFile that tells what became of the file: not there (or empty), held exactly, loaded but
  // not exactly (the control cannot give it back as it was), or there and not readable.
  virtual WorksheetLoad LoadFileChecked(LPCWSTR lpszPath);
  virtual BOOL SaveFile(LPCWSTR lpszPath);
  virtual int GetLineNumberDigits();
  virtual int GetLineNumberWidth();
  virtual void ShowLineNumbers(BOOL bShow);
  virtual void ShowMarkerMargin(BOOL bShow);
  virtual void ShowFoldMargin(BOOL bShow);
  virtual void CutToClipboard();
  virtual void Cut();
  virtual void Copy();
  virtual void Paste();
  virtual void Clear();
  virtual void Undo();
  virtual void Redo();
  virtual BOOL CanUndo();
  virtual BOOL CanRedo();
  virtual BOOL CanPaste();
  virtual void SelectAll();
  virtual void BeginUndoAction();
  virtual void EndUndoAction();
  virtual void EmptyUndoBuffer();
  virtual int GetCurrentLine();
  virtual int LinesOnScreen();
  virtual void LineScroll(int nColumns, int nLines);
  virtual int GetCurrentColumn();
  virtual int GetCurrentPosition();
  virtual void SetCurrentPosition(int nPos);
  virtual void SetSelectionStart(int nPos);
  virtual void SetSelectionEnd(int nPos);
  virtual int GetCurrentStyle();
  virtual int GetCurrentFoldLevel();
  virtual void SetStyleFont(int nStyle, LPCWSTR lpszFont);
  virtual CString GetStyleFont(int nStyle);
  virtual void SetStyleSize(int nStyle, int nPoints);
  virtual int GetStyleSize(int nStyle);
  virtual int GetDefaultStyleSize();
  virtual int GetTextHeight(int nLine);
  virtual void SetStyleFore(int nStyle, COLORREF cr);
  virtual COLORREF GetStyleFore(int nStyle);
  virtual void SetStyleBack(int nStyle, COLORREF cr);
  virtual COLORREF GetStyleBack(int nStyle);
  virtual void SetStyleBold(int nStyle, BOOL bBold);
  virtual BOOL GetStyleBold(int nStyle);
  virtual void SetStyleItalic(int nStyle, BOOL bItalic);
  virtual BOOL GetStyleItalic(int nStyle);
  virtual void SetStyleUnderline(int nStyle, BOOL bUnderline);
  virtual BOOL GetStyleUnderline(int nStyle);
  virtual BOOL GetOvertype();
  virtual void SetOvertype(BOOL bOvertype);
  virtual void UpdateBraceHighlight();
  virtual void OnMarginClick(int nMargin, int nPos);
  virtual void Colourise();
  virtual int AddMarker(int nLine);
  virtual int DeleteMarker(int nLine);
  virtual BOOL HasMarker(int nLine);
  virtual BOOL HasAnyMarker();
  virtual int GotoNextMarker();
  virtual int GotoPreviousMarker();
  virtual void GotoLine(int nLine);
  virtual void GotoPosition(int nPos);
  virtual BOOL FindNext(LPCWSTR lpszText);
  virtual BOOL FindPrevious(LPCWSTR lpszText);
  virtual void ReplaceSelection(LPCWSTR lpszText);
  virtual void SetLexer(int nLexer);
  virtual int GetSelectionStart();
  virtual int GetSelectionEnd();
  virtual CString GetSelectedText();
  virtual int ReplaceAll(LPCWSTR lpszFind, LPCWSTR lpszReplace, BOOL bInSelection);
  virtual void SetKeyFilter(IEditorKeyFilter* pFilter);

  // Searches from nFrom towards nTo (backwards when nTo is smaller) with the search flags and
  // selects the first match; what find next, find previous and the wrap to the top share.
  BOOL FindInRange(LPCWSTR lpszText, int nFrom, int nTo);

  BOOL PreTranslateMessage(MSG* pMsg) override;

  afx_msg void OnSysColorChange();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);

  BOOL IsLineNumbersShown() const { return m_bLineNumbers; }
  BOOL IsMarkerMarginShown() const { return m_bMarkerMargin; }
  BOOL IsFoldMarginShown() const { return m_bFoldMargin; }
  IEditorKeyFilter* GetKeyFilter() const { return m_pKeyFilter; }

protected:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }
  void ApplySystemColours();
  void SetAnsiText(const char* text);
  // The whole text as the control holds it; false when the buffer cannot be had.
  bool GetAnsiText(std::string& text);

  BOOL m_bLineNumbers;
  BOOL m_bMarkerMargin;
  BOOL m_bFoldMargin;
  DWORD m_dwSearchFlags;
  IEditorKeyFilter* m_pKeyFilter;

  DECLARE_MESSAGE_MAP()
};
