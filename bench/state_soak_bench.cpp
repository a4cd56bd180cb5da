// Soak run over the stored forms that the framework reads from outside the program: a toolbar's
// saved state, the menu bar's saved state, the menu-bar store, dragged buttons, the dock state and
// the workspace's sections. A good image of each is damaged 10,000 times with fixed seeds (bytes
// flipped, cut short, counts, object tags and references rewritten) and loaded. Every load must
// come back whole or be refused with its target as it was; meanwhile freed memory is watched for
// writes and second deletes, and the heaps are checked. Prints the counts of each form; a crash
// ends the run before its closing line.
#include "BenchClock.h"
#include "FreedMemoryWatch.h"
#include "TestPump.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxFrameWnd.h"
#include "bars/UfxMenuBar.h"
#include "bars/UfxMenuBarStore.h"
#include "frames/UfxSizingControlBar.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxToolbarButton.h"
#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxUserTool.h"
#include "frames/UfxUserToolsManager.h"
#include "frames/UfxWorkspace.h"
#include <malloc.h>
#include <cstdio>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

const int kRounds = 10000;
const wchar_t kAppKey[] = L"Software\\Numbrook Soak";
const UINT kFirstTool = 0x8100, kLastTool = 0x8110;

class CSoakApp : public CWinApp, public CUfxWorkspace {
public:
  CSoakApp() : CWinApp(L"StateSoak"), CUfxWorkspace(FALSE) {}
};
CSoakApp theApp;

typedef std::vector<BYTE> Bytes;

// ---- damage ------------------------------------------------------------------------------------

// One to three changes of an image, drawn from a fixed-seed generator.
class CDamage {
public:
  explicit CDamage(unsigned seed) : m_rng(seed) {}
  Bytes Apply(Bytes bytes) {
    const int nChanges = 1 + Pick(3);
    for (int i = 0; i < nChanges; ++i) ApplyOne(bytes);
    return bytes;
  }

private:
  int Pick(int n) { return n <= 0 ? 0 : (int)(m_rng() % (unsigned)n); }
  void PutWord(Bytes& b, size_t at, WORD w) {
    if (at + 2 > b.size()) return;
    b[at] = (BYTE)w;
    b[at + 1] = (BYTE)(w >> 8);
  }
  void PutDword(Bytes& b, size_t at, DWORD d) {
    if (at + 4 > b.size()) return;
    for (int i = 0; i < 4; ++i) b[at + i] = (BYTE)(d >> (8 * i));
  }
  void ApplyOne(Bytes& b) {
    if (b.empty()) {
      b.push_back((BYTE)Pick(256));
      return;
    }
    const size_t at = (size_t)Pick((int)b.size());
    static const WORD kWords[] = {0, 1, 2, 3, 4, 5, 0x7FFF, 0x8001, 0x8002, 0xFFFE, 0xFFFF};
    static const DWORD kDwords[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 2000000000, 65535, 65536};
    switch (Pick(6)) {
      case 0:  // bytes flipped
        for (int n = 1 + Pick(4); n > 0; --n) b[(size_t)Pick((int)b.size())] ^= (BYTE)(1 + Pick(255));
        break;
      case 1:  // cut short
        b.resize(at);
        break;
      case 2:  // a count or an object tag rewritten
        PutWord(b, at, kWords[Pick(sizeof(kWords) / sizeof(kWords[0]))]);
        break;
      case 3:  // a reference back to an object or class read before
        PutWord(b, at, (WORD)((Pick(2) ? 0x8000 : 0) | (1 + Pick(8))));
        break;
      case 4:  // a 32-bit field rewritten
        PutDword(b, at, Pick(2) ? kDwords[Pick(sizeof(kDwords) / sizeof(kDwords[0]))] : (DWORD)m_rng());
        break;
      default: {  // a stretch repeated
        const size_t len = (size_t)Pick((int)std::min<size_t>(b.size() - at, 32)) + 1;
        Bytes copy(b.begin() + at, b.begin() + at + len);
        b.insert(b.begin() + (size_t)Pick((int)b.size()), copy.begin(), copy.end());
        break;
      }
    }
  }
  std::mt19937 m_rng;
};

