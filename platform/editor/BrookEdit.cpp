// BrookEdit.dll: loading the library registers the window class "SimpleEditorsci" (for every
// module of the process); unloading it removes the class again.
#include <windows.h>

#include "EditorView.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      DisableThreadLibraryCalls(instance);
      return EditorView::RegisterWindowClass(instance) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
      EditorView::UnregisterWindowClass(instance);
      break;
  }
  return TRUE;
}
