// Control wrappers the framework's users call: list view items with image and data, hit testing,
// label editing; tree items with image callbacks; tab rows; image list colour depths.
#include "Framework.h"
#include <gtest/gtest.h>

class CHost : public CWnd {
public:
  int dispInfoAsks = 0;
  BOOL Make() {
    return CreateEx(0, AfxRegisterWndClass(0), L"Host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr);
  }
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    auto* hdr = (NMHDR*)lParam;
    if (hdr->code == TVN_GETDISPINFOW) {
      auto* info = (NMTVDISPINFOW*)lParam;
      ++dispInfoAsks;
      if (info->item.mask & TVIF_IMAGE) info->item.iImage = 1;
      if (info->item.mask & TVIF_SELECTEDIMAGE) info->item.iSelectedImage = 1;
      return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
  }
};

struct ControlsFixture : ::testing::Test {
  CHost host;
  CImageList images;
  void SetUp() override {
    ASSERT_TRUE(host.Make());
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
    images.SetImageCount(2);
  }
  void TearDown() override { host.DestroyWindow(); }
};

TEST_F(ControlsFixture, ListViewItemsWithImageDataHitTestAndLabelEditing) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_EDITLABELS, CRect(0, 0, 300, 200), &host, 1));
  list.SetImageList(&images, LVSIL_SMALL);
  list.InsertColumn(0, L"Name");
  EXPECT_TRUE(list.SetColumnWidth(0, 150));
  EXPECT_EQ(150, list.GetColumnWidth(0));
  EXPECT_EQ(0, list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, 0, L"first", 0, 0, 1, 77));
  EXPECT_EQ(1, list.InsertItem(1, L"second", 0));
  EXPECT_EQ((DWORD_PTR)77, list.GetItemData(0));
  LVITEMW item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = 0;
  ASSERT_TRUE(list.GetItem(&item));
  EXPECT_EQ(1, item.iImage);
  EXPECT_GT(list.GetStringWidth(L"a much longer text"), list.GetStringWidth(L"a"));
  CRect label;
  ASSERT_TRUE(list.GetItemRect(1, &label, LVIR_LABEL));
  UINT flags = 0;
  EXPECT_EQ(1, list.HitTest(label.CenterPoint(), &flags));
  EXPECT_TRUE(flags & LVHT_ONITEMLABEL);
  EXPECT_EQ(-1, list.HitTest(CPoint(5, 190)));
  list.SetFocus();
  CEdit* edit = list.EditLabel(1);
  ASSERT_NE(nullptr, edit);
  EXPECT_EQ(edit->m_hWnd, list.GetEditControl()->m_hWnd);
  CString text;
  edit->GetWindowText(text);
  EXPECT_EQ(CString(L"second"), text);
}

TEST_F(ControlsFixture, TreeItemsWithImageCallbacksDataAndParents) {
  CTreeCtrl tree;
  ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 200, 60), &host, 2));
  tree.SetImageList(&images, TVSIL_NORMAL);
  EXPECT_EQ(images.m_hImageList, tree.GetImageList(TVSIL_NORMAL)->GetSafeHandle());
  HTREEITEM root = tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, L"root", I_IMAGECALLBACK,
                                   I_IMAGECALLBACK, 0, 0, 5, TVI_ROOT, TVI_LAST);
  ASSERT_NE(nullptr, root);
  HTREEITEM last = nullptr;
  for (int i = 0; i < 10; ++i) last = tree.InsertItem(L"child", 0, 0, root);
  EXPECT_EQ(root, tree.GetParentItem(last));
  EXPECT_EQ((DWORD_PTR)5, tree.GetItemData(root));
  EXPECT_EQ(11u, tree.GetCount());
  EXPECT_TRUE(tree.Expand(root, TVE_EXPAND));
  EXPECT_TRUE(tree.GetItemState(root, TVIS_EXPANDED) & TVIS_EXPANDED);
  tree.EnsureVisible(last);
  CRect rc;
  EXPECT_TRUE(tree.GetItemRect(last, &rc, TRUE)) << "the last child is scrolled into view";
  tree.EnsureVisible(root);
  tree.RedrawWindow();
  EXPECT_GT(host.dispInfoAsks, 0) << "the image of the root is asked for";
}

TEST_F(ControlsFixture, TabItemsAndRows) {
  CTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | TCS_MULTILINE, CRect(0, 0, 120, 100), &host, 3));
  for (LPCWSTR s : {L"General", L"Fonts and colours", L"Keyboard", L"Text editor"}) tabs.InsertItem(tabs.GetItemCount(), s);
  wchar_t text[32] = {};
  TCITEMW item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 31;
  ASSERT_TRUE(tabs.GetItem(2, &item));
  EXPECT_STREQ(L"Keyboard", text);
  EXPECT_GT(tabs.GetRowCount(), 1) << "four tabs do not fit one row of 120 pixels";
}

TEST(ImageList, ColourDepthFlagsGiveThatDepth) {
  for (UINT depth : {4u, 8u, 16u, 24u, 32u}) {
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, depth | ILC_MASK, 1, 1));
    list.SetImageCount(1);
    IMAGEINFO info = {};
    ASSERT_TRUE(list.GetImageInfo(0, &info));
    BITMAP bm = {};
    ::GetObjectW(info.hbmImage, sizeof(bm), &bm);
    EXPECT_EQ(depth, (UINT)bm.bmBitsPixel) << depth;
    EXPECT_NE(nullptr, info.hbmMask);
  }
}
