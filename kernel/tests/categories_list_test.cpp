// The categories list: positions, names by message id, and the range errors of negative input.
#include <gtest/gtest.h>

#include "ComTestKit.h"
#include "CategoriesList.h"
#include "Messages.h"

using namespace evalkern;

namespace {

class CategoriesListObject : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_EQ(CreateCategoriesList(IID_ICategoriesList, reinterpret_cast<void**>(&list_)), S_OK);
  }
  void TearDown() override {
    if (list_) list_->Release();
    CoUninitialize();
  }
  ICategoriesList* list_ = nullptr;
};

}  // namespace

TEST(CategoryNames, EveryValueHasItsTextAndOthersReadAsUnknown) {
  struct Case {
    long category;
    int id;
  } cases[] = {{cHidden, 10000},        {cAll, 10001},       {cUnknown, 10012},
               {cCommon, 10002},        {cTrigonometric, 10003}, {cArithmetic, 10004},
               {cStatistic, 10005},     {cLogical, 10006},   {cEconomic, 10007},
               {cGeometric, 10008},     {cPhysical, 10009},  {cCustom, 10010},
               {cTypeConversion, 10011}, {cComputer, 10013}, {12, 10012},
               {40, 10012},             {-3, 10012}};
  for (const Case& c : cases) EXPECT_EQ(CategoryNameId(c.category), c.id) << c.category;
}

TEST_F(CategoriesListObject, TwelvePositionsInValueOrderWithNames) {
  LONG count = 0;
  ASSERT_EQ(list_->get_Count(&count), S_OK);
  EXPECT_EQ(count, 12);
  for (LONG i = 0; i < count; ++i) {
    CategoryOrlen category = cHidden;
    BSTR name = nullptr;
    ASSERT_EQ(list_->get_Category(i, &category), S_OK);
    EXPECT_EQ(category, i);
    ASSERT_EQ(list_->get_Name(i, &name), S_OK);
    EXPECT_EQ(TakeBstr(name), GetMessageText(CategoryNameId(i))) << i;
  }
  BSTR name = nullptr;
  ASSERT_EQ(list_->get_Name(0, &name), S_OK);
  EXPECT_EQ(TakeBstr(name), L"Unknown");
  ASSERT_EQ(list_->get_Name(11, &name), S_OK);
  EXPECT_EQ(TakeBstr(name), L"Computer");
  // No upper bound: beyond the list every position reads as an unknown category.
  CategoryOrlen beyond = cHidden;
  EXPECT_EQ(list_->get_Category(12, &beyond), S_OK);
  EXPECT_EQ(beyond, 12);
  ASSERT_EQ(list_->get_Name(40, &name), S_OK);
  EXPECT_EQ(TakeBstr(name), GetMessageText(10012));
}

TEST_F(CategoriesListObject, GetIndexOfSpecialAndOrdinaryCategories) {
  struct Case {
    long category;
    LONG index;
  } cases[] = {{cAll, -1}, {cHidden, -1}, {cUnknown, 0}, {cComputer, 11}, {12, 12}};
  for (const Case& c : cases) {
    LONG index = 99;
    EXPECT_EQ(list_->GetIndex(static_cast<CategoryOrlen>(c.category), &index), S_OK) << c.category;
    EXPECT_EQ(index, c.index) << c.category;
  }
}

TEST_F(CategoriesListObject, NegativeInputFailsWithErrorInformation) {
  CategoryOrlen category = cCommon;
  BSTR name = reinterpret_cast<BSTR>(1);
  LONG index = 0;
  EXPECT_EQ(list_->get_Category(-1, &category), E_UNEXPECTED);
  EXPECT_EQ(list_->get_Name(-1, &name), E_UNEXPECTED);  // -1 has a name, but no position
  EXPECT_EQ(name, nullptr);
  EXPECT_EQ(list_->GetIndex(static_cast<CategoryOrlen>(-3), &index), E_UNEXPECTED);
  IErrorInfo* info = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
  BSTR source = nullptr;
  info->GetSource(&source);
  EXPECT_EQ(TakeBstr(source), L"Evalkern.CategoriesList");
  info->Release();
}

TEST_F(CategoriesListObject, WithoutMessageModuleNamesSayTheTableWasNotLoaded) {
  ReloadMessageModuleForTests(L"NoSuchMessages.dll");
  BSTR name = nullptr;
  EXPECT_EQ(list_->get_Name(3, &name), S_OK);
  EXPECT_EQ(TakeBstr(name), L"String table was not loaded");
  ReloadMessageModuleForTests(kMessageModuleName);
}
