// Numbrook.exe: the process-wide objects that exist before the program's entry runs, in the
// order they are made. The framework's wWinMain then runs the application object.
#include <windows.h>

#include "LoaderHooks.h"
#include "NumbrookApp.h"

namespace {

UINT g_calculationRequest1 = ::RegisterWindowMessageW(L"DoCalculationFerrow");
UINT g_clipboardDrawing1 = ::RegisterWindowMessageW(L"BROOK_DO_INITIALIZE_CLIPBOAD_DRAWING");
UINT g_calculationRequest2 = ::RegisterWindowMessageW(L"DoCalculationFerrow");
UINT g_findReplace = ::RegisterWindowMessageW(L"commdlg_FindReplace");
UINT g_taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
int g_unicodeChecked = CheckUnicodeOS();
// Libraries loaded from here on are patched for the import-table hooks.
CLoaderHooks g_loaderHooks;

}  // namespace

CNumbrookApp theApp;

namespace {
UINT g_calculationRequest3 = ::RegisterWindowMessageW(L"DoCalculationFerrow");
UINT g_clipboardDrawing2 = ::RegisterWindowMessageW(L"BROOK_DO_INITIALIZE_CLIPBOAD_DRAWING");
}  // namespace
