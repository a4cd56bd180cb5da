// CUfxToolBar: loading from toolbar and bitmap resources, the image strips and the sizes.
#include "bars/UfxToolBarShared.h"
#include "bars/UfxToolbarButton.h"
#include "bars/UfxCommandUsage.h"
#include "bars/UfxCustomizeButton.h"
#include "bars/UfxToolbarSystemMenuButton.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxFrameHelper.h"
#include "frames/UfxFrameWnd.h"
#include "frames/UfxGlobalData.h"
#include "frames/UfxKeyboardManager.h"
#include "bars/UfxPopupMenu.h"
#include "bars/UfxPopupMenuBar.h"
#include "frames/UfxRegistry.h"
#include "bars/UfxTrackMouse.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxUserToolsManager.h"
#include "looks/UfxVisualManager.h"
#include "frames/UfxWorkspace.h"
#include "FwReBar.h"
#include <commctrl.h>

using namespace ufx_toolbar;

namespace {
// The toolbar resource: version 1, image width, image height, count, then the ids, all 16-bit.
struct ToolbarResource {
  CSize sizeImage;
  CArray<UINT, UINT> ids;
};

BOOL ReadToolbarResource(UINT uiResID, ToolbarResource& res) {
  const HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEW(uiResID), RT_TOOLBAR);
  HRSRC hRsrc = ::FindResourceW(hInst, MAKEINTRESOURCEW(uiResID), RT_TOOLBAR);
  if (hRsrc == nullptr) return FALSE;
  const DWORD cbSize = ::SizeofResource(hInst, hRsrc);
  HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
  const WORD* pWords = hGlobal != nullptr ? static_cast<const WORD*>(::LockResource(hGlobal)) : nullptr;
  if (pWords == nullptr || cbSize < 8 || pWords[0] != 1) return FALSE;
  const WORD nCount = pWords[3];
  // The ids must all be there: a short resource is refused, never read past its end.
  if (cbSize < 8u + 2u * nCount) return FALSE;
  res.sizeImage = CSize(pWords[1], pWords[2]);
  res.ids.SetSize(nCount);
  for (int i = 0; i < nCount; ++i) res.ids[i] = pWords[4 + i];
  return TRUE;
}
}  // namespace

// ---- loading from resources -----------------------------------------------------------------------

BOOL CUfxToolBar::LoadToolBarImages(UINT uiResID, UINT uiColdResID, UINT uiDisabledResID, UINT uiLargeResID,
                                    UINT uiLargeColdResID, UINT uiLargeDisabledResID, UINT uiMenuResID,
                                    UINT uiMenuDisabledResID, BOOL bLocked) {
  const CUfxToolBarParams params = {uiResID,          uiColdResID,          uiDisabledResID, uiLargeResID,
                                    uiLargeColdResID, uiLargeDisabledResID, uiMenuResID,     uiMenuDisabledResID};
  return LoadImageSet(params, bLocked);
}

BOOL CUfxToolBar::LoadToolBarResource(UINT uiToolbarResID, UINT uiResID, UINT uiColdResID, UINT uiDisabledResID,
                                      UINT uiLargeResID, UINT uiLargeColdResID, UINT uiLargeDisabledResID,
                                      UINT uiMenuResID, UINT uiMenuDisabledResID, BOOL bLocked) {
  const CUfxToolBarParams params = {uiResID,          uiColdResID,          uiDisabledResID, uiLargeResID,
                                    uiLargeColdResID, uiLargeDisabledResID, uiMenuResID,     uiMenuDisabledResID};
  return LoadResourceSet(uiToolbarResID, params, bLocked);
}

BOOL CUfxToolBar::LoadImageSet(const CUfxToolBarParams& params, BOOL bLocked) {
  m_bLocked = bLocked;
  const UINT ids[] = {params.m_uiImagesResID,   params.m_uiColdResID,         params.m_uiDisabledResID,
                      params.m_uiLargeResID,    params.m_uiLargeColdResID,    params.m_uiLargeDisabledResID,
                      params.m_uiMenuResID,     params.m_uiMenuDisabledResID};
  const StripSet strips = m_bLocked ? LockedStrips() : SharedStrips();
  // A locked bar's strips become the resources; the shared strips take each resource once, and
  // this bar's images start where its resource's first image lies.
  for (size_t i = 0; i < strips.size(); ++i) {
    if (ids[i] == 0 && i != 0) continue;
    if (!strips[i]->Load(ids[i], nullptr, !m_bLocked)) return FALSE;
  }
  if (!m_bLocked) m_iImagesOffset = s_Images.GetResourceOffset(params.m_uiImagesResID);
  return TRUE;
}

