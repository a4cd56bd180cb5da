// The resource library: it loads as the program's resource handle and answers the strings the
// program and the framework ask for.
#include "Framework.h"
#include <gtest/gtest.h>

class ResourceLibrary : public ::testing::Test {
protected:
  static HMODULE hResx;
  static void SetUpTestSuite() { hResx = ::LoadLibraryW(L"BrookResx.dll"); }
  static void TearDownTestSuite() {
    AfxSetResourceHandle(nullptr);
    if (hResx) ::FreeLibrary(hResx);
  }
  void SetUp() override {
    ASSERT_NE(nullptr, hResx) << "BrookResx.dll not found beside the program";
    AfxSetResourceHandle(hResx);
  }
};
HMODULE ResourceLibrary::hResx = nullptr;

TEST_F(ResourceLibrary, NamesTheEditorLibrary) {
  CString name;
  ASSERT_TRUE(name.LoadString(2035));
  EXPECT_STREQ(L"BrookEdit.dll", name);
}

TEST_F(ResourceLibrary, CarriesProgramAndFrameworkStrings) {
  UINT ids[] = {200, 203, 229, 2014, 2015, 2016, 2017, 2018, 2019, 2020, 2021, 2022, 2023, 2024, 2025, 2026,
                2029, 2030, 2031, 2032, 2036, 2037, 2038, 2039, 11004, 11005, AFX_IDS_UNTITLED, AFX_IDP_ASK_TO_SAVE, AFX_IDS_IDLEMESSAGE};
  for (UINT id : ids) {
    CString s;
    EXPECT_TRUE(s.LoadString(id) && !s.IsEmpty()) << id;
  }
  CString prompt;
  AfxFormatString1(prompt, AFX_IDP_ASK_TO_SAVE, L"NumbrookDoc.txt");
  EXPECT_NE(-1, prompt.Find(L"NumbrookDoc.txt"));
  CString page;
  page.Format(2032, 3, 7);
  EXPECT_STREQ(L"Page 3 of 7", page);
}

TEST_F(ResourceLibrary, TemplateStringHasTheDocumentFields) {
  CString full, ext, filter;
  ASSERT_TRUE(full.LoadString(228));
  EXPECT_TRUE(AfxExtractSubString(filter, full, 3));
  EXPECT_TRUE(AfxExtractSubString(ext, full, 4));
  EXPECT_STREQ(L".txt", ext);
  EXPECT_NE(-1, filter.Find(L"*.txt"));
}

TEST_F(ResourceLibrary, CarriesTheProgramIconAndCaptionImages) {
  HICON icon = (HICON)::LoadImageW(hResx, MAKEINTRESOURCEW(228), IMAGE_ICON, 16, 16, 0);
  ASSERT_NE(nullptr, icon);
  ::DestroyIcon(icon);
  for (UINT id : {250u, 257u, 258u, 259u}) {
    CBitmap bmp;
    ASSERT_TRUE(bmp.LoadBitmap(id)) << id;
    BITMAP info;
    bmp.GetBitmap(&info);
    EXPECT_EQ(16, info.bmWidth) << id;
    // The corner is the transparent colour.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&bmp);
    EXPECT_EQ(RGB(255, 0, 255), dc.GetPixel(0, 0)) << id;
    dc.SelectObject(old);
  }
}

TEST_F(ResourceLibrary, CarriesTheBarsIndicatorsTooltipsAndSplitterCursors) {
  for (UINT id : {(UINT)ID_INDICATOR_CAPS, (UINT)ID_INDICATOR_NUM, (UINT)ID_INDICATOR_SCRL, 16011u, 16012u, 16013u}) {
    CString s;
    EXPECT_TRUE(s.LoadString(id) && !s.IsEmpty()) << id;
  }
  for (UINT id : {30980u, 30981u}) {
    HCURSOR cursor = ::LoadCursorW(hResx, MAKEINTRESOURCEW(id));
    EXPECT_NE(nullptr, cursor) << id;
    ICONINFO info = {};
    ASSERT_TRUE(::GetIconInfo(cursor, &info)) << id;
    EXPECT_EQ(16u, info.xHotspot) << id;
    EXPECT_EQ(16u, info.yHotspot) << id;
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
  }
}

TEST_F(ResourceLibrary, HoldsNoCode) {
  // A pure resource library: no entry point and nothing imported.
  auto* dos = (IMAGE_DOS_HEADER*)hResx;
  auto* nt = (IMAGE_NT_HEADERS*)((BYTE*)hResx + dos->e_lfanew);
  EXPECT_EQ(0u, nt->OptionalHeader.AddressOfEntryPoint);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  int imported = 0;
  if (dir.Size != 0)
    for (auto* d = (IMAGE_IMPORT_DESCRIPTOR*)((BYTE*)hResx + dir.VirtualAddress); d->Name != 0; ++d) ++imported;
  EXPECT_EQ(0, imported);
}

// Each toolbar in the layout the toolbars read (16-bit words: version 1, image size, count,
// commands), with a resting and a hot bitmap of one image per command, and a prompt for each.
TEST_F(ResourceLibrary, CarriesTheToolbarsWithTheirImages) {
  const struct {
    UINT toolbar, hot;
  } bars[] = {{228, 251}, {600, 278}, {277, 279}, {255, 256}};
  for (const auto& b : bars) {
    SCOPED_TRACE(b.toolbar);
    HRSRC hrsrc = ::FindResourceW(hResx, MAKEINTRESOURCEW(b.toolbar), MAKEINTRESOURCEW(241));
    ASSERT_NE(nullptr, hrsrc);
    const DWORD cb = ::SizeofResource(hResx, hrsrc);
    const WORD* words = (const WORD*)::LockResource(::LoadResource(hResx, hrsrc));
    ASSERT_NE(nullptr, words);
    ASSERT_GE(cb, 8u);
    EXPECT_EQ(1, words[0]);
    EXPECT_EQ(16, words[1]);
    EXPECT_EQ(15, words[2]);
    const int nItems = words[3];
    ASSERT_EQ(8u + 2u * nItems, cb);
    int nCommands = 0;
    for (int i = 0; i < nItems; i++) {
      const UINT id = words[4 + i];
      if (id == 0) continue;
      nCommands++;
      CString prompt;
      EXPECT_TRUE(prompt.LoadString(id) && prompt.Find(L'\n') > 0) << id;
      for (int j = 0; j < i; j++) EXPECT_NE(id, (UINT)words[4 + j]) << "twice on one bar";
    }
    for (UINT id : {b.toolbar, b.hot}) {
      HBITMAP hbmp = (HBITMAP)::LoadImageW(hResx, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
      ASSERT_NE(nullptr, hbmp) << id;
      BITMAP bm = {};
      ::GetObjectW(hbmp, sizeof(bm), &bm);
      ::DeleteObject(hbmp);
      EXPECT_EQ(16 * nCommands, bm.bmWidth) << id;
      EXPECT_EQ(15, bm.bmHeight) << id;
    }
  }
}

TEST_F(ResourceLibrary, CarriesTheImageStripMessages) {
  for (UINT id : {16008u, 16010u}) {
    CString s;
    EXPECT_TRUE(s.LoadString(id) && !s.IsEmpty()) << id;
  }
}
