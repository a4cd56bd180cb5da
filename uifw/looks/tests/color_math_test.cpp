// The colour functions against exact results worked out by hand from their formulas: clamps,
// greys, black, and the order of the out-parameters.
#include "looks/UfxColorMath.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>

namespace {

struct ColorCase {
  const char* what;
  std::function<COLORREF()> compute;
  COLORREF expected;
};

const COLORREF kGrey128 = RGB(128, 128, 128);

const ColorCase kColorCases[] = {
    {"ScaleColor clamps above", [] { return ScaleColor(RGB(200, 100, 0), 150); }, RGB(255, 150, 0)},
    {"ScaleColor truncates", [] { return ScaleColor(RGB(199, 3, 255), 50); }, RGB(99, 1, 127)},
    {"ScaleColor clamps below", [] { return ScaleColor(RGB(10, 20, 30), -50); }, RGB(0, 0, 0)},
    {"ScaleColorByFactor rounds", [] { return ScaleColorByFactor(RGB(100, 201, 255), 0.87); }, RGB(87, 175, 222)},
    {"ScaleColorByFactor brightens black", [] { return ScaleColorByFactor(RGB(0, 0, 0), 1.3); }, RGB(77, 77, 77)},
    {"ScaleColorByFactor keeps black below 1", [] { return ScaleColorByFactor(RGB(0, 50, 0), 0.5); }, RGB(0, 25, 0)},
    {"ScaleColorByFactor clamps", [] { return ScaleColorByFactor(RGB(200, 200, 200), 1.5); }, RGB(255, 255, 255)},
    {"ScaleColorChannels per byte, zero at 150", [] { return ScaleColorChannels(RGB(0, 100, 200), 150, 50, 150); },
     RGB(127, 50, 255)},
    {"ScaleColorChannels zero at 100 stays", [] { return ScaleColorChannels(RGB(0, 0, 0), 100, 90, 100); }, RGB(0, 0, 0)},
    {"BlendColors at 100 is the first", [] { return BlendColors(RGB(1, 2, 3), RGB(200, 100, 50), 100); }, RGB(1, 2, 3)},
    {"BlendColors at 0 is the second", [] { return BlendColors(RGB(1, 2, 3), RGB(200, 100, 50), 0); }, RGB(200, 100, 50)},
    {"BlendColors at 25", [] { return BlendColors(RGB(200, 100, 0), RGB(0, 40, 255), 25); }, RGB(50, 55, 191)},
    {"HLSToRGB grey truncates", [] { return HLSToRGB(0.7, 0.5, 0); }, RGB(127, 127, 127)},
    {"HLSToRGB pure red", [] { return HLSToRGB(0, 0.5, 1); }, RGB(255, 0, 0)},
    {"HLSToRGB blue-ish", [] { return HLSToRGB(0.6, 0.4, 0.7); }, RGB(30, 87, 173)},
    {"HLSToRGBDegrees green", [] { return HLSToRGBDegrees(120, 0.5, 1); }, RGB(0, 255, 0)},
    {"HLSToRGBDegrees grey", [] { return HLSToRGBDegrees(10, 0.25, 0); }, RGB(63, 63, 63)},
    {"HSVToRGB grey rounds", [] { return HSVToRGB(0, 0, 0.5); }, RGB(128, 128, 128)},
    {"HSVToRGB sector 0", [] { return HSVToRGB(30, 1, 1); }, RGB(255, 128, 0)},
    {"HSVToRGB sector 2", [] { return HSVToRGB(120, 1, 1); }, RGB(0, 255, 0)},
    {"HSVToRGB sector 5", [] { return HSVToRGB(300, 0.5, 0.8); }, RGB(204, 102, 204)},
    {"MixColors of one grey", [] { return MixColors(kGrey128, kGrey128, 1, 1, 1); }, kGrey128},
    {"MixColors weights 0 give black", [] { return MixColors(RGB(9, 9, 9), RGB(200, 1, 1), 1.2, 0, 0); }, RGB(0, 0, 0)},
    {"MixColors 1 : 3", [] { return MixColors(RGB(200, 100, 0), RGB(0, 0, 255), 1, 1, 3); }, RGB(45, 8, 255)},
    {"MixColors with lightness", [] { return MixColors(RGB(48, 150, 250), RGB(245, 245, 245), 0.93, 2, 1); },
     RGB(130, 187, 242)},
};

TEST(ColorMath, ResultsMatchTheirFormulas) {
  for (const ColorCase& c : kColorCases) {
    COLORREF got = c.compute();
    EXPECT_EQ(c.expected, got) << c.what << ": got " << (int)GetRValue(got) << "," << (int)GetGValue(got) << ","
                               << (int)GetBValue(got);
  }
}

struct ThreeOut {
  const char* what;
  void (*convert)(COLORREF, double*, double*, double*);
  COLORREF color;
  double first, second, third;  // in the order of the out-parameters
};

const ThreeOut kSplitCases[] = {
    {"RGBToHLS hands out hue, saturation, lightness", RGBToHLS, RGB(212, 208, 200), 0.111111, 0.122449, 0.807843},
    {"RGBToHLS of a grey", RGBToHLS, RGB(100, 100, 100), 0, 0, 0.392157},
    {"RGBToHLS of a dark red", RGBToHLS, RGB(128, 0, 0), 0, 1, 0.250980},
    {"RGBToHLS of a magenta (hue wraps)", RGBToHLS, RGB(255, 0, 128), 0.916340, 1, 0.5},
    {"RGBToHSV hands out hue, saturation, value", RGBToHSV, RGB(255, 128, 0), 30.117647, 1, 1},
    {"RGBToHSV of black: hue -1", RGBToHSV, RGB(0, 0, 0), -1, 0, 0},
    {"RGBToHSV of a grey: hue 0", RGBToHSV, kGrey128, 0, 0, 0.501961},
};

TEST(ColorMath, SplitsHandOutTheirPartsInOrder) {
  for (const ThreeOut& c : kSplitCases) {
    double a = 99, b = 99, d = 99;
    c.convert(c.color, &a, &b, &d);
    EXPECT_NEAR(c.first, a, 1e-6) << c.what;
    EXPECT_NEAR(c.second, b, 1e-6) << c.what;
    EXPECT_NEAR(c.third, d, 1e-6) << c.what;
  }
}

TEST(ColorMath, ChannelFunctionsOfTheHlsConversions) {
  EXPECT_DOUBLE_EQ(0.2, HueToRGB(0.2, 0.8, 1.9));        // above 1 loses 1, then falls to m1
  EXPECT_DOUBLE_EQ(0.8, HueToRGB(0.2, 0.8, -0.75));      // below 0 gains 1: 0.25 gives m2
  EXPECT_NEAR(0.5, HueToRGB(0.2, 0.8, 1.0 / 12), 1e-12); // rising edge
  EXPECT_EQ(255, HueToRGBDegrees(0.0f, 1.0f, 100));
  EXPECT_EQ(0, HueToRGBDegrees(0.0f, 1.0f, 300));
  EXPECT_EQ(127, HueToRGBDegrees(0.0f, 1.0f, 390));      // 30 degrees: halfway up
}

TEST(ColorMath, HlsRoundTripKeepsSaturatedColours) {
  const COLORREF colors[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};  // truncation loses mixed channels
  for (COLORREF c : colors) {
    double h, s, l;
    RGBToHLS(c, &h, &s, &l);
    EXPECT_EQ(c, HLSToRGB(h, l, s));
    RGBToHSV(c, &h, &s, &l);
    EXPECT_EQ(c, HSVToRGB(h, s, l));
  }
}

}  // namespace
