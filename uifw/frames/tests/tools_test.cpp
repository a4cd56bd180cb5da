// The user-tools manager in a test application: ids from the range, order, running and the saved
// list, which brings back only tools of the manager's tool class.
#include "bars/UfxUserTool.h"
#include "frames/UfxRegistry.h"
#include "frames/UfxUserToolsManager.h"
#include <gtest/gtest.h>

namespace tools_fixtures {
// A tool class of the application's own.
class CCalcTool : public CUfxUserTool {
  DECLARE_SERIAL(CCalcTool)
};
// Anything else that happens to be archived.
class CNotATool : public CObject {
  DECLARE_SERIAL(CNotATool)
public:
  void Serialize(CArchive& ar) override {
    CString s = L"x";
    if (ar.IsStoring()) ar << s;
    else ar >> s;
  }
};
}  // namespace tools_fixtures
using namespace tools_fixtures;
IMPLEMENT_SERIAL(CCalcTool, CUfxUserTool, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CNotATool, CObject, 1)

namespace {

const wchar_t kSection[] = L"Software\\Ferrow Software\\ToolsTest\\";

class ToolsManagerTest : public ::testing::Test {
protected:
  void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kSection); }
  void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, kSection); }
  static CUfxUserTool* At(const CUfxUserToolsManager& m, int i) {
    return (CUfxUserTool*)m.GetUserTools().GetAt(m.GetUserTools().FindIndex(i));
  }
};

TEST_F(ToolsManagerTest, NewToolsTakeTheLowestFreeId) {
  CUfxUserToolsManager tm(2, 3, 5, RUNTIME_CLASS(CCalcTool));
  EXPECT_EQ(&tm, UfxUserToolsManager);
  CUfxUserTool* a = tm.CreateNewTool();
  CUfxUserTool* b = tm.CreateNewTool();
  CUfxUserTool* c = tm.CreateNewTool();
  ASSERT_TRUE(a && b && c);
  EXPECT_TRUE(a->IsKindOf(RUNTIME_CLASS(CCalcTool)));
  EXPECT_EQ(nullptr, tm.CreateNewTool());  // three ids, three tools
  EXPECT_TRUE(tm.RemoveTool(b));
  EXPECT_FALSE(tm.RemoveTool(b));
  CUfxUserTool* again = tm.CreateNewTool();
  ASSERT_NE(nullptr, again);
  EXPECT_EQ(4u, again->m_uiCmdId);
  EXPECT_EQ(c, tm.FindTool(5));
  EXPECT_EQ(nullptr, tm.FindTool(2));  // the tools entry itself is no tool
}

TEST_F(ToolsManagerTest, ToolsMoveOnePlaceAtATime) {
  CUfxUserToolsManager tm(2, 3, 5);
  CUfxUserTool* a = tm.CreateNewTool();
  CUfxUserTool* b = tm.CreateNewTool();
  EXPECT_FALSE(tm.MoveToolUp(a));
  EXPECT_FALSE(tm.MoveToolDown(b));
  EXPECT_EQ(a, At(tm, 0));
  EXPECT_TRUE(tm.MoveToolUp(b));
  EXPECT_EQ(b, At(tm, 0));
  EXPECT_TRUE(tm.MoveToolDown(b));
  EXPECT_EQ(b, At(tm, 1));
}

TEST_F(ToolsManagerTest, OnlyToolsWithAProgramRun) {
  CUfxUserToolsManager tm(2, 3, 5);
  CUfxUserTool* a = tm.CreateNewTool();
  EXPECT_FALSE(tm.InvokeTool(a->m_uiCmdId));  // no program
  EXPECT_FALSE(tm.InvokeTool(99));
}

TEST_F(ToolsManagerTest, TheListComesBackWithItsFields) {
  {
    CUfxUserToolsManager tm(2, 3, 5, RUNTIME_CLASS(CCalcTool));
    CUfxUserTool* a = tm.CreateNewTool();
    a->m_strLabel = L"&Notes";
    a->SetCommand(L"C:\\windows\\notepad.exe");
    a->m_strArguments = L"$(File)";
    a->m_strInitialDirectory = L"C:\\";
    tm.CreateNewTool()->m_strLabel = L"Second";
    ASSERT_TRUE(tm.SaveState(kSection));
  }
  CUfxUserToolsManager tm(2, 3, 5, RUNTIME_CLASS(CCalcTool));
  ASSERT_TRUE(tm.LoadState(kSection));
  ASSERT_EQ(2, tm.GetUserTools().GetCount());
  CUfxUserTool* a = At(tm, 0);
  EXPECT_TRUE(a->IsKindOf(RUNTIME_CLASS(CCalcTool)));
  EXPECT_EQ(CString(L"&Notes"), a->m_strLabel);
  EXPECT_EQ(CString(L"C:\\windows\\notepad.exe"), a->GetCommand());
  EXPECT_EQ(CString(L"$(File)"), a->m_strArguments);
  EXPECT_EQ(CString(L"C:\\"), a->m_strInitialDirectory);
  EXPECT_EQ(3u, a->m_uiCmdId);
  EXPECT_EQ(4u, At(tm, 1)->m_uiCmdId);
}

TEST_F(ToolsManagerTest, AListOfAnotherClassIsUnreadable) {
  {
    CUfxUserToolsManager plain(2, 3, 5);  // saves plain tools
    plain.CreateNewTool();
    ASSERT_TRUE(plain.SaveState(kSection));
  }
  CUfxUserToolsManager tm(2, 3, 5, RUNTIME_CLASS(CCalcTool));
  CUfxUserTool* kept = tm.CreateNewTool();
  EXPECT_FALSE(tm.LoadState(kSection));  // CUfxUserTool is not a CCalcTool
  ASSERT_EQ(1, tm.GetUserTools().GetCount());
  EXPECT_EQ(kept, At(tm, 0));

  CObList foreign;
  CNotATool other;
  foreign.AddTail(&other);
  CUfxRegistry reg;
  ASSERT_TRUE(reg.CreateKey(CString(kSection)));
  ASSERT_TRUE(reg.Write(L"Tools", foreign));
  CUfxUserToolsManager base(2, 3, 5);
  EXPECT_FALSE(base.LoadState(kSection));
  EXPECT_EQ(0, base.GetUserTools().GetCount());

  // One tool stored twice (the second entry refers back to the first) would be deleted twice.
  CObList aliased;
  CUfxUserTool tool;
  aliased.AddTail(&tool);
  aliased.AddTail(&tool);
  ASSERT_TRUE(reg.Write(L"Tools", aliased));
  EXPECT_FALSE(base.LoadState(kSection));
  EXPECT_EQ(0, base.GetUserTools().GetCount());
}

}  // namespace
