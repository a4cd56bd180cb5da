// UfxTrackMouse: asks for WM_MOUSELEAVE (TME_LEAVE) when the mouse leaves the window.
#pragma once
#include "Framework.h"

BOOL UfxTrackMouse(LPTRACKMOUSEEVENT lpEventTrack);
