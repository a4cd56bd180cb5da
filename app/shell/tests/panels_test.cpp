// The command panels: definition runs of strings (whole and broken), the kernel's functions by
// category, and the managers that put panels on tabs and drive the bars.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CategoryCommandPanel.h"
#include "DefinedCommandPanel.h"
#include "FwComSupport.h"
#include "MainInterfaceRoot.h"
#include "ShellTestKit.h"

namespace {

// A panel as text: "group name: id type name|text|tip; ..." per group.
std::vector<std::wstring> Describe(ICBCommandPanel& panel) {
  std::vector<std::wstring> groups;
  long count = 0;
  EXPECT_EQ(S_OK, panel.GetGroupsCount(&count));
  for (long g = 0; g < count; ++g) {
    BSTR name = nullptr;
    EXPECT_EQ(S_OK, panel.GetGroupName(g, &name));
    std::wstring text = std::wstring(name != nullptr ? name : L"") + L":";
    ::SysFreeString(name);
    long commands = 0;
    EXPECT_EQ(S_OK, panel.GetCommandsCount(g, &commands));
    for (long c = 0; c < commands; ++c) {
      CalcCommand command = {};
      EXPECT_EQ(S_OK, panel.GetCommandDesc(g, c, &command));
      EXPECT_EQ(nullptr, command.CalcCommandGroupName);
      EXPECT_EQ(nullptr, command.CalcCommandPanelName);
      text += L" " + std::to_wstring(command.CalcCommandIdentifier) + L" " + std::to_wstring(command.CalcCommandType) +
              L" " + command.CalcCommandName + L"|" + command.CalcCommandText + L"|" + command.CalcCommandTooltip + L";";
      ::SysFreeString(command.CalcCommandText);
      ::SysFreeString(command.CalcCommandTooltip);
      ::SysFreeString(command.CalcCommandName);
    }
    groups.push_back(text);
  }
  return groups;
}

typedef std::vector<std::wstring> Groups;

TEST(DefinedCommandPanel, ReadsAWholeRun) {
  CDefinedCommandPanel panel(600);
  EXPECT_TRUE(panel.IsComplete());
  EXPECT_EQ((Groups{L"Digits and more: 603 1 Pi|pi|The ratio of a circle; 604 3 Plus|+|Adds \"two\";",
                    L":",
                    L"Text: 606 8 Quote|\"x\"|A string; 607 -1 Odd|odd|lower-case kind; 608 -1 Long|l|kind with more; "
                    L"609 1 Ten|10|A number;"}),
            Describe(panel));
}

TEST(DefinedCommandPanel, BrokenRunEndsWherePanelKeepsWhatItRead) {
  struct Case {
    UINT first;
    Groups groups;
    const char* broken;
  } cases[] = {
      {700, {L":", L":"}, "a command before any header"},
      {710, {L"First: 713 1 A|a|tip;", L":"}, "a group number above the count"},
      {720, {L":", L":"}, "group number 0"},
      {730, {L"G:"}, "a command of three fields"},
      {740, {L"G: 743 1 A|a|tip;"}, "a missing string"},
      {750, {}, "a negative count"},
      {760, {}, "a count that is no number"},
      {780, {}, "a count beyond any run of strings"},
      {790, {}, "no count string"},
  };
  for (const Case& c : cases) {
    CDefinedCommandPanel panel(c.first);
    EXPECT_FALSE(panel.IsComplete()) << c.broken;
    EXPECT_EQ(c.groups, Describe(panel)) << c.broken;
  }
  CDefinedCommandPanel empty(770);
  EXPECT_TRUE(empty.IsComplete());
  EXPECT_TRUE(Describe(empty).empty());
}

TEST(DefinedCommandPanel, BadIndexesAnswerInvalidArgument) {
  CDefinedCommandPanel panel(600);
  BSTR name = nullptr;
  long count = 0;
  CalcCommand command = {};
  EXPECT_EQ(E_INVALIDARG, panel.GetGroupName(3, &name));
  EXPECT_EQ(E_INVALIDARG, panel.GetCommandsCount(-1, &count));
  EXPECT_EQ(E_INVALIDARG, panel.GetCommandDesc(0, 2, &command));
  EXPECT_EQ(E_INVALIDARG, panel.GetCommandDesc(1, 0, &command));
}

// ---- the category panel over a kernel double ------------------------------------------------------

class KernelDouble : public ICalculatorKernel {
public:
  struct Function {
    LPCWSTR name;
    int category;
  };
  std::vector<Function> functions;
  bool failCount = false;
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  LONG refs = 1;
  STDMETHODIMP GetCountObjects(CalcObjectType type, int* count) override {
    if (failCount) return E_FAIL;
    *count = type == CotFunction ? static_cast<int>(functions.size()) : type == CotCategory ? 4 : 0;
    return S_OK;
  }
  STDMETHODIMP GetFunction(int index, CalcFunction* f) override {
    f->CfnName = ::SysAllocString(functions[index].name);
    f->CfnSignature = ::SysAllocString(L"(x)");
    f->CfnDescription = ::SysAllocString((std::wstring(L"About ") + functions[index].name).c_str());
    f->CfnCategoryId = functions[index].category;
    return S_OK;
  }
  // Category ids 10, 11, 12, 13 sit at indexes 0 to 3; any other id is unknown.
  STDMETHODIMP GetCategoryIndex(int id, int* index) override {
    if (id < 10 || id > 13) return E_INVALIDARG;
    *index = id - 10;
    return S_OK;
  }
  STDMETHODIMP GetCategory(int index, CalcCategory* category) override {
    category->ccName = ::SysAllocString((L"Category " + std::to_wstring(index)).c_str());
    category->ccCategoryId = index + 10;
    category->ccCategoryIndex = index;
    return S_OK;
  }
  STDMETHODIMP ParseExpression(BSTR, ParseExpResult*) override { return E_NOTIMPL; }
  STDMETHODIMP GetVarValue(int, VARIANT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetVarName(int, BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP IsDefined(BSTR, CalcObjectType*, int*) override { return E_NOTIMPL; }
  STDMETHODIMP GetFunctionIndex(BSTR, int*) override { return E_NOTIMPL; }
  STDMETHODIMP GetConstant(int, CalcConstant*) override { return E_NOTIMPL; }
  STDMETHODIMP GetOperator(int, CalcOperator*) override { return E_NOTIMPL; }
  STDMETHODIMP GetCalcAngleFormat(CalcAngleFormat*) override { return E_NOTIMPL; }
  STDMETHODIMP GetCalcResultFormat(CalcResultFormat*) override { return E_NOTIMPL; }
  STDMETHODIMP SetCalcSettings(CalcAngleFormat, CalcResultFormat) override { return E_NOTIMPL; }
};

TEST(CategoryCommandPanel, NumbersFunctionsInKernelOrderAcrossGroups) {
  KernelDouble kernel;
  kernel.functions = {{L"sin", 12}, {L"hidden", -2}, {L"abs", 11}, {L"lost", 99}, {L"cos", 12}};
  {
    CCategoryCommandPanel panel(&kernel);
    EXPECT_EQ(2, kernel.refs) << "the panel holds the kernel";
    EXPECT_EQ((Groups{L"Category 0:", L"Category 1: 10001 2 abs|abs|About abs;",
                      L"Category 2: 10000 2 sin|sin|About sin; 10002 2 cos|cos|About cos;", L"Category 3:"}),
              Describe(panel));
  }
  EXPECT_EQ(1, kernel.refs);
}

TEST(CategoryCommandPanel, KernelFailureLeavesItEmpty) {
  KernelDouble kernel;
  kernel.failCount = true;
  CCategoryCommandPanel failing(&kernel);
  EXPECT_TRUE(Describe(failing).empty());
  CCategoryCommandPanel none(nullptr);
  EXPECT_TRUE(Describe(none).empty());
}

// ---- the managers ---------------------------------------------------------------------------------

class PanelManagers : public ::testing::Test {
protected:
  TestFrame m_frame;
  CDefinedCommandPanel m_description{600};
  CMainInterface m_root{&m_frame};
  CPanelsManager& panels() { return m_root.GetPanels(); }
};

TEST_F(PanelManagers, AddedPanelsAreNumberedAndClearedAway) {
  long index = -1;
  for (long expected : {0L, 1L, 2L}) {
    ASSERT_EQ(S_OK, panels().AddPanel(_bstr_t(L"Functions"), PVTCells, VARIANT_FALSE, &m_description, &index));
    EXPECT_EQ(expected, index);
  }
  CIEDlg* panel = panels().GetPanel(2);
  ASSERT_NE(nullptr, panel);
  ASSERT_NE(nullptr, panel->GetSafeHwnd()) << "template 263";
  EXPECT_EQ(m_frame.GetPanelTabWnd()->GetSafeHwnd(), ::GetParent(panel->GetSafeHwnd()));
  wchar_t text[64];
  ::GetWindowTextW(panel->GetSafeHwnd(), text, 64);
  EXPECT_STREQ(L"Functions", text);
  EXPECT_STREQ(L"Functions", panel->GetCaption());
  EXPECT_EQ(&m_description, panel->GetDescription());
  EXPECT_EQ(PVTCells, panel->GetViewType());
  EXPECT_EQ(3u, m_frame.tabs.size());

  HWND window = panel->GetSafeHwnd();
  EXPECT_EQ(S_OK, panels().Clear());
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_TRUE(m_frame.tabs.empty());
  ASSERT_EQ(S_OK, panels().AddPanel(_bstr_t(L"Again"), PVTGroups, VARIANT_FALSE, nullptr, &index));
  EXPECT_EQ(0, index);

  EXPECT_EQ(S_OK, panels().put_ActivePanel(1));
  long active = -1;
  panels().get_ActivePanel(&active);
  EXPECT_EQ(1, active);
}

TEST_F(PanelManagers, BarsShowAndHideByToolbarId) {
  IKivCaptionBar* caption = nullptr;
  ASSERT_EQ(S_OK, m_root.GetCaptionbarManager(&caption));
  VARIANT_BOOL visible = VARIANT_FALSE;
  for (int bar = TbStandard; bar <= TbCaptionBar; ++bar) {
    Toolbar id = static_cast<Toolbar>(bar);
    EXPECT_EQ(S_OK, panels().ShowToolbar(id, VARIANT_FALSE));
    EXPECT_EQ(S_OK, panels().IsToolbarVisible(id, &visible));
    EXPECT_EQ(VARIANT_FALSE, visible) << bar;
    panels().ShowToolbar(id, VARIANT_TRUE);
    panels().IsToolbarVisible(id, &visible);
    EXPECT_EQ(VARIANT_TRUE, visible) << bar;
  }
  caption->put_Visible(VARIANT_FALSE);
  panels().IsToolbarVisible(TbCaptionBar, &visible);
  EXPECT_EQ(VARIANT_FALSE, visible);
  EXPECT_EQ(E_INVALIDARG, panels().ShowToolbar(static_cast<Toolbar>(5), VARIANT_TRUE));
  EXPECT_EQ(E_INVALIDARG, panels().IsToolbarVisible(static_cast<Toolbar>(-1), &visible));
}

TEST_F(PanelManagers, CaptionChangesOnlyWhatDiffers) {
  IKivCaptionBar* caption = nullptr;
  ASSERT_EQ(S_OK, m_root.GetCaptionbarManager(&caption));
  EXPECT_EQ(S_OK, caption->put_Type(CaptionTypeInfo));
  EXPECT_TRUE(m_frame.captionBitmaps.empty()) << "the current type loads nothing";
  EXPECT_EQ(E_INVALIDARG, caption->put_Type(static_cast<CaptionType>(3)));
  struct Case {
    CaptionType type;
    UINT bitmap;
  } cases[] = {{CaptionTypeError, 257}, {CaptionTypeWarning, 258}, {CaptionTypeNone, 259}, {CaptionTypeInfo, 250}};
  for (const Case& c : cases) {
    EXPECT_EQ(S_OK, caption->put_Type(c.type));
    EXPECT_EQ(c.bitmap, m_frame.captionBitmaps.back());
  }
  caption->put_Text(_bstr_t(L"Result: 3"));
  caption->put_Text(_bstr_t(L"Result: 3"));
  EXPECT_EQ(1, m_frame.captionTextSets);
  BSTR text = nullptr;
  caption->get_Text(&text);
  EXPECT_STREQ(L"Result: 3", text);
  ::SysFreeString(text);
}

}  // namespace
