// The mouse manager: views, double-click bindings and their saved image.
#include "frames/UfxMouseManager.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

const wchar_t kSection[] = L"Software\\Ferrow Software\\MouseTest\\";

class MouseManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kSection);
    mm.AddView(1, L"Expressions", 301);
    mm.AddView(2, L"Results");
  }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kSection); }
  std::vector<BYTE> Stored() {
    BYTE bytes[256];
    DWORD cb = sizeof(bytes);
    if (::RegGetValueW(HKEY_CURRENT_USER, CString(kSection), L"Mouse", RRF_RT_REG_BINARY, nullptr, bytes, &cb) !=
        ERROR_SUCCESS)
      return {};
    return std::vector<BYTE>(bytes, bytes + cb);
  }
  CUfxMouseManager mm;
};

TEST_F(MouseManagerTest, ViewsAreFoundByNameAndId) {
  EXPECT_EQ(&mm, UfxMouseManager);
  EXPECT_FALSE(mm.AddView(1, L"Other"));
  EXPECT_FALSE(mm.AddView(3, L"Results"));
  EXPECT_EQ(2, mm.GetViewIdByName(L"Results"));
  EXPECT_EQ(-1, mm.GetViewIdByName(L"Nothing"));
  EXPECT_EQ(301u, mm.GetViewIconId(1));
  EXPECT_EQ(0u, mm.GetViewIconId(2));
  CStringList names;
  names.AddTail(L"stale");
  mm.GetViewNames(names);
  ASSERT_EQ(2, names.GetCount());
  EXPECT_TRUE((names.GetHead() == L"Expressions" && names.GetTail() == L"Results") ||
              (names.GetHead() == L"Results" && names.GetTail() == L"Expressions"));
}

TEST_F(MouseManagerTest, BindingsAreSavedAsCountAndPairs) {
  mm.SetCommandForDblClick(1, 40001);
  mm.SetCommandForDblClick(2, 40002);
  ASSERT_TRUE(mm.SaveState(kSection));
  std::vector<BYTE> two = Stored();
  ASSERT_EQ(20u, two.size());
  EXPECT_EQ(2, two[0]);

  mm.SetCommandForDblClick(2, 0);  // removes the binding
  EXPECT_EQ(0u, mm.GetViewDblClickCommand(2));
  ASSERT_TRUE(mm.SaveState(kSection));
  const std::vector<BYTE> one = {1, 0, 0, 0, 1, 0, 0, 0, 0x41, 0x9C, 0, 0};
  EXPECT_EQ(one, Stored());

  mm.SetCommandForDblClick(1, 5);
  ASSERT_TRUE(mm.LoadState(kSection));
  EXPECT_EQ(40001u, mm.GetViewDblClickCommand(1));
}

TEST_F(MouseManagerTest, ADamagedValueKeepsTheBindings) {
  const BYTE shortValue[] = {2, 0, 0, 0, 1, 0, 0, 0, 0x41, 0x9C, 0, 0};  // two announced, one there
  ASSERT_EQ(ERROR_SUCCESS,
            ::RegSetKeyValueW(HKEY_CURRENT_USER, kSection, L"Mouse", REG_BINARY, shortValue, sizeof(shortValue)));
  mm.SetCommandForDblClick(2, 77);
  EXPECT_FALSE(mm.LoadState(kSection));
  EXPECT_EQ(77u, mm.GetViewDblClickCommand(2));
  EXPECT_EQ(0u, mm.GetViewDblClickCommand(1));
}

}  // namespace
