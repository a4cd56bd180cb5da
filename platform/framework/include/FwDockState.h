// CDockState and CControlBarInfo: the saved layout of a frame's bars (docked, floating, hidden,
// rows and places), kept in the application profile or an archive. A stored layout is
// untrusted: a frame applies only the bars and ids it has.
#pragma once
#include "FwMiniFrame.h"

class CControlBarInfo {
public:
  CControlBarInfo();
  BOOL LoadState(LPCWSTR lpszProfileName, int nIndex, class CDockState* pDockState);
  BOOL SaveState(LPCWSTR lpszProfileName, int nIndex);
  void Serialize(CArchive& ar, class CDockState* pDockState);

  UINT m_nBarID = 0;        // control id of the bar (the float dock bar's for floating frames)
  BOOL m_bVisible = FALSE;
  BOOL m_bFloating = FALSE;
  BOOL m_bHorz = FALSE;
  BOOL m_bDockBar = FALSE;  // the entry is a dock bar (lists its bars)
  CPoint m_pointPos;        // top-left of the bar (docked: in the dock bar; floating: screen)
  UINT m_nMRUWidth = 32767;
  BOOL m_bDocking = FALSE;  // has dock-context data
  UINT m_uMRUDockID = 0;
  CRect m_rectMRUDockPos;
  DWORD m_dwMRUFloatStyle = 0;
  CPoint m_ptMRUFloatPos;
  CPtrArray m_arrBarID;     // dock bars: the ids in m_arrBars (0 ends a row, ids >= 0x10000 are hidden places)
  CControlBar* m_pBar = nullptr;  // filled when the layout is applied
};

class CDockState : public CObject {
  DECLARE_SERIAL(CDockState)
public:
  CDockState();
  ~CDockState() override;
  void LoadState(LPCWSTR lpszProfileName);
  void SaveState(LPCWSTR lpszProfileName);
  void Clear();
  void Serialize(CArchive& ar) override;
  DWORD GetVersion() const { return m_dwVersion; }
  // Positions are kept relative to the screen size they were saved on.
  void ScalePoint(CPoint& pt);
  void ScaleRectPos(CRect& rect);
  CSize GetScreenSize();
  void SetScreenSize(CSize& size);

  CPtrArray m_arrBarInfo;  // CControlBarInfo*, owned
  DWORD m_dwVersion = 2;
  BOOL m_bScaling = FALSE;
  CRect m_rectDevice;      // the screen the layout was saved on
  CRect m_rectClip;        // floating frames stay inside
  CSize m_sizeDevice;
};
