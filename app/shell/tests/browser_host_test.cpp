// The browser host: the page of a command panel made from a small panel description with the
// shipped formats, the command a click names, the keys a panel's page keeps or hands on, and the
// real browser control of a panel and of the tip dialog, created and sent to their pages. There
// is no HTML engine here, so the documents themselves are never there.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DocHostUIHandler.h"
#include "Explorer.h"
#include "FrameworkPump.h"
#include "FwComSupport.h"
#include "IEDlg.h"
#include "MainInterface.h"
#include "MainInterfaceRoot.h"
#include "MsgManager.h"
#include "PanelPage.h"
#include "ShellTestKit.h"
#include "TipDlg.h"

namespace {

// ---- a panel description --------------------------------------------------------------------------

struct FakeCommand {
  long id;
  const wchar_t* name;
  const wchar_t* text;
  const wchar_t* tooltip;
};
struct FakeGroup {
  const wchar_t* name;
  std::vector<FakeCommand> commands;
};

class FakePanel : public ICBCommandPanel {
public:
  explicit FakePanel(std::vector<FakeGroup> groups) : m_groups(std::move(groups)) {}
  HRESULT failDescription = S_OK;  // what GetCommandDesc answers
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP GetGroupsCount(long* count) override {
    *count = static_cast<long>(m_groups.size());
    return S_OK;
  }
  STDMETHODIMP GetGroupName(long group, BSTR* name) override {
    *name = ::SysAllocString(m_groups[group].name);
    return S_OK;
  }
  STDMETHODIMP GetCommandsCount(long group, long* count) override {
    *count = static_cast<long>(m_groups[group].commands.size());
    return S_OK;
  }
  STDMETHODIMP GetCommandDesc(long group, long index, CalcCommand* command) override {
    if (FAILED(failDescription)) return failDescription;
    const FakeCommand& c = m_groups[group].commands[index];
    *command = {};
    command->CalcCommandIdentifier = c.id;
    command->CalcCommandType = CotOperator;
    command->CalcCommandText = ::SysAllocString(c.text);
    command->CalcCommandTooltip = ::SysAllocString(c.tooltip);
    command->CalcCommandName = ::SysAllocString(c.name);
    return S_OK;
  }
  LONG refs = 1;

private:
  std::vector<FakeGroup> m_groups;
};

// A blank in a group name, a quote and "<" in the texts, and an empty group.
FakePanel SmallPanel() {
  return FakePanel({{L"Basic ops", {{11, L"Say \"hi\"", L"hi", L"a < b"}, {12, L"Plus", L"+", L"Adds & more"}}},
                    {L"Nothing", {}},
                    {L"Last", {{30, L"Pi", L"pi", L"The ratio"}}}});
}

// The library, OLE and the hosting of controls.
class ResourceLibrary : public ResourceLibraryTest {
protected:
  static void SetUpTestSuite() {
    ResourceLibraryTest::SetUpTestSuite();
    AfxOleInit();
    AfxEnableControlContainer();
  }
};

// ---- the page -----------------------------------------------------------------------------------------

using PanelPage = ResourceLibrary;

TEST_F(PanelPage, GroupsAndCommandsAreWrittenWithTheShippedFormats) {
  FakePanel panel = SmallPanel();
  const PanelPageFormats formats = PanelPageFormats::Load();
  std::vector<PanelCommand> commands;

  EXPECT_STREQ(
      L"<div class=\"group\"><div class=\"title\">Basic&nbsp;ops</div>\r\n"
      L"<input type=\"button\" class=\"command\" value=\"Say &#34;hi&#34;\" title=\"a &lt; b\" id=\"11\"><br>\r\n"
      L"<input type=\"button\" class=\"command\" value=\"Plus\" title=\"Adds &amp; more\" id=\"12\"><br>\r\n"
      L"</div>\r\n"
      L"<div class=\"group\"><div class=\"title\">Last</div>\r\n"
      L"<input type=\"button\" class=\"command\" value=\"Pi\" title=\"The ratio\" id=\"30\"><br>\r\n"
      L"</div>\r\n",
      BuildPanelPage(&panel, PVTGroups, L"Operators", formats, commands));

  EXPECT_STREQ(
      L"<div class=\"group\"><div class=\"title\">Basic&nbsp;ops</div>\r\n"
      L"<span class=\"cell\" title=\"a &lt; b\" id=\"11\">Say &#34;hi&#34;</span>\r\n"
      L"<span class=\"cell\" title=\"Adds &amp; more\" id=\"12\">Plus</span>\r\n"
      L"</div>\r\n"
      L"<div class=\"group\"><div class=\"title\">Last</div>\r\n"
      L"<span class=\"cell\" title=\"The ratio\" id=\"30\">Pi</span>\r\n"
      L"</div>\r\n",
      BuildPanelPage(&panel, PVTCells, L"Operators", formats, commands));

  ASSERT_EQ(3u, commands.size()) << "the list is built anew, not added to";
  const PanelCommand& first = commands[0];
  EXPECT_EQ(11, first.identifier);
  EXPECT_EQ(CotOperator, first.type);
  EXPECT_STREQ(L"hi", first.text);
  EXPECT_STREQ(L"a < b", first.tooltip);
  EXPECT_STREQ(L"Say \"hi\"", first.name) << "the command keeps its own name";
  EXPECT_STREQ(L"Basic&nbsp;ops", first.groupName);
  EXPECT_STREQ(L"Operators", first.panelName);
  EXPECT_STREQ(L"Last", commands[2].groupName);
  EXPECT_EQ(1, panel.refs);
}

TEST_F(PanelPage, AFailingDescriptionIsRaised) {
  FakePanel panel = SmallPanel();
  panel.failDescription = E_OUTOFMEMORY;
  std::vector<PanelCommand> commands;
  HRESULT raised = S_OK;
  try {
    BuildPanelPage(&panel, PVTGroups, L"x", PanelPageFormats::Load(), commands);
  } catch (const _com_error& e) {
    raised = e.Error();
  }
  EXPECT_EQ(E_OUTOFMEMORY, raised);
}

// ---- the panel window ---------------------------------------------------------------------------

class RecordingSink : public ICBMessengerEvents {
public:
  struct Delivered {
    long id;
    std::wstring name, tooltip, group, panel;
  };
  std::vector<Delivered> delivered;
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP OnCommand(long) override { return S_OK; }
  STDMETHODIMP OnMessage(long, long, long) override { return S_OK; }
  STDMETHODIMP OnCalcCommand(CalcCommand c) override {
    delivered.push_back({c.CalcCommandIdentifier, c.CalcCommandName, c.CalcCommandTooltip, c.CalcCommandGroupName,
                         c.CalcCommandPanelName});
    return S_OK;
  }
  STDMETHODIMP OnCalcAction(CalcAction, VARIANT_BOOL, VARIANT_BOOL, VARIANT_BOOL) override { return S_OK; }
  STDMETHODIMP OnKbdModifier(VARIANT_BOOL, VARIANT_BOOL, VARIANT_BOOL) override { return S_OK; }
  STDMETHODIMP OnBeforeUpdate() override { return S_OK; }
  STDMETHODIMP OnAfterUpdate(PropertyPage) override { return S_OK; }
};

// The browser's LocationURL property.
CString LocationUrl(CExplorer& browser) {
  CString url;
  try {
    browser.GetProperty(211, VT_BSTR, &url);
  } catch (CException* e) {
    e->Delete();
  }
  return url;
}

class PanelWindow : public ResourceLibrary {
protected:
  TestFrame m_frame;
  CMsgManager m_messenger{&m_frame};

};

TEST_F(PanelWindow, TheBrowserIsCreatedAndSentToThePanelPageOfTheResourceLibrary) {
  FakePanel panel = SmallPanel();
  CIEDlg dialog(m_frame.GetPanelTabWnd(), &m_messenger);
  ASSERT_NE(nullptr, dialog.GetSafeHwnd());
  dialog.SetUp(L"Operators", &panel, PVTGroups);
  EXPECT_EQ(2, panel.refs) << "the panel keeps its description";
  // Messages pumped by others (the kernel pumps while it calculates) are not the program's idle
  // time; its frame's idle update is.
  ASSERT_TRUE(PumpRoundTrip(dialog.GetSafeHwnd()));
  EXPECT_EQ(nullptr, dialog.GetBrowser().GetSafeHwnd()) << "made once the program is idle";
  dialog.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  ASSERT_TRUE(PumpUntil([&] { return dialog.GetBrowser().GetControlUnknown() != nullptr; }));
  EXPECT_EQ(dialog.GetDlgItem(IDC_PANEL_BROWSER)->m_hWnd, dialog.GetBrowser().m_hWnd);
  EXPECT_STREQ(L"res://" + LibraryPath() + L"/index.htm", ResourcePageUrl(L"index.htm"));
  EXPECT_STREQ(ResourcePageUrl(L"index.htm"), LocationUrl(dialog.GetBrowser()));
  EXPECT_EQ(nullptr, dialog.GetBrowser().GetDocument()) << "no HTML engine here";

  dialog.MoveWindow(0, 0, 180, 240);
  CRect client, browser;
  dialog.GetClientRect(&client);
  dialog.GetBrowser().GetWindowRect(&browser);
  dialog.ScreenToClient(&browser);
  EXPECT_EQ(client, browser) << "the browser fills the panel";

  dialog.DestroyWindow();
  EXPECT_STREQ(L"", LocationUrl(dialog.GetBrowser()));
}

TEST_F(PanelWindow, APanelWithoutDescriptionStaysEmpty) {
  CIEDlg dialog(m_frame.GetPanelTabWnd(), &m_messenger);
  dialog.SetUp(L"Nothing", nullptr, PVTCells);
  dialog.SendMessage(WM_IDLEUPDATECMDUI, TRUE);
  ASSERT_TRUE(PumpUntil([&] { return dialog.GetBrowser().GetControlUnknown() != nullptr; }));
  EXPECT_STREQ(L"", LocationUrl(dialog.GetBrowser()));
  EXPECT_STREQ(L"", dialog.BuildPage());
  EXPECT_TRUE(dialog.GetCommands().empty());
}

TEST_F(PanelWindow, AClickDeliversTheCommandThatTheElementIdNames) {
  FakePanel panel = SmallPanel();
  RecordingSink sink;
  GUID cookie = {};
  ASSERT_EQ(S_OK, m_messenger.EventsSubscribe(&sink, &cookie));
  CIEDlg dialog(m_frame.GetPanelTabWnd(), &m_messenger);
  dialog.SetUp(L"Operators", &panel, PVTGroups);
  dialog.BuildPage();

  const struct {
    const wchar_t* element;
    long delivered;  // 0: nothing
  } cases[] = {{L"12", 12}, {L"0011", 11}, {L"30px", 30}, {L"99", 0}, {L"", 0}, {L"x11", 0}, {L"99999999999", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "element \"" << std::string(c.element, c.element + wcslen(c.element)) << "\"");
    sink.delivered.clear();
    dialog.DispatchClick(c.element);
    if (c.delivered == 0) {
      EXPECT_TRUE(sink.delivered.empty());
      continue;
    }
    ASSERT_EQ(1u, sink.delivered.size());
    EXPECT_EQ(c.delivered, sink.delivered[0].id);
    EXPECT_EQ(L"Operators", sink.delivered[0].panel);
  }
  panel.failDescription = E_FAIL;
  EXPECT_THROW(dialog.BuildPage(), _com_error);
  EXPECT_EQ(3u, dialog.GetCommands().size()) << "a page that could not be made changes nothing";
  sink.delivered.clear();
  dialog.DispatchClick(L"11");
  ASSERT_EQ(1u, sink.delivered.size());
  EXPECT_EQ(L"Say \"hi\"", sink.delivered[0].name);
  EXPECT_EQ(L"a < b", sink.delivered[0].tooltip);
  EXPECT_EQ(L"Basic&nbsp;ops", sink.delivered[0].group);
  m_messenger.EventsUnscribe(cookie);
}

// ---- keys in a panel's page ----------------------------------------------------------------------

CMainInterface* g_root = nullptr;
INumbrookMain* RootOfTest() { return g_root; }

class PageKeys : public ResourceLibrary {
protected:
  void SetUp() override {
    ResourceLibrary::SetUp();
    ACCEL accel = {FVIRTKEY, VK_F7, 1234};
    m_frame.accel = ::CreateAcceleratorTableW(&accel, 1);
    g_root = &m_root;
  }
  void TearDown() override {
    SetMainInterfaceSource(nullptr);
    g_root = nullptr;
    ::DestroyAcceleratorTable(m_frame.accel);
  }
  TestFrame m_frame;
  CMainInterface m_root{&m_frame};
};

TEST_F(PageKeys, AcceleratorsRunScrollKeysGoToTheBrowserOthersAreTaken) {
  SetMainInterfaceSource(&RootOfTest);
  CDocHostUIHandler handler(nullptr);
  HWND frame = m_frame.GetFrameHwnd();
  const struct {
    const char* name;
    UINT message;
    WPARAM key;
    HRESULT expected;
  } cases[] = {
      {"an accelerator of the main window", WM_KEYDOWN, VK_F7, S_OK},
      {"Page Up", WM_KEYDOWN, VK_PRIOR, E_NOTIMPL},
      {"Down", WM_KEYDOWN, VK_DOWN, E_NOTIMPL},
      {"Home released", WM_KEYUP, VK_HOME, E_NOTIMPL},
      {"Space, just below the scroll keys", WM_KEYDOWN, VK_SPACE, S_OK},
      {"Select, just above them", WM_KEYDOWN, VK_SELECT, S_OK},
      {"a letter", WM_KEYDOWN, 'A', S_OK},
      {"a character with the code of Page Up", WM_CHAR, VK_PRIOR, S_OK},
  };
  for (const auto& c : cases) {
    MSG msg = {frame, c.message, c.key, 0};
    EXPECT_EQ(c.expected, handler.TranslateAccelerator(&msg, nullptr, 0)) << c.name;
  }
  EXPECT_EQ(E_NOTIMPL, handler.TranslateAccelerator(nullptr, nullptr, 0)) << "no message";

  SetMainInterfaceSource(nullptr);
  MSG msg = {frame, WM_KEYDOWN, VK_F7, 0};
  EXPECT_EQ(S_FALSE, handler.TranslateAccelerator(&msg, nullptr, 0)) << "without the root the browser keeps the key";

  EXPECT_EQ(S_OK, handler.ShowContextMenu(0, nullptr, nullptr, nullptr)) << "no context menu";
  EXPECT_EQ(E_NOTIMPL, handler.GetHostInfo(nullptr));
  IUnknown* self = nullptr;
  EXPECT_EQ(S_OK, handler.QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&self)));
  EXPECT_EQ(static_cast<IUnknown*>(&handler), self);
  EXPECT_EQ(E_NOINTERFACE, handler.QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&self)));
}

