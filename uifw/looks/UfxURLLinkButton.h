// CUfxURLLinkButton: an owner-drawn button that looks like a hyperlink and hands its target (the
// URL, or the caption when no URL is set, behind an optional prefix such as "mailto:") to the
// shell when clicked.
#pragma once
#include "looks/UfxButton.h"
#include <shellapi.h>

class CUfxURLLinkButton : public CUfxButton {
  DECLARE_DYNAMIC(CUfxURLLinkButton)
public:
  CUfxURLLinkButton();
  ~CUfxURLLinkButton() override;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  void OnDrawFocusRect(CDC* pDC, const CRect& rectClient) override;
  void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override;
  // Fits the window to the underlined caption (or the image), keeping its centre on the axes
  // asked for; answers the new size.
  virtual CSize SizeToContent(BOOL bVCenter, BOOL bHCenter);
  using CUfxButton::SizeToContent;

  void SetURL(LPCWSTR lpszURL) { m_strURL = lpszURL != nullptr ? lpszURL : L""; }
  void SetURLPrefix(LPCWSTR lpszPrefix) { m_strPrefix = lpszPrefix != nullptr ? lpszPrefix : L""; }
  // What a click hands to the shell: the prefix, then the URL or the caption.
  CString GetLinkTarget() const;

  CString m_strURL;
  CString m_strPrefix;

  // The shell call every link goes through; tests put their own in.
  typedef HINSTANCE(WINAPI* PFN_SHELLEXECUTE)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  static PFN_SHELLEXECUTE s_pfnShellExecute;

protected:
  void OnClicked();
  DECLARE_MESSAGE_MAP()
};
