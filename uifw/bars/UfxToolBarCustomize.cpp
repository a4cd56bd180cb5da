// CUfxToolBar: customize mode: selecting, dragging, dropping and resizing buttons, and the
// customize context menu.
#include "bars/UfxToolBarShared.h"
#include "bars/UfxToolbarButton.h"
#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxCustomizeButton.h"
#include "bars/UfxBarDropSource.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxGlobalData.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxUserToolsManager.h"
#include "looks/UfxButtonLookDlg.h"
#include "looks/UfxToolbarCustomize.h"
#include <commctrl.h>
#include <algorithm>
#include <vector>

using namespace ufx_toolbar;

BOOL CUfxToolBar::s_bAltCustomization = FALSE;
BOOL CUfxToolBar::s_bAltCustomizing = FALSE;
BOOL CUfxToolBar::s_bDragFromToolbar = FALSE;
CUfxToolbarCustomize* CUfxToolBar::s_pCustomizeSheet = nullptr;

namespace {
const UINT kIdCustomizeMenu = 16102;
const UINT kIdResizeCursor = 30980;
const int kStretchEdge = 6;      // the right edge a stretchable button is resized by
const int kStretchMinMove = 4;   // the track follows once the pointer is this far right of the left edge
const int kStretchMinChange = 6; // a new width must differ this much from the old one
const int kRegroupDistance = 6;  // a drop on its own place this far away regroups
const int kMarkSize = 6;         // the insertion mark across the bar

enum CustomizeCommand : UINT {
  kCmdReset = 16910,
  kCmdCopyImage = 16911,
  kCmdDelete = 16912,
  kCmdAppearance = 16913,
  kCmdImageOnly = 16914,
  kCmdTextOnly = 16915,
  kCmdImageAndText = 16916,
  kCmdBeginGroup = 16917,
  kCmdNewMenu = 16918,
};

BOOL IsBarHorizontal(const CControlBar* pBar) { return (pBar->GetBarStyle() & CBRS_ORIENT_HORZ) != 0; }

BOOL HasImage(const CUfxToolbarButton* pButton) { return pButton->GetImage() >= 0; }
}  // namespace

// ---- customize mode ---------------------------------------------------------------------------------

BOOL CUfxToolBar::SetCustomizeMode(BOOL bSet) {
  if (s_bCustomizeMode == bSet) return FALSE;
  // A bar's change may create or destroy bars: the walk starts again when the count changes.
  for (;;) {
    const INT_PTR nCount = s_lstAllToolbars.GetCount();
    BOOL bRestart = FALSE;
    for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
      CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
      pBar->OnCustomizeModeChanged(bSet);
      if (s_lstAllToolbars.GetCount() != nCount) {
        bRestart = TRUE;
        break;
      }
    }
    if (!bRestart) break;
  }
  s_bCustomizeMode = bSet;
  if (!bSet) s_pSelToolbar = nullptr;
  for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
    if (pBar->GetSafeHwnd() == nullptr) continue;
    if (pBar->m_pCustomizeBtn != nullptr) pBar->AdjustLayout();
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  return TRUE;
}

void CUfxToolBar::OnCustomizeModeChanged(BOOL bCustomizeMode) {
  m_iButtonCapture = -1;
  m_iHighlighted = -1;
  m_iSelected = -1;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
    CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    pButton->OnCancelMode();
    if (!(pButton->m_nStyle & TBBS_DISABLED)) pButton->EnableWindow(!bCustomizeMode);
  }
}

CUfxToolbarButton* CUfxToolBar::SelectedButton() const { return GetButton(m_iSelected); }

BOOL CUfxToolBar::IsCustomizeClick(UINT nFlags) const {
  if (m_bLocked) return FALSE;
  if (s_bCustomizeMode) return TRUE;
  (void)nFlags;
  return s_bAltCustomization && (::GetKeyState(VK_MENU) & 0x8000) != 0;
}

