#include "looks/UfxPixelEditorDlg.h"
#include "frames/UfxGlobalData.h"
#include "FwOleDragDrop.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CUfxPixelEditorDlg, CDialog)

namespace {
// Tools commands by tool number.
const UINT kToolCommands[CUfxPixelCanvas::ToolCount] = {
    CUfxPixelEditorDlg::kCmdPen,  CUfxPixelEditorDlg::kCmdFill,    CUfxPixelEditorDlg::kCmdLine,
    CUfxPixelEditorDlg::kCmdRect, CUfxPixelEditorDlg::kCmdEllipse, CUfxPixelEditorDlg::kCmdPick};
}  // namespace

BEGIN_MESSAGE_MAP(CUfxPixelEditorDlg, CDialog)
  ON_WM_PAINT()
  ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
  ON_UPDATE_COMMAND_UI_RANGE(16901, 16906, OnUpdateTool)
  ON_UPDATE_COMMAND_UI(16908, OnUpdatePaste)
END_MESSAGE_MAP()

CUfxPixelEditorDlg::CUfxPixelEditorDlg(CBitmap* pBitmap, CWnd* pParent, int nBitsPerPixel)
    : CDialog(IDD, pParent), m_pBitmap(pBitmap), m_nBitsPerPixel(nBitsPerPixel) {
  BITMAP info = {};
  if (m_pBitmap != nullptr && m_pBitmap->GetSafeHandle() != nullptr && m_pBitmap->GetBitmap(&info)) {
    m_sizeImage = CSize(info.bmWidth, info.bmHeight);
    if (m_nBitsPerPixel == -1) m_nBitsPerPixel = info.bmBitsPixel;
  }
}

int CUfxPixelEditorDlg::ToolOfCommand(UINT uiCmd) {
  for (int i = 0; i < CUfxPixelCanvas::ToolCount; i++)
    if (kToolCommands[i] == uiCmd) return i;
  return -1;
}

BOOL CUfxPixelEditorDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_wndPaletteBarLocation.SubclassDlgItem(kColorBarFrame, this);
  m_wndToolbarLocation.SubclassDlgItem(kToolsFrame, this);
  m_wndPreviewArea.SubclassDlgItem(kPreviewFrame, this);
  m_wndLargeDrawArea.SubclassDlgItem(kCanvas, this);
  m_wndLargeDrawArea.SetOwnerDialog(this);
  m_wndLargeDrawArea.SetBitmap(m_pBitmap);

  CreateToolsBar();
  CreateColorBar();

  // The image at real size, centred in the preview frame.
  CRect rectFrame;
  m_wndPreviewArea.GetWindowRect(rectFrame);
  ScreenToClient(rectFrame);
  m_rectPreviewImage = CRect(CPoint(rectFrame.CenterPoint().x - m_sizeImage.cx / 2,
                                    rectFrame.CenterPoint().y - m_sizeImage.cy / 2), m_sizeImage);
  m_rectPreviewFrame = m_rectPreviewImage;
  m_rectPreviewFrame.InflateRect(4, 4);
  m_wndLargeDrawArea.SetPreviewRect(m_rectPreviewImage);
  m_wndLargeDrawArea.ModifyStyle(WS_TABSTOP, 0);
  return TRUE;
}

void CUfxPixelEditorDlg::CreateToolsBar() {
  CRect rect;
  m_wndToolbarLocation.GetWindowRect(rect);
  ScreenToClient(rect);
  rect.DeflateRect(2, 2);
  if (!m_wndToolbar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR)) return;
  m_wndToolbar.SetOwner(this);
  // The bar keeps its own images: the tools are not commands of the application.
  m_wndToolbar.LoadToolBarResource(kToolbarRes, 0, 0, 0, 0, 0, 0, 0, 0, TRUE);
  m_wndToolbar.SetBarStyle((m_wndToolbar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY) & ~CBRS_BORDER_ANY);
  m_wndToolbar.SetBorders(10, 5, 10, 5);
  // Three buttons a row.
  const CRect rectBorders = m_wndToolbar.GetBorders();
  const CSize size = m_wndToolbar.CalcDynamicLayout(3 * m_wndToolbar.ColumnWidth() + rectBorders.left + rectBorders.right,
                                                    LM_HORZ | LM_COMMIT);
  ::SetWindowPos(m_wndToolbar.GetSafeHwnd(), HWND_TOP, rect.left, rect.top, std::min<int>(size.cx, rect.Width()),
                 std::min<int>(size.cy, rect.Height()), SWP_SHOWWINDOW);
  m_wndToolbar.LayoutButtons();
}

