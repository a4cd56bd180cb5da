// The looks' lifecycle (the current manager, the chosen class, temporary and application-made
// managers) and each look's settings and constant answers.
#include "LooksTestKit.h"
#include "looks/UfxVisualManager2003.h"
#include "looks/UfxVisualManagerXP.h"
#include "looks/UfxWinXPVisualManager.h"

namespace {

// A manager class that can't be created from its class record.
class CNotCreatableLook : public CUfxVisualManager {
  DECLARE_DYNAMIC(CNotCreatableLook)
};
IMPLEMENT_DYNAMIC(CNotCreatableLook, CUfxVisualManager)

using Lifecycle = LooksTest;

TEST_F(Lifecycle, FirstInstanceIsAnAutoCreatedBaseLook) {
  EXPECT_EQ(nullptr, CUfxVisualManager::GetCurrentInstance());
  CUfxVisualManager* first = CUfxVisualManager::GetInstance();
  ASSERT_NE(nullptr, first);
  EXPECT_EQ(RUNTIME_CLASS(CUfxVisualManager), first->GetRuntimeClass());
  EXPECT_TRUE(first->IsAutoDestroy());
  EXPECT_EQ(first, CUfxVisualManager::GetInstance());  // kept, not made again
}

TEST_F(Lifecycle, ChoosingALookReplacesTheCurrentOne) {
  CUfxVisualManager::GetInstance();
  CUfxVisualManager::SetDefaultManager(RUNTIME_CLASS(CUfxVisualManagerXP));
  EXPECT_EQ(nullptr, CUfxVisualManager::GetCurrentInstance());  // deleted at once
  CUfxVisualManager* look = CUfxVisualManager::GetInstance();
  EXPECT_EQ(RUNTIME_CLASS(CUfxVisualManagerXP), look->GetRuntimeClass());
  EXPECT_TRUE(look->IsAutoDestroy());
  CUfxVisualManager::SetDefaultManager(nullptr);  // back to the base look
  EXPECT_EQ(RUNTIME_CLASS(CUfxVisualManager), CUfxVisualManager::GetInstance()->GetRuntimeClass());
}

TEST_F(Lifecycle, ClassesThatAreNotLooksChangeNothing) {
  CUfxVisualManager::SetDefaultManager(RUNTIME_CLASS(CUfxVisualManager2003));
  CUfxVisualManager* look = CUfxVisualManager::GetInstance();
  CUfxVisualManager::SetDefaultManager(RUNTIME_CLASS(CObject));
  EXPECT_EQ(look, CUfxVisualManager::GetCurrentInstance());
  EXPECT_EQ(RUNTIME_CLASS(CUfxVisualManager2003), CUfxVisualManager::GetDefaultManagerClass());
}

TEST_F(Lifecycle, AClassThatCannotBeCreatedGivesTheBaseLook) {
  CUfxVisualManager::SetDefaultManager(RUNTIME_CLASS(CNotCreatableLook));
  CUfxVisualManager* look = CUfxVisualManager::GetInstance();
  ASSERT_NE(nullptr, look);
  EXPECT_EQ(RUNTIME_CLASS(CUfxVisualManager), look->GetRuntimeClass());
}

TEST_F(Lifecycle, TemporaryManagersNeverBecomeCurrent) {
  {
    CUfxVisualManagerXP temporary(TRUE);
    EXPECT_EQ(nullptr, CUfxVisualManager::GetCurrentInstance());
  }
  CUfxVisualManager* current = CUfxVisualManager::GetInstance();
  {
    CUfxVisualManager2003 temporary(TRUE);
  }
  EXPECT_EQ(current, CUfxVisualManager::GetCurrentInstance());
}

TEST_F(Lifecycle, AManagerTheApplicationMadeStaysTheApplications) {
  auto* own = new CUfxVisualManagerXP();
  EXPECT_EQ(own, CUfxVisualManager::GetCurrentInstance());  // registered itself
  EXPECT_FALSE(own->IsAutoDestroy());
  CUfxVisualManager::DeleteAutoCreatedInstance();  // not auto-created: left alone
  EXPECT_EQ(own, CUfxVisualManager::GetCurrentInstance());
  CUfxVisualManager::SetDefaultManager(RUNTIME_CLASS(CUfxVisualManager2003));  // unregistered, not deleted
  EXPECT_EQ(nullptr, CUfxVisualManager::GetCurrentInstance());
  EXPECT_EQ(4, own->GetMenuShadowDepth());  // still alive
  delete own;  // the application's own delete: no double delete, the current one stays
  EXPECT_EQ(nullptr, CUfxVisualManager::GetCurrentInstance());
  EXPECT_EQ(RUNTIME_CLASS(CUfxVisualManager2003), CUfxVisualManager::GetInstance()->GetRuntimeClass());
}

TEST_F(Lifecycle, DeletingTheAutoCreatedInstanceClearsTheCurrentPointer) {
  CUfxVisualManager::GetInstance();
  CUfxVisualManager::DeleteAutoCreatedInstance();
  EXPECT_EQ(nullptr, CUfxVisualManager::GetCurrentInstance());
  CUfxVisualManager::DeleteAutoCreatedInstance();  // nothing left: nothing happens
}

struct LookSettings {
  CRuntimeClass* look;
  BOOL look2000;
  int shadowDepth;
  BOOL flatMenus, shadowHighlighted, embossDisabled, fadeInactive;
  int tasks[9];
  BOOL tasksFlag;
  int reservedA, reservedB, imageMargin;
  BOOL look2000Allowed;
  int customizeMargin;
  BOOL offsetPressed, tabHighlight;
  int showAllExtra;
};

// Wine's theme has a WINDOW class: the themed look draws without shadowed images and with (2, 2).
const LookSettings kSettings[] = {
    {RUNTIME_CLASS(CUfxVisualManager), 0, 6, 0, 0, 1, 0, {12, 12, 15, 25, 13, 7, 12, 5, 4}, 1, 0, 2, 2, TRUE, 2, TRUE, FALSE, 6},
    {RUNTIME_CLASS(CUfxVisualManagerXP), 1, 4, 1, 1, 0, 1, {4, 4, 4, 0, 0, 0, 12, 5, 4}, 0, 1, 1, 3, FALSE, 2, TRUE, FALSE, 6},
    {RUNTIME_CLASS(CUfxWinXPVisualManager), 1, 4, 1, 0, 0, 1, {12, 12, 15, 25, 13, 7, 12, 5, 4}, 1, 1, 1, 3, FALSE, 2, TRUE, FALSE, 6},
    {RUNTIME_CLASS(CUfxVisualManager2003), 1, 3, 1, 0, 0, 0, {8, 8, 8, 18, 3, 3, 8, 5, 4}, 1, 1, 1, 3, FALSE, 1, FALSE, TRUE, 10},
};

using Settings = LooksTest;

TEST_F(Settings, EachLookHasItsSettingsAndAnswers) {
  for (const LookSettings& s : kSettings) {
    CUfxVisualManager::SetDefaultManager(s.look);
    CUfxVisualManager* m = CUfxVisualManager::GetInstance();
    const char* name = s.look->m_lpszClassName;
    ASSERT_EQ(s.look, m->GetRuntimeClass()) << name;
    EXPECT_EQ(s.look2000, m->IsLook2000()) << name;
    EXPECT_EQ(s.shadowDepth, m->GetMenuShadowDepth()) << name;
    EXPECT_EQ(s.flatMenus, m->IsMenuFlatLook()) << name;
    EXPECT_EQ(s.shadowHighlighted, m->IsShadowHighlightedImage()) << name;
    EXPECT_EQ(s.embossDisabled, m->IsEmbossDisabledImage()) << name;
    EXPECT_EQ(s.fadeInactive, m->IsFadeInactiveImage()) << name;
    for (int i = 0; i < 9; ++i) EXPECT_EQ(s.tasks[i], m->GetTasksPaneMetric(i)) << name << " metric " << i;
    EXPECT_EQ(s.tasksFlag, m->GetTasksPaneFlag()) << name;
    EXPECT_EQ(s.reservedA, m->GetReservedSettingA()) << name;
    EXPECT_EQ(s.reservedB, m->GetReservedSettingB()) << name;
    EXPECT_EQ(s.imageMargin, m->GetMenuImageMargin()) << name;
    EXPECT_EQ(s.look2000Allowed, m->IsLook2000Allowed()) << name;
    EXPECT_EQ(s.customizeMargin, m->GetToolbarCustomizeButtonMargin()) << name;
    EXPECT_EQ(s.offsetPressed, m->IsOffsetPressedButton()) << name;
    EXPECT_EQ(s.tabHighlight, m->IsTabHighlightSupported()) << name;
    // The show-all item follows the menu glyph (9 high), not the size of the menu's buttons.
    EXPECT_EQ(9 + s.showAllExtra, m->GetShowAllMenuItemsHeight(nullptr, CSize(23, 22))) << name;
  }
}

TEST_F(Settings, Look2000IsStoredBySetLook2000) {
  CUfxVisualManager* m = CUfxVisualManager::GetInstance();
  m->SetLook2000(TRUE);
  EXPECT_TRUE(m->IsLook2000());
  m->SetLook2000(FALSE);
  EXPECT_FALSE(m->IsLook2000());
}

}  // namespace