void CUfxToolBar::SelectForCustomize(int iHit) {
  CUfxToolBar* pOldSel = s_pSelToolbar;
  s_pSelToolbar = this;
  if (pOldSel != nullptr && pOldSel != this && IsAlive(pOldSel->m_hWnd, pOldSel)) {
    const int iOld = pOldSel->m_iSelected;
    pOldSel->m_iSelected = -1;
    pOldSel->InvalidateButton(iOld);
    pOldSel->UpdateWindow();
  }
  const int iOld = m_iSelected;
  m_iSelected = iHit;
  if (CUfxToolbarButton* pButton = GetButton(iHit)) {
    if (!pButton->IsEditable()) m_iSelected = -1;
  }
  InvalidateButton(iOld);
  InvalidateButton(m_iSelected);
  UpdateWindow();
}

void CUfxToolBar::StartCustomizeDrag(int iHit, UINT nFlags, CPoint point) {
  SelectForCustomize(iHit);
  m_bIsDragCopy = (nFlags & MK_CONTROL) != 0;
  CUfxToolbarButton* pButton = SelectedButton();
  if (pButton == nullptr) return;
  const BOOL bAltDrag = !s_bCustomizeMode;
  if (!bAltDrag && pButton->CanBeStretched() && IsNearRightEdge(pButton, point)) {
    StartStretch(pButton);
    return;
  }
  if (!pButton->CanBeStored() || !pButton->CloseSubMenus()) return;
  DragButton(pButton, point);
}

void CUfxToolBar::DragButton(CUfxToolbarButton* pButton, CPoint point) {
  COleDataSource source;
  s_bDragFromToolbar = TRUE;
  const BOOL bPrepared = pButton->PrepareDrag(source);
  if (!bPrepared) {
    s_bDragFromToolbar = FALSE;
    return;
  }
  ShowCommandPrompt(pButton->m_nID);
  m_ptStartDrag = point;
  m_pDragButton = pButton;
  CRect rectStart = pButton->Rect();
  ClientToScreen(rectStart);
  const BOOL bAltDrag = !s_bCustomizeMode;
  if (bAltDrag) {
    s_bAltCustomizing = TRUE;
    SetCustomizeMode(TRUE);
  }
  CUfxBarDropSource& dropSource = CUfxBarDropSource::Shared();
  const HWND hwnd = m_hWnd;
  const DROPEFFECT effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, rectStart, &dropSource);
  s_bDragFromToolbar = FALSE;

  if (IsAlive(hwnd, this)) {
    // A move within this bar has taken the button already (the list no longer holds it).
    const BOOL bConsumed = m_pDragButton == nullptr;
    m_pDragButton = nullptr;
    const int iButton = ButtonToIndex(pButton);
    CPoint ptNow;
    ::GetCursorPos(&ptNow);
    if (iButton >= 0) {
      if (!dropSource.m_bDragStarted || rectStart.PtInRect(ptNow)) {
        m_iHighlighted = iButton;
        InvalidateButton(iButton);
      } else if (effect == DROPEFFECT_COPY || dropSource.m_bEscapePressed || bConsumed ||
                 (effect == DROPEFFECT_NONE && !dropSource.m_bDragOutside)) {
        // Copied, cancelled, regrouped here, or refused by the bar it was dropped on: it stays.
        InvalidateButton(iButton);
      } else {
        RemoveButton(iButton);
        m_iSelected = -1;
        AdjustLayout();
      }
    }
  }
  if (bAltDrag) {
    s_bAltCustomizing = FALSE;
    SetCustomizeMode(FALSE);
    if (IsAlive(hwnd, this)) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

// ---- resizing ---------------------------------------------------------------------------------------

BOOL CUfxToolBar::IsNearRightEdge(const CUfxToolbarButton* pButton, CPoint point) const {
  const CRect rect = pButton->Rect();
  return rect.PtInRect(point) && point.x >= rect.right - kStretchEdge;
}

void CUfxToolBar::StartStretch(CUfxToolbarButton* pButton) {
  m_bStretchButton = TRUE;
  m_pDragButton = pButton;
  m_rectTrack = pButton->Rect();
  ::SetCursor(::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(kIdResizeCursor)));
  SetCapture();
}

void CUfxToolBar::DrawStretchRect() {
  if (m_rectTrack.IsRectEmpty()) return;
  CClientDC dc(this);
  dc.DrawDragRect(m_rectTrack, CSize(2, 2), nullptr, CSize(2, 2));
}

