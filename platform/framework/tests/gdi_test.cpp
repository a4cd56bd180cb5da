// Device contexts and GDI objects: selection hands back the previous object, memory DCs draw,
// wrappers own or borrow their handles, menus and image lists.
#include "Framework.h"
#include <gtest/gtest.h>

TEST(Gdi, MemoryDCDrawsIntoItsBitmap) {
  CClientDC screen(nullptr);
  CDC mem;
  ASSERT_TRUE(mem.CreateCompatibleDC(&screen));
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateCompatibleBitmap(&screen, 20, 20));
  CBitmap* old = mem.SelectObject(&bmp);
  ASSERT_NE(nullptr, old);
  mem.FillSolidRect(0, 0, 20, 20, RGB(255, 255, 255));
  mem.FillSolidRect(CRect(2, 2, 5, 5), RGB(255, 0, 0));
  mem.Draw3dRect(10, 10, 6, 6, RGB(0, 255, 0), RGB(0, 0, 255));
  EXPECT_EQ(RGB(255, 0, 0), mem.GetPixel(3, 3));
  EXPECT_EQ(RGB(255, 255, 255), mem.GetPixel(5, 5));
  EXPECT_EQ(RGB(0, 255, 0), mem.GetPixel(10, 10));    // top-left edge
  EXPECT_EQ(RGB(0, 0, 255), mem.GetPixel(15, 15));    // bottom-right edge
  EXPECT_EQ(RGB(255, 255, 255), mem.GetPixel(12, 12));
  CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
  CPen* oldPen = mem.SelectObject(&pen);
  mem.MoveTo(0, 19);
  mem.LineTo(20, 19);
  EXPECT_EQ(RGB(0, 0, 0), mem.GetPixel(7, 19));
  // The previous objects come back as wrappers of their handles.
  EXPECT_EQ((HGDIOBJ)pen.m_hObject, mem.SelectObject(oldPen)->m_hObject);
  EXPECT_EQ((HGDIOBJ)bmp.m_hObject, mem.SelectObject(old)->m_hObject);
  BITMAP info;
  bmp.GetBitmap(&info);
  EXPECT_EQ(20, info.bmWidth);
}

TEST(Gdi, WrappersOwnTheirHandlesUnlessDetached) {
  HBRUSH h;
  {
    CBrush brush(RGB(1, 2, 3));
    h = (HBRUSH)brush.m_hObject;
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(&brush, CGdiObject::FromHandle(h));  // the permanent wrapper
    EXPECT_EQ((UINT)OBJ_BRUSH, ::GetObjectType(h));
  }
  EXPECT_EQ(0u, ::GetObjectType(h));  // deleted with its wrapper
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(100, L"Tahoma"));
  LOGFONTW lf;
  font.GetLogFont(&lf);
  EXPECT_LT(lf.lfHeight, 0);
  HFONT hf = (HFONT)font.Detach();
  EXPECT_EQ(nullptr, font.m_hObject);
  EXPECT_EQ((UINT)OBJ_FONT, ::GetObjectType(hf));
  // An unknown handle gets a temporary wrapper of the right class, freed at idle time.
  CGdiObject* temp = CGdiObject::FromHandle(hf);
  EXPECT_TRUE(temp->IsKindOf(RUNTIME_CLASS(CFont)));
  CGdiObject::DeleteTempMap();
  EXPECT_EQ((UINT)OBJ_FONT, ::GetObjectType(hf));  // the handle stays
  ::DeleteObject(hf);
  CRgn a, b, c;
  a.CreateRectRgn(0, 0, 10, 10);
  b.CreateRectRgn(5, 5, 15, 15);
  c.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(COMPLEXREGION, c.CombineRgn(&a, &b, RGN_OR));
  EXPECT_TRUE(c.PtInRegion(12, 12));
  EXPECT_FALSE(c.PtInRegion(12, 2));
}

TEST(Gdi, MenusAndImageLists) {
  CMenu bar;
  ASSERT_TRUE(bar.CreateMenu());
  CMenu popup;
  ASSERT_TRUE(popup.CreatePopupMenu());
  popup.AppendMenu(MF_STRING, 100, L"&First");
  popup.AppendMenu(MF_SEPARATOR);
  popup.AppendMenu(MF_STRING, 101, L"Second");
  bar.AppendMenu(MF_POPUP, (UINT_PTR)popup.Detach(), L"&File");
  CMenu* sub = bar.GetSubMenu(0);
  ASSERT_NE(nullptr, sub);
  EXPECT_EQ(3u, sub->GetMenuItemCount());
  EXPECT_EQ(101u, sub->GetMenuItemID(2));
  CString text;
  sub->GetMenuString(100, text, MF_BYCOMMAND);
  EXPECT_STREQ(L"&First", text);
  CMenu::DeleteTempMap();
  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 4));
  CClientDC screen(nullptr);
  CBitmap strip;
  strip.CreateCompatibleBitmap(&screen, 48, 16);
  EXPECT_EQ(0, images.Add(&strip, RGB(255, 0, 255)));
  EXPECT_EQ(3, images.GetImageCount());
  EXPECT_TRUE(images.Remove(0));
  EXPECT_EQ(2, images.GetImageCount());
}