// ---- the tip dialog -------------------------------------------------------------------------------

class CCheckedTipDlg : public CTipDlg {
public:
  CString url;
  bool hadControl = false;
  BOOL scriptCalled = TRUE;
  BOOL OnInitDialog() override {
    BOOL answer = CTipDlg::OnInitDialog();
    hadControl = GetBrowser().GetControlUnknown() != nullptr;
    PostMessage(WM_COMMAND, ID_TIP_SHOW_DRIVE);
    PostMessage(WM_COMMAND, ID_TIP_NOTHING);
    PostMessage(WM_APP);
    return answer;
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP) {
      url = LocationUrl(GetBrowser());
      scriptCalled = CallScript(L"SetFrameSrc", L"c:\\");
      EndDialog(IDOK);
      return 0;
    }
    return CTipDlg::WindowProc(message, wParam, lParam);
  }
};

using TipDialog = ResourceLibrary;

TEST_F(TipDialog, ItsBrowserGoesToTheTipPageAndItsButtonsRunWithoutAPage) {
  CCheckedTipDlg dialog;
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_TRUE(dialog.hadControl);
  EXPECT_STREQ(L"res://" + LibraryPath() + L"/tip.htm", dialog.url);
  EXPECT_FALSE(dialog.scriptCalled) << "no document, no script";
}

}  // namespace