void CUfxToolBar::TrackStretch(CPoint point) {
  CUfxToolbarButton* pButton = m_pDragButton;
  if (pButton == nullptr || ButtonToIndex(pButton) < 0) return;
  const CRect rectButton = pButton->Rect();
  if (point.x - rectButton.left <= kStretchMinMove) return;
  DrawStretchRect();  // XOR: the old track goes
  m_rectTrack = rectButton;
  m_rectTrack.right = point.x;
  DrawStretchRect();
}

void CUfxToolBar::EndStretch(CPoint point) {
  CUfxToolbarButton* pButton = m_pDragButton;
  DrawStretchRect();
  m_rectTrack.SetRectEmpty();
  m_bStretchButton = FALSE;
  m_pDragButton = nullptr;
  if (pButton != nullptr && ButtonToIndex(pButton) >= 0) {
    const CRect rect = pButton->Rect();
    const int nWidth = point.x - rect.left;
    if (nWidth > kStretchMinMove && abs(point.x - rect.right) > kStretchMinChange) {
      pButton->OnSize(nWidth);
      AdjustLayout();
    }
  }
  Invalidate();
  if (GetCapture() == this) ::ReleaseCapture();
}

void CUfxToolBar::CancelStretch() {
  if (!m_bStretchButton) return;
  DrawStretchRect();
  m_rectTrack.SetRectEmpty();
  m_bStretchButton = FALSE;
  m_pDragButton = nullptr;
  Invalidate();
  if (GetCapture() == this) ::ReleaseCapture();
}

// ---- drag and drop ----------------------------------------------------------------------------------

DROPEFFECT CUfxToolBar::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  m_iDragIndex = -1;
  CUfxBarDropSource::Shared().m_bDragOutside = FALSE;
  return OnDragOver(pDataObject, dwKeyState, point);
}

void CUfxToolBar::MoveInsertionMark(int iIndex, const CRect& rectNew) {
  m_iDragIndex = iIndex;
  if (rectNew == m_rectDrag) return;
  CRect rectOld = m_rectDrag;
  m_rectDrag = rectNew;
  if (GetSafeHwnd() == nullptr) return;
  rectOld.InflateRect(2, 2);
  CRect rectMark = rectNew;
  rectMark.InflateRect(2, 2);
  if (!m_rectDrag.IsRectEmpty() || !rectOld.IsRectEmpty()) {
    InvalidateRect(rectOld);
    InvalidateRect(rectMark);
    UpdateWindow();
  }
}

DROPEFFECT CUfxToolBar::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (m_bLocked) return DROPEFFECT_NONE;
  CUfxToolbarButton* pButton = CUfxToolbarButton::CreateFromOleData(pDataObject);
  if (pButton == nullptr) return DROPEFFECT_NONE;
  const BOOL bAccepted = pButton->CanBeDropped(this);
  delete pButton;
  if (!bAccepted) return DROPEFFECT_NONE;
  m_bIsDragCopy = (dwKeyState & MK_CONTROL) != 0;
  if (m_pDragButton == nullptr && m_iSelected >= 0) {
    const int iOld = m_iSelected;
    m_iSelected = -1;
    InvalidateButton(iOld);
  }
  CRect rectMark;
  const int iIndex = FindDropIndex(point, rectMark);
  MoveInsertionMark(iIndex, rectMark);
  m_iHighlighted = HitTest(point);
  if (iIndex == -1) return DROPEFFECT_NONE;
  return m_bIsDragCopy ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CUfxToolBar::OnDragLeave() {
  if (GetSafeHwnd() != nullptr && !m_rectDrag.IsRectEmpty()) {
    CRect rect = m_rectDrag;
    rect.InflateRect(2, 2);
    InvalidateRect(rect);
  }
  m_rectDrag.SetRectEmpty();
  m_iDragIndex = -1;
  CUfxBarDropSource& source = CUfxBarDropSource::Shared();
  if (!source.m_bReleased) source.m_bDragOutside = TRUE;
}