// ---- counts ------------------------------------------------------------------------------------

struct Outcome {
  int whole = 0, refused = 0, halfApplied = 0, aliased = 0;
};

long g_heapWarnings = 0;

void CheckHeaps() {
  if (!::HeapValidate(::GetProcessHeap(), 0, nullptr)) ++g_heapWarnings;
  if (_heapchk() != _HEAPOK) ++g_heapWarnings;
}

// Every button of a bar once, and every menu item once.
bool ButtonsDistinct(const CUfxToolBar& bar) {
  std::set<const void*> seen;
  std::function<bool(const CUfxToolbarButton*)> add = [&](const CUfxToolbarButton* p) {
    if (p == nullptr || !seen.insert(p).second) return false;
    if (const CUfxToolbarMenuButton* pMenu = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, const_cast<CUfxToolbarButton*>(p))) {
      for (POSITION pos = pMenu->GetCommands().GetHeadPosition(); pos != nullptr;)
        if (!add(static_cast<const CUfxToolbarButton*>(pMenu->GetCommands().GetNext(pos)))) return false;
    }
    return true;
  };
  for (int i = 0; i < bar.GetButtonCount(); ++i)
    if (!add(bar.GetButton(i))) return false;
  return true;
}

std::vector<UINT> Ids(const CUfxToolBar& bar) {
  std::vector<UINT> ids;
  for (int i = 0; i < bar.GetButtonCount(); ++i) ids.push_back(bar.GetButton(i)->m_nID);
  return ids;
}

// ---- registry images ---------------------------------------------------------------------------

struct StoredValue {
  CString strKey, strName;
  DWORD dwType;
  Bytes data;
};

void CollectValues(const CString& strKey, std::vector<StoredValue>& values) {
  HKEY hKey = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS) return;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD cchName = 256, dwType = 0, cbData = 0;
    if (::RegEnumValueW(hKey, i, name, &cchName, nullptr, &dwType, nullptr, &cbData) != ERROR_SUCCESS) break;
    Bytes data(cbData);
    cchName = 256;
    ::RegEnumValueW(hKey, i, name, &cchName, nullptr, &dwType, data.empty() ? nullptr : data.data(), &cbData);
    values.push_back({strKey, name, dwType, data});
  }
  std::vector<CString> subKeys;
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD cchName = 256;
    if (::RegEnumKeyExW(hKey, i, name, &cchName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    subKeys.push_back(strKey + L"\\" + name);
  }
  ::RegCloseKey(hKey);
  for (const CString& strSub : subKeys) CollectValues(strSub, values);
}

void PutValue(const StoredValue& v, const Bytes& data) {
  HKEY hKey = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, v.strKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
    return;
  ::RegSetValueExW(hKey, v.strName, 0, v.dwType, data.empty() ? nullptr : data.data(), (DWORD)data.size());
  ::RegCloseKey(hKey);
}

// ---- the frame ---------------------------------------------------------------------------------

HMENU MakeMenu() {
  HMENU hFile = ::CreatePopupMenu();
  ::AppendMenuW(hFile, MF_STRING, 40001, L"&New");
  ::AppendMenuW(hFile, MF_SEPARATOR, 0, nullptr);
  HMENU hRecent = ::CreatePopupMenu();
  ::AppendMenuW(hRecent, MF_STRING, 40002, L"One");
  ::AppendMenuW(hRecent, MF_STRING, 40003, L"Two");
  ::AppendMenuW(hFile, MF_POPUP, (UINT_PTR)hRecent, L"&Recent");
  ::AppendMenuW(hFile, MF_STRING, 40004, L"E&xit");
  HMENU hEdit = ::CreatePopupMenu();
  ::AppendMenuW(hEdit, MF_STRING, 40005, L"&Copy");
  ::AppendMenuW(hEdit, MF_STRING, 40006, L"&Paste");
  HMENU hMenu = ::CreateMenu();
  ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hFile, L"&File");
  ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hEdit, L"&Edit");
  return hMenu;
}

