// The single-instance record: shared between the running copies of the program file, 32 bits
// wide and sign-extended back, cleared only by its owner, and acted on by a second copy only
// for a live window of the same program.
//
// The program starts copies of itself: "--activate" brings the recorded window to the front
// (exit code 1 when it did, 2 when not), "--read" answers the record's low 32 bits.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "InstanceRecord.h"
#include "TestPump.h"

namespace {

DWORD RunCopy(LPCWSTR argument) {
  wchar_t program[MAX_PATH];
  ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(program) + L"\" " + argument;
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  if (!::CreateProcessW(program, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 0xFFFF;
  // The copy shows this program's window: its messages are answered while waiting.
  PumpUntil([&] { return ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 60000);
  DWORD code = 0xFFFF;
  ::GetExitCodeProcess(pi.hProcess, &code);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return code;
}

class InstanceRecord : public ::testing::Test {
protected:
  void SetUp() override {
    m_window = ::CreateWindowExW(0, L"STATIC", L"ShellFirstInstance", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, m_window);
  }
  void TearDown() override {
    SetInstanceWindow(nullptr);
    ::DestroyWindow(m_window);
  }
  HWND m_window = nullptr;
};

TEST_F(InstanceRecord, KeepsThirtyTwoBitsSignExtended) {
  HWND high = reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(0x80001234)));
  SetInstanceWindow(high);
  EXPECT_EQ(high, GetInstanceWindow());
  EXPECT_EQ(static_cast<LONG_PTR>(-2147478988), reinterpret_cast<LONG_PTR>(GetInstanceWindow()));
}

TEST_F(InstanceRecord, OnlyItsOwnerClearsIt) {
  SetInstanceWindow(m_window);
  ClearInstanceWindow(reinterpret_cast<HWND>(0x1234));
  EXPECT_EQ(m_window, GetInstanceWindow());
  ClearInstanceWindow(m_window);
  EXPECT_EQ(nullptr, GetInstanceWindow());
}

TEST_F(InstanceRecord, IsSharedWithAnotherCopy) {
  SetInstanceWindow(m_window);
  EXPECT_EQ(static_cast<DWORD>(reinterpret_cast<LONG_PTR>(m_window)), RunCopy(L"--read"));
}

TEST_F(InstanceRecord, SecondCopyBringsTheHiddenWindowBack) {
  SetInstanceWindow(m_window);
  ASSERT_FALSE(::IsWindowVisible(m_window));
  EXPECT_EQ(1u, RunCopy(L"--activate"));
  EXPECT_TRUE(::IsWindowVisible(m_window));
  ::ShowWindow(m_window, SW_MINIMIZE);
  EXPECT_EQ(1u, RunCopy(L"--activate"));
  EXPECT_FALSE(::IsIconic(m_window));
}

TEST_F(InstanceRecord, SecondCopyLeavesOtherWindowsAlone) {
  EXPECT_EQ(2u, RunCopy(L"--activate")) << "no record";
  HWND gone = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ::DestroyWindow(gone);
  SetInstanceWindow(gone);
  EXPECT_EQ(2u, RunCopy(L"--activate")) << "a window that no longer exists";
  SetInstanceWindow(::GetDesktopWindow());
  EXPECT_EQ(2u, RunCopy(L"--activate")) << "a window of another program";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--activate") return ActivateRecordedInstance() ? 1 : 2;
  if (argc == 2 && std::string(argv[1]) == "--read")
    return static_cast<int>(static_cast<DWORD>(reinterpret_cast<LONG_PTR>(GetInstanceWindow())));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