int CUfxToolBar::FindDropIndex(CPoint point, CRect& rectDrag) const {
  rectDrag.SetRectEmpty();
  CRect rectClient;
  GetClientRect(rectClient);
  const BOOL bHorz = IsBarHorizontal(this);
  const int nLimit = GetButtonCount() - (m_pCustomizeBtn != nullptr ? 1 : 0);
  if (nLimit <= 0) {
    rectDrag = bHorz ? CRect(rectClient.left, rectClient.top, rectClient.left + kMarkSize, rectClient.bottom)
                     : CRect(rectClient.left, rectClient.top, rectClient.right, rectClient.top + kMarkSize);
    return 0;
  }
  // The buttons shown, by row (horizontal bars) or as one column.
  struct Item {
    int iIndex;
    CRect rect;
  };
  std::vector<Item> items;
  int i = 0;
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr && i < nLimit; ++i) {
    const CUfxToolbarButton* pButton = AsButton(m_Buttons.GetNext(pos));
    if (pButton->m_bVisible && !pButton->Rect().IsRectEmpty()) items.push_back({i, pButton->Rect()});
  }
  if (items.empty()) return -1;

  int iIndex = -1;
  int nEdge = 0;
  CRect rectAt;
  auto before = [&](const Item& item) {
    iIndex = item.iIndex;
    nEdge = bHorz ? item.rect.left : item.rect.top;
    rectAt = item.rect;
  };
  auto after = [&](const Item& item) {
    iIndex = item.iIndex + 1;
    nEdge = bHorz ? item.rect.right : item.rect.bottom;
    rectAt = item.rect;
  };
  if (bHorz) {
    // The row under the point, from the pitch of the rows.
    const int nTop = (int)items.front().rect.top;
    int nPitch = RowHeight() + kRowGap;
    for (const Item& item : items)
      if (item.rect.top > nTop) {
        nPitch = (int)item.rect.top - nTop;
        break;
      }
    int nRows = 0;
    for (const Item& item : items) nRows = std::max(nRows, (int)(item.rect.top - nTop + nPitch / 2) / nPitch + 1);
    const int iRow = std::min(std::max((int)(point.y - nTop) / std::max(nPitch, 1), 0), nRows - 1);
    const Item* pLast = nullptr;
    for (const Item& item : items) {
      if ((item.rect.top - nTop + nPitch / 2) / nPitch != iRow) continue;
      pLast = &item;
      if (point.x < item.rect.left) {
        before(item);
        break;
      }
      if (point.x < item.rect.right) {
        if (point.x < item.rect.CenterPoint().x) before(item);
        else after(item);
        break;
      }
    }
    if (iIndex < 0 && pLast != nullptr) after(*pLast);
  } else {
    for (const Item& item : items) {
      if (point.y < item.rect.top) {
        before(item);
        break;
      }
      if (point.y < item.rect.bottom) {
        if (point.y < item.rect.CenterPoint().y) before(item);
        else after(item);
        break;
      }
    }
    if (iIndex < 0) after(items.back());
  }
  if (iIndex < 0) return -1;
  // Nothing lands after the customize button.
  if (iIndex > nLimit) iIndex = nLimit;
  const int nHalf = kMarkSize / 2;
  if (bHorz) {
    int nLeft = std::max(nEdge - nHalf, (int)rectClient.left);
    nLeft = std::min(nLeft, (int)rectClient.right - kMarkSize);
    rectDrag.SetRect(nLeft, rectAt.top, nLeft + kMarkSize, rectAt.bottom);
  } else {
    int nTopMark = std::max(nEdge - nHalf, (int)rectClient.top);
    nTopMark = std::min(nTopMark, (int)rectClient.bottom - kMarkSize);
    rectDrag.SetRect(rectAt.left, nTopMark, rectAt.right, nTopMark + kMarkSize);
  }
  rectDrag.IntersectRect(rectDrag, rectClient);
  return iIndex;
}

BOOL CUfxToolBar::RegroupInPlace(int iOld, CPoint point) {
  const BOOL bHorz = IsBarHorizontal(this);
  const int nMoved = bHorz ? point.x - m_ptStartDrag.x : point.y - m_ptStartDrag.y;
  if (nMoved <= -kRegroupDistance) {
    if (iOld > 0 && IsSeparator(GetButton(iOld - 1))) RemoveButton(iOld - 1);
  } else if (nMoved >= kRegroupDistance) {
    if (iOld > 0 && !IsSeparator(GetButton(iOld - 1))) InsertSeparator(iOld);
  }
  AdjustLayout();
  return TRUE;
}

