// CMsgManager (IKivMessenger): the program's event hub. Components subscribe an
// ICBMessengerEvents sink and get a cookie; the main frame, the keyboard hook, the settings
// sheet and the panels broadcast to every sink in subscription order. A sink whose call fails
// is dropped for good (and released). A broadcast walks a snapshot of the list, so a sink may
// subscribe or unsubscribe while it is being called.
//
// The messenger also switches the global keyboard hook and hands out the main window.
#pragma once

#include <vector>

#include "EmbeddedObject.h"
#include "NumbrookLib.h"

class IShellFrame;

class CMsgManager : public CEmbeddedObject<IKivMessenger> {
public:
  explicit CMsgManager(IShellFrame* frame);
  ~CMsgManager();
  CMsgManager(const CMsgManager&) = delete;
  CMsgManager& operator=(const CMsgManager&) = delete;

  STDMETHODIMP RunCommand(long Code) override;
  STDMETHODIMP EventsSubscribe(ICBMessengerEvents* Sink, GUID* Cookie) override;
  STDMETHODIMP EventsUnscribe(GUID Cookie) override;
  STDMETHODIMP get_HookIsRunning(VARIANT_BOOL* Value) override;
  STDMETHODIMP put_HookIsRunning(VARIANT_BOOL Value) override;
  STDMETHODIMP GetMainframeHandle(long* Handle) override;

  // Broadcasts. The modifier flags are true while that key is held.
  void FireOnCommand(long command);
  void FireOnMessage(long message, long wParam, long lParam);
  void FireOnCalcCommand(const CalcCommand& command);
  void FireOnCalcAction(const CalcAction& action, bool alt, bool shift, bool ctrl);
  void FireOnKbdModifier(bool alt, bool shift, bool ctrl);
  void FireOnBeforeUpdate();
  void FireOnAfterUpdate(PropertyPage page);

  size_t GetSubscriberCount() const { return m_subscribers.size(); }

  // The messenger of the process (the one made last and still alive), or null.
  static CMsgManager* GetInstance();

private:
  struct Subscriber {
    ICBMessengerEvents* sink;
    GUID cookie;
  };
  template <class Call>
  void Broadcast(Call call);
  // Takes the subscriber with that cookie out of the list and releases it; false when none.
  bool Drop(const GUID& cookie);

  IShellFrame* m_frame;
  std::vector<Subscriber> m_subscribers;
};