BOOL CUfxToolBar::LoadResourceSet(UINT uiResID, const CUfxToolBarParams& paramsIn, BOOL bLocked) {
  ToolbarResource res;
  if (!ReadToolbarResource(uiResID, res)) return FALSE;
  m_bLocked = bLocked;
  const CSize sizeButton(res.sizeImage.cx + 6, res.sizeImage.cy + 6);
  if (m_bLocked) SetLockedSizes(sizeButton, res.sizeImage);
  else SetSizes(sizeButton, res.sizeImage);

  CUfxToolBarParams params = paramsIn;
  if (params.m_uiImagesResID == 0) params.m_uiImagesResID = uiResID;
  if (m_uiOriginalResID == 0 && !LoadImageSet(params, bLocked)) return FALSE;

  if (!m_bLocked) {
    int iImage = m_iImagesOffset;
    for (int i = 0; i < res.ids.GetSize(); ++i)
      if (res.ids[i] != 0) SetDefaultImage(res.ids[i], iImage++);
  }
  m_uiOriginalResID = uiResID;
  if (!SetButtons(res.ids.GetData(), (int)res.ids.GetSize(), TRUE)) {
    m_uiOriginalResID = 0;
    return FALSE;
  }
  return TRUE;
}

BOOL CUfxToolBar::LoadToolbarImagesOnly(UINT uiToolbarResID, UINT uiResID, UINT uiColdResID, UINT uiMenuResID,
                                        UINT uiDisabledResID, UINT uiMenuDisabledResID) {
  CUfxToolBar bar;
  return bar.LoadToolBarResource(uiToolbarResID, uiResID, uiColdResID, uiDisabledResID, 0, 0, 0, uiMenuResID,
                                 uiMenuDisabledResID);
}

void CUfxToolBar::ResetAllImages() {
  for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) AsButton(m_Buttons.GetNext(pos))->ResetImageToDefault();
  if (GetSafeHwnd() != nullptr && IsFloating()) AdjustLayout();
}

BOOL CUfxToolBar::RestoreResourceButtons() {
  if (m_uiOriginalResID == 0) return FALSE;
  ToolbarResource res;
  if (!ReadToolbarResource(m_uiOriginalResID, res)) return FALSE;
  // The images are in the strips already; only the buttons are built again.
  return SetButtons(res.ids.GetData(), (int)res.ids.GetSize(), TRUE);
}

void CUfxToolBar::FreeStaticImages() {
  for (CUfxToolBarImages* pImages : SharedStrips()) pImages->Clear();
  s_DefaultImages.RemoveAll();
  UfxCommandUsage.Reset();
  ThePaintBuffer().Free();
  CUfxToolBarImages::CleanUp();
}

CUfxToolBar::StripSet CUfxToolBar::SharedStrips() {
  return {&s_Images,      &s_ColdImages,          &s_DisabledImages, &s_LargeImages,
          &s_LargeColdImages, &s_LargeDisabledImages, &s_MenuImages,     &s_DisabledMenuImages};
}

CUfxToolBar::StripSet CUfxToolBar::LockedStrips() {
  return {&m_ImagesLocked,      &m_ColdImagesLocked,          &m_DisabledImagesLocked,
          &m_LargeImagesLocked, &m_LargeColdImagesLocked,     &m_LargeDisabledImagesLocked,
          &m_MenuImagesLocked,  &m_DisabledMenuImagesLocked};
}

void CUfxToolBar::SizeStrips(const StripSet& strips, CSize sizeImage) {
  // Roles 3 to 5 are the large strips.
  for (size_t i = 0; i < strips.size(); ++i) strips[i]->SetImageSize(Doubled(sizeImage, i >= 3 && i <= 5));
}

