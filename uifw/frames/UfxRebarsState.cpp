#include "frames/UfxRebarsState.h"
#include "frames/UfxRegistryPtr.h"
#include <algorithm>
#include <vector>

namespace {
const wchar_t kValueBands[] = L"RBI";
const wchar_t kValueIds[] = L"IDs";
const UINT kMaskRead = 0xB71;   // style, child, child size, size, id, ideal size, header size
const UINT kMaskStored = 0xB61;  // the same without the child window
const UINT kFixedSizeExtra = 4;  // what the control adds to a fixed-size band's minimum width

// A band record as it is stored: the 32-bit layout of the band structure, 80 bytes.
struct StoredBand {
  UINT cbSize, fMask, fStyle;
  COLORREF clrFore, clrBack;
  DWORD lpText;
  UINT cch;
  int iImage;
  DWORD hwndChild;
  UINT cxMinChild, cyMinChild, cx;
  DWORD hbmBack;
  UINT wID, cyChild, cyMaxChild, cyIntegral, cxIdeal;
  DWORD lParam;
  UINT cxHeader;
};
static_assert(sizeof(StoredBand) == 80, "the stored band record is 80 bytes");

struct Walk {
  CString strSection;
  BOOL bSave;
};

CString RebarKey(const CString& strSection, HWND hRebar) {
  CString strKey;
  strKey.Format(L"%sUfxRebar-%ld", (LPCWSTR)strSection, (long)::GetWindowLongW(hRebar, GWL_ID));
  return strKey;
}

int BandChildId(HWND hRebar, int nBand) {
  REBARBANDINFOW rbbi = {};
  rbbi.cbSize = sizeof(rbbi);
  rbbi.fMask = RBBIM_CHILD;
  if (!::SendMessageW(hRebar, RB_GETBANDINFOW, (WPARAM)nBand, (LPARAM)&rbbi) || rbbi.hwndChild == nullptr) return 0;
  return (int)::GetWindowLongW(rbbi.hwndChild, GWL_ID);
}

BOOL SaveRebar(const CString& strSection, HWND hRebar) {
  CUfxRegistryPtr reg;
  CUfxRegistry& out = reg.Create(FALSE, FALSE);
  if (!out.CreateKey(RebarKey(strSection, hRebar))) return FALSE;  // stops the walk
  const int n = (int)::SendMessageW(hRebar, RB_GETBANDCOUNT, 0, 0);
  if (n <= 0) return TRUE;
  std::vector<StoredBand> bands((size_t)n);
  std::vector<int> ids((size_t)n);
  for (int i = 0; i < n; ++i) {
    REBARBANDINFOW rbbi = {};
    rbbi.cbSize = sizeof(rbbi);
    rbbi.fMask = kMaskRead;
    ::SendMessageW(hRebar, RB_GETBANDINFOW, (WPARAM)i, (LPARAM)&rbbi);
    StoredBand& b = bands[(size_t)i];
    memset(&b, 0, sizeof(b));
    b.cbSize = sizeof(StoredBand);
    b.fMask = kMaskStored;
    b.fStyle = rbbi.fStyle;
    b.cxMinChild = rbbi.cxMinChild + ((rbbi.fStyle & RBBS_FIXEDSIZE) ? kFixedSizeExtra : 0);
    b.cyMinChild = rbbi.cyMinChild;
    b.cx = rbbi.cx;
    b.wID = rbbi.wID;
    b.cyChild = rbbi.cyChild;
    b.cyMaxChild = rbbi.cyMaxChild;
    b.cyIntegral = rbbi.cyIntegral;
    b.cxIdeal = rbbi.cxIdeal;
    b.cxHeader = rbbi.cxHeader;
    ids[(size_t)i] = rbbi.hwndChild ? (int)::GetWindowLongW(rbbi.hwndChild, GWL_ID) : 0;
  }
  out.Write(kValueBands, (LPBYTE)bands.data(), (UINT)(bands.size() * sizeof(StoredBand)));
  out.Write(kValueIds, (LPBYTE)ids.data(), (UINT)(ids.size() * sizeof(int)));
  return TRUE;
}

BOOL LoadRebar(const CString& strSection, HWND hRebar) {
  CUfxRegistryPtr reg;
  CUfxRegistry& in = reg.Create(FALSE, TRUE);
  if (!in.Open(RebarKey(strSection, hRebar))) return FALSE;  // stops the walk
  BYTE* pBands = nullptr;
  BYTE* pIds = nullptr;
  UINT nBandBytes = 0, nIdBytes = 0;
  if (in.Read(kValueBands, &pBands, &nBandBytes) && in.Read(kValueIds, &pIds, &nIdBytes)) {
    const int n = (int)(nIdBytes / sizeof(int));
    const int nCount = (int)::SendMessageW(hRebar, RB_GETBANDCOUNT, 0, 0);
    if (n > 0 && n == nCount && nBandBytes >= (UINT)n * sizeof(StoredBand)) {
      for (int i = 0; i < n && i < (int)::SendMessageW(hRebar, RB_GETBANDCOUNT, 0, 0); ++i) {
        int id;
        memcpy(&id, pIds + i * sizeof(int), sizeof(int));
        for (int j = i; j < nCount; ++j) {
          if (BandChildId(hRebar, j) != id) continue;
          if (j != i) ::SendMessageW(hRebar, RB_MOVEBAND, (WPARAM)j, (LPARAM)i);
          StoredBand b;
          memcpy(&b, pBands + i * sizeof(StoredBand), sizeof(b));
          // Only the fields under the stored mask, never a stored size, mask, pointer or handle.
          REBARBANDINFOW rbbi = {};
          rbbi.cbSize = sizeof(rbbi);
          rbbi.fMask = kMaskStored;
          rbbi.fStyle = b.fStyle;
          rbbi.cxMinChild = (b.fStyle & RBBS_FIXEDSIZE) ? (b.cxMinChild >= kFixedSizeExtra ? b.cxMinChild - kFixedSizeExtra : 0)
                                                         : b.cxMinChild;
          rbbi.cyMinChild = b.cyMinChild;
          rbbi.cx = b.cx;
          rbbi.wID = b.wID;
          rbbi.cyChild = b.cyChild;
          rbbi.cyMaxChild = b.cyMaxChild;
          rbbi.cyIntegral = b.cyIntegral;
          rbbi.cxIdeal = b.cxIdeal;
          rbbi.cxHeader = b.cxHeader;
          ::SendMessageW(hRebar, RB_SETBANDINFOW, (WPARAM)i, (LPARAM)&rbbi);
          break;
        }
      }
    }
  }
  delete[] pBands;
  delete[] pIds;
  return TRUE;
}

BOOL CALLBACK RebarProc(HWND hWnd, LPARAM lParam) {
  Walk* pWalk = (Walk*)lParam;
  if (DYNAMIC_DOWNCAST(CReBar, CWnd::FromHandlePermanent(hWnd)) == nullptr) return TRUE;
  return pWalk->bSave ? SaveRebar(pWalk->strSection, hWnd) : LoadRebar(pWalk->strSection, hWnd);
}

BOOL WalkRebars(LPCWSTR lpszProfileName, CWnd* pParentWnd, BOOL bSave) {
  Walk walk{CString(lpszProfileName ? lpszProfileName : L""), bSave};
  HWND hParent = pParentWnd ? pParentWnd->GetSafeHwnd() : ::GetDesktopWindow();
  ::EnumChildWindows(hParent, RebarProc, (LPARAM)&walk);
  return TRUE;
}
}  // namespace

BOOL SaveRebarsState(LPCWSTR lpszProfileName, CWnd* pParentWnd) { return WalkRebars(lpszProfileName, pParentWnd, TRUE); }

BOOL LoadRebarsState(LPCWSTR lpszProfileName, CWnd* pParentWnd) {
  return WalkRebars(lpszProfileName, pParentWnd, FALSE);
}