BOOL CUfxToolBar::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
  int iDropIndex = m_iDragIndex;
  if (iDropIndex < 0) return FALSE;
  CUfxToolbarButton* pDragButton = m_pDragButton;
  m_pDragButton = nullptr;
  OnDragLeave();
  CUfxToolbarButton* pButton = CreateDroppedButton(pDataObject);
  s_bDragFromToolbar = FALSE;
  if (pButton == nullptr) return FALSE;

  const int iOld = pDragButton != nullptr ? ButtonToIndex(pDragButton) : -1;
  if (iOld >= 0 && dropEffect != DROPEFFECT_COPY) {
    if (iDropIndex == iOld || iDropIndex == iOld + 1) {
      delete pButton;
      return RegroupInPlace(iOld, point);
    }
    // The drop lands where the mark showed: the index loses every button removed before it
    // (the old one and a separator that went with it).
    std::vector<CObject*> lstBefore;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr && (int)lstBefore.size() < iDropIndex;)
      lstBefore.push_back(m_Buttons.GetNext(pos));
    RemoveButton(iOld);
    iDropIndex = 0;
    for (CObject* pObject : lstBefore) iDropIndex += m_Buttons.Find(pObject) != nullptr ? 1 : 0;
  }
  if (InsertButton(pButton, iDropIndex) < 0) {
    delete pButton;
    return FALSE;
  }
  AdjustLayout();
  if (s_bAltCustomizing) pButton->CloseTopPopup();
  m_iSelected = -1;
  Invalidate();
  return TRUE;
}

CUfxToolbarButton* CUfxToolBar::CreateDroppedButton(COleDataObject* pDataObject) {
  CUfxToolbarButton* pButton = CUfxToolbarButton::CreateFromOleData(pDataObject);
  if (pButton == nullptr) return nullptr;
  const int iTab = pButton->m_strText.Find(L'\t');
  if (iTab >= 0) pButton->m_strText = pButton->m_strText.Left(iTab);
  if (s_bDragFromToolbar) {
    if (!(pButton->m_bImage && HasImage(pButton)) && !(pButton->m_bText && !pButton->m_strText.IsEmpty())) {
      if (!EditButtonLook(pButton)) {
        delete pButton;
        return nullptr;
      }
    }
  } else {
    pButton->m_bImage = TRUE;
    pButton->m_bText = FALSE;
  }
  if (!HasImage(pButton)) {
    pButton->m_bImage = FALSE;
    pButton->m_bText = TRUE;
  }
  return pButton;
}

// ---- the drop target --------------------------------------------------------------------------------

BOOL CUfxBarDropTarget::Register(CUfxToolBar* pOwner) {
  m_pOwner = pOwner;
  return COleDropTarget::Register(pOwner);
}

namespace {
BOOL IsButtonDrag(COleDataObject* pDataObject) {
  return CUfxToolBar::IsCustomizeMode() && pDataObject != nullptr &&
         pDataObject->IsDataAvailable(CUfxToolbarButton::GetClipboardFormat());
}
}  // namespace

DROPEFFECT CUfxBarDropTarget::OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (!IsButtonDrag(pDataObject)) return DROPEFFECT_NONE;
  return m_pOwner->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CUfxBarDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) {
  if (!IsButtonDrag(pDataObject)) return DROPEFFECT_NONE;
  return m_pOwner->OnDragOver(pDataObject, dwKeyState, point);
}

void CUfxBarDropTarget::OnDragLeave(CWnd*) {
  if (CUfxToolBar::IsCustomizeMode()) m_pOwner->OnDragLeave();
}

BOOL CUfxBarDropTarget::OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) {
  if (!IsButtonDrag(pDataObject)) return FALSE;
  return m_pOwner->OnDrop(pDataObject, dropEffect, point);
}

// ---- the context menu -------------------------------------------------------------------------------