struct SoakFrame {
  CUfxFrameWnd* pFrame = nullptr;
  CUfxMenuBar* pMenuBar = nullptr;
  CUfxToolBar* pToolBar = nullptr;
  CUfxSizingControlBar* pSizing = nullptr;
  HMENU hMenu = nullptr;

  void Create() {
    pFrame = new CUfxFrameWnd;
    pFrame->Create(nullptr, L"soak", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(0, 0, 900, 600));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    hMenu = MakeMenu();
    pMenuBar = new CUfxMenuBar;
    pMenuBar->m_bAutoDelete = TRUE;
    pMenuBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_MENUBAR);
    pMenuBar->CreateFromMenu(hMenu, TRUE);
    pToolBar = new CUfxToolBar;
    pToolBar->m_bAutoDelete = TRUE;
    pToolBar->Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR);
    FillToolBar(*pToolBar);
    pToolBar->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pToolBar);
    pSizing = new CUfxSizingControlBar;
    pSizing->m_bAutoDelete = TRUE;
    pSizing->Create(L"pane", pFrame, CSize(250, 150), TRUE, 0xE900, WS_CHILD | WS_VISIBLE | CBRS_LEFT);
    pSizing->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(pSizing, AFX_IDW_DOCKBAR_LEFT);
    pFrame->ShowWindow(SW_SHOWNOACTIVATE);
    pFrame->RecalcLayout();
    PumpPending();
  }
  static void FillToolBar(CUfxToolBar& bar) {
    bar.RemoveAllButtons();
    bar.InsertButton(new CUfxToolbarButton(40001, 0, L"&New"));
    bar.InsertSeparator();
    bar.InsertButton(new CUfxToolbarButton(40005, 1, L"&Copy"));
    HMENU hMenu = MakeMenu();
    bar.InsertButton(new CUfxToolbarMenuButton((UINT)-1, ::GetSubMenu(hMenu, 0), -1, L"&File"));
    ::DestroyMenu(hMenu);
  }
  void Destroy() {
    pFrame->DestroyWindow();
    PumpPending();
  }
};

// ---- the forms ---------------------------------------------------------------------------------

// A registry value damaged and loaded by `load`: TRUE whole, FALSE refused. `snapshot` tells what
// a refused load must leave as it was; `sound` whether a whole one is sound.
template <class Load, class Snapshot, class Sound>
Outcome SoakValue(const StoredValue& value, unsigned seed, Load load, Snapshot snapshot, Sound sound) {
  Outcome o;
  CDamage damage(seed);
  for (int i = 0; i < kRounds; ++i) {
    PutValue(value, damage.Apply(value.data));
    const auto before = snapshot();
    if (load()) {
      ++o.whole;
      if (!sound()) ++o.aliased;
    } else {
      ++o.refused;
      if (snapshot() != before) ++o.halfApplied;
    }
    if (i % 500 == 0) CheckHeaps();
  }
  PutValue(value, value.data);
  return o;
}

Bytes ArchiveBytes(const std::function<void(CArchive&)>& write) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
  }
  Bytes bytes((size_t)file.GetLength());
  file.SeekToBegin();
  if (!bytes.empty()) file.Read(bytes.data(), (UINT)bytes.size());
  return bytes;
}

// A bar that stores the bytes it is given instead of its buttons.
class CBytesBar : public CUfxToolBar {
public:
  Bytes bytes;
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) ar.Write(bytes.data(), (UINT)bytes.size());
    else CUfxToolBar::Serialize(ar);
  }
};

