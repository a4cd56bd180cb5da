// Program entry of framework programs (linked with -municode): the application object, built
// by a static initializer, is run by AfxWinMain.
#include "Framework.h"

extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