void CUfxPixelEditorDlg::CreateColorBar() {
  CRect rect;
  m_wndPaletteBarLocation.GetWindowRect(rect);
  ScreenToClient(rect);
  rect.DeflateRect(2, 2);
  CPalette palette;
  CPalette* pPalette = nullptr;
  if (m_nBitsPerPixel > 0 && m_nBitsPerPixel <= 8) {
    // The default palette less its four middle entries: 16 colours.
    PALETTEENTRY entries[20] = {};
    ::GetPaletteEntries((HPALETTE)::GetStockObject(DEFAULT_PALETTE), 0, 20, entries);
    struct {
      LOGPALETTE header;
      PALETTEENTRY more[15];
    } logPalette = {};
    logPalette.header.palVersion = 0x300;
    logPalette.header.palNumEntries = 16;
    PALETTEENTRY* pEntries = logPalette.header.palPalEntry;
    for (int i = 0; i < 8; i++) pEntries[i] = entries[i];
    for (int i = 12; i < 20; i++) pEntries[i - 4] = entries[i];
    if (palette.CreatePalette(&logPalette.header)) pPalette = &palette;
  }
  m_wndPalette.m_bInternal = TRUE;
  if (!m_wndPalette.CreateControl(this, rect, kColorBarFrame, 4, pPalette)) return;
  m_wndPalette.SetCommandID(kColorBarFrame);
  m_wndPalette.SetOwner(this);
  m_wndPalette.SetColor(RGB(0, 0, 0));
}

// ---- commands --------------------------------------------------------------------------------------------

BOOL CUfxPixelEditorDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT uiCmd = LOWORD(wParam);
  const int iTool = ToolOfCommand(uiCmd);
  if (iTool >= 0) {
    m_wndLargeDrawArea.SetTool(iTool);
    return TRUE;
  }
  switch (uiCmd) {
    case kCmdCopy: OnCopy(); return TRUE;
    case kCmdPaste: OnPaste(); return TRUE;
    case kCmdClear: OnClear(); return TRUE;
    case kColorBarFrame:
      if (m_wndPalette.GetSafeHwnd() != nullptr && (HWND)lParam != m_wndPaletteBarLocation.GetSafeHwnd())
        m_wndLargeDrawArea.SetColor(m_wndPalette.GetColor());
      return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CUfxPixelEditorDlg::SetColor(COLORREF color) {
  if (m_wndPalette.GetSafeHwnd() != nullptr) m_wndPalette.SetColor(color);
  m_wndLargeDrawArea.SetColor(color);
  m_wndLargeDrawArea.SetTool(CUfxPixelCanvas::ToolPen);
}

void CUfxPixelEditorDlg::OnUpdateTool(CCmdUI* pCmdUI) {
  pCmdUI->SetCheck(ToolOfCommand(pCmdUI->m_nID) == m_wndLargeDrawArea.GetTool());
}

void CUfxPixelEditorDlg::OnUpdatePaste(CCmdUI* pCmdUI) { pCmdUI->Enable(::IsClipboardFormatAvailable(CF_BITMAP)); }

LRESULT CUfxPixelEditorDlg::OnKickIdle(WPARAM, LPARAM) {
  if (m_wndToolbar.GetSafeHwnd() != nullptr) m_wndToolbar.OnUpdateCmdUI((CFrameWnd*)this, TRUE);
  return 0;
}

void CUfxPixelEditorDlg::AfterImageChange() {
  m_wndLargeDrawArea.Invalidate();
  InvalidatePreview();
}

void CUfxPixelEditorDlg::InvalidatePreview() {
  if (GetSafeHwnd() != nullptr) InvalidateRect(m_rectPreviewFrame);
}

void CUfxPixelEditorDlg::OnClear() {
  if (m_pBitmap == nullptr || m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0) return;
  CClientDC dcScreen(nullptr);
  CDC dcMem;
  if (!dcMem.CreateCompatibleDC(&dcScreen)) return;
  CBitmap* pOld = dcMem.SelectObject(m_pBitmap);
  dcMem.FillRect(CRect(CPoint(0, 0), m_sizeImage), &UfxGlobalData.brBtnFace);
  dcMem.SelectObject(pOld);
  AfterImageChange();
}

void CUfxPixelEditorDlg::OnCopy() {
  if (m_pBitmap == nullptr || m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0) return;
  try {
    CClientDC dcScreen(nullptr);
    CDC dcSource, dcCopy;
    CBitmap bmpCopy;
    BOOL bDone = dcSource.CreateCompatibleDC(&dcScreen) && dcCopy.CreateCompatibleDC(&dcScreen) &&
                 bmpCopy.CreateCompatibleBitmap(&dcScreen, m_sizeImage.cx, m_sizeImage.cy);
    if (bDone) {
      CBitmap* pOldSource = dcSource.SelectObject(m_pBitmap);
      CBitmap* pOldCopy = dcCopy.SelectObject(&bmpCopy);
      dcCopy.BitBlt(0, 0, m_sizeImage.cx, m_sizeImage.cy, &dcSource, 0, 0, SRCCOPY);
      dcCopy.SelectObject(pOldCopy);
      dcSource.SelectObject(pOldSource);
      bDone = FALSE;
      if (OpenClipboard()) {
        if (::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, bmpCopy.GetSafeHandle()) != nullptr) {
          bmpCopy.Detach();  // the clipboard owns it now
          bDone = TRUE;
        }
        ::CloseClipboard();
      }
    }
    if (!bDone) AfxMessageBox(kMsgCopyFailed);
  } catch (CMemoryException* e) {
    e->Delete();
    AfxMessageBox(kMsgNoMemory);
  }
}

