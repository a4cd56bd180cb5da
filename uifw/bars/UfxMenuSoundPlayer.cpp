#include "bars/UfxMenuSoundPlayer.h"
#include <mmsystem.h>
#include <atomic>

BOOL CUfxMenuSoundPlayer::s_bEnabled = TRUE;

namespace {
// The request slot shared with the sound thread: the request in the low half, a write count in the
// high half. The thread clears only the very request it has just played, so a stop or a newer
// request written meanwhile (even an equal one) stays.
class RequestSlot {
public:
  int load() const { return (int)(LONG)(ULONG)(m_value.load() & 0xFFFFFFFFull); }
  unsigned long long raw() const { return m_value.load(); }
  RequestSlot& operator=(int iRequest) {
    unsigned long long old = m_value.load();
    unsigned long long next;
    do {
      next = (((old >> 32) + 1) << 32) | (ULONG)iRequest;
    } while (!m_value.compare_exchange_weak(old, next));
    return *this;
  }
  // Back to idle only when nothing was written since `seen`.
  void clearIfUnchanged(unsigned long long seen) {
    m_value.compare_exchange_strong(seen, (seen & 0xFFFFFFFF00000000ull) | (ULONG)CUfxMenuSoundPlayer::kIdle);
  }

private:
  std::atomic<unsigned long long> m_value{(ULONG)CUfxMenuSoundPlayer::kNotStarted};
};
RequestSlot g_slot;
// Set by the first stop: requests after it are ignored.
std::atomic<bool> g_stopped{false};
HANDLE g_hThread = nullptr;
CRITICAL_SECTION g_csStart;
std::atomic<bool> g_csReady{false};

BOOL PlaySystemSound(LPCWSTR lpszAlias, DWORD dwFlags) {
  typedef BOOL(WINAPI * PFN)(LPCWSTR, HMODULE, DWORD);
  static PFN pfn = nullptr;
  static bool tried = false;
  if (!tried) {
    tried = true;
    HMODULE h = ::LoadLibraryW(L"winmm.dll");
    if (h != nullptr) pfn = reinterpret_cast<PFN>(reinterpret_cast<INT_PTR>(::GetProcAddress(h, "PlaySoundW")));
  }
  return pfn != nullptr ? pfn(lpszAlias, nullptr, dwFlags) : FALSE;
}

std::atomic<CUfxMenuSoundPlayer::PFN_PLAY> g_pfnPlay{PlaySystemSound};

void EnsureCriticalSection() {
  static LONG s_init = 0;
  if (::InterlockedCompareExchange(&s_init, 1, 0) == 0) {
    ::InitializeCriticalSection(&g_csStart);
    g_csReady = true;
  }
  while (!g_csReady) ::Sleep(0);
}

// At exit the stop is requested, the thread given a moment to end and its handle closed.
struct ExitStop {
  ~ExitStop() { CUfxMenuSoundPlayer::Play(CUfxMenuSoundPlayer::kStop); }
} g_exitStop;
}  // namespace

CUfxMenuSoundPlayer::PFN_PLAY CUfxMenuSoundPlayer::SetPlayFunction(PFN_PLAY pfn) {
  return g_pfnPlay.exchange(pfn != nullptr ? pfn : PlaySystemSound);
}

int CUfxMenuSoundPlayer::GetSlot() { return g_slot.load(); }

BOOL CUfxMenuSoundPlayer::IsThreadStarted() { return g_hThread != nullptr || g_slot.load() != kNotStarted; }

void CUfxMenuSoundPlayer::ResetForTest() {
  Play(kStop);
  g_slot = kNotStarted;
  g_stopped = false;
}

DWORD WINAPI CUfxMenuSoundPlayer::ThreadProc(LPVOID) {
  for (;;) {
    const unsigned long long seen = g_slot.raw();
    const int iRequest = (int)(LONG)(ULONG)(seen & 0xFFFFFFFFull);
    if (iRequest == kStop) break;
    if (iRequest == kCommand || iRequest == kPopup) {
      g_pfnPlay.load()(iRequest == kCommand ? L"MenuCommand" : L"MenuPopup", SND_ALIAS | SND_NODEFAULT | SND_NOWAIT);
      g_slot.clearIfUnchanged(seen);
    }
    ::Sleep(5);
  }
  g_pfnPlay.load()(nullptr, SND_PURGE);
  return 0;
}

void CUfxMenuSoundPlayer::Play(int iRequest) {
  if (iRequest == kStop) {
    if (g_slot.load() == kNotStarted) return;
    g_stopped = true;
    g_slot = kStop;
    HANDLE hThread = g_hThread;
    g_hThread = nullptr;
    if (hThread != nullptr) {
      ::WaitForSingleObject(hThread, 200);
      ::CloseHandle(hThread);
    }
    return;
  }
  if (!s_bEnabled || g_stopped) return;
  if (iRequest != kCommand && iRequest != kPopup) return;
  if (g_slot.load() != kNotStarted) {
    g_slot = iRequest;
    return;
  }
  EnsureCriticalSection();
  ::EnterCriticalSection(&g_csStart);
  if (g_slot.load() == kNotStarted) {
    g_slot = iRequest;
    DWORD dwId = 0;
    g_hThread = ::CreateThread(nullptr, 0, ThreadProc, nullptr, CREATE_SUSPENDED, &dwId);
    if (g_hThread != nullptr) {
      ::SetThreadPriority(g_hThread, THREAD_PRIORITY_BELOW_NORMAL);
      ::ResumeThread(g_hThread);
    } else {
      g_slot = kNotStarted;
    }
  } else {
    g_slot = iRequest;
  }
  ::LeaveCriticalSection(&g_csStart);
}
