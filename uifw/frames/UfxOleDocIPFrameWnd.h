// CUfxOleDocIPFrameWnd: the framework's in-place frame of an OLE document server (see
// CUfxInPlaceFrame); it drops the menu bar's popup state on every deactivation.
#pragma once
#include "frames/UfxInPlaceFrame.h"

class CUfxOleDocIPFrameWnd : public CUfxInPlaceFrame<COleDocIPFrameWnd> {
  DECLARE_DYNCREATE(CUfxOleDocIPFrameWnd)
protected:
  BOOL AlwaysDropsMenuOnDeactivate() const override { return TRUE; }
};
