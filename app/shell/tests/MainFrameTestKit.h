// What the test programs of the main frame share: the worksheet document kept in a temporary
// folder, the suite set-up that loads the program's libraries and makes the frame's document
// template, a message pump, and a messenger subscriber that records the commands the frame got.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "LeftView.h"
#include "MainFrame.h"
#include "NumbrookDoc.h"
#include "FrameworkPump.h"

namespace {

CString g_appData;

// The worksheet document, auto-saved into the test's own folder.
class CFrameTestDoc : public CNumbrookDoc {
  DECLARE_DYNCREATE(CFrameTestDoc)
protected:
  CString GetAppDataFolder() override { return g_appData; }
};
IMPLEMENT_DYNCREATE(CFrameTestDoc, CNumbrookDoc)

// Loads the resource and editor libraries, makes the worksheet folder and gives the application
// the main frame's document template.
inline void SetUpFrameSuite(CWinApp& app) {
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HMODULE resx = ::LoadLibraryW(L"BrookResx.dll");
  ASSERT_NE(nullptr, resx);
  AfxSetResourceHandle(resx);
  ASSERT_NE(nullptr, ::LoadLibraryW(L"BrookEdit.dll"));
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  g_appData.Format(L"%snbframe%lu", temp, ::GetCurrentProcessId());
  ::CreateDirectoryW(g_appData, nullptr);
  app.AddDocTemplate(new CSingleDocTemplate(228, RUNTIME_CLASS(CFrameTestDoc), RUNTIME_CLASS(CMainFrame),
                                            RUNTIME_CLASS(CLeftView)));
}

inline void TearDownFrameSuite() {
  ::DeleteFileW(g_appData + L"\\Ferrow Software\\Numbrook\\NumbrookDoc.txt");
  ::RemoveDirectoryW(g_appData + L"\\Ferrow Software\\Numbrook");
  ::RemoveDirectoryW(g_appData + L"\\Ferrow Software");
  ::RemoveDirectoryW(g_appData);
}

// Subscribes to the frame's messenger for its life and records the commands it hears of.
class CommandRecorder : public ICBMessengerEvents {
public:
  explicit CommandRecorder(CMainFrame& frame) : m_frame(frame) {
    EXPECT_EQ(S_OK, m_frame.GetRoot().GetMessenger().EventsSubscribe(this, &m_cookie));
  }
  ~CommandRecorder() { m_frame.GetRoot().GetMessenger().EventsUnscribe(m_cookie); }

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ICBMessengerEvents)) {
      *ppv = this;
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP OnCommand(LONG command) override {
    commands.push_back(command);
    return S_OK;
  }
  STDMETHODIMP OnMessage(LONG, LONG, LONG) override { return S_OK; }
  STDMETHODIMP OnCalcCommand(CalcCommand) override { return S_OK; }
  STDMETHODIMP OnCalcAction(CalcAction, VARIANT_BOOL, VARIANT_BOOL, VARIANT_BOOL) override { return S_OK; }
  STDMETHODIMP OnKbdModifier(VARIANT_BOOL, VARIANT_BOOL, VARIANT_BOOL) override { return S_OK; }
  STDMETHODIMP OnBeforeUpdate() override { return S_OK; }
  STDMETHODIMP OnAfterUpdate(PropertyPage) override { return S_OK; }

  std::vector<long> commands;

private:
  CMainFrame& m_frame;
  GUID m_cookie = {};
};

}  // namespace
