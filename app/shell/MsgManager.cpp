#include "MsgManager.h"

#include "ComValues.h"
#include "KeyboardHook.h"
#include "ShellFrame.h"

namespace {
CMsgManager* g_messenger = nullptr;
}  // namespace

CMsgManager::CMsgManager(IShellFrame* frame) : m_frame(frame) { g_messenger = this; }

CMsgManager* CMsgManager::GetInstance() { return g_messenger; }

CMsgManager::~CMsgManager() {
  if (g_messenger == this) g_messenger = nullptr;
  std::vector<Subscriber> subscribers;
  subscribers.swap(m_subscribers);
  for (const Subscriber& s : subscribers) {
    try {
      s.sink->Release();
    } catch (...) {
    }
  }
}

STDMETHODIMP CMsgManager::RunCommand(long Code) {
  HWND frame = m_frame->GetFrameHwnd();
  if (frame != nullptr) ::SendMessageW(frame, WM_COMMAND, static_cast<WPARAM>(Code), 0);
  return S_OK;
}

STDMETHODIMP CMsgManager::EventsSubscribe(ICBMessengerEvents* Sink, GUID* Cookie) {
  if (Sink == nullptr || Cookie == nullptr) return E_POINTER;
  GUID cookie;
  if (FAILED(::CoCreateGuid(&cookie))) return E_UNEXPECTED;
  try {
    m_subscribers.push_back({Sink, cookie});
  } catch (...) {
    return E_FAIL;
  }
  Sink->AddRef();
  *Cookie = cookie;
  return S_OK;
}

bool CMsgManager::Drop(const GUID& cookie) {
  for (auto it = m_subscribers.begin(); it != m_subscribers.end(); ++it) {
    if (IsEqualGUID(it->cookie, cookie)) {
      ICBMessengerEvents* sink = it->sink;
      m_subscribers.erase(it);
      sink->Release();
      return true;
    }
  }
  return false;
}

STDMETHODIMP CMsgManager::EventsUnscribe(GUID Cookie) { return Drop(Cookie) ? S_OK : E_INVALIDARG; }

STDMETHODIMP CMsgManager::get_HookIsRunning(VARIANT_BOOL* Value) {
  if (Value == nullptr) return E_POINTER;
  *Value = AsVariantBool(IsKeyboardHookInstalled());
  return S_OK;
}

STDMETHODIMP CMsgManager::put_HookIsRunning(VARIANT_BOOL Value) {
  if (Value != 0)
    InstallKeyboardHook();
  else
    RemoveKeyboardHook();
  return S_OK;
}

STDMETHODIMP CMsgManager::GetMainframeHandle(long* Handle) {
  if (Handle == nullptr) return E_POINTER;
  // Window handles fit in 32 bits; the receiver sign-extends them back.
  *Handle = static_cast<long>(reinterpret_cast<LONG_PTR>(m_frame->GetFrameHwnd()));
  return S_OK;
}

template <class Call>
void CMsgManager::Broadcast(Call call) {
  std::vector<Subscriber> snapshot = m_subscribers;
  for (const Subscriber& s : snapshot) s.sink->AddRef();
  for (const Subscriber& s : snapshot) {
    bool subscribed = false;
    for (const Subscriber& now : m_subscribers) subscribed = subscribed || IsEqualGUID(now.cookie, s.cookie);
    if (!subscribed) continue;
    HRESULT hr;
    try {
      hr = call(s.sink);
    } catch (...) {
      hr = E_FAIL;
    }
    if (FAILED(hr)) Drop(s.cookie);
  }
  for (const Subscriber& s : snapshot) s.sink->Release();
}

void CMsgManager::FireOnCommand(long command) {
  Broadcast([&](ICBMessengerEvents* sink) { return sink->OnCommand(command); });
}

void CMsgManager::FireOnMessage(long message, long wParam, long lParam) {
  Broadcast([&](ICBMessengerEvents* sink) { return sink->OnMessage(message, wParam, lParam); });
}

void CMsgManager::FireOnCalcCommand(const CalcCommand& command) {
  Broadcast([&](ICBMessengerEvents* sink) { return sink->OnCalcCommand(command); });
}

void CMsgManager::FireOnCalcAction(const CalcAction& action, bool alt, bool shift, bool ctrl) {
  Broadcast([&](ICBMessengerEvents* sink) {
    return sink->OnCalcAction(action, AsVariantBool(alt), AsVariantBool(shift), AsVariantBool(ctrl));
  });
}

void CMsgManager::FireOnKbdModifier(bool alt, bool shift, bool ctrl) {
  Broadcast([&](ICBMessengerEvents* sink) {
    return sink->OnKbdModifier(AsVariantBool(alt), AsVariantBool(shift), AsVariantBool(ctrl));
  });
}

void CMsgManager::FireOnBeforeUpdate() {
  Broadcast([&](ICBMessengerEvents* sink) { return sink->OnBeforeUpdate(); });
}

void CMsgManager::FireOnAfterUpdate(PropertyPage page) {
  Broadcast([&](ICBMessengerEvents* sink) { return sink->OnAfterUpdate(page); });
}
