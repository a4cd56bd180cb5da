// OLE drag and drop with a real pointer: xdotool presses, moves and lets go while the program
// runs its drag loop; the drop target between two windows gets the dragged bytes unchanged,
// and Esc, a drop outside or a click that never leaves the start rectangle give no drop.
// The gestures are played by oledrag_driver.sh beside this program: the program leaves xdotool's
// arguments in gestures\<n>.req and the driver removes the file once they have been played.
#include "Framework.h"
#include "TestPump.h"
#include <gtest/gtest.h>
#include <string>
#include <fstream>

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
    ASSERT_TRUE(AfxOleInit());  // once for the program: OLE is not taken down between tests
    LPCWSTR cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    ASSERT_TRUE(source.CreateEx(0, cls, L"DragSource", WS_POPUP | WS_VISIBLE, kSourceX, kTop, kSize, kSize, nullptr, nullptr));
    ASSERT_TRUE(target.CreateEx(0, cls, L"DragTarget", WS_POPUP | WS_VISIBLE, kTargetX, kTop, kSize, kSize, nullptr, nullptr));
    ASSERT_TRUE(drop.Register(&target));
    source.UpdateWindow();
    target.UpdateWindow();
    source.SetForegroundWindow();  // Esc goes to the window with the focus
    PumpPending();
  }
  void TearDown() override {
    drop.Revoke();
    target.DestroyWindow();
    source.DestroyWindow();
  }
  // Has the driver play these xdotool commands; pumps messages (the drag runs in here) until
  // the driver says they have been played. What they do may still be on its way to this program:
  // the caller waits on that.
  bool Gesture(const std::string& commands) {
    static int counter = 0;
    ::CreateDirectoryW(L"gestures", nullptr);
    std::string name = "gestures\\" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
    {
      std::ofstream out(name + ".tmp", std::ios::binary);
      out << commands << "\n";
    }
    if (!::MoveFileA((name + ".tmp").c_str(), (name + ".req").c_str())) return false;
    return PumpUntil([&] { return ::GetFileAttributesA((name + ".req").c_str()) == INVALID_FILE_ATTRIBUTES; }, 20000);
  }
  static std::string At(int x, int y) { return " mousemove " + std::to_string(x) + " " + std::to_string(y); }
  std::string Press() { return "mousemove 10 10 sleep 0.1" + At(kSourceX + 50, kTop + 50) + " sleep 0.2 mousedown 1 sleep 0.2"; }
  std::string MoveToTarget() {
    return At(kSourceX + 60, kTop + 55) + " sleep 0.2" + At(kSourceX + 150, kTop + 60) + " sleep 0.2" +
           At(kTargetX + 80, kTop + 70) + " sleep 0.2" + At(kTargetX + 90, kTop + 75) + " sleep 0.3";
  }
};

TEST_F(DragFixture, RealPointerDragsDropOnlyWhereAndWhenTheyShould) {
  struct Case {
    const char* what;
    std::string gesture;
    bool began;
    DROPEFFECT effect;
    int drops;
  };
  // In this order: Wine's drag loop finds no target any more once a drag over a target was
  // cancelled, so the cancelled drag comes last.
  const Case cases[] = {
      {"a drag from one window to the other", Press() + MoveToTarget() + " mouseup 1", true, DROPEFFECT_COPY, 1},
      {"a click inside the start rectangle", Press() + At(kSourceX + 52, kTop + 51) + " sleep 0.2 mouseup 1", false,
       DROPEFFECT_NONE, 0},
      {"let go outside both windows", Press() + MoveToTarget() + At(900, 700) + " sleep 0.3" + At(905, 705) + " sleep 0.3 mouseup 1",
       true, DROPEFFECT_NONE, 0},
      {"Esc over the target", Press() + MoveToTarget() + " key Escape sleep 0.3 mouseup 1", true, DROPEFFECT_NONE, 0},
  };
  for (const Case& c : cases) {
    source.dragged = false;
    drop.drops = 0;
    drop.received.clear();
    ASSERT_TRUE(Gesture(c.gesture)) << c.what;
    ASSERT_TRUE(PumpUntil([&] { return source.dragged; })) << c.what << ": the drag loop did not end";
    EXPECT_EQ(c.began, source.began != FALSE) << c.what;
    EXPECT_EQ(c.effect, source.effect) << c.what;
    EXPECT_EQ(c.drops, drop.drops) << c.what;
    if (c.drops == 0) continue;
    EXPECT_GE(drop.enters, 1);
    EXPECT_EQ(Payload().size(), (size_t)drop.fileLength) << "the file is the object's block, no more";
    EXPECT_EQ(Payload(), drop.received);
    EXPECT_EQ(CPoint(90, 75), drop.dropPoint) << "in the target's client coordinates";
  }
}

// The reading side without a drag: formats, the global block and the file of a data object.
TEST(OleData, DataObjectReadsWhatTheSourceCached) {
  ASSERT_TRUE(AfxOleInit());
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
}
