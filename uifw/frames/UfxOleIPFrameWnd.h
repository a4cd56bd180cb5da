// CUfxOleIPFrameWnd: the framework's in-place frame of an OLE server (see CUfxInPlaceFrame).
#pragma once
#include "frames/UfxInPlaceFrame.h"

class CUfxOleIPFrameWnd : public CUfxInPlaceFrame<COleIPFrameWnd> {
  DECLARE_DYNCREATE(CUfxOleIPFrameWnd)
};