void CUfxToolBar::ReloadImages() {
  for (CUfxToolBarImages* pImages : SharedStrips()) pImages->Reload();
  for (CUfxToolBarImages* pImages : LockedStrips()) pImages->Reload();
  if (s_pUserImages != nullptr) s_pUserImages->Reload();
}

// ---- sizes ----------------------------------------------------------------------------------------

void CUfxToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage) {
  s_sizeButton = sizeButton;
  s_sizeImage = sizeImage;
  s_sizeCurButton = Doubled(sizeButton, s_bLargeIcons);
  s_sizeCurImage = Doubled(sizeImage, s_bLargeIcons);
  SizeStrips(SharedStrips(), sizeImage);
}

void CUfxToolBar::SetMenuSizes(SIZE sizeButton, SIZE sizeImage) {
  s_sizeMenuButton = sizeButton;
  s_sizeMenuImage = sizeImage;
}

void CUfxToolBar::SetLockedSizes(SIZE sizeButton, SIZE sizeImage) {
  m_sizeLockedButton = sizeButton;
  m_sizeLockedImage = sizeImage;
  m_sizeCurLockedButton = Doubled(sizeButton, s_bLargeIcons && m_bLargeIconsAreEnabled);
  m_sizeCurLockedImage = Doubled(sizeImage, s_bLargeIcons && m_bLargeIconsAreEnabled);
  SizeStrips(LockedStrips(), sizeImage);
}

void CUfxToolBar::SetLargeIcons(BOOL bLargeIcons) {
  s_bLargeIcons = bLargeIcons;
  UfxGlobalData.m_bLargeIcons = bLargeIcons;
  s_sizeCurButton = Doubled(s_sizeButton, s_bLargeIcons);
  s_sizeCurImage = Doubled(s_sizeImage, s_bLargeIcons);
  for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
    if (pBar->m_bLocked && pBar->m_bLargeIconsAreEnabled) {
      pBar->m_sizeCurLockedButton = Doubled(pBar->m_sizeLockedButton, s_bLargeIcons);
      pBar->m_sizeCurLockedImage = Doubled(pBar->m_sizeLockedImage, s_bLargeIcons);
    }
  }
  for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
    CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
    if (pBar->GetSafeHwnd() != nullptr) pBar->AdjustLayout();
  }
}

CSize CUfxToolBar::GetButtonSize() const {
  const BOOL bLarge = m_bLargeIconsAreEnabled;
  CSize size = m_bLocked ? (bLarge ? m_sizeCurLockedButton : m_sizeLockedButton) : (bLarge ? s_sizeCurButton : s_sizeButton);
  if (UsesExtraButtonBorder()) size += CUfxVisualManager::GetInstance()->GetButtonExtraBorder();
  return size;
}

CSize CUfxToolBar::GetImageSize() const {
  const BOOL bLarge = m_bLargeIconsAreEnabled;
  return m_bLocked ? (bLarge ? m_sizeCurLockedImage : m_sizeLockedImage) : (bLarge ? s_sizeCurImage : s_sizeImage);
}

CSize CUfxToolBar::GetMenuImageSize() { return s_sizeMenuImage.cx == -1 ? s_sizeCurImage : s_sizeMenuImage; }

CSize CUfxToolBar::GetMenuButtonSize() { return s_sizeMenuButton.cx == -1 ? s_sizeButton : s_sizeMenuButton; }

COLORREF CUfxToolBar::GetTextColor() { return s_clrText == (COLORREF)-1 ? UfxGlobalData.clrBtnText : s_clrText; }

int CUfxToolBar::GetCommandButtons(UINT uiCmd, CObList& listButtons) {
  listButtons.RemoveAll();
  if (uiCmd == 0) return 0;
  for (POSITION pos = s_lstAllToolbars.GetHeadPosition(); pos != nullptr;) {
    const CUfxToolBar* pBar = static_cast<CUfxToolBar*>(s_lstAllToolbars.GetNext(pos));
    for (POSITION posButton = pBar->m_Buttons.GetHeadPosition(); posButton != nullptr;) {
      CObject* pButton = pBar->m_Buttons.GetNext(posButton);
      if (AsButton(pButton)->m_nID == uiCmd) listButtons.AddTail(pButton);
    }
  }
  return (int)listButtons.GetCount();
}
