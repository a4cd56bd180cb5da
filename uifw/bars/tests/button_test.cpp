// The toolbar button: images through the command manager, sizes, labels, drawing through the
// visual manager, the archive's exact bytes and the OLE transfer.
#include "bars/UfxToolbarButton.h"
#include "frames/UfxCommandManager.h"
#include "frames/UfxGlobalData.h"
#include "bars/UfxToolBar.h"
#include "bars/UfxUserTool.h"
#include "looks/UfxVisualManager.h"
#include "TestCanvas.h"
#include "DamagedDataKit.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records what the buttons ask of the look.
class CRecordingLook : public CUfxVisualManager {
public:
  struct Call {
    std::string what;
    int state;
    CRect rect;
  };
  void OnFillButtonInterior(CDC*, CUfxToolbarButton*, CRect rect, UFX_BUTTON_STATE state) override {
    calls.push_back({"fill", state, rect});
  }
  void OnDrawButtonBorder(CDC*, CUfxToolbarButton*, CRect rect, UFX_BUTTON_STATE state) override {
    calls.push_back({"border", state, rect});
  }
  COLORREF GetToolbarButtonTextColor(CUfxToolbarButton*, UFX_BUTTON_STATE state) override {
    calls.push_back({"text", state, CRect()});
    return kTextColors[state];
  }
  CSize GetButtonExtraBorder() const override { return extra; }
  std::string Trace() const {
    std::string s;
    for (const Call& c : calls) s += c.what + std::to_string(c.state) + " ";
    return s;
  }
  static constexpr COLORREF kTextColors[3] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};
  std::vector<Call> calls;
  CSize extra{0, 0};
};

class ButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    CUfxVisualManager::SetDefaultManager(nullptr);
    CUfxVisualManager::DeleteAutoCreatedInstance();
    look = new CRecordingLook;
    UfxGetCommandManager()->CleanUp();
    CUfxToolBar::SetCustomizeMode(FALSE);
  }
  void TearDown() override {
    delete look;
    UfxGetCommandManager()->CleanUp();
  }
  CRecordingLook* look = nullptr;
};

std::vector<BYTE> StoreList(CObList& list) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    list.Serialize(ar);
  }
  std::vector<BYTE> bytes((size_t)file.GetLength());
  file.SeekToBegin();
  file.Read(bytes.data(), (UINT)bytes.size());
  return bytes;
}

std::vector<BYTE> Bytes(std::initializer_list<int> values) { return std::vector<BYTE>(values.begin(), values.end()); }

void AppendUtf8(std::vector<BYTE>& v, const char* s) {
  while (*s) v.push_back((BYTE)*s++);
}

TEST_F(ButtonTest, AListOfTwoButtonsIsArchivedByteForByte) {
  CObList list;
  list.AddTail(new CUfxToolbarButton(0xE100, 0));
  list.AddTail(new CUfxToolbarButton(0xE101, 1));
  std::vector<BYTE> expected = Bytes({0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x11, 0x00});
  AppendUtf8(expected, "CUfxToolbarButton");
  const std::vector<BYTE> first = Bytes({0x00, 0xE1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0x00,
                                         0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0});
  const std::vector<BYTE> second = Bytes({0x01, 0x80, 0x01, 0xE1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0xFF, 0xFE, 0xFF,
                                          0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0});
  expected.insert(expected.end(), first.begin(), first.end());
  expected.insert(expected.end(), second.begin(), second.end());
  EXPECT_EQ(expected, StoreList(list));

  // Read back by runtime class, the images again registered.
  const std::vector<BYTE> bytes = StoreList(list);
  while (!list.IsEmpty()) delete list.RemoveHead();
  UfxGetCommandManager()->CleanUp();
  CMemFile file(const_cast<BYTE*>(bytes.data()), (UINT)bytes.size());
  {
    CArchive ar(&file, CArchive::load);
    list.Serialize(ar);
  }
  ASSERT_EQ(2, list.GetCount());
  auto* pSecond = DYNAMIC_DOWNCAST(CUfxToolbarButton, list.GetTail());
  ASSERT_NE(nullptr, pSecond);
  EXPECT_EQ(0xE101u, pSecond->m_nID);
  EXPECT_EQ(1, pSecond->GetImage());
  EXPECT_TRUE(pSecond->m_bImage);
  EXPECT_EQ(1, UfxGetCommandManager()->GetCmdImage(0xE101, FALSE));
  while (!list.IsEmpty()) delete list.RemoveHead();
}

