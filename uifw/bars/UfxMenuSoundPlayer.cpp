#include "UfxMenuSoundPlayer.h"

BOOL CUfxMenuSoundPlayer::s_bEnabled = TRUE;

void CUfxMenuSoundPlayer::Play(int) {}
CUfxMenuSoundPlayer::PFN_PLAY CUfxMenuSoundPlayer::SetPlayFunction(PFN_PLAY) { return nullptr; }
int CUfxMenuSoundPlayer::GetSlot() { return kNotStarted; }
BOOL CUfxMenuSoundPlayer::IsThreadStarted() { return FALSE; }
void CUfxMenuSoundPlayer::ResetForTest() {}
DWORD WINAPI CUfxMenuSoundPlayer::ThreadProc(LPVOID) { return 0; }