Outcome SoakMenuStore(SoakFrame& f, unsigned seed) {
  CUfxMenuBarStore store;
  const HMENU hKey = (HMENU)(UINT_PTR)0x5150;
  Bytes good;
  {
    CUfxToolbarMenuButton::AlwaysTearOffIdScope scope;
    good = ArchiveBytes([&](CArchive& ar) { f.pMenuBar->Serialize(ar); });
  }
  CUfxToolBar target;
  target.Create(f.pFrame, WS_CHILD, 0xE8F0);
  SoakFrame::FillToolBar(target);
  Outcome o;
  CDamage damage(seed);
  for (int i = 0; i < kRounds; ++i) {
    CBytesBar source;
    source.InsertButton(new CUfxToolbarButton(1, -1));
    source.bytes = damage.Apply(good);
    if (!store.Save(hKey, &source)) continue;
    const std::vector<UINT> before = Ids(target);
    if (store.Load(hKey, &target)) {
      ++o.whole;
      if (!ButtonsDistinct(target)) ++o.aliased;
    } else {
      ++o.refused;
      if (Ids(target) != before) ++o.halfApplied;
    }
    if (i % 500 == 0) CheckHeaps();
  }
  store.CleanUp();
  target.DestroyWindow();
  return o;
}

Outcome SoakDragData(SoakFrame& f, unsigned seed) {
  CUfxToolbarButton* pSource = f.pToolBar->GetButton(3);
  Bytes good = ArchiveBytes([&](CArchive& ar) {
    CUfxToolbarMenuButton::AlwaysTearOffIdScope scope;
    ar.WriteClass(pSource->GetRuntimeClass());
    pSource->Serialize(ar);
  });
  ::OleInitialize(nullptr);
  Outcome o;
  CDamage damage(seed);
  for (int i = 0; i < kRounds; ++i) {
    const Bytes bytes = damage.Apply(good);
    CSharedFile file(GMEM_MOVEABLE | GMEM_SHARE, 4096);
    if (!bytes.empty()) file.Write(bytes.data(), (UINT)bytes.size());
    COleDataSource source;
    source.CacheGlobalData(CUfxToolbarButton::GetClipboardFormat(), file.Detach());
    COleDataObject data;
    data.Attach(source.GetInterface(), FALSE);
    CUfxToolbarButton* pButton = CUfxToolbarButton::CreateFromOleData(&data);
    if (pButton != nullptr) {
      ++o.whole;
      CUfxToolBar holder;
      holder.InsertButton(pButton);
      if (!ButtonsDistinct(holder)) ++o.aliased;
    } else {
      ++o.refused;
    }
    if (i % 500 == 0) CheckHeaps();
  }
  ::OleUninitialize();
  return o;
}

Outcome SoakDockState(SoakFrame& f, unsigned seed) {
  CDockState good;
  f.pFrame->GetDockState(good);
  const Bytes image = ArchiveBytes([&](CArchive& ar) { good.Serialize(ar); });
  Outcome o;
  CDamage damage(seed);
  for (int i = 0; i < kRounds; ++i) {
    const Bytes bytes = damage.Apply(image);
    CDockState state;
    BOOL bLoaded = FALSE;
    try {
      CMemFile file(const_cast<BYTE*>(bytes.data()), (UINT)bytes.size());
      CArchive ar(&file, CArchive::load);
      state.Serialize(ar);
      bLoaded = TRUE;
    } catch (CException* e) {
      e->Delete();
    } catch (...) {
    }
    if (bLoaded) {
      ++o.whole;
      f.pFrame->SetDockState(state);
      f.pFrame->RecalcLayout();
    } else {
      ++o.refused;
    }
    if (i % 500 == 0) CheckHeaps();
  }
  f.pFrame->SetDockState(good);
  f.pFrame->RecalcLayout();
  return o;
}

void Print(const char* form, const Outcome& o, double seconds) {
  std::printf("%-40s whole %5d  refused %5d  half-applied %d  held twice %d  (%.1f s)\n", form, o.whole, o.refused,
              o.halfApplied, o.aliased, seconds);
}

}  // namespace