TEST_F(ButtonTest, ImagesComeFromAndGoToTheCommandManager) {
  CUfxCommandManager& cm = *UfxGetCommandManager();
  CUfxToolbarButton given(100, 4);
  EXPECT_EQ(4, cm.GetCmdImage(100, FALSE));

  CUfxToolbarButton looked(100, -1, L"Open");
  EXPECT_EQ(4, looked.GetImage());
  EXPECT_FALSE(looked.m_bUserButton);

  // Without a standard image the command can only have a user image; -1 never turns it off.
  cm.SetCmdImage(200, 2, TRUE);
  CUfxToolbarButton user(200, -1);
  EXPECT_TRUE(user.m_bUserButton);
  EXPECT_EQ(2, user.GetImage());
  user.SetImage(-1);
  EXPECT_TRUE(user.m_bUserButton);

  CUfxToolbarButton locked(300, 5, nullptr, FALSE, TRUE);
  EXPECT_EQ(-1, cm.GetCmdImage(300, FALSE));

  // While the workspace loads, standard images are not registered; user images still are.
  CUfxToolbarButton loading, loadingUser;
  loading.m_nID = 400;
  loadingUser.m_nID = 500;
  loadingUser.m_bUserButton = TRUE;
  UfxImageRegistrationFlag = FALSE;
  loading.SetImage(6);
  loadingUser.SetImage(7);
  UfxImageRegistrationFlag = TRUE;
  EXPECT_EQ(-1, cm.GetCmdImage(400, FALSE));
  EXPECT_EQ(7, cm.GetCmdImage(500, TRUE));
}

TEST_F(ButtonTest, ANegativeImageShowsTheText) {
  CUfxToolbarButton button(600, 3);
  EXPECT_TRUE(button.m_bImage);
  EXPECT_FALSE(button.m_bText);
  CUfxToolbarButton noCommand;
  noCommand.m_bText = FALSE;
  noCommand.SetImage(-1);
  EXPECT_FALSE(noCommand.m_bImage);
  EXPECT_TRUE(noCommand.m_bText);

  // A separator keeps its width in the image field and stays as it is.
  CUfxToolbarButton separator;
  separator.m_nStyle = TBBS_SEPARATOR;
  separator.SetImage(-1);
  EXPECT_TRUE(separator.m_bImage);
  separator.SetImage(12);
  EXPECT_EQ(12, separator.m_iImage);
}

TEST_F(ButtonTest, CopyFromTakesAllButTheStoredFlag) {
  CUfxToolbarButton src(700, 2, L"&Save");
  src.m_nStyle = TBBS_CHECKED;
  src.m_bText = TRUE;
  src.m_bStored = TRUE;
  src.m_bDragFromCollection = TRUE;
  src.m_strTextCustom = L"custom";
  CUfxToolbarButton copy;
  copy.m_bStored = TRUE;
  copy.CopyFrom(src);
  EXPECT_EQ(700u, copy.m_nID);
  EXPECT_EQ((UINT)TBBS_CHECKED, copy.m_nStyle);
  EXPECT_EQ(2, copy.GetImage());
  EXPECT_EQ(CString(L"&Save"), copy.m_strText);
  EXPECT_TRUE(copy.m_bText);
  EXPECT_TRUE(copy.m_bDragFromCollection);
  EXPECT_EQ(CString(L"custom"), copy.m_strTextCustom);
  EXPECT_FALSE(copy.m_bStored);
}

TEST_F(ButtonTest, MnemonicMarkersAreStripped) {
  const struct {
    const wchar_t* text;
    const wchar_t* label;
  } cases[] = {{L"&File", L"File"}, {L"Save && Exit", L"Save & Exit"}, {L"&&&Print", L"&Print"},
               {L"End&", L"End"}, {L"Plain", L"Plain"}, {L"", L""}};
  for (const auto& c : cases)
    EXPECT_STREQ(c.label, (LPCWSTR)CUfxToolbarButton::StripMnemonics(c.text)) << (const wchar_t*)c.text;
}

