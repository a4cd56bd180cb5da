// What the settings saver writes for a fresh start, section by section under the profile key,
// in the form ReadRegistryValues gives (numbers as text, strings in quotes).
#pragma once

#include <map>
#include <string>

#include "ProgramDriver.h"

inline std::map<std::wstring, RegistryValues> FreshProfileTable() {
  RegistryValues codeFormat = {{L"CCFBackColor", L"-1"}, {L"CCFCharset", L"1"},
                               {L"CCFFontName", L"\"Courier New\""}, {L"CCFFontSize", L"220"}};
  for (int i = 1; i <= 11; ++i) {
    const std::wstring n = std::to_wstring(i);
    codeFormat[L"Lexeme" + n + L"BackColor"] = L"-1";
    codeFormat[L"Lexeme" + n + L"ForeColor"] = L"-1";
    codeFormat[L"Lexeme" + n + L"Bold"] = i == 10 ? L"1" : L"0";
    codeFormat[L"Lexeme" + n + L"Italic"] = L"0";
    codeFormat[L"Lexeme" + n + L"Strikeout"] = L"0";
    codeFormat[L"Lexeme" + n + L"Underline"] = L"0";
  }
  return {
      {L"Settings\\CodeFormat", codeFormat},
      {L"Settings\\Window",
       {{L"MinToTray", L"1"}, {L"CloseToTray", L"1"}, {L"ShowAtStartup", L"1"}, {L"CurrentStyle", L"3"}}},
      {L"Settings\\Keyboard", {{L"PassShowHideKey", L"0"}, {L"ShowHideKey", L"0"}, {L"KbdActionsCount", L"0"}}},
      {L"Settings", {{L"AlwaysOnTop", L"0"}, {L"DocumentModel", L"1"}}},
      {L"Settings\\TextEditor", {{L"FnProcessing", L"1"}}},
      {L"Settings\\Panels", {{L"ActivePanel", L"0"}}},
      {L"Settings\\ViewsConfig", {{L"LeftPaneWidth", L"300"}}},
  };
}
