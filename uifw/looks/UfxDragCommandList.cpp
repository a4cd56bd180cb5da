#include "looks/UfxDragCommandList.h"
#include "bars/UfxBarDropSource.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"
#include "looks/UfxCustomizeIds.h"
#include "looks/UfxVisualManager.h"
#include "FwOleDragDrop.h"

IMPLEMENT_DYNAMIC(CUfxDragCommandList, CListBox)

BEGIN_MESSAGE_MAP(CUfxDragCommandList, CListBox)
  ON_WM_LBUTTONDOWN()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CUfxDragCommandList::CUfxDragCommandList() = default;

void CUfxDragCommandList::TakeItemSize() {
  const CSize sizeImage = CUfxToolBar::GetMenuImageSize();
  m_nItemWidth = sizeImage.cx + 6;
  m_nItemHeight = sizeImage.cy + 6;
}

CUfxToolbarButton* CUfxDragCommandList::GetButton(int iItem) const {
  if (iItem < 0 || iItem >= GetCount()) return nullptr;
  return reinterpret_cast<CUfxToolbarButton*>(GetItemDataPtr(iItem));
}

void CUfxDragCommandList::OnLButtonDown(UINT nFlags, CPoint point) {
  const int iSelected = GetCurSel();
  CRect rectSelected;
  const BOOL bOnSelected = iSelected >= 0 && GetItemRect(iSelected, rectSelected) != LB_ERR && rectSelected.PtInRect(point);
  CListBox::OnLButtonDown(nFlags, point);
  // Only a press on the command already selected drags it.
  CUfxToolbarButton* pButton = bOnSelected ? GetButton(iSelected) : nullptr;
  if (pButton == nullptr) return;
  SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  COleDataSource source;
  pButton->m_bDragFromCollection = TRUE;
  const BOOL bPrepared = pButton->PrepareDrag(source);
  pButton->m_bDragFromCollection = FALSE;
  if (!bPrepared) return;
  if (HCURSOR hCursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDC_UFX_DRAG_COMMAND))) ::SetCursor(hCursor);
  ClientToScreen(rectSelected);
  source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, rectSelected, &CUfxBarDropSource::Shared());
}

BOOL CUfxDragCommandList::OnEraseBkgnd(CDC* pDC) {
  CRect rectClient;
  GetClientRect(rectClient);
  if (CUfxVisualManager* pLook = CUfxVisualManager::GetInstance()) pLook->OnFillCommandsListBackground(pDC, rectClient);
  return TRUE;
}

void CUfxDragCommandList::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (m_nItemHeight == 0) TakeItemSize();
  if ((int)lpMeasureItemStruct->itemHeight < m_nItemHeight) lpMeasureItemStruct->itemHeight = m_nItemHeight;
}

void CUfxDragCommandList::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CUfxToolbarButton* pButton = GetButton((int)lpDrawItemStruct->itemID);
  if (pButton == nullptr) return;
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  const CRect rect = lpDrawItemStruct->rcItem;
  const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
  // The button shows the list's name for the moment it draws itself (and fills its background).
  CString strListText;
  GetText((int)lpDrawItemStruct->itemID, strListText);
  const CString strSaved = pButton->m_strText;
  pButton->m_strText = strListText;
  pButton->OnDrawOnCustomizeList(pDC, rect, bSelected);
  pButton->m_strText = strSaved;
}