TEST_F(ButtonTest, SizesOfSeparatorsImagesAndLabels) {
  CTestCanvas canvas(10, 10);
  CDC& dc = canvas.dc();
  const CSize sizeDefault(23, 22);

  CUfxToolbarButton separator;
  separator.m_nStyle = TBBS_SEPARATOR;
  separator.m_iImage = 0;
  EXPECT_EQ(CSize(8, 22), CSize(separator.OnCalculateSize(&dc, sizeDefault, TRUE)));
  EXPECT_EQ(CSize(23, 8), CSize(separator.OnCalculateSize(&dc, sizeDefault, FALSE)));
  separator.m_iImage = 14;
  EXPECT_EQ(CSize(14, 22), CSize(separator.OnCalculateSize(&dc, sizeDefault, TRUE)));

  CUfxToolbarButton image(800, 0);
  EXPECT_EQ(sizeDefault, CSize(image.OnCalculateSize(&dc, sizeDefault, TRUE)));

  // A label adds its width without the mnemonic marker, plus 9.
  CUfxToolbarButton labelled(801, 0, L"&Go");
  labelled.m_bText = TRUE;
  SIZE sizeText = {};
  ::GetTextExtentPoint32W(dc.GetSafeHdc(), L"Go", 2, &sizeText);
  EXPECT_EQ(CSize(23 + sizeText.cx + 9, 22), CSize(labelled.OnCalculateSize(&dc, sizeDefault, TRUE)));
  EXPECT_EQ(CSize(23, 22 + sizeText.cx + 9), CSize(labelled.OnCalculateSize(&dc, sizeDefault, FALSE)));

  // Without an image a button on a toolbar is as wide as the look's extra border.
  look->extra = CSize(4, 6);
  CUfxToolbarButton textOnly(802, -1, L"Go");
  textOnly.m_bOnToolbar = TRUE;
  EXPECT_EQ(CSize(4 + sizeText.cx + 9, 22), CSize(textOnly.OnCalculateSize(&dc, sizeDefault, TRUE)));
  EXPECT_EQ(CSize(23, 6 + sizeText.cx + 9), CSize(textOnly.OnCalculateSize(&dc, sizeDefault, FALSE)));
}

TEST_F(ButtonTest, StatesHandedToTheLook) {
  const struct {
    UINT style;
    BOOL highlight;
    BOOL customize;
    BOOL drawBorder;
    const char* trace;
  } cases[] = {
      {0, FALSE, FALSE, TRUE, "fill0 "},
      {0, TRUE, FALSE, TRUE, "fill2 border2 "},
      {TBBS_PRESSED, FALSE, FALSE, TRUE, "fill1 border1 "},
      {TBBS_CHECKED, TRUE, FALSE, TRUE, "fill2 border1 "},
      {TBBS_DISABLED, TRUE, FALSE, TRUE, "fill2 "},
      {TBBS_INDETERMINATE, TRUE, FALSE, TRUE, "fill2 "},
      {0, TRUE, TRUE, TRUE, "fill2 "},
      {0, TRUE, FALSE, FALSE, "fill2 "},
  };
  CTestCanvas canvas(40, 40);
  for (const auto& c : cases) {
    CUfxToolbarButton button(900, 0);
    button.m_nStyle = c.style;
    look->calls.clear();
    button.OnDraw(&canvas.dc(), CRect(2, 2, 25, 24), nullptr, TRUE, c.customize, c.highlight, c.drawBorder);
    EXPECT_EQ(std::string(c.trace), look->Trace()) << std::hex << c.style << " hot " << c.highlight;
  }

  // The interior is left alone while the flag is set.
  CUfxToolbarButton quiet(901, 0);
  quiet.m_bDisableFill = TRUE;
  look->calls.clear();
  quiet.OnDraw(&canvas.dc(), CRect(2, 2, 25, 24), nullptr, TRUE, FALSE, FALSE);
  EXPECT_EQ("", look->Trace());
}

