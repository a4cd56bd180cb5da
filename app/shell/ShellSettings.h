// The application's own settings in the registry, below the profile key
// (HKCU\Software\Ferrow Software\Numbrook): loaded once at start-up into the managers of the
// automation root and the expression pane's formatter, and written back from them whenever
// the workspace is saved.
#pragma once

#include <memory>

#include "CategoryCommandPanel.h"
#include "DefinedCommandPanel.h"
#include "NumbrookLib.h"

// The three command panels that the loader builds; the application keeps them.
struct CommandPanels {
  std::unique_ptr<CDefinedCommandPanel> firstDefined;
  std::unique_ptr<CCategoryCommandPanel> categories;
  std::unique_ptr<CDefinedCommandPanel> secondDefined;
};

// Loads every setting into the root's managers (and the formatter, when there is an expression
// pane) and rebuilds the panels. A loaded action count is kept within 0..1024. Stops at the
// first failing call and answers its HRESULT; what was loaded before stays.
HRESULT LoadShellSettings(INumbrookMain* root, CommandPanels& panels);

// Writes every setting it can read from the root's managers and the formatter (flags as 0 or
// 1) and the given width of the expression pane; goes on past a failure. False when anything
// could not be read or written.
bool SaveShellSettings(INumbrookMain* root, int leftPaneWidth);
