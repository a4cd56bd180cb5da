// CUfxPixelEditorDlg: edits one toolbar button image pixel by pixel (template 16133): the enlarged
// paint area, a toolbar of drawing tools, a colour bar, a preview at real size, and copy and paste
// through the clipboard. The caller owns the bitmap and takes it as edited on IDOK.
#pragma once
#include "Framework.h"
#include "FwDialog.h"
#include "bars/UfxToolBar.h"
#include "looks/UfxColorBar.h"
#include "looks/UfxPixelCanvas.h"

class CUfxPixelEditorDlg : public CDialog {
  DECLARE_DYNAMIC(CUfxPixelEditorDlg)
public:
  static const UINT IDD = 16133;
  static const UINT kColorBarFrame = 16516;
  static const UINT kToolsFrame = 16533;
  static const UINT kPreviewFrame = 16519;
  static const UINT kCanvas = 16513;
  static const UINT kToolbarRes = 16138;
  // Commands of the tools toolbar.
  static const UINT kCmdFill = 16901;
  static const UINT kCmdPen = 16902;
  static const UINT kCmdPick = 16903;
  static const UINT kCmdLine = 16904;
  static const UINT kCmdRect = 16905;
  static const UINT kCmdEllipse = 16906;
  static const UINT kCmdCopy = 16907;
  static const UINT kCmdPaste = 16908;
  static const UINT kCmdClear = 16909;
  static const UINT kMsgPasteFailed = 16004;
  static const UINT kMsgNoMemory = 16008;
  static const UINT kMsgCopyFailed = 16010;

  // nBitsPerPixel -1: the bitmap's own.
  CUfxPixelEditorDlg(CBitmap* pBitmap, CWnd* pParent = nullptr, int nBitsPerPixel = -1);

  // The pick tool's colour: shown in the colour bar, taken by the canvas; the pen comes back.
  void SetColor(COLORREF color);
  // The preview at real size needs painting again.
  void InvalidatePreview();
  // The tool number of a tools command, -1 for other commands.
  static int ToolOfCommand(UINT uiCmd);

  CUfxPixelCanvas& GetCanvas() { return m_wndLargeDrawArea; }
  CUfxColorBar& GetColorBar() { return m_wndPalette; }
  CUfxToolBar& GetToolBar() { return m_wndToolbar; }
  const CRect& GetPreviewRect() const { return m_rectPreviewImage; }

  // Fields, in this order.
  CStatic m_wndPaletteBarLocation;
  CStatic m_wndToolbarLocation;
  CStatic m_wndPreviewArea;
  CUfxPixelCanvas m_wndLargeDrawArea;
  CBitmap* m_pBitmap = nullptr;
  CSize m_sizeImage = CSize(0, 0);
  int m_nBitsPerPixel = -1;
  CRect m_rectPreviewImage;
  CRect m_rectPreviewFrame;
  CUfxToolBar m_wndToolbar;
  CUfxColorBar m_wndPalette;

protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  void CreateToolsBar();
  void CreateColorBar();
  void OnClear();
  void OnCopy();
  void OnPaste();
  // Puts the clipboard bitmap on the image (centred, its top-left part when larger); FALSE on failure.
  BOOL PasteBitmap(HBITMAP hbmpSource);
  void AfterImageChange();

  afx_msg void OnPaint();
  afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
  afx_msg void OnUpdateTool(CCmdUI* pCmdUI);
  afx_msg void OnUpdatePaste(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};