TEST_F(ButtonTest, LabelsAreDrawnInTheLooksColourWithoutTheMarker) {
  const struct {
    UINT style;
    BOOL highlight;
    int state;
  } cases[] = {{0, TRUE, 2}, {TBBS_CHECKED, FALSE, 1}, {TBBS_DISABLED, FALSE, 0}};
  for (const auto& c : cases) {
    CTestCanvas canvas(120, 30, RGB(255, 255, 255));
    CDC& dc = canvas.dc();
    ::SetBkMode(dc.GetSafeHdc(), TRANSPARENT);
    CUfxToolbarButton button(1000, -1, L"&&W&W");
    button.m_bText = TRUE;
    button.m_nStyle = c.style;
    look->calls.clear();
    button.OnDraw(&dc, CRect(0, 0, 120, 30), nullptr, TRUE, FALSE, c.highlight);
    EXPECT_NE(std::string::npos, look->Trace().find("text" + std::to_string(c.state))) << look->Trace();
    // Edges may be smoothed; the strokes themselves are in the state's colour only.
    int inked = 0, otherState = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 120; ++x) {
        const COLORREF color = canvas.At(x, y);
        for (int s = 0; s < 3; ++s)
          if (color == CRecordingLook::kTextColors[s]) (s == c.state ? inked : otherState)++;
      }
    EXPECT_GT(inked, 0) << c.state;
    EXPECT_EQ(0, otherState) << c.state;
  }
}

TEST_F(ButtonTest, TheClipboardFormatCarriesTheWholeInstanceHandle) {
  const CLIPFORMAT cf = CUfxToolbarButton::GetClipboardFormat();
  ASSERT_NE(0, cf);
  EXPECT_EQ(cf, CUfxToolbarButton::GetClipboardFormat());
  wchar_t name[128] = {};
  ASSERT_GT(::GetClipboardFormatNameW(cf, name, 128), 0);
  wchar_t expected[128];
  _snwprintf(expected, 128, L"UfxToolbarButton%llx", (unsigned long long)(ULONG_PTR)AfxGetInstanceHandle());
  EXPECT_STREQ(expected, name);
}

class OleButtonTest : public ButtonTest {
protected:
  void SetUp() override {
    ButtonTest::SetUp();
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
  }
  void TearDown() override {
    ::OleUninitialize();
    ButtonTest::TearDown();
  }
};

TEST_F(OleButtonTest, AButtonTravelsAsOleDataAndOnlyButtonsComeBack) {
  CUfxToolbarButton button(0xE103, 5, L"&Print");
  button.m_bText = TRUE;
  button.m_nStyle = TBBS_CHECKBOX;
  {
    COleDataSource source;
    ASSERT_TRUE(button.PrepareDrag(source));
    COleDataObject data;
    data.Attach(source.GetInterface(), FALSE);
    CUfxToolbarButton* pCopy = CUfxToolbarButton::CreateFromOleData(&data);
    ASSERT_NE(nullptr, pCopy);
    EXPECT_EQ(RUNTIME_CLASS(CUfxToolbarButton), pCopy->GetRuntimeClass());
    EXPECT_EQ(0xE103u, pCopy->m_nID);
    EXPECT_EQ((UINT)TBBS_CHECKBOX, pCopy->m_nStyle);
    EXPECT_EQ(5, pCopy->GetImage());
    EXPECT_EQ(CString(L"&Print"), pCopy->m_strText);
    EXPECT_TRUE(pCopy->m_bText);
    delete pCopy;
  }

  // Data of another class under the button format is damaged data.
  {
    CSharedFile file(GMEM_MOVEABLE | GMEM_SHARE, 4096);
    {
      CArchive ar(&file, CArchive::store);
      CUfxUserTool tool;
      ar.WriteClass(RUNTIME_CLASS(CUfxUserTool));
      tool.Serialize(ar);
    }
    COleDataSource source;
    source.CacheGlobalData(CUfxToolbarButton::GetClipboardFormat(), file.Detach());
    COleDataObject data;
    data.Attach(source.GetInterface(), FALSE);
    EXPECT_EQ(nullptr, CUfxToolbarButton::CreateFromOleData(&data));
  }

  // A class nobody knows, and data without the format.
  {
    CSharedFile file(GMEM_MOVEABLE | GMEM_SHARE, 4096);
    const BYTE unknown[] = {0xFF, 0xFF, 0x01, 0x00, 0x0C, 0x00, 'C', 'N', 'o', 'S', 'u', 'c', 'h', 'C', 'l', 'a', 's', 's'};
    file.Write(unknown, sizeof(unknown));
    COleDataSource source;
    source.CacheGlobalData(CUfxToolbarButton::GetClipboardFormat(), file.Detach());
    COleDataObject data;
    data.Attach(source.GetInterface(), FALSE);
    EXPECT_EQ(nullptr, CUfxToolbarButton::CreateFromOleData(&data));
    COleDataSource empty;
    COleDataObject none;
    none.Attach(empty.GetInterface(), FALSE);
    EXPECT_EQ(nullptr, CUfxToolbarButton::CreateFromOleData(&none));
  }
}