int main() {
  AfxWinInit(::GetModuleHandleW(nullptr), nullptr, ::GetCommandLineW(), SW_SHOW);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
  theApp.SetRegistryKey(L"Numbrook Soak");
  theApp.SetRegistryBase(L"Workspace");
  theApp.m_bSaveState = TRUE;
  CUfxUserToolsManager tools(0x80FF, kFirstTool, kLastTool);
  for (int i = 0; i < 3; ++i) tools.CreateNewTool()->m_strLabel = L"Tool";
  SoakFrame f;
  f.Create();
  theApp.SaveState(nullptr, f.pFrame->GetFrameImpl());
  std::vector<StoredValue> values;
  CollectValues(CString(kAppKey), values);

  freed_memory::FreedMemoryWatch watch;
  Outcome total;
  auto add = [&](const char* form, double start, const Outcome& o) {
    Print(form, o, Now() - start);
    total.whole += o.whole;
    total.refused += o.refused;
    total.halfApplied += o.halfApplied;
    total.aliased += o.aliased;
  };

  const CString strSection = theApp.GetRegSectionPath();
  // The toolbar's and the menu bar's saved buttons.
  for (const StoredValue& v : values) {
    if (v.strName != L"Buttons") continue;
    const BOOL bMenu = v.strKey.Find(L"UfxToolBar-59398") >= 0;
    CUfxToolBar* pBar = bMenu ? (CUfxToolBar*)f.pMenuBar : f.pToolBar;
    const double start = Now();
    Outcome o = SoakValue(
        v, bMenu ? 2u : 1u, [&] { return pBar->LoadState(strSection); }, [&] { return Ids(*pBar); },
        [&] { return ButtonsDistinct(*pBar); });
    // The menu bar rebuilds itself from its menu when its state is refused.
    if (bMenu) o.halfApplied = 0;
    add(bMenu ? "menu bar state" : "toolbar state", start, o);
  }
  {
    const double start = Now();
    add("menu-bar store", start, SoakMenuStore(f, 3));
  }
  {
    const double start = Now();
    add("drag data", start, SoakDragData(f, 4));
  }
  {
    const double start = Now();
    add("dock state", start, SoakDockState(f, 5));
  }
  {
    // The workspace's sections: each round damages one stored value of the whole saved state
    // and loads the workspace.
    const double start = Now();
    Outcome o;
    std::mt19937 pick(6);
    CDamage damage(7);
    for (int i = 0; i < kRounds; ++i) {
      const StoredValue& v = values[pick() % values.size()];
      Bytes data = v.data;
      if (v.dwType == REG_DWORD && data.size() == 4) {
        static const DWORD kDwords[] = {0, 1, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 2000000000, 65535};
        const DWORD d = pick() % 2 ? kDwords[pick() % 7] : (DWORD)pick();
        memcpy(data.data(), &d, 4);
      } else {
        data = damage.Apply(data);
      }
      PutValue(v, data);
      if (theApp.LoadState(nullptr, f.pFrame->GetFrameImpl())) ++o.whole;
      else ++o.refused;
      if (!ButtonsDistinct(*f.pToolBar) || !ButtonsDistinct(*f.pMenuBar)) ++o.aliased;
      f.pFrame->RecalcLayout();
      PumpPending();
      PutValue(v, v.data);
      if (i % 500 == 0) CheckHeaps();
    }
    // The workspace answers every load as done: each of its sections is read whole or kept.
    std::printf("%-40s loaded %5d  held twice %d  (%.1f s)\n", "workspace sections", o.whole, o.aliased, Now() - start);
    total.aliased += o.aliased;
  }
  CheckHeaps();
  const long nWritten = watch.Written();
  const long nTwice = watch.FreedTwice();
  f.Destroy();
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
  std::printf("state soak, toolbar to dock state: loaded whole %d, refused %d, half-applied %d; buttons held twice %d; "
              "freed memory written %ld, deleted twice %ld, heap warnings %ld; crashes=0\n",
              total.whole, total.refused, total.halfApplied, total.aliased, nWritten, nTwice, g_heapWarnings);
  return 0;
}
