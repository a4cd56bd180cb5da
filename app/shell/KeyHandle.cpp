#include "KeyHandle.h"

#include "ShellIds.h"

namespace {

struct KeyName {
  BYTE code;
  LPCWSTR name;
};

// Named keys by virtual-key code; letters, digits and F-keys are made up in KeyName() below.
const KeyName kKeyNames[] = {
    {3, L"Break"}, {8, L"Backspace"}, {9, L"Tab"}, {12, L"Num 5"}, {13, L"Enter"}, {19, L"Pause"},
    {20, L"CapsLock"}, {21, L"IME Kana"}, {23, L"IME Junja"}, {24, L"IME Final"}, {25, L"IME Hanja"},
    {27, L"Esc"}, {28, L"IME Convert"}, {29, L"IME Nonconvert"}, {30, L"IME Accept"}, {31, L"IME Modechange"},
    {32, L"Space"}, {33, L"PgUp"}, {34, L"PgDn"}, {35, L"End"}, {36, L"Home"}, {37, L"Left"}, {38, L"Up"},
    {39, L"Right"}, {40, L"Down"}, {41, L"Select"}, {42, L"PrnScrn"}, {43, L"Exec"}, {44, L"PrnScrn"},
    {45, L"Ins"}, {46, L"Del"}, {47, L"Help"}, {91, L"LWin"}, {92, L"RWin"}, {93, L"Context"}, {95, L"Sleep"},
    {96, L"Num 0"}, {97, L"Num 1"}, {98, L"Num 2"}, {99, L"Num 3"}, {100, L"Num 4"}, {101, L"Num 5"},
    {102, L"Num 6"}, {103, L"Num 7"}, {104, L"Num 8"}, {105, L"Num 9"}, {106, L"Gray *"}, {107, L"Gray +"},
    {108, L"Separator"}, {109, L"Gray -"}, {110, L"Num ."}, {111, L"Gray /"}, {144, L"NumLock"},
    {145, L"ScrollLock"}, {160, L"LShift"}, {161, L"RShift"}, {162, L"LControl"}, {163, L"RControl"},
    {164, L"LAlt"}, {165, L"RAlt"}, {166, L"InetBack"}, {167, L"InetForward"}, {168, L"InetRefresh"},
    {169, L"InetStop"}, {170, L"InetSearch"}, {171, L"InetFavorites"}, {172, L"InetHome"}, {173, L"Mute"},
    {174, L"VolDn"}, {175, L"VolUp"}, {176, L"NextClip"}, {177, L"PrevClip"}, {178, L"StopClip"},
    {179, L"PlayPause"}, {180, L"Mail"}, {181, L"SelectClip"}, {182, L"App1"}, {183, L"App2"}, {186, L";"},
    {187, L"Plus"}, {188, L","}, {189, L"Minus"}, {190, L"."}, {191, L"/"}, {192, L"~"}, {219, L"["},
    {220, L"\\"}, {221, L"]"}, {222, L"'"}, {223, L"Oem8"}, {226, L"Backslash"}, {229, L"IME Process"},
    {246, L"Attn"}, {247, L"CrSel"}, {248, L"ExSel"}, {249, L"ErEOF"}, {250, L"Play"}, {251, L"Zoom"},
    {253, L"Pa1"}, {254, L"Clear"},
};

CString KeyName(unsigned code) {
  CString name;
  if (code >= 'A' && code <= 'Z') {
    name = CString(static_cast<wchar_t>(code));
  } else if (code >= '0' && code <= '9') {
    name.Format(L"%i", code - '0');
  } else if (code >= VK_F1 && code <= VK_F24) {
    name.Format(L"F%i", code - VK_F1 + 1);
  } else {
    for (const auto& key : kKeyNames)
      if (key.code == code) return key.name;
    name.Format(L"Key#%i", code);
  }
  return name;
}

}  // namespace

long MakeKeyHandle(const KBDLLHOOKSTRUCT& event, long modifiers) {
  return static_cast<long>(event.vkCode) | static_cast<long>(event.scanCode << 8) |
         static_cast<long>((event.flags | LLKHF_UP) << 16) | modifiers;
}

long MakeKeyHandle(const KBDLLHOOKSTRUCT& event) {
  long modifiers = 0;
  if (::GetAsyncKeyState(VK_SHIFT) & 0x8000) modifiers |= kKeyShift;
  if (::GetAsyncKeyState(VK_MENU) & 0x8000) modifiers |= kKeyAlt;
  if (::GetAsyncKeyState(VK_CONTROL) & 0x8000) modifiers |= kKeyCtrl;
  return MakeKeyHandle(event, modifiers);
}

CString KeyHandleToText(long handle) {
  CString text;
  if (handle == 0) {
    text.LoadString(IDS_NO_KEY);
    return text;
  }
  if (handle & kKeyShift) text += L"Shift + ";
  if (handle & kKeyAlt) text += L"Alt + ";
  if (handle & kKeyCtrl) text += L"Ctrl + ";
  text += KeyName(static_cast<unsigned>(handle & 0xFF));
  return text;
}
