// CUfxMenuSoundPlayer: plays the system sounds of opening a menu and of choosing a command on a
// thread of its own, so that the user-interface thread never waits for the sound system.
#pragma once
#include "Framework.h"

class CUfxMenuSoundPlayer {
public:
  enum { kNotStarted = -2, kStop = -1, kIdle = 0, kCommand = 1, kPopup = 2 };

  // Posts a request: kCommand, kPopup or kStop. Ignored while sounds are off and after a stop.
  static void Play(int iRequest);

  static void EnableSounds(BOOL bEnable) { s_bEnabled = bEnable; }
  static BOOL AreSoundsEnabled() { return s_bEnabled; }

  // The call that plays one system sound alias (synchronous, no default sound); replaceable so
  // that tests can record what would be played.
  typedef BOOL (*PFN_PLAY)(LPCWSTR lpszAlias, DWORD dwFlags);
  static PFN_PLAY SetPlayFunction(PFN_PLAY pfn);
  // The request waiting in the slot, and whether the thread has been started.
  static int GetSlot();
  static BOOL IsThreadStarted();
  // For tests: after the thread has ended, back to "not started".
  static void ResetForTest();

protected:
  static DWORD WINAPI ThreadProc(LPVOID);
  static BOOL s_bEnabled;
};
