// Logical palettes of the colour controls (made on screens of 8 bits per pixel): one of the first
// colours of a list, and one of the system's 256 entries (or a copy of a given palette).
#pragma once
#include "Framework.h"

// A palette (version 0x300) of the first colours, at most nMaxColors; FALSE when there are none.
BOOL UfxCreatePaletteOfColors(CPalette& palette, const CArray<COLORREF, COLORREF>& colors, int nMaxColors);
// A palette of the system palette's 256 entries, or a copy of pSource entry by entry; a screen
// without a system palette gives the stock colours.
BOOL UfxCreateSystemPalette(CPalette& palette, CPalette* pSource = nullptr);
