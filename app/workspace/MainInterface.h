// The workspace reaches the application's managers only through the main window's
// INumbrookMain object. The application shell installs where that object comes from when it
// starts; until then (and in programs without a shell) there is none.
#pragma once

#include <windows.h>

#include "NumbrookLib.h"

typedef INumbrookMain* (*MainInterfaceSource)();  // answers a counted reference or null
void SetMainInterfaceSource(MainInterfaceSource pfn);

// A counted reference to the main interface, or null; the caller releases it.
INumbrookMain* GetMainInterface();

// The manager that an INumbrookMain getter hands out (a counted reference the caller releases),
// or null when there is no main interface or the getter fails.
template <class Manager>
Manager* TakeManager(HRESULT (STDMETHODCALLTYPE INumbrookMain::*getter)(Manager**)) {
  Manager* manager = nullptr;
  if (INumbrookMain* main = GetMainInterface()) {
    if (FAILED((main->*getter)(&manager))) manager = nullptr;
    main->Release();
  }
  return manager;
}

// Loads the text and the caption from the program's resource library and shows a message box;
// answers the button pressed.
int ResourceMessageBox(HWND owner, UINT textId, UINT captionId, UINT type);

// The current visual style from the settings manager (0 simple ... 3 the 2003 look); the
// simple look when the main interface or its settings manager cannot be had.
int GetCurrentVisualStyle();
