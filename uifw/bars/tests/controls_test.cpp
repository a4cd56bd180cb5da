// Combo-box and edit-box buttons: their windows on horizontal bars only, buttons of one command
// on two bars kept in step without a feedback loop, the archive (byte for byte, the combo's
// dropped height by the saved version, an edit button's text without a window), and the edit
// field's hot state and keys.
#include "ArchiveBytes.h"
#include "CommandBarsTestKit.h"
#include "bars/UfxToolbarComboBoxButton.h"
#include "bars/UfxToolbarEditBoxButton.h"
#include "bars/UfxToolbarMenuButton.h"
#include "frames/UfxWorkspace.h"

using namespace toolbar_test;
using namespace command_bars_test;

namespace {

using archive_bytes::Load;
using archive_bytes::Store;

const UINT kCombo = 301;
const UINT kEdit = 401;

// A workspace that says which library version wrote the state being loaded.
class CVersionedWorkspace : public CUfxWorkspace {
public:
  CVersionedWorkspace(int iMajor, int iMinor) {
    m_iSavedVersionMajor = iMajor;
    m_iSavedVersionMinor = iMinor;
  }
};

class ControlsTest : public FrameFixture {
protected:
  ControlsTest() : FrameFixture(CRect(100, 100, 700, 400), WS_POPUP | WS_VISIBLE) {}
  void SetUp() override {
    FrameFixture::SetUp();
    AfxSetResourceHandle(::GetModuleHandleW(nullptr));
    ASSERT_TRUE(barA.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE801));
    ASSERT_TRUE(barB.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE802));
    frame->handled = {kCombo, kEdit};
  }
  void TearDown() override {
    barA.DestroyWindow();
    barB.DestroyWindow();
    FrameFixture::TearDown();
  }
  static void Place(CTestBar& bar, CRect rect) {
    bar.SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    bar.AdjustLayout();
    bar.LayoutButtons();
  }
  static CUfxToolbarComboBoxButton* NewCombo() {
    CUfxToolbarComboBoxButton* pCombo = new CUfxToolbarComboBoxButton(kCombo, -1);
    pCombo->AddItem(L"Small", 10);
    pCombo->AddItem(L"Medium", 20);
    pCombo->AddItem(L"Large", 30);
    return pCombo;
  }
  // The commands the frame received once everything posted has been handled.
  size_t CommandsNow() {
    RoundTrip(frame->GetSafeHwnd());
    return frame->commands.size();
  }

  CTestBar barA;
  CTestBar barB;
};

TEST_F(ControlsTest, CombosOfOneCommandOnTwoBarsStayInStepWithOneNotification) {
  CUfxToolbarComboBoxButton* pA = NewCombo();
  CUfxToolbarComboBoxButton* pB = NewCombo();
  barA.InsertButton(pA);
  barB.InsertButton(pB);
  Place(barA, CRect(0, 0, 400, 30));
  Place(barB, CRect(0, 40, 400, 70));
  ASSERT_NE(nullptr, pA->GetHwnd());
  ASSERT_NE(nullptr, pB->GetHwnd());
  ASSERT_EQ(3, pA->GetComboBox()->GetCount());

  // The user picks "Large" in the first bar's combo.
  pA->GetComboBox()->SetCurSel(2);
  barA.SendMessage(WM_COMMAND, MAKEWPARAM(kCombo, CBN_SELENDOK), (LPARAM)pA->GetHwnd());
  EXPECT_EQ(1u, CommandsNow());
  EXPECT_EQ(std::vector<UINT>({kCombo}), frame->commands);
  EXPECT_EQ(2, pA->GetCurSel());
  EXPECT_EQ(CString(L"Large"), pA->GetText());
  EXPECT_EQ(2, pB->GetCurSel());
  EXPECT_EQ(2, pB->GetComboBox()->GetCurSel());
  EXPECT_EQ(CString(L"Large"), pB->GetText());

  // A selection made by the program with notification tells the owner once, too.
  EXPECT_TRUE(pB->SelectItem(0, TRUE));
  EXPECT_EQ(0, pA->GetCurSel());
  EXPECT_FALSE(pB->SelectItem(3, TRUE)) << "no such item";
  EXPECT_FALSE(pB->SelectItem(-1, TRUE));
}

