// CUfxCommandUsage: how often each command was chosen from menus and accelerators, so that
// popup menus can tell rarely used items from frequent ones.
#pragma once
#include "Framework.h"

class CUfxCommandUsage : public CObject {
public:
  CUfxCommandUsage();
  ~CUfxCommandUsage() override = default;

  // Counts one use; nothing in customize mode, for 0 and -1, core and reserved commands.
  void AddCommand(UINT nCommand);
  void Reset();
  BOOL HasEnoughStatistics() const { return m_nTotalUsage >= kMinUsageTotal; }
  // More than the threshold percentage of all counted uses.
  BOOL IsFrequentlyUsedCommand(UINT nCommand) const;
  // The total, then the count of entries and each (command, count) pair. Loading replaces the
  // counters only when the whole archive was read.
  void Serialize(CArchive& ar) override;

  UINT GetTotalUsage() const { return m_nTotalUsage; }
  UINT GetCount(UINT nCommand) const;

  static const UINT kMinUsageTotal = 0;
  static const UINT kFrequentPercent = 5;

protected:
  CMap<UINT, UINT, UINT, UINT> m_CommandsUsage;
  UINT m_nTotalUsage = 0;
};

// The program's one record of command usage.
extern CUfxCommandUsage UfxCommandUsage;
