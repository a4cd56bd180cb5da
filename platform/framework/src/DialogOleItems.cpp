// Dialog templates that name hosted controls by class id: the items are taken out before the
// dialog manager sees the template and created as hosted controls when the dialog starts.
#include "Framework.h"
#include "FwOleControl.h"

namespace {

// Reads a dialog template in either layout.
class TemplateReader {
public:
  explicit TemplateReader(const BYTE* p) : m_base(p), m_p(p) {}
  WORD Word() { WORD w; memcpy(&w, m_p, 2); m_p += 2; return w; }
  DWORD DWord() { DWORD d; memcpy(&d, m_p, 4); m_p += 4; return d; }
  short Short() { return (short)Word(); }
  // A name or ordinal; the text of a name when asked for.
  void NameOrOrdinal(CString* pText = nullptr) {
    WORD first;
    memcpy(&first, m_p, 2);
    if (first == 0) {
      m_p += 2;
    } else if (first == 0xFFFF) {
      m_p += 4;
    } else {
      const wchar_t* s = (const wchar_t*)m_p;
      if (pText != nullptr) *pText = s;
      m_p += (wcslen(s) + 1) * 2;
    }
  }
  void String() { NameOrOrdinal(); }
  void Skip(size_t n) { m_p += n; }
  void AlignDWord() { m_p = m_base + (((m_p - m_base) + 3) & ~(size_t)3); }
  const BYTE* Here() const { return m_p; }
  size_t Offset() const { return (size_t)(m_p - m_base); }
private:
  const BYTE* m_base;
  const BYTE* m_p;
};

}  // namespace

BOOL AfxSplitOleDialogItems(LPCDLGTEMPLATEW lpTemplate, _AFX_OCC_DIALOG_INFO& info) {
  const BYTE* base = (const BYTE*)lpTemplate;
  TemplateReader r(base);
  const bool ex = ((const WORD*)base)[0] == 1 && ((const WORD*)base)[1] == 0xFFFF;
  DWORD style;
  size_t countOffset;
  if (ex) {
    r.Skip(8);  // version, signature, help id
    r.DWord();  // extended style
    style = r.DWord();
    countOffset = r.Offset();
  } else {
    style = r.DWord();
    r.DWord();
    countOffset = r.Offset();
  }
  WORD count = r.Word();
  r.Skip(8);  // x, y, cx, cy
  r.NameOrOrdinal();  // menu
  r.NameOrOrdinal();  // class
  r.String();         // title
  if (style & (DS_SETFONT | DS_SHELLFONT)) {
    r.Word();
    if (ex) r.Skip(4);  // weight, italic, charset
    r.String();
  }
  std::vector<BYTE> out(base, r.Here());
  WORD kept = 0;
  int prevID = -1;
  info.items.clear();
  for (WORD i = 0; i < count; ++i) {
    r.AlignDWord();
    const size_t start = r.Offset();
    AFX_OCC_DIALOG_ITEM item = {};
    if (ex) {
      r.DWord();  // help id
      item.dwExStyle = r.DWord();
      item.dwStyle = r.DWord();
    } else {
      item.dwStyle = r.DWord();
      item.dwExStyle = r.DWord();
    }
    item.rectDlgUnits.left = r.Short();
    item.rectDlgUnits.top = r.Short();
    item.rectDlgUnits.right = item.rectDlgUnits.left + r.Short();
    item.rectDlgUnits.bottom = item.rectDlgUnits.top + r.Short();
    item.nID = ex ? r.DWord() : r.Word();
    CString className;
    r.NameOrOrdinal(&className);
    r.NameOrOrdinal(&item.strWindowName);
    WORD extra = r.Word();
    r.Skip(extra);
    const size_t end = r.Offset();
    if (!className.IsEmpty() && className[0] == L'{' &&
        SUCCEEDED(::CLSIDFromString((LPCOLESTR)(LPCWSTR)className, &item.clsid))) {
      item.nPrevItemID = prevID;
      info.items.push_back(item);
    } else {
      while (out.size() % 4) out.push_back(0);
      out.insert(out.end(), base + start, base + end);
      ++kept;
    }
    prevID = (int)item.nID;
  }
  if (info.items.empty()) return FALSE;
  memcpy(out.data() + countOffset, &kept, 2);
  info.newTemplate = std::move(out);
  return TRUE;
}

BOOL AfxCreateOleDialogItems(HWND hDlg, const _AFX_OCC_DIALOG_INFO& info) {
  BOOL all = TRUE;
  for (const AFX_OCC_DIALOG_ITEM& item : info.items) {
    RECT rc = item.rectDlgUnits;
    ::MapDialogRect(hDlg, &rc);
    HWND hWnd = COleControlSite::CreateSiteWindow(nullptr, item.dwExStyle, item.strWindowName, item.dwStyle, rc, hDlg,
                                                  item.nID);
    if (hWnd == nullptr) {
      all = FALSE;
      continue;
    }
    auto* pSite = new COleControlSite(hWnd);
    if (!pSite->CreateControl(item.clsid)) {
      ::DestroyWindow(hWnd);  // takes the site with it
      all = FALSE;
      continue;
    }
    // Its place in the Tab order is the template's.
    HWND hPrev = item.nPrevItemID >= 0 ? ::GetDlgItem(hDlg, item.nPrevItemID) : HWND_TOP;
    if (hPrev != nullptr) ::SetWindowPos(hWnd, hPrev, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return all;
}
