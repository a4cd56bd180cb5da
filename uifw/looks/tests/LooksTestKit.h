// Small helpers of the looks' tests: the canvas, colours as text, a clean state of the looks.
#pragma once
#include "TestCanvas.h"
#include <string>

inline std::string ColorText(COLORREF c) {
  return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," + std::to_string(GetBValue(c));
}

#include "looks/UfxVisualManager.h"
#include <gtest/gtest.h>

// Each test starts and ends with no current look and the base look chosen.
class LooksTest : public ::testing::Test {
protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
  static void Reset() {
    CUfxVisualManager::SetDefaultManager(nullptr);
    CUfxVisualManager::DeleteAutoCreatedInstance();
  }
};
