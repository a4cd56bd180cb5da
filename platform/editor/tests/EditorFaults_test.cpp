// The editing control when handling a message fails part-way (here: memory runs out): the fault
// stays inside that message, whether it was sent or came through the host's message loop, and
// the control goes on answering. The control's code is linked into this program, so that the
// program's allocator can be made to fail for it.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include "EditorMessages.h"
#include "EditorView.h"
#include "TestPump.h"

namespace {
// Allocations larger than this fail, as they do on a machine out of memory.
std::atomic<size_t> g_failAbove{SIZE_MAX};
}  // namespace

void* operator new(size_t n) {
  if (n > g_failAbove.load()) throw std::bad_alloc();
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

class EditorFaults : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EditorView::RegisterWindowClass(GetModuleHandleW(nullptr)); }

  void SetUp() override {
    editor_ = CreateWindowExW(0, EDITOR_WINDOW_CLASS, L"", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(editor_, nullptr) << "CreateWindowExW failed, error " << GetLastError();
  }
  void TearDown() override {
    g_failAbove = SIZE_MAX;
    DestroyWindow(editor_);
  }

  std::string Text() {
    int n = static_cast<int>(SendMessageW(editor_, SCI_GETLENGTH, 0, 0));
    std::string s(n + 1, '\0');
    SendMessageW(editor_, SCI_GETTEXT, n + 1, reinterpret_cast<LPARAM>(&s[0]));
    s.resize(n);
    return s;
  }

  HWND editor_ = nullptr;
};

TEST_F(EditorFaults, AFailingMessageNeverEscapesAndTheControlGoesOn) {
  const std::string big(4 << 20, 'x');  // more than the allocator gives while it fails
  struct Case {
    const char* how;
    bool posted;
    UINT msg;
  } cases[] = {{"sent SCI_SETTEXT", false, SCI_SETTEXT},
               {"sent SCI_REPLACESEL", false, SCI_REPLACESEL},
               {"posted SCI_SETTEXT", true, SCI_SETTEXT},
               {"posted SCI_ADDTEXT", true, SCI_ADDTEXT}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    SendMessageW(editor_, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("1+1"));
    const WPARAM wp = c.msg == SCI_ADDTEXT ? big.size() : 0;
    g_failAbove = 1 << 20;
    if (c.posted) {
      ASSERT_TRUE(PostMessageW(editor_, c.msg, wp, reinterpret_cast<LPARAM>(big.c_str())));
      EXPECT_NO_THROW(PumpPending());
    } else {
      EXPECT_NO_THROW(SendMessageW(editor_, c.msg, wp, reinterpret_cast<LPARAM>(big.c_str())));
    }
    g_failAbove = SIZE_MAX;
    EXPECT_TRUE(IsWindow(editor_));
    SendMessageW(editor_, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("2*21"));
    EXPECT_EQ("2*21", Text());
    SendMessageW(editor_, SCI_GOTOPOS, 4, 0);
    SendMessageW(editor_, SCI_REPLACESEL, 0, reinterpret_cast<LPARAM>("+0"));
    EXPECT_EQ("2*21+0", Text());
  }
}

}  // namespace
