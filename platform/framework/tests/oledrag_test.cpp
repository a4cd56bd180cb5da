// OLE drag and drop with a real pointer: xdotool presses, moves and lets go while the program
// runs its drag loop; the drop target between two windows gets the dragged bytes unchanged,
// and Esc, a drop outside or a click that never leaves the start rectangle give no drop.
#include "Framework.h"
#include <gtest/gtest.h>
#include <string>

static const CLIPFORMAT g_cfBytes = (CLIPFORMAT)::RegisterClipboardFormatW(L"FwDragTestBytes");

// The dragged data: every byte value, an odd length, and a zero in the middle.
static std::vector<BYTE> Payload() {
  std::vector<BYTE> bytes;
  for (int i = 0; i < 1001; ++i) bytes.push_back((BYTE)(i * 7 + 3));
  bytes[500] = 0;
  return bytes;
}

// Starts the drag when pressed: the start rectangle is 4 pixels around the press.
class CSourceWnd : public CWnd {
public:
  bool dragged = false;
  DROPEFFECT effect = (DROPEFFECT)-2;
  BOOL began = FALSE;
  afx_msg void OnLButtonDown(UINT, CPoint point) {
    ClientToScreen(&point);
    CRect start(point.x - 4, point.y - 4, point.x + 5, point.y + 5);
    std::vector<BYTE> bytes = Payload();
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(::GlobalLock(h), bytes.data(), bytes.size());
    ::GlobalUnlock(h);
    COleDataSource source;
    source.CacheGlobalData(g_cfBytes, h);
    COleDropSource dropSource;
    SetCapture();
    effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &start, &dropSource);
    began = dropSource.m_bDragStarted;
    dragged = true;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSourceWnd, CWnd)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class CTargetWnd : public CWnd {};

class CBytesTarget : public COleDropTarget {
public:
  int enters = 0, leaves = 0, drops = 0;
  std::vector<BYTE> received;
  ULONGLONG fileLength = 0;
  CPoint dropPoint;
  DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* p, DWORD keys, CPoint pt) override {
    ++enters;
    return OnDragOver(pWnd, p, keys, pt);
  }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject* p, DWORD, CPoint) override {
    return p->IsDataAvailable(g_cfBytes) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  }
  void OnDragLeave(CWnd*) override { ++leaves; }
  BOOL OnDrop(CWnd*, COleDataObject* p, DROPEFFECT, CPoint pt) override {
    ++drops;
    dropPoint = pt;
    CFile* file = p->GetFileData(g_cfBytes);
    if (file == nullptr) return FALSE;
    fileLength = file->GetLength();
    received.resize((size_t)fileLength + 16);
    UINT got = file->Read(received.data(), (UINT)received.size());
    received.resize(got);
    delete file;
    return TRUE;
  }
};

struct DragFixture : ::testing::Test {
  CSourceWnd source;
  CTargetWnd target;
  CBytesTarget drop;
  static constexpr int kSourceX = 40, kTargetX = 420, kTop = 60, kSize = 200;
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    LPCWSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    ASSERT_TRUE(source.CreateEx(0, cls, L"DragSource", WS_POPUP | WS_VISIBLE, kSourceX, kTop, kSize, kSize, nullptr, nullptr));
    ASSERT_TRUE(target.CreateEx(0, cls, L"DragTarget", WS_POPUP | WS_VISIBLE, kTargetX, kTop, kSize, kSize, nullptr, nullptr));
    ASSERT_TRUE(drop.Register(&target));
    source.UpdateWindow();
    target.UpdateWindow();
    Pump(200);
  }
  void TearDown() override {
    drop.Revoke();
    target.DestroyWindow();
    source.DestroyWindow();
    ::OleUninitialize();
  }
  static void Pump(DWORD ms) {
    DWORD end = ::GetTickCount() + ms;
    while ((LONG)(end - ::GetTickCount()) > 0) {
      MSG msg;
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
      ::Sleep(10);
    }
  }
  // Runs xdotool with these commands (Wine starts Unix programs but cannot wait for them) and
  // then a move near the corner, which tells that the whole gesture has been played.
  bool Xdotool(const std::string& commands) {
    std::string line = "/usr/bin/xdotool " + commands + " sleep 0.2 mousemove 3 4";
    std::wstring wide(line.begin(), line.end());
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, &wide[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return true;
  }
  // Pumps until the drag has ended and the pointer has reached the corner.
  bool WaitForGesture() {
    DWORD end = ::GetTickCount() + 15000;
    while ((LONG)(end - ::GetTickCount()) > 0) {
      Pump(50);
      POINT pt;
      ::GetCursorPos(&pt);
      if (pt.x == 3 && pt.y == 4) {
        Pump(100);
        return true;
      }
    }
    return false;
  }
  static std::string At(int x, int y) { return " mousemove " + std::to_string(x) + " " + std::to_string(y); }
  std::string Press() { return "mousemove 10 10 sleep 0.1" + At(kSourceX + 50, kTop + 50) + " sleep 0.2 mousedown 1 sleep 0.2"; }
  std::string MoveToTarget() {
    return At(kSourceX + 60, kTop + 55) + " sleep 0.2" + At(kSourceX + 150, kTop + 60) + " sleep 0.2" +
           At(kTargetX + 80, kTop + 70) + " sleep 0.2" + At(kTargetX + 90, kTop + 75) + " sleep 0.3";
  }
};