BOOL CUfxToolBar::EnableContextMenuItems(CUfxToolbarButton* pButton, CMenu* pPopup) {
  if (pButton == nullptr || pPopup == nullptr) return FALSE;
  if (pButton->OnCustomizeMenu(pPopup)) return TRUE;
  const BOOL bHorz = IsBarHorizontal(this);
  const BOOL bImage = pButton->m_bImage && HasImage(pButton);
  pPopup->EnableMenuItem(kCmdCopyImage, MF_BYCOMMAND | (bImage ? MF_ENABLED : MF_GRAYED));
  if (pButton->m_nID == 0 || pButton->m_nID == (UINT)-1) pPopup->EnableMenuItem(kCmdReset, MF_BYCOMMAND | MF_GRAYED);
  const BOOL bTextBelow = pButton->m_bTextBelow && bHorz;
  const BOOL bText = pButton->m_bText || bTextBelow;
  UINT uiChecked = kCmdTextOnly;
  if (pButton->m_bImage) uiChecked = bText ? kCmdImageAndText : kCmdImageOnly;
  for (UINT uiCmd : {kCmdImageOnly, kCmdTextOnly, kCmdImageAndText})
    pPopup->CheckMenuItem(uiCmd, MF_BYCOMMAND | (uiCmd == uiChecked ? MF_CHECKED : MF_UNCHECKED));
  if (bTextBelow) pPopup->EnableMenuItem(kCmdImageOnly, MF_BYCOMMAND | MF_GRAYED);
  if (IsMenuOnlyButton(pButton)) {
    for (UINT uiCmd : {kCmdImageOnly, kCmdTextOnly, kCmdImageAndText})
      pPopup->EnableMenuItem(uiCmd, MF_BYCOMMAND | MF_GRAYED);
    pButton->m_bText = TRUE;
  }
  const int iButton = ButtonToIndex(pButton);
  if (iButton <= 0) {
    pPopup->EnableMenuItem(kCmdBeginGroup, MF_BYCOMMAND | MF_GRAYED);
  } else {
    const BOOL bGroup = IsSeparator(GetButton(iButton - 1));
    pPopup->CheckMenuItem(kCmdBeginGroup, MF_BYCOMMAND | (bGroup ? MF_CHECKED : MF_UNCHECKED));
  }
  return TRUE;
}