// Drag data comes from any program: whatever is wrong with it, no button comes out and nothing
// read stays behind.
TEST_F(OleButtonTest, DamagedDragDataMakesNoButton) {
  using namespace damaged_data;
  auto failing = [](UINT uiFailure) {
    return ArchiveBytes([=](CArchive& ar) {
      CThrowingButton button(uiFailure);
      ar.WriteClass(RUNTIME_CLASS(CThrowingButton));
      button.Serialize(ar);
    });
  };
  // Global memory comes in rounded sizes, so data cut short reads on into zeros; a length that
  // claims more than the whole block is caught.
  const std::vector<BYTE> longText = ArchiveBytes([](CArchive& ar) {
    ar.WriteClass(RUNTIME_CLASS(CUfxToolbarButton));
    ar << (DWORD)0xE103 << (DWORD)0 << (DWORD)5;
    ar << (BYTE)0xFF << (WORD)0xFFFE << (BYTE)0xFF << (WORD)0xFFFF << (DWORD)0x10000000;
  });
  const struct {
    const char* name;
    std::vector<BYTE> bytes;
  } cases[] = {{"a text longer than the data", longText},
               {"one menu item twice", DragDataOfOneMenuItemTwice()},
               {"out of memory while reading", failing(CThrowingButton::kOutOfMemory)},
               {"another C++ exception while reading", failing(CThrowingButton::kOtherFailure)}};
  for (const auto& c : cases) {
    CSharedFile file(GMEM_MOVEABLE | GMEM_SHARE, 4096);
    file.Write(c.bytes.data(), (UINT)c.bytes.size());
    COleDataSource source;
    source.CacheGlobalData(CUfxToolbarButton::GetClipboardFormat(), file.Detach());
    COleDataObject data;
    data.Attach(source.GetInterface(), FALSE);
    EXPECT_EQ(nullptr, CUfxToolbarButton::CreateFromOleData(&data)) << c.name;
    EXPECT_EQ(0, CCountedButton::s_nLive) << c.name;
  }
}

// A button that may not be stored offers nothing and still succeeds.
class CUnstorableButton : public CUfxToolbarButton {
public:
  BOOL CanBeStored() const override { return FALSE; }
};

TEST_F(OleButtonTest, AnUnstorableButtonOffersNothing) {
  CUnstorableButton button;
  COleDataSource source;
  EXPECT_TRUE(button.PrepareDrag(source));
  COleDataObject data;
  data.Attach(source.GetInterface(), FALSE);
  EXPECT_FALSE(data.IsDataAvailable(CUfxToolbarButton::GetClipboardFormat()));
}

TEST_F(ButtonTest, EditableUnlessReservedOrForbidden) {
  CList<UINT, UINT> forbidden;
  forbidden.AddTail(1234);
  CUfxToolBar::SetNonPermittedCommands(forbidden);
  const struct {
    UINT cmd;
    BOOL editable;
  } cases[] = {{100, TRUE}, {1234, FALSE}, {0xE110, FALSE}, {0xE215, FALSE}, {0xF060, FALSE}, {0xFF00, FALSE},
               {0xE100, TRUE}};
  for (const auto& c : cases) {
    CUfxToolbarButton button(c.cmd, 0, nullptr, FALSE, TRUE);
    EXPECT_EQ(c.editable, button.IsEditable()) << std::hex << c.cmd;
  }
  CUfxToolBar::SetNonPermittedCommands(CList<UINT, UINT>());
}

}  // namespace
