// Message lookup: texts by id, the cache, the two fallbacks, "%s" insertion and the id range.
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <vector>

#include "KernelObject.h"
#include "Messages.h"

using evalkern::GetMessageText;
using evalkern::GetMessageTextFmt;
using evalkern::KernelError;

namespace {

// Loads another string table from the kernel's folder for one test, then the real one again.
class WithModule {
 public:
  explicit WithModule(const wchar_t* fileName) { evalkern::ReloadMessageModuleForTests(fileName); }
  ~WithModule() { evalkern::ReloadMessageModuleForTests(evalkern::kMessageModuleName); }
};

bool RaisesRangeError(int id) {
  try {
    GetMessageText(id);
  } catch (const KernelError& e) {
    return !e.text.empty() && FAILED(e.hr);
  }
  return false;
}

}  // namespace

TEST(MessageText, FixtureTextsByIdIncludingTheGroupEnds) {
  WithModule fixture(L"EvalkernMsgFixture.dll");
  EXPECT_EQ(GetMessageText(10000), L"first of all");
  EXPECT_EQ(GetMessageText(10127), L"last of group 0");
  EXPECT_EQ(GetMessageText(15127), L"last of group 5");
  EXPECT_EQ(GetMessageText(13000), L"\u00DCn\u00EFcode \u2713 %s");
  // Asked again, the same text comes back (from the cache).
  EXPECT_EQ(GetMessageText(10000), L"first of all");
}

TEST(MessageText, IdMissingFromTheModuleIsInvalidStringIndexEveryTime) {
  WithModule fixture(L"EvalkernMsgFixture.dll");
  for (int id : {10001, 14055, 15000}) {
    EXPECT_EQ(GetMessageText(id), L"Invalid string index") << id;
    EXPECT_EQ(GetMessageText(id), L"Invalid string index") << id;
    EXPECT_EQ(GetMessageTextFmt(id, L"x"), L"Invalid string index") << id;
  }
}

TEST(MessageText, FormatReplacesOnlyTheFirstPlaceholder) {
  WithModule fixture(L"EvalkernMsgFixture.dll");
  struct Case {
    int id;
    const wchar_t* arg;
    const wchar_t* expected;
  } cases[] = {
      {12000, L"A", L"two: A and %s"},
      {12000, L"%s", L"two: %s and %s"},  // the argument is not searched again
      {12000, L"", L"two:  and %s"},
      {12001, L"dropped", L"no placeholder"},
      {12002, L"sin", L"sin at the start"},
      {12003, L"it", L"percent %S is not a placeholder; it is"},
      {13000, L"\u00E9", L"\u00DCn\u00EFcode \u2713 \u00E9"},
  };
  for (const Case& c : cases) EXPECT_EQ(GetMessageTextFmt(c.id, c.arg), c.expected) << c.id;
}

TEST(MessageText, IdsOutsideTheSixGroupsRaiseARangeError) {
  for (int id : {10127, 11000, 14127, 15127}) EXPECT_FALSE(RaisesRangeError(id)) << id;
  for (int id : {10128, 9999, 16000, 10999, 15128, 0, -1, INT_MIN, INT_MAX})
    EXPECT_TRUE(RaisesRangeError(id)) << id;
}

TEST(MessageText, WithoutTheModuleEveryLookupSaysTheTableWasNotLoaded) {
  WithModule missing(L"NoSuchMessages.dll");
  for (int id : {10000, 13071, 14028, 15127}) {
    EXPECT_EQ(GetMessageText(id), L"String table was not loaded") << id;
    EXPECT_EQ(GetMessageTextFmt(id, L"sin"), L"String table was not loaded") << id;
  }
}

TEST(MessageText, ModuleIsNotTakenFromTheCurrentFolder) {
  // A module of that name in the current folder must not be used when the kernel's folder lacks it.
  wchar_t temp[MAX_PATH], old[MAX_PATH];
  ASSERT_TRUE(GetTempPathW(MAX_PATH, temp));
  ASSERT_TRUE(GetCurrentDirectoryW(MAX_PATH, old));
  std::wstring copy = std::wstring(temp) + L"EvalkernMsgElsewhere.dll";
  ASSERT_TRUE(CopyFileW(L"EvalkernMsgFixture.dll", copy.c_str(), FALSE));
  ASSERT_TRUE(SetCurrentDirectoryW(temp));
  {
    WithModule elsewhere(L"EvalkernMsgElsewhere.dll");
    EXPECT_EQ(GetMessageText(10000), L"String table was not loaded");
  }
  SetCurrentDirectoryW(old);
  DeleteFileW(copy.c_str());
}

// Every id the kernel uses has a text in the shipped module, with a "%s" exactly where the
// kernel inserts something and nowhere else.
TEST(MessageText, ShippedModuleHasATextForEveryIdInUse) {
  std::vector<int> ids;
  auto range = [&](int from, int to) {
    for (int id = from; id <= to; ++id) ids.push_back(id);
  };
  range(10000, 10013);
  range(10064, 10066);
  range(11000, 11005);
  range(12000, 12022);
  range(13000, 13079);
  range(14000, 14036);
  range(14038, 14050);
  range(14052, 14054);
  range(14056, 14070);
  range(15000, 15008);
  const std::set<int> withArgument = {13071, 14015, 14016, 14018, 14019, 14020, 14021, 14022,
                                      14023, 14024, 14025, 14028, 14032, 14033, 14035, 14044,
                                      14048, 14052, 14053, 14054, 14056, 14057, 14062, 14064};
  for (int id : ids) {
    std::wstring text = GetMessageText(id);
    EXPECT_NE(text, L"Invalid string index") << id;
    EXPECT_NE(text, L"String table was not loaded") << id;
    size_t first = text.find(L"%s");
    bool wantsArgument = withArgument.count(id) > 0;
    EXPECT_EQ(first != std::wstring::npos, wantsArgument) << id << ": " << std::string(text.begin(), text.end());
    if (first != std::wstring::npos) {
      EXPECT_EQ(text.find(L"%s", first + 2), std::wstring::npos) << id;
    }
  }
  EXPECT_EQ(GetMessageText(14055), L"Invalid string index");
}

TEST(MessageText, ShippedTextsTheKernelReadsAsValues) {
  EXPECT_EQ(GetMessageText(11000), L"The Numbrook developers");
  // pi and e with the 21 significant digits that an 80-bit float needs to come back exactly.
  EXPECT_EQ(GetMessageText(11002), L"3.14159265358979323846");
  EXPECT_EQ(GetMessageText(11003), L"2.71828182845904523536");
  EXPECT_EQ(GetMessageTextFmt(14028, L"foo"), L"Unknown identifier: foo");
  EXPECT_EQ(GetMessageText(14009), L"Division by zero");
  EXPECT_EQ(GetMessageText(14069), L"The worksheet has too many lines to calculate (at most 32767)");
  EXPECT_EQ(GetMessageTextFmt(13071, L"AnsiChar").find(L"AnsiChar") != std::wstring::npos, true);
}