void CUfxPixelEditorDlg::OnPaste() {
  BOOL bDone = FALSE;
  COleDataObject data;
  if (data.AttachClipboard() && data.IsDataAvailable(CF_BITMAP)) {
    STGMEDIUM medium = {};
    FORMATETC format = {CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    if (data.GetData(CF_BITMAP, &medium, &format)) {
      bDone = medium.tymed == TYMED_GDI && PasteBitmap(medium.hBitmap);
      ::ReleaseStgMedium(&medium);
    }
  }
  if (!bDone) AfxMessageBox(kMsgPasteFailed);
  AfterImageChange();
}

BOOL CUfxPixelEditorDlg::PasteBitmap(HBITMAP hbmpSource) {
  BITMAP info = {};
  if (hbmpSource == nullptr || m_pBitmap == nullptr || !::GetObjectW(hbmpSource, sizeof(info), &info)) return FALSE;
  CClientDC dcScreen(nullptr);
  CDC dcSource, dcDest;
  if (!dcSource.CreateCompatibleDC(&dcScreen) || !dcDest.CreateCompatibleDC(&dcScreen)) return FALSE;
  HGDIOBJ hOldSource = ::SelectObject(dcSource.GetSafeHdc(), hbmpSource);
  CBitmap* pOldDest = dcDest.SelectObject(m_pBitmap);
  const CRect rectImage(CPoint(0, 0), m_sizeImage);
  dcDest.FillRect(rectImage, &UfxGlobalData.brBtnFace);
  // A smaller bitmap is centred; a larger one gives its top-left part.
  const int x = std::max<int>(0, (m_sizeImage.cx - (int)info.bmWidth) / 2);
  const int y = std::max<int>(0, (m_sizeImage.cy - (int)info.bmHeight) / 2);
  const int cx = std::min<int>((int)info.bmWidth, m_sizeImage.cx - x);
  const int cy = std::min<int>((int)info.bmHeight, m_sizeImage.cy - y);
  const BOOL bCopied = dcDest.BitBlt(x, y, cx, cy, &dcSource, 0, 0, SRCCOPY);
  dcDest.SelectObject(pOldDest);
  ::SelectObject(dcSource.GetSafeHdc(), hOldSource);
  return bCopied;
}

// ---- painting ------------------------------------------------------------------------------------------------

void CUfxPixelEditorDlg::OnPaint() {
  CPaintDC dc(this);
  dc.Draw3dRect(m_rectPreviewFrame, UfxGlobalData.clrBtnShadow, UfxGlobalData.clrBtnHilite);
  if (m_pBitmap == nullptr || m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0) return;
  CDC dcMem;
  if (!dcMem.CreateCompatibleDC(&dc)) return;
  CBitmap* pOld = dcMem.SelectObject(m_pBitmap);
  dc.BitBlt(m_rectPreviewImage.left, m_rectPreviewImage.top, m_sizeImage.cx, m_sizeImage.cy, &dcMem, 0, 0, SRCCOPY);
  dcMem.SelectObject(pOld);
}
