// Menu buttons as data: menu handles in and out (tear-off marks, column breaks, default items),
// the archive (tear-off id by the saved library version, damaged nesting), copies, and the strip
// of menu glyphs that the resource library carries.
#include "ArchiveBytes.h"
#include "bars/UfxToolbarMenuButton.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxMenuGlyphs.h"
#include "frames/UfxTearOffManager.h"
#include "frames/UfxWorkspace.h"
#include "frames/UfxCommandManager.h"
#include "bars/UfxMenuBarStore.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using archive_bytes::Load;
using archive_bytes::Store;

// A workspace that says which library version wrote the state being loaded.
class CVersionedWorkspace : public CUfxWorkspace {
public:
  CVersionedWorkspace(int iMajor, int iMinor) {
    m_iSavedVersionMajor = iMajor;
    m_iSavedVersionMinor = iMinor;
  }
};

// The tear-off manager of the program, for the test's lifetime.
struct TearOffScope {
  TearOffScope() {
    manager.Initialize(1, 20);
    UfxTearOffManager = &manager;
  }
  ~TearOffScope() { UfxTearOffManager = nullptr; }
  CUfxTearOffManager manager;
};

CString MenuText(HMENU hMenu, int iPos) {
  WCHAR sz[256] = L"";
  ::GetMenuStringW(hMenu, iPos, sz, 255, MF_BYPOSITION);
  return sz;
}

CUfxToolbarMenuButton* Item(const CUfxToolbarMenuButton& button, int i) {
  POSITION pos = button.GetCommands().FindIndex(i);
  return pos == nullptr ? nullptr : static_cast<CUfxToolbarMenuButton*>(button.GetCommands().GetAt(pos));
}

