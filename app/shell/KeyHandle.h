// Key handles: one 32-bit value naming a key with its modifiers, as the keyboard hook sees it.
//   bits 0-7   virtual-key code
//   bits 8-15  scan code
//   bits 16-23 the low-level flag byte (extended 0x01, injected 0x10, Alt 0x20) with the
//              key-up bit 0x80 always set, so the down and up events of a key agree
//   bit 24 Shift, bit 25 Alt, bit 26 Ctrl (held when the event came)
// 0 names no key. Injected events carry their flag and so never match a real key's handle.
#pragma once

#include <windows.h>

#include "Framework.h"

constexpr long kKeyShift = 0x1000000;
constexpr long kKeyAlt = 0x2000000;
constexpr long kKeyCtrl = 0x4000000;

// The handle of a low-level event; the modifiers are read from the keyboard's state now.
long MakeKeyHandle(const KBDLLHOOKSTRUCT& event);
// The same from given modifier bits (kKeyShift | kKeyAlt | kKeyCtrl).
long MakeKeyHandle(const KBDLLHOOKSTRUCT& event, long modifiers);

// "Shift + Alt + Ctrl + <key name>" (the modifiers that are set, in that order); the text of
// string 236 for 0.
CString KeyHandleToText(long handle);
