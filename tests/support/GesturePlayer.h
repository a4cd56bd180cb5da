// Real input for the test programs that run under the gesture driver
// (platform/framework/tests/oledrag_driver.sh): the driver plays the xdotool arguments of each
// request file that appears in its folder and removes the file once they have been played.
#pragma once
#include <windows.h>

#include <fstream>
#include <string>

#include "TestPump.h"

// Has the driver of `folder` (relative to the current folder) play these xdotool arguments;
// pumps messages until they have been played. What they do reaches the programs afterwards: the
// caller waits on that.
inline bool PlayGesture(const std::string& folder, const std::string& commands) {
  static int counter = 0;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  const std::string name =
      folder + "\\keys" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
  {
    std::ofstream out(name + ".tmp", std::ios::binary);
    out << commands << "\n";
  }
  if (!::MoveFileA((name + ".tmp").c_str(), (name + ".req").c_str())) return false;
  return PumpUntil([&] { return ::GetFileAttributesA((name + ".req").c_str()) == INVALID_FILE_ATTRIBUTES; }, 20000);
}
