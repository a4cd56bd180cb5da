// UfxTrackMouse: asks for WM_MOUSELEAVE (TME_LEAVE) when the mouse leaves the window. A 100 ms
// timer of that window (its id the flags) watches the pointer and posts the message once.
#pragma once
#include "Framework.h"

BOOL UfxTrackMouse(LPTRACKMOUSEEVENT lpEventTrack);