TEST_F(DragFixture, ADragBetweenTwoWindowsDeliversTheBytesUnchanged) {
  ASSERT_TRUE(Xdotool(Press() + MoveToTarget() + " mouseup 1"));
  ASSERT_TRUE(WaitForGesture());
  ASSERT_TRUE(source.dragged);
  EXPECT_TRUE(source.began);
  EXPECT_EQ(DROPEFFECT_COPY, source.effect);
  EXPECT_EQ(1, drop.drops);
  EXPECT_GE(drop.enters, 1);
  EXPECT_EQ(Payload().size(), (size_t)drop.fileLength) << "the file is the object's block, no more";
  EXPECT_EQ(Payload(), drop.received);
  EXPECT_EQ(CPoint(90, 75), drop.dropPoint) << "in the target's client coordinates";
}

TEST_F(DragFixture, EscapeOrADropOutsideGivesNoDrop) {
  struct Case {
    const char* what;
    std::string end;
  };
  const Case cases[] = {
      {"Esc over the target", " key Escape sleep 0.3 mouseup 1"},
      {"let go outside both windows", At(900, 700) + " sleep 0.3" + At(905, 705) + " sleep 0.3 mouseup 1"},
  };
  for (const Case& c : cases) {
    source.dragged = false;
    drop.drops = 0;
    // Keys go to the window that has the X focus.
    std::string focus = "search --name DragSource windowfocus ";
    ASSERT_TRUE(Xdotool(focus + Press() + MoveToTarget() + c.end)) << c.what;
    ASSERT_TRUE(WaitForGesture()) << c.what;
    ASSERT_TRUE(source.dragged) << c.what;
    EXPECT_TRUE(source.began) << c.what;
    EXPECT_EQ(DROPEFFECT_NONE, source.effect) << c.what;
    EXPECT_EQ(0, drop.drops) << c.what;
  }
}

TEST_F(DragFixture, AClickInsideTheStartRectangleStartsNoDrag) {
  ASSERT_TRUE(Xdotool(Press() + At(kSourceX + 52, kTop + 51) + " sleep 0.2 mouseup 1"));
  ASSERT_TRUE(WaitForGesture());
  ASSERT_TRUE(source.dragged);
  EXPECT_FALSE(source.began);
  EXPECT_EQ(DROPEFFECT_NONE, source.effect);
  EXPECT_EQ(0, drop.enters);
}

// The reading side without a drag: formats, the global block and the file of a data object.
TEST(OleData, DataObjectReadsWhatTheSourceCached) {
  ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
  {
    COleDataSource source;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, 3);
    memcpy(::GlobalLock(h), "abc", 3);
    ::GlobalUnlock(h);
    source.CacheGlobalData(g_cfBytes, h);
    COleDataObject data;
    data.Attach(source.GetInterface(), FALSE);
    EXPECT_TRUE(data.IsDataAvailable(g_cfBytes));
    EXPECT_FALSE(data.IsDataAvailable(CF_TEXT));
    EXPECT_EQ(nullptr, data.GetFileData(CF_TEXT));
    HGLOBAL copy = data.GetGlobalData(g_cfBytes);
    ASSERT_NE(nullptr, copy);
    EXPECT_NE(h, copy) << "the source keeps its own block";
    EXPECT_EQ(0, memcmp(::GlobalLock(copy), "abc", 3));
    ::GlobalUnlock(copy);
    ::GlobalFree(copy);
    data.BeginEnumFormats();
    FORMATETC f = {};
    ASSERT_TRUE(data.GetNextFormat(&f));
    EXPECT_EQ(g_cfBytes, f.cfFormat);
    EXPECT_FALSE(data.GetNextFormat(&f));
  }
  ::OleUninitialize();
}
