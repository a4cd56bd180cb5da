#include "frames/UfxBarNcHelper.h"
#include "frames/UfxGlobalData.h"
#include "looks/UfxVisualManager.h"

namespace {
const int kRtlGripperShift = 7;

bool IsHorizontal(const CControlBar* pBar) { return (pBar->m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }
bool IsRtl(const CControlBar* pBar) { return (pBar->GetExStyle() & WS_EX_LAYOUTRTL) != 0; }
bool HasDockedGripper(const CControlBar* pBar) {
  return (pBar->m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER;
}
}  // namespace

void CUfxBarNcHelper::CalcNcSize(LPRECT lpRect) {
  const BOOL bHorz = IsHorizontal(m_pBar);
  CRect rectBorders;
  rectBorders.SetRectEmpty();
  m_pBar->CalcInsideRect(rectBorders, bHorz);
  if (bHorz && IsRtl(m_pBar) && HasDockedGripper(m_pBar)) rectBorders.OffsetRect(-kRtlGripperShift, 0);
  lpRect->left += rectBorders.left;
  lpRect->top += rectBorders.top;
  lpRect->right += rectBorders.right;
  lpRect->bottom += rectBorders.bottom;
}

void CUfxBarNcHelper::FillBackground(CDC* pDC) { UfxGlobalData.DrawParentBackground(m_pBar, pDC); }

void CUfxBarNcHelper::DrawNcArea() {
  CWindowDC dc(m_pBar);
  CRect rectWindowScreen, rectClientScreen;
  m_pBar->GetWindowRect(&rectWindowScreen);
  m_pBar->GetClientRect(&rectClientScreen);
  m_pBar->ClientToScreen(&rectClientScreen);
  CRect rectClient = rectClientScreen;
  rectClient.OffsetRect(-rectWindowScreen.left, -rectWindowScreen.top);
  if (IsRtl(m_pBar)) {  // window coordinates of a mirrored window run from the right
    const int cx = rectWindowScreen.Width();
    rectClient.SetRect(cx - rectClient.right, rectClient.top, cx - rectClient.left, rectClient.bottom);
  }
  CRect rectWindow(0, 0, rectWindowScreen.Width(), rectWindowScreen.Height());
  dc.ExcludeClipRect(&rectClient);

  // Only what the update region asks for (wParam 1 means the whole window).
  const MSG* pMsg = CWnd::GetCurrentMessage();
  if (pMsg != nullptr && pMsg->message == WM_NCPAINT && pMsg->wParam != 1 && pMsg->wParam != 0) {
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 0, 0);
    if (::CombineRgn(rgn, (HRGN)pMsg->wParam, nullptr, RGN_COPY) != ERROR) {
      rgn.OffsetRgn(-rectWindowScreen.left, -rectWindowScreen.top);
      if (IsRtl(m_pBar)) {
        CRect box;
        rgn.GetRgnBox(&box);
        rgn.SetRectRgn(rectWindow.Width() - box.right, box.top, rectWindow.Width() - box.left, box.bottom);
      }
      ::ExtSelectClipRgn(dc.GetSafeHdc(), rgn, RGN_AND);
    }
  }

  CUfxVisualManager* pLook = CUfxVisualManager::GetInstance();
  pLook->OnDrawBarBorder(&dc, m_pBar, rectWindow);
  dc.IntersectClipRect(&rectWindow);
  pLook->OnFillBarBackground(&dc, m_pBar, rectWindow, rectWindow, TRUE);

  if (HasDockedGripper(m_pBar)) {
    const BOOL bHorz = IsHorizontal(m_pBar);
    CRect rectGripper = rectWindowScreen;
    if (!bHorz) {
      rectGripper.bottom = rectClientScreen.top - 1;
    } else if (!IsRtl(m_pBar)) {
      rectGripper.right = rectClientScreen.left - 1;
    } else {
      rectGripper.left = rectWindowScreen.right - (rectClientScreen.right - rectWindowScreen.left);
    }
    rectGripper.OffsetRect(-rectWindowScreen.left, -rectWindowScreen.top);
    pLook->OnDrawBarGripper(&dc, rectGripper, bHorz, m_pBar);
  }
  dc.SelectClipRgn(nullptr);
}
