#include "UfxTrackMouse.h"

BOOL UfxTrackMouse(LPTRACKMOUSEEVENT lpEventTrack) { return ::TrackMouseEvent(lpEventTrack); }