void CUfxToolBar::ShowCustomizeMenu(CPoint point) {
  if (m_bLocked) {
    ::MessageBeep((UINT)-1);
    return;
  }
  SetFocus();
  CPoint ptClient = point;
  const BOOL bKeyboard = point.x == -1 && point.y == -1;
  if (!bKeyboard) ScreenToClient(&ptClient);
  const int iHit = bKeyboard ? m_iSelected : HitTest(ptClient);
  SelectForCustomize(iHit);
  CUfxToolbarButton* pButton = SelectedButton();
  if (pButton == nullptr || !pButton->CanBeStored()) return;
  if (bKeyboard) {
    CRect rect;
    GetWindowRect(rect);
    point = rect.TopLeft() + CPoint(5, 5);
  }
  CMenu menu;
  if (!menu.LoadMenu(kIdCustomizeMenu)) return;
  CMenu* pPopup = menu.GetSubMenu(0);
  if (pPopup == nullptr) return;
  EnableContextMenuItems(pButton, pPopup);
  if (pButton->m_bLocked) pPopup->EnableMenuItem(kCmdReset, MF_BYCOMMAND | MF_GRAYED);
  pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CUfxToolBar::OnCustomizeCommand(UINT uiCmd) {
  CUfxToolbarButton* pButton = SelectedButton();
  if (uiCmd == kCmdNewMenu) {
    OnNewMenu();
    return;
  }
  if (pButton == nullptr) return;
  switch (uiCmd) {
    case kCmdReset: OnResetButton(pButton); break;
    case kCmdCopyImage: OnCopyButtonImage(pButton); break;
    case kCmdDelete: OnDeleteButton(); break;
    case kCmdAppearance: OnButtonAppearance(pButton); break;
    case kCmdImageOnly: OnDisplayMode(pButton, FALSE, TRUE); break;
    case kCmdTextOnly: OnDisplayMode(pButton, TRUE, FALSE); break;
    case kCmdImageAndText: OnDisplayMode(pButton, TRUE, TRUE); break;
    case kCmdBeginGroup: OnBeginGroup(pButton); break;
    default: break;
  }
}

BOOL CUfxToolBar::EditButtonLook(CUfxToolbarButton* pButton) {
  CUfxButtonLookDlg dlg(pButton, s_pUserImages, this, 0, m_bMenuMode ? this : nullptr);
  return dlg.DoModal() == IDOK;
}

void CUfxToolBar::OnResetButton(CUfxToolbarButton* pButton) {
  if (UfxUserToolsManager != nullptr && UfxUserToolsManager->FindTool(pButton->m_nID) != nullptr) return;
  int iImage = -1;
  pButton->m_bUserButton = FALSE;
  if (GetDefaultImage(pButton->m_nID, iImage) && iImage >= 0) {
    pButton->SetImage(iImage);
    pButton->m_bImage = TRUE;
  } else {
    pButton->m_bImage = FALSE;
  }
  pButton->m_bText = m_bMenuMode || !pButton->m_bImage;
  SetDefaultButtonText(pButton);
  AdjustLayout();
  UfxGetCommandManager()->ClearUserCmdImage(pButton->m_nID);
  Invalidate();
}

void CUfxToolBar::OnCopyButtonImage(CUfxToolbarButton* pButton) {
  if (!pButton->m_bUserButton && UfxUserToolsManager != nullptr) {
    if (CUfxUserTool* pTool = UfxUserToolsManager->FindTool(pButton->m_nID)) {
      pTool->CopyIconToClipboard();
      return;
    }
  }
  CUfxToolBarImages* pImages = pButton->m_bUserButton ? s_pUserImages : GetImagesToDraw();
  if (pImages == nullptr) return;
  const HCURSOR hOld = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  pImages->CopyImageToClipboard(pButton->GetImage());
  ::SetCursor(hOld);
}

void CUfxToolBar::OnDeleteButton() {
  RemoveButton(m_iSelected);
  m_iSelected = -1;
  AdjustLayout();
}

void CUfxToolBar::OnButtonAppearance(CUfxToolbarButton* pButton) {
  if (pButton->m_strText.IsEmpty()) SetDefaultButtonText(pButton);
  const HWND hwnd = m_hWnd;
  const BOOL bOK = EditButtonLook(pButton);
  if (!IsAlive(hwnd, this) || !bOK || ButtonToIndex(pButton) < 0) return;
  AdjustLayout();
  Invalidate();
}

void CUfxToolBar::OnDisplayMode(CUfxToolbarButton* pButton, BOOL bText, BOOL bImage) {
  const BOOL bOldText = pButton->m_bText;
  const BOOL bOldImage = pButton->m_bImage;
  const HWND hwnd = m_hWnd;
  if (bImage && !HasImage(pButton)) {
    // Without an image the user picks one first; Cancel leaves the button as it was.
    if (!EditButtonLook(pButton)) {
      if (IsAlive(hwnd, this) && ButtonToIndex(pButton) >= 0) {
        pButton->m_bText = bOldText;
        pButton->m_bImage = bOldImage;
      }
      return;
    }
    if (!IsAlive(hwnd, this) || ButtonToIndex(pButton) < 0) return;
  }
  pButton->m_bImage = bImage;
  pButton->m_bText = bText;
  if (bText && pButton->m_strText.IsEmpty() && !SetDefaultButtonText(pButton)) {
    ::MessageBeep((UINT)-1);
    pButton->m_bText = FALSE;
    pButton->m_bImage = TRUE;
  }
  AdjustLayout();
}

void CUfxToolBar::OnBeginGroup(CUfxToolbarButton* pButton) {
  const int iButton = ButtonToIndex(pButton);
  if (iButton <= 0) return;
  if (IsSeparator(GetButton(iButton - 1))) {
    RemoveButton(iButton - 1);
  } else if (InsertSeparator(iButton) >= 0 && m_iSelected >= iButton) {
    ++m_iSelected;
  }
  AdjustLayout();
}

void CUfxToolBar::OnNewMenu() {
  CUfxToolbarMenuButton* pMenuButton = new CUfxToolbarMenuButton;
  pMenuButton->m_bText = TRUE;
  pMenuButton->m_bImage = FALSE;
  const HWND hwnd = m_hWnd;
  if (!EditButtonLook(pMenuButton) || !IsAlive(hwnd, this)) {
    delete pMenuButton;
    return;
  }
  const int iAt = m_iSelected >= 0 ? m_iSelected : -1;
  const int iIndex = InsertButton(pMenuButton, iAt);
  if (iIndex < 0) {
    delete pMenuButton;
    return;
  }
  AdjustLayout();
  m_iSelected = iIndex;
  Invalidate();
  UpdateWindow();
  pMenuButton->OnClick(this, FALSE);
}

void CUfxToolBar::NotifyFontsChanged() {
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) AsButton(m_Buttons.GetNext(pos))->OnGlobalFontsChanged();
}
