// Menu sounds through the replaceable play call: the switch, the stop, and the slot that keeps
// only the newest request.
#include "bars/UfxMenuSoundPlayer.h"
#include "TestPump.h"
#include <gtest/gtest.h>
#include <mmsystem.h>
#include <mutex>
#include <string>
#include <vector>

namespace {

// Records each call; the first one can be held until released.
struct Recorder {
  std::mutex mutex;
  std::vector<std::wstring> calls;
  HANDLE hEntered = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE hRelease = ::CreateEventW(nullptr, TRUE, TRUE, nullptr);
  ~Recorder() {
    ::CloseHandle(hEntered);
    ::CloseHandle(hRelease);
  }
  std::vector<std::wstring> Calls() {
    std::lock_guard<std::mutex> lock(mutex);
    return calls;
  }
} *g_recorder = nullptr;

BOOL RecordPlay(LPCWSTR lpszAlias, DWORD dwFlags) {
  {
    std::lock_guard<std::mutex> lock(g_recorder->mutex);
    g_recorder->calls.push_back(lpszAlias == nullptr ? std::wstring(L"<purge>") : std::wstring(lpszAlias));
  }
  // A wrong flag set shows up as its own entry.
  const bool bFlagsRight = lpszAlias == nullptr ? (dwFlags & SND_PURGE) != 0
                                                : dwFlags == (SND_ALIAS | SND_NODEFAULT | SND_NOWAIT);
  if (!bFlagsRight) {
    std::lock_guard<std::mutex> lock(g_recorder->mutex);
    g_recorder->calls.push_back(L"<wrong flags>");
  }
  ::SetEvent(g_recorder->hEntered);
  ::WaitForSingleObject(g_recorder->hRelease, 5000);
  return TRUE;
}

class MenuSound : public ::testing::Test {
protected:
  void SetUp() override {
    g_recorder = &recorder;
    CUfxMenuSoundPlayer::ResetForTest();
    m_pfnSaved = CUfxMenuSoundPlayer::SetPlayFunction(RecordPlay);
    CUfxMenuSoundPlayer::EnableSounds(TRUE);
  }
  void TearDown() override {
    ::SetEvent(recorder.hRelease);
    CUfxMenuSoundPlayer::ResetForTest();
    CUfxMenuSoundPlayer::SetPlayFunction(m_pfnSaved);
    CUfxMenuSoundPlayer::EnableSounds(TRUE);
    g_recorder = nullptr;
  }
  Recorder recorder;
  CUfxMenuSoundPlayer::PFN_PLAY m_pfnSaved = nullptr;
};

TEST_F(MenuSound, SwitchedOffNoThreadEverStarts) {
  CUfxMenuSoundPlayer::EnableSounds(FALSE);
  CUfxMenuSoundPlayer::Play(CUfxMenuSoundPlayer::kPopup);
  CUfxMenuSoundPlayer::Play(CUfxMenuSoundPlayer::kCommand);
  EXPECT_FALSE(CUfxMenuSoundPlayer::IsThreadStarted());
  EXPECT_EQ(CUfxMenuSoundPlayer::kNotStarted, CUfxMenuSoundPlayer::GetSlot());
}

TEST_F(MenuSound, StopBeforeAnySoundNeverStartsTheThread) {
  CUfxMenuSoundPlayer::Play(CUfxMenuSoundPlayer::kStop);
  EXPECT_FALSE(CUfxMenuSoundPlayer::IsThreadStarted());
  EXPECT_EQ(CUfxMenuSoundPlayer::kNotStarted, CUfxMenuSoundPlayer::GetSlot());
}

TEST_F(MenuSound, EachRequestPlaysItsAliasThenTheSlotIsIdle) {
  CUfxMenuSoundPlayer::Play(CUfxMenuSoundPlayer::kPopup);
  ASSERT_TRUE(PumpUntil([] { return CUfxMenuSoundPlayer::GetSlot() == CUfxMenuSoundPlayer::kIdle; }));
  CUfxMenuSoundPlayer::Play(CUfxMenuSoundPlayer::kCommand);
  ASSERT_TRUE(PumpUntil([&] { return recorder.Calls().size() == 2; }));
  EXPECT_EQ(std::vector<std::wstring>({L"MenuPopup", L"MenuCommand"}), recorder.Calls());
}

// Requests that come while a sound plays wait in the slot; the newest overwrites the older ones,
// and it survives the thread's clearing of the one it just played, even when they are equal.
TEST_F(MenuSound, RequestsDuringASoundPlayOnlyTheNewest) {
  struct Case { int first, second, third; const wchar_t* played; };
  const Case cases[] = {{CUfxMenuSoundPlayer::kPopup, CUfxMenuSoundPlayer::kCommand, CUfxMenuSoundPlayer::kPopup, L"MenuPopup"},
                        {CUfxMenuSoundPlayer::kCommand, CUfxMenuSoundPlayer::kPopup, CUfxMenuSoundPlayer::kCommand, L"MenuCommand"}};
  for (const Case& c : cases) {
    CUfxMenuSoundPlayer::ResetForTest();
    recorder.calls.clear();
    ::ResetEvent(recorder.hEntered);
    ::ResetEvent(recorder.hRelease);
    CUfxMenuSoundPlayer::Play(c.first);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(recorder.hEntered, 3000));
    CUfxMenuSoundPlayer::Play(c.second);
    CUfxMenuSoundPlayer::Play(c.third);
    ::SetEvent(recorder.hRelease);
    ASSERT_TRUE(PumpUntil([&] { return recorder.Calls().size() == 2; }));
    // Idle: the thread has played what was asked for, and nothing is left for it to play.
    ASSERT_TRUE(PumpUntil([] { return CUfxMenuSoundPlayer::GetSlot() == CUfxMenuSoundPlayer::kIdle; }));
    const std::vector<std::wstring> calls = recorder.Calls();
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ(c.played, calls[1]);
  }
}

TEST_F(MenuSound, StopEndsTheThreadAndLaterRequestsAreIgnored) {
  CUfxMenuSoundPlayer::Play(CUfxMenuSoundPlayer::kPopup);
  ASSERT_TRUE(PumpUntil([&] { return recorder.Calls().size() == 1; }));
  CUfxMenuSoundPlayer::Play(CUfxMenuSoundPlayer::kStop);
  ASSERT_TRUE(PumpUntil([&] { return recorder.Calls().size() == 2; }));
  EXPECT_EQ(L"<purge>", recorder.Calls()[1]);
  // The purge is the thread's last call before it ends: nothing can play after it.
  CUfxMenuSoundPlayer::Play(CUfxMenuSoundPlayer::kCommand);
  EXPECT_EQ(CUfxMenuSoundPlayer::kStop, CUfxMenuSoundPlayer::GetSlot());
  EXPECT_EQ(2u, recorder.Calls().size());
}

}  // namespace