TEST_F(ControlsTest, EditsOfOneCommandOnTwoBarsShareTheTextWithOneNotification) {
  CUfxToolbarEditBoxButton* pA = new CUfxToolbarEditBoxButton(kEdit, -1);
  CUfxToolbarEditBoxButton* pB = new CUfxToolbarEditBoxButton(kEdit, -1);
  barA.InsertButton(pA);
  barB.InsertButton(pB);
  Place(barA, CRect(0, 0, 400, 30));
  Place(barB, CRect(0, 40, 400, 70));
  ASSERT_NE(nullptr, pA->GetHwnd());
  ASSERT_NE(nullptr, pB->GetHwnd());

  // Typing in the first field: the edit tells the bar, the bar the button.
  ::SetWindowTextW(pA->GetHwnd(), L"x + 1");
  EXPECT_EQ(1u, CommandsNow());
  EXPECT_EQ(CString(L"x + 1"), pA->GetContents());
  EXPECT_EQ(CString(L"x + 1"), pB->GetContents());
  CString strB;
  pB->GetEditBox()->GetWindowText(strB);
  EXPECT_EQ(CString(L"x + 1"), strB);
}

TEST_F(ControlsTest, OnAVerticalBarTheControlIsHiddenAndTheButtonIsPlain) {
  CUfxToolbarComboBoxButton* pCombo = NewCombo();
  CUfxToolbarEditBoxButton* pEdit = new CUfxToolbarEditBoxButton(kEdit, -1);
  barA.InsertButton(pCombo);
  barA.InsertButton(pEdit);
  Place(barA, CRect(0, 0, 400, 30));
  EXPECT_TRUE(pCombo->IsWindowVisible());
  EXPECT_TRUE(::IsWindowVisible(pEdit->GetHwnd()));
  EXPECT_EQ(150, pCombo->Rect().Width());

  barA.SetBarStyle((barA.GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_LEFT);
  Place(barA, CRect(0, 0, 40, 300));
  EXPECT_FALSE(pCombo->IsWindowVisible());
  EXPECT_FALSE(::IsWindowVisible(pEdit->GetHwnd()));
  EXPECT_FALSE(pCombo->OnClick(&barA, FALSE)) << "a plain button: the bar handles the mouse";
  EXPECT_TRUE(pEdit->IsBorderDrawn());
  // Sized as a plain button of the bar (no image: the text's extent).
  CUfxToolbarButton plain(kCombo, -1);
  CClientDC dc(&barA);
  EXPECT_EQ(CSize(plain.OnCalculateSize(&dc, barA.GetButtonSize(), FALSE)),
            CSize(pCombo->OnCalculateSize(&dc, barA.GetButtonSize(), FALSE)));
}

TEST_F(ControlsTest, ArchivesComeBackByteForByte) {
  // A combo with items, data and a selection, on a bar and off it; an edit with a text.
  CUfxToolbarComboBoxButton* pOnBar = NewCombo();
  barA.InsertButton(pOnBar);
  Place(barA, CRect(0, 0, 400, 30));
  pOnBar->SelectItem(1, FALSE);
  pOnBar->OnSize(180);
  CUfxToolbarComboBoxButton* pOffBar = NewCombo();
  pOffBar->SelectItem(2, FALSE);
  pOffBar->SetDropDownHeight(222);
  CUfxToolbarEditBoxButton* pEdit = new CUfxToolbarEditBoxButton(kEdit, -1, CUfxToolbarEditBoxButton::kDefaultStyle, 90);
  pEdit->SetContents(L"sin(30)");
  std::unique_ptr<CUfxToolbarButton> owned[] = {std::unique_ptr<CUfxToolbarButton>(pOffBar),
                                                std::unique_ptr<CUfxToolbarButton>(pEdit)};
  for (CUfxToolbarButton* pButton : std::vector<CUfxToolbarButton*>{pOnBar, pOffBar, pEdit}) {
    const std::vector<BYTE> first = Store(*pButton);
    std::unique_ptr<CObject> pCopy(pButton->GetRuntimeClass()->CreateObject());
    ASSERT_TRUE(Load(*pCopy, first));
    EXPECT_EQ(first, Store(*pCopy)) << pButton->GetRuntimeClass()->m_lpszClassName;
  }
  CUfxToolbarComboBoxButton copy;
  ASSERT_TRUE(Load(copy, Store(*pOnBar)));
  EXPECT_EQ(180, copy.GetWidth());
  EXPECT_EQ(1, copy.GetCurSel());
  EXPECT_EQ(3, copy.GetCount());
  EXPECT_EQ(20u, copy.GetItemData(1));
  EXPECT_EQ(CString(L"Medium"), copy.GetText());
}

TEST_F(ControlsTest, AnEditButtonWithoutAWindowStoresTheTextItKeeps) {
  CUfxToolbarEditBoxButton edit(kEdit, -1);
  edit.SetContents(L"2 * pi");
  ASSERT_EQ(nullptr, edit.GetHwnd());
  CUfxToolbarEditBoxButton copy;
  ASSERT_TRUE(Load(copy, Store(edit)));
  EXPECT_EQ(CString(L"2 * pi"), copy.GetContents());
}

TEST_F(ControlsTest, TheDroppedHeightIsReadByTheVersionThatWroteTheState) {
  CUfxToolbarComboBoxButton combo(kCombo, -1);
  combo.AddItem(L"One", 1);
  combo.SetDropDownHeight(321);
  const std::vector<BYTE> current = Store(combo);
  // The same state as a version without the height wrote it: the four bytes are not there.
  std::vector<BYTE> older = current;
  const std::vector<BYTE> height = {0x41, 0x01, 0, 0};
  auto it = std::search(older.begin(), older.end(), height.begin(), height.end());
  ASSERT_NE(older.end(), it);
  older.erase(it, it + 4);

  const struct {
    int major;
    int minor;
    bool withHeight;
  } cases[] = {{4, 71, false}, {4, 72, true}, {5, 0, true}, {-1, 0, true}, {6, 31, true}};
  for (const auto& c : cases) {
    CVersionedWorkspace workspace(c.major, c.minor);
    CUfxToolbarComboBoxButton loaded;
    ASSERT_TRUE(Load(loaded, c.withHeight ? current : older));
    EXPECT_EQ(c.withHeight ? 321 : 150, loaded.GetDropDownHeight()) << c.major << "." << c.minor;
    EXPECT_EQ(1, loaded.GetCount()) << c.major << "." << c.minor;
    EXPECT_EQ(CString(L"One"), loaded.GetItem(0)) << c.major << "." << c.minor;
  }
  // Drag data and store files always carry it, whatever the workspace says.
  CVersionedWorkspace workspace(4, 71);
  CUfxToolbarMenuButton::AlwaysTearOffIdScope scope;
  CUfxToolbarComboBoxButton loaded;
  ASSERT_TRUE(Load(loaded, current));
  EXPECT_EQ(321, loaded.GetDropDownHeight());
}

TEST_F(ControlsTest, TheEditFieldIsHotWithTheFocusAndEscGivesTheFocusBack) {
  CUfxToolbarEditBoxButton* pEdit = new CUfxToolbarEditBoxButton(kEdit, -1);
  barA.InsertButton(pEdit);
  Place(barA, CRect(0, 0, 400, 30));
  frame->SetForegroundWindow();
  ASSERT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == frame->GetSafeHwnd(); }));
  ::SetFocus(pEdit->GetHwnd());
  EXPECT_TRUE(pEdit->IsHot());
  MSG msg = {pEdit->GetHwnd(), WM_KEYDOWN, VK_ESCAPE, 0};
  EXPECT_TRUE(CWnd::FromHandlePermanent(pEdit->GetHwnd())->PreTranslateMessage(&msg));
  EXPECT_EQ(frame->GetSafeHwnd(), ::GetFocus());
  EXPECT_FALSE(pEdit->IsHot());
  // The pointer over the field makes it hot; leaving it (without the focus) cools it.
  pEdit->GetEditBox()->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(pEdit->IsHot());
  pEdit->GetEditBox()->SendMessage(WM_MOUSELEAVE);
  EXPECT_FALSE(pEdit->IsHot());
}

}  // namespace