// "&File" holding New, a "&Recent" submenu marked for tear-off 7 and Exit.
HMENU FileMenu() {
  HMENU hRecent = ::CreatePopupMenu();
  ::AppendMenuW(hRecent, MF_STRING, 301, L"One");
  HMENU hFile = ::CreatePopupMenu();
  ::AppendMenuW(hFile, MF_STRING, 101, L"&New");
  ::AppendMenuW(hFile, MF_POPUP | MF_STRING, (UINT_PTR)hRecent, L"\x01" L"7\x01&Recent");
  ::AppendMenuW(hFile, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(hFile, MF_STRING, 102, L"E&xit");
  return hFile;
}

class MenuData : public ::testing::Test {
protected:
  void TearDown() override { UfxGetCommandManager()->CleanUp(); }
};

TEST_F(MenuData, TearOffMarkTravelsThroughImportAndExport) {
  TearOffScope tearOff;
  HMENU hFile = FileMenu();
  CUfxToolbarMenuButton button((UINT)-1, hFile, -1, L"&File");
  ::DestroyMenu(hFile);
  ASSERT_EQ(4, button.GetCommands().GetCount());
  CUfxToolbarMenuButton* pRecent = Item(button, 1);
  EXPECT_EQ((UINT)-1, pRecent->m_nID);
  EXPECT_EQ(7u, pRecent->GetTearOffId());
  EXPECT_STREQ(L"&Recent", pRecent->m_strText);
  EXPECT_TRUE(tearOff.manager.IsInUse(7));

  HMENU hOut = button.ExportToMenu();
  ASSERT_NE(nullptr, hOut);
  EXPECT_STREQ(L"\x01" L"7\x01&Recent", MenuText(hOut, 1));
  // A torn-off submenu is marked for the tear-off manager.
  EXPECT_TRUE(::GetMenuState(hOut, 1, MF_BYPOSITION) & MF_MENUBARBREAK);
  EXPECT_EQ(301u, ::GetMenuItemID(::GetSubMenu(hOut, 1), 0));

  CUfxToolbarMenuButton back((UINT)-1, hOut, -1, L"&File");
  ::DestroyMenu(hOut);
  EXPECT_EQ(7u, Item(back, 1)->GetTearOffId());
  EXPECT_STREQ(L"&Recent", Item(back, 1)->m_strText);
}

// A separator of the menu is an item like the others, with command 0: the same style and text
// flags when made and after a trip through the archive, and a separator again in the menu.
TEST_F(MenuData, SeparatorsAreStoredLikeTheOtherItems) {
  HMENU hFile = FileMenu();
  CUfxToolbarMenuButton button((UINT)-1, hFile, -1, L"&File");
  ::DestroyMenu(hFile);
  CUfxToolbarMenuButton loaded;
  ASSERT_TRUE(Load(loaded, Store(button)));
  for (const CUfxToolbarMenuButton* pMenu : {&button, &loaded}) {
    const char* pszWhich = pMenu == &button ? "made" : "loaded";
    const CUfxToolbarMenuButton* pItem = Item(*pMenu, 0);
    const CUfxToolbarMenuButton* pSeparator = Item(*pMenu, 2);
    ASSERT_NE(nullptr, pSeparator) << pszWhich;
    EXPECT_EQ(0u, pSeparator->m_nID) << pszWhich;
    EXPECT_EQ(pItem->m_nStyle, pSeparator->m_nStyle) << pszWhich;
    EXPECT_EQ(pItem->m_bText, pSeparator->m_bText) << pszWhich;
    EXPECT_EQ(pItem->m_bImage, pSeparator->m_bImage) << pszWhich;
    HMENU hOut = pMenu->ExportToMenu();
    ASSERT_NE(nullptr, hOut);
    EXPECT_TRUE(::GetMenuState(hOut, 2, MF_BYPOSITION) & MF_SEPARATOR) << pszWhich;
    ::DestroyMenu(hOut);
  }
}

TEST_F(MenuData, WithoutTearOffManagerTheMarkStaysText) {
  HMENU hFile = FileMenu();
  CUfxToolbarMenuButton button((UINT)-1, hFile, -1, L"&File");
  ::DestroyMenu(hFile);
  EXPECT_EQ(0u, Item(button, 1)->GetTearOffId());
  EXPECT_STREQ(L"\x01" L"7\x01&Recent", Item(button, 1)->m_strText);
}

TEST_F(MenuData, ColumnBreaksAndTheDefaultItemRoundTrip) {
  HMENU hMenu = ::CreatePopupMenu();
  ::AppendMenuW(hMenu, MF_STRING, 201, L"&Undo");
  ::AppendMenuW(hMenu, MF_STRING | MF_MENUBREAK, 202, L"Cu&t");
  ::AppendMenuW(hMenu, MF_STRING, 203, L"&Copy");
  ::SetMenuDefaultItem(hMenu, 203, FALSE);
  CUfxToolbarMenuButton button((UINT)-1, hMenu, -1, L"&Edit");
  ::DestroyMenu(hMenu);

  struct Case { int pos; UINT id; BOOL bBreak; BOOL bDefault; };
  const Case cases[] = {{0, 201, FALSE, FALSE}, {1, 202, TRUE, FALSE}, {2, 203, FALSE, TRUE}};
  for (const Case& c : cases) {
    CUfxToolbarMenuButton* p = Item(button, c.pos);
    EXPECT_EQ(c.id, p->m_nID);
    EXPECT_EQ(c.bBreak, (p->m_nStyle & TBBS_BREAK) != 0) << c.pos;
    EXPECT_EQ(c.bDefault, p->m_bDefault) << c.pos;
  }
  HMENU hOut = button.ExportToMenu();
  ASSERT_NE(nullptr, hOut);
  for (const Case& c : cases)
    EXPECT_EQ(c.bBreak, (::GetMenuState(hOut, c.pos, MF_BYPOSITION) & MF_MENUBREAK) != 0) << c.pos;
  EXPECT_EQ(203u, ::GetMenuDefaultItem(hOut, FALSE, 0));
  ::DestroyMenu(hOut);
}

TEST_F(MenuData, PlainCommandWithoutSubmenuExportsNothing) {
  CUfxToolbarMenuButton button(105, nullptr, -1, L"&Open");
  EXPECT_EQ(nullptr, button.ExportToMenu());
  button.m_bMenuOnly = TRUE;  // a command that opens its menu as a whole gets an empty one
  HMENU hMenu = button.ExportToMenu();
  ASSERT_NE(nullptr, hMenu);
  EXPECT_EQ(0, ::GetMenuItemCount(hMenu));
  ::DestroyMenu(hMenu);
}

// The tear-off id of a registry archive is read only when the version that wrote it had it.
TEST_F(MenuData, TearOffIdIsReadByTheSavedLibraryVersion) {
  TearOffScope tearOff;
  struct Case { int major, minor; UINT expected; };
  const Case cases[] = {{4, 70, 0}, {4, 71, 7}, {5, 0, 7}, {-1, -1, 7}};
  for (const Case& c : cases) {
    HMENU hFile = FileMenu();
    CUfxToolbarMenuButton button((UINT)-1, hFile, -1, L"&File");
    ::DestroyMenu(hFile);
    std::vector<BYTE> bytes;
    if (c.expected != 0) {
      CVersionedWorkspace writer(6, 31);
      bytes = Store(button);
    } else {
      bytes = Store(button);  // no workspace: a 4.70 archive, written without the id
    }
    CVersionedWorkspace reader(c.major, c.minor);
    CUfxToolbarMenuButton loaded;
    ASSERT_TRUE(Load(loaded, bytes)) << c.major << "." << c.minor;
    ASSERT_EQ(4, loaded.GetCommands().GetCount());
    EXPECT_EQ(c.expected, Item(loaded, 1)->GetTearOffId()) << c.major << "." << c.minor;
    EXPECT_EQ(301u, Item(*Item(loaded, 1), 0)->m_nID);
    EXPECT_STREQ(L"E&xit", Item(loaded, 3)->m_strText);
  }
}

// Store files carry the tear-off id whatever the workspace says, and without one.
TEST_F(MenuData, StoreFilesAlwaysKeepTheTearOffId) {
  TearOffScope tearOff;
  for (int withWorkspace = 0; withWorkspace < 2; ++withWorkspace) {
    std::unique_ptr<CVersionedWorkspace> workspace;
    if (withWorkspace) workspace = std::make_unique<CVersionedWorkspace>(4, 70);
    HMENU hFile = FileMenu();
    CUfxToolBar bar, loaded;
    bar.InsertButton(new CUfxToolbarMenuButton((UINT)-1, hFile, -1, L"&File"));
    CUfxMenuBarStore store;
    ASSERT_TRUE(store.Save(hFile, &bar));
    ASSERT_TRUE(store.Load(hFile, &loaded));
    ::DestroyMenu(hFile);
    CUfxToolbarMenuButton* pFile = DYNAMIC_DOWNCAST(CUfxToolbarMenuButton, loaded.GetButton(0));
    ASSERT_NE(nullptr, pFile);
    EXPECT_EQ(7u, Item(*pFile, 1)->GetTearOffId()) << withWorkspace;
  }
}

TEST_F(MenuData, SubmenusNestedTooDeeplyAreDamagedDataAndTheBarStays) {
  CVersionedWorkspace workspace(6, 31);
  auto chain = [](int nDepth) {
    CUfxToolbarMenuButton* pTop = new CUfxToolbarMenuButton((UINT)-1, nullptr, -1, L"Top");
    CUfxToolbarMenuButton* p = pTop;
    for (int i = 0; i < nDepth; ++i) {
      CUfxToolbarMenuButton* pChild = new CUfxToolbarMenuButton((UINT)-1, nullptr, -1, L"Level");
      p->AddSubItem(pChild);
      p = pChild;
    }
    return pTop;
  };
  CUfxToolBar source;
  source.InsertButton(chain(70));
  const std::vector<BYTE> deep = Store(source);

  CUfxToolBar target;
  target.InsertButton(new CUfxToolbarButton(500, -1, L"Kept"));
  EXPECT_FALSE(Load(target, deep));
  ASSERT_EQ(1, target.GetButtonCount());
  EXPECT_EQ(500u, target.GetButton(0)->m_nID);

  CUfxToolBar shallowSource;
  shallowSource.InsertButton(chain(40));
  EXPECT_TRUE(Load(target, Store(shallowSource)));
  EXPECT_TRUE(target.GetButton(0)->IsKindOf(RUNTIME_CLASS(CUfxToolbarMenuButton)));
}

TEST_F(MenuData, CopiesAreDeepAndCompareEqual) {
  TearOffScope tearOff;
  HMENU hFile = FileMenu();
  CUfxToolbarMenuButton button((UINT)-1, hFile, -1, L"&File");
  ::DestroyMenu(hFile);
  button.m_bMenuOnly = TRUE;
  auto copy = std::make_unique<CUfxToolbarMenuButton>();
  copy->CopyFrom(button);
  EXPECT_TRUE(copy->CompareWith(button));
  EXPECT_TRUE(copy->m_bMenuOnly);
  ASSERT_EQ(4, copy->GetCommands().GetCount());
  EXPECT_NE(Item(*copy, 1), Item(button, 1));
  EXPECT_EQ(7u, Item(*copy, 1)->GetTearOffId());

  Item(*Item(*copy, 1), 0)->m_nID = 999;  // a difference two levels down
  EXPECT_FALSE(copy->CompareWith(button));
  // The copy releases its tear-off id when it goes; the original still holds it.
  copy.reset();
  EXPECT_TRUE(tearOff.manager.IsInUse(7));
}

// The product's resource library carries the glyph strip: 9 x 9 glyphs, magenta transparent.
class MenuGlyphs : public ::testing::Test {
protected:
  void SetUp() override {
    m_hResx = ::LoadLibraryW(L"BrookResx.dll");
    ASSERT_NE(nullptr, m_hResx);
    m_hSaved = AfxGetResourceHandle();
    AfxSetResourceHandle(m_hResx);
    CUfxMenuGlyphs::CleanUp();
  }
  void TearDown() override {
    CUfxMenuGlyphs::CleanUp();
    AfxSetResourceHandle(m_hSaved);
  }
  HMODULE m_hResx = nullptr;
  HINSTANCE m_hSaved = nullptr;
};

TEST_F(MenuGlyphs, SizeIsNineByNineBeforeAnyDrawing) {
  EXPECT_EQ(CSize(9, 9), CUfxMenuGlyphs::GetSize());
  EXPECT_TRUE(CUfxMenuGlyphs::Initialize());
}

TEST_F(MenuGlyphs, EveryIndexInUseDrawsInkAndKeepsTheBackground) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  CBitmap bmp;
  HDC hScreen = ::GetDC(nullptr);
  bmp.Attach(::CreateCompatibleBitmap(hScreen, 9, 9));
  ::ReleaseDC(nullptr, hScreen);
  CBitmap* pOld = dc.SelectObject(&bmp);
  const int used[] = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
                      26, 27, 32, 33, 34, 39};
  for (int iGlyph : used) {
    dc.FillSolidRect(0, 0, 9, 9, RGB(0, 128, 128));
    ASSERT_TRUE(CUfxMenuGlyphs::Draw(&dc, iGlyph, CPoint(0, 0))) << iGlyph;
    int nInk = 0, nMagenta = 0;
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x) {
        const COLORREF c = dc.GetPixel(x, y);
        if (c == RGB(255, 0, 255)) ++nMagenta;
        else if (c != RGB(0, 128, 128)) ++nInk;
      }
    EXPECT_GT(nInk, 2) << "glyph " << iGlyph;
    EXPECT_EQ(0, nMagenta) << "glyph " << iGlyph;
  }
  dc.SelectObject(pOld);
}

TEST_F(MenuGlyphs, WithoutTheBitmapNothingIsDrawnAndTheNextCallTriesAgain) {
  AfxSetResourceHandle(::GetModuleHandleW(nullptr));  // the test program has no glyph bitmap
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  EXPECT_FALSE(CUfxMenuGlyphs::Initialize());
  EXPECT_FALSE(CUfxMenuGlyphs::Draw(&dc, 0, CPoint(0, 0)));
  AfxSetResourceHandle(m_hResx);
  EXPECT_TRUE(CUfxMenuGlyphs::Initialize());
}

}  // namespace
