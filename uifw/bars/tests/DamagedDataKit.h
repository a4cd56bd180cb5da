// Damaged data that only a loader's own checks can catch: archives in which one object stands for
// two entries (the second a reference back to the first), and buttons whose reading ends in a C++
// exception. The buttons count their live instances, so a test sees what a failed load left.
// Include it in one source file of a test program (it defines the two button classes).
#pragma once
#include "bars/UfxToolbarButton.h"
#include "bars/UfxToolbarMenuButton.h"
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

namespace damaged_data {

// A button that counts its live instances.
class CCountedButton : public CUfxToolbarButton {
  DECLARE_SERIAL(CCountedButton)
public:
  CCountedButton() { ++s_nLive; }
  explicit CCountedButton(UINT uiID) : CUfxToolbarButton(uiID, -1) { ++s_nLive; }
  ~CCountedButton() override { --s_nLive; }
  static int s_nLive;
};

// Reads its fields and then fails: with std::bad_alloc when its id is kOutOfMemory, otherwise
// with std::runtime_error.
class CThrowingButton : public CCountedButton {
  DECLARE_SERIAL(CThrowingButton)
public:
  static constexpr UINT kOutOfMemory = 0xE1A0;
  static constexpr UINT kOtherFailure = 0xE1A1;
  CThrowingButton() = default;
  explicit CThrowingButton(UINT uiID) : CCountedButton(uiID) {}
  void Serialize(CArchive& ar) override {
    CCountedButton::Serialize(ar);
    if (ar.IsStoring()) return;
    if (m_nID == kOutOfMemory) throw std::bad_alloc();
    throw std::runtime_error("reading failed");
  }
};

int CCountedButton::s_nLive = 0;
IMPLEMENT_SERIAL(CCountedButton, CUfxToolbarButton, 1)
IMPLEMENT_SERIAL(CThrowingButton, CCountedButton, 1)

template <class F>
std::vector<BYTE> ArchiveBytes(F write) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    write(ar);
    ar.Close();
  }
  std::vector<BYTE> bytes((size_t)file.GetLength());
  file.SeekToBegin();
  if (!bytes.empty()) file.Read(bytes.data(), (UINT)bytes.size());
  return bytes;
}

// The tail of a bar archive: no text labels, the title.
inline void WriteBarTail(CArchive& ar) { ar << (DWORD)0 << CString(L"Damaged"); }

// A bar archive whose second button is a reference back to its first.
inline std::vector<BYTE> BarWithOneButtonTwice() {
  return ArchiveBytes([](CArchive& ar) {
    CCountedButton button(0xE102);
    ar.WriteCount(2);
    ar << (CObject*)&button << (CObject*)&button;
    WriteBarTail(ar);
  });
}

// A menu button whose second item is a reference back to its first, written as its class record
// and its fields (the caller writes what goes around it).
inline void WriteMenuWithOneItemTwice(CArchive& ar, BOOL bAsObject) {
  CUfxToolbarMenuButton menu((UINT)-1, nullptr, -1, L"&Menu");
  CUfxToolbarMenuButton* pItem = new CUfxToolbarMenuButton(0xE103, nullptr, -1, L"Item");
  menu.AddSubItem(pItem);
  menu.AddSubItem(pItem);
  if (bAsObject) {
    ar << (CObject*)&menu;
  } else {
    ar.WriteClass(RUNTIME_CLASS(CUfxToolbarMenuButton));
    menu.Serialize(ar);
  }
  const_cast<CObList&>(menu.GetCommands()).RemoveTail();  // the item is the menu's once
}

// A bar archive of one menu button whose items hold one item twice. Store files and drag data
// carry the tear-off id: `bTearOffIds` writes it.
inline std::vector<BYTE> BarWithOneMenuItemTwice(BOOL bTearOffIds = FALSE) {
  return ArchiveBytes([=](CArchive& ar) {
    std::unique_ptr<CUfxToolbarMenuButton::AlwaysTearOffIdScope> scope;
    if (bTearOffIds) scope.reset(new CUfxToolbarMenuButton::AlwaysTearOffIdScope);
    ar.WriteCount(1);
    WriteMenuWithOneItemTwice(ar, TRUE);
    WriteBarTail(ar);
  });
}

// Drag data of a menu button whose items hold one item twice.
inline std::vector<BYTE> DragDataOfOneMenuItemTwice() {
  return ArchiveBytes([](CArchive& ar) {
    CUfxToolbarMenuButton::AlwaysTearOffIdScope scope;
    WriteMenuWithOneItemTwice(ar, FALSE);
  });
}

// A bar archive of a counted button and then one whose reading fails with the given id's failure.
inline std::vector<BYTE> BarWithAFailingButton(UINT uiFailure) {
  return ArchiveBytes([=](CArchive& ar) {
    CCountedButton first(0xE102);
    CThrowingButton failing(uiFailure);
    ar.WriteCount(2);
    ar << (CObject*)&first << (CObject*)&failing;
    WriteBarTail(ar);
  });
}

}  // namespace damaged_data
