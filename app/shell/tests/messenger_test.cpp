// The messenger: subscriptions and their cookies, broadcasts in subscription order, sinks that
// fail (dropped and released), and sinks that subscribe or unsubscribe during a broadcast.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MsgManager.h"
#include "ShellTestKit.h"

namespace {

// A counted sink that logs its calls into a shared log; `react` runs inside OnCommand.
class CountedSink : public ICBMessengerEvents {
public:
  CountedSink(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}
  LONG refs = 1;
  HRESULT answer = S_OK;
  std::function<void()> react;
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = this;
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
  STDMETHODIMP_(ULONG) Release() override { return --refs; }
  STDMETHODIMP OnCommand(long command) override {
    m_log.push_back(m_name + ":" + std::to_string(command));
    if (react) react();
    return answer;
  }
  STDMETHODIMP OnMessage(long, long, long) override { return Log("message"); }
  STDMETHODIMP OnCalcCommand(CalcCommand command) override { return Log("calc " + std::to_string(command.CalcCommandIdentifier)); }
  STDMETHODIMP OnCalcAction(CalcAction, VARIANT_BOOL alt, VARIANT_BOOL shift, VARIANT_BOOL ctrl) override {
    return Log("action " + std::to_string(alt) + std::to_string(shift) + std::to_string(ctrl));
  }
  STDMETHODIMP OnKbdModifier(VARIANT_BOOL, VARIANT_BOOL, VARIANT_BOOL) override { return Log("modifier"); }
  STDMETHODIMP OnBeforeUpdate() override { return Log("before"); }
  STDMETHODIMP OnAfterUpdate(PropertyPage page) override { return Log("after " + std::to_string(page)); }

private:
  HRESULT Log(const std::string& what) {
    m_log.push_back(m_name + ":" + what);
    return answer;
  }
  std::string m_name;
  std::vector<std::string>& m_log;
};

class Messenger : public ::testing::Test {
protected:
  GUID Subscribe(CountedSink& sink) {
    GUID cookie = GUID_NULL;
    EXPECT_EQ(S_OK, m_messenger.EventsSubscribe(&sink, &cookie));
    return cookie;
  }
  std::vector<std::string> m_log;
  CountedSink m_a{"a", m_log}, m_b{"b", m_log}, m_c{"c", m_log};
  TestFrame m_frame;
  CMsgManager m_messenger{&m_frame};
};

TEST_F(Messenger, BroadcastsInSubscriptionOrderAndUnsubscribesByCookie) {
  GUID a = Subscribe(m_a);
  GUID b = Subscribe(m_b);
  EXPECT_FALSE(IsEqualGUID(a, b));
  EXPECT_EQ(2, m_a.refs);
  m_messenger.FireOnCommand(7);
  m_messenger.FireOnCalcAction(CalcAction{ApReplace, nullptr}, true, false, true);
  m_messenger.FireOnAfterUpdate(KeyboardPage);
  EXPECT_EQ((std::vector<std::string>{"a:7", "b:7", "a:action -10-1", "b:action -10-1", "a:after 2", "b:after 2"}), m_log);

  EXPECT_EQ(S_OK, m_messenger.EventsUnscribe(a));
  EXPECT_EQ(1, m_a.refs);
  EXPECT_EQ(E_INVALIDARG, m_messenger.EventsUnscribe(a));
  m_log.clear();
  m_messenger.FireOnCommand(8);
  EXPECT_EQ(std::vector<std::string>{"b:8"}, m_log);
}

TEST_F(Messenger, FailingSinkIsDroppedAndReleased) {
  Subscribe(m_a);
  GUID b = Subscribe(m_b);
  Subscribe(m_c);
  m_b.answer = E_FAIL;
  m_messenger.FireOnCommand(1);
  m_b.answer = S_OK;
  m_messenger.FireOnCommand(2);
  EXPECT_EQ((std::vector<std::string>{"a:1", "b:1", "c:1", "a:2", "c:2"}), m_log);
  EXPECT_EQ(1, m_b.refs);
  EXPECT_EQ(E_INVALIDARG, m_messenger.EventsUnscribe(b));
  EXPECT_EQ(2u, m_messenger.GetSubscriberCount());
}

TEST_F(Messenger, SinksMayChangeTheListDuringABroadcast) {
  Subscribe(m_a);
  GUID b = Subscribe(m_b);
  m_a.react = [&] {
    m_messenger.EventsUnscribe(b);  // not called any more in this broadcast
    GUID c;
    m_messenger.EventsSubscribe(&m_c, &c);  // called from the next broadcast on
    m_a.react = nullptr;
  };
  m_messenger.FireOnCommand(1);
  m_messenger.FireOnCommand(2);
  EXPECT_EQ((std::vector<std::string>{"a:1", "a:2", "c:2"}), m_log);
  EXPECT_EQ(1, m_b.refs);
}

TEST_F(Messenger, DestructionReleasesEverySink) {
  {
    CMsgManager messenger(&m_frame);
    GUID cookie;
    messenger.EventsSubscribe(&m_a, &cookie);
    messenger.EventsSubscribe(&m_b, &cookie);
    EXPECT_EQ(&messenger, CMsgManager::GetInstance());
  }
  EXPECT_EQ(1, m_a.refs);
  EXPECT_EQ(1, m_b.refs);
}

TEST_F(Messenger, RunsCommandsOnTheMainWindow) {
  long handle = 0;
  ASSERT_EQ(S_OK, m_messenger.GetMainframeHandle(&handle));
  HWND frame = reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
  EXPECT_EQ(m_frame.GetFrameHwnd(), frame);
  // The frame's window records the commands it gets.
  static std::vector<WPARAM> commands;
  commands.clear();
  WNDPROC own = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(frame, GWLP_WNDPROC));
  static WNDPROC s_own = own;
  s_own = own;
  ::SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                        if (m == WM_COMMAND) commands.push_back(w);
                        return ::CallWindowProcW(s_own, h, m, w, l);
                      }));
  EXPECT_EQ(S_OK, m_messenger.RunCommand(22868));
  ::SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
  EXPECT_EQ(std::vector<WPARAM>{22868}, commands);
}

}  // namespace
