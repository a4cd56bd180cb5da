#include "looks/UfxColorMath.h"
#include <math.h>

namespace {

const double kByteToUnit = 0.00392156862745098;

inline int Clamp255(double x) { return x <= 0 ? 0 : (x >= 255 ? 255 : (int)x); }
inline int Clamp255(long long x) { return x <= 0 ? 0 : (x >= 255 ? 255 : (int)x); }
inline int Channel(COLORREF c, int k) { return (int)((c >> (8 * k)) & 0xFF); }
inline COLORREF FromChannels(int c0, int c1, int c2) { return RGB(c0, c1, c2); }

// Unit channels, their extremes and the hue (0..6 before scaling) shared by HLS and HSV.
struct UnitChannels {
  double r, g, b, max, min;
  explicit UnitChannels(COLORREF c)
      : r(GetRValue(c) * kByteToUnit), g(GetGValue(c) * kByteToUnit), b(GetBValue(c) * kByteToUnit) {
    max = r > g ? (r > b ? r : b) : (g > b ? g : b);
    min = r < g ? (r < b ? r : b) : (g < b ? g : b);
  }
  // Only for max != min.
  double HueSixths() const {
    double delta = max - min;
    if (r == max) return (g - b) / delta;
    if (g == max) return 2 + (b - r) / delta;
    return 4 + (r - g) / delta;
  }
};

}  // namespace

COLORREF ScaleColor(COLORREF color, int percent) {
  int ch[3];
  for (int k = 0; k < 3; ++k) ch[k] = Clamp255((long long)Channel(color, k) * percent / 100);
  return FromChannels(ch[0], ch[1], ch[2]);
}

COLORREF ScaleColorByFactor(COLORREF color, double factor) { return ScaleColorByFactor(color, factor, factor, factor); }

COLORREF ScaleColorByFactor(COLORREF color, double factorRed, double factorGreen, double factorBlue) {
  const double factor[3] = {factorRed, factorGreen, factorBlue};
  int ch[3];
  for (int k = 0; k < 3; ++k) {
    int x = Channel(color, k);
    double v = (x == 0 && factor[k] > 1) ? (factor[k] - 1) * 255 : x * factor[k];
    ch[k] = Clamp255(v + 0.5);
  }
  return FromChannels(ch[0], ch[1], ch[2]);
}

COLORREF ScaleColorChannels(COLORREF color, int percent0, int percent1, int percent2) {
  const int percent[3] = {percent0, percent1, percent2};
  int ch[3];
  for (int k = 0; k < 3; ++k) {
    int x = Channel(color, k);
    long long v = (x == 0 && percent[k] > 100) ? (long long)(percent[k] - 100) * 255 / 100
                                               : (long long)x * percent[k] / 100;
    ch[k] = Clamp255(v);
  }
  return FromChannels(ch[0], ch[1], ch[2]);
}

COLORREF BlendColors(COLORREF color1, COLORREF color2, int percent1) {
  int ch[3];
  for (int k = 0; k < 3; ++k)
    ch[k] = Clamp255(((long long)percent1 * Channel(color1, k) + (long long)(100 - percent1) * Channel(color2, k)) / 100);
  return FromChannels(ch[0], ch[1], ch[2]);
}

double HueToRGB(double m1, double m2, double hue) {
  if (hue < 0) hue += 1;
  if (hue > 1) hue -= 1;
  if (6 * hue < 1) return m1 + (m2 - m1) * hue * 6;
  if (2 * hue < 1) return m2;
  if (3 * hue < 2) return m1 + (m2 - m1) * (0.6666666666666666 - hue) * 6;
  return m1;
}

COLORREF HLSToRGB(double hue, double lightness, double saturation) {
  if (saturation == 0) {
    int grey = Clamp255(lightness * 255);
    return RGB(grey, grey, grey);
  }
  double m2 = lightness <= 0.5 ? lightness * (1 + saturation) : lightness + saturation - lightness * saturation;
  double m1 = 2 * lightness - m2;
  return RGB(Clamp255(HueToRGB(m1, m2, hue + 1.0 / 3) * 255), Clamp255(HueToRGB(m1, m2, hue) * 255),
             Clamp255(HueToRGB(m1, m2, hue - 1.0 / 3) * 255));
}

void RGBToHLS(COLORREF color, double* hue, double* saturation, double* lightness) {
  UnitChannels u(color);
  double l = (u.max + u.min) / 2, s = 0, h = 0;
  if (u.max != u.min) {
    double delta = u.max - u.min;
    s = l < 0.5 ? delta / (u.max + u.min) : delta / (2 - u.max - u.min);
    h = u.HueSixths() / 6;
    if (h < 0) h += 1;
  }
  if (hue) *hue = h;
  if (saturation) *saturation = s;
  if (lightness) *lightness = l;
}

int HueToRGBDegrees(float m1, float m2, double hue) {
  if (hue > 360) hue -= 360;
  if (hue < 0) hue += 360;
  const float perDegree = 0.016666668f;
  double v;
  if (hue < 60) v = (m1 + (m2 - m1) * (float)(hue * perDegree)) * 255;
  else if (hue < 180) v = m2 * 255.0;
  else if (hue < 240) v = (m1 + (m2 - m1) * (float)((240 - hue) * perDegree)) * 255;
  else v = m1 * 255.0;
  return Clamp255(v);
}

COLORREF HLSToRGBDegrees(double hue, double lightness, double saturation) {
  if (saturation == 0) {
    int grey = Clamp255(lightness * 255);
    return RGB(grey, grey, grey);
  }
  float m2 = (float)(lightness <= 0.5 ? lightness * (1 + saturation) : lightness + saturation - lightness * saturation);
  float m1 = (float)(2 * lightness) - m2;
  return RGB(HueToRGBDegrees(m1, m2, hue + 120), HueToRGBDegrees(m1, m2, hue), HueToRGBDegrees(m1, m2, hue - 120));
}

void RGBToHSV(COLORREF color, double* hue, double* saturation, double* value) {
  UnitChannels u(color);
  double h = -1, s = 0;
  if (u.max != 0) {
    s = (u.max - u.min) / u.max;
    h = 0;  // a grey has hue 0
    if (u.max != u.min) {
      h = u.HueSixths() * 60;
      if (h < 0) h += 360;
    }
  }
  if (hue) *hue = h;
  if (saturation) *saturation = s;
  if (value) *value = u.max;
}

COLORREF HSVToRGB(double hue, double saturation, double value) {
  if (saturation == 0) {
    int grey = Clamp255(value * 255 + 0.5);
    return RGB(grey, grey, grey);
  }
  double h = hue / 60;
  double i = floor(h);
  double f = h - i;
  double p = value * (1 - saturation), q = value * (1 - saturation * f), t = value * (1 - saturation * (1 - f));
  double r, g, b;
  switch ((int)i) {
    case 0: r = value; g = t; b = p; break;
    case 1: r = q; g = value; b = p; break;
    case 2: r = p; g = value; b = t; break;
    case 3: r = p; g = q; b = value; break;
    case 4: r = t; g = p; b = value; break;
    default: r = value; g = p; b = q; break;
  }
  return RGB(Clamp255(r * 255 + 0.5), Clamp255(g * 255 + 0.5), Clamp255(b * 255 + 0.5));
}

COLORREF MixColors(COLORREF color1, COLORREF color2, double lightnessFactor, int weight1, int weight2) {
  int total = weight1 + weight2;
  if (total == 0) return RGB(0, 0, 0);
  int ch[3];
  for (int k = 0; k < 3; ++k)
    ch[k] = Clamp255(((long long)weight1 * Channel(color1, k) + (long long)weight2 * Channel(color2, k)) / total);
  double meanHue, meanSat, meanVal, hue2, sat2, val2;
  RGBToHSV(FromChannels(ch[0], ch[1], ch[2]), &meanHue, &meanSat, &meanVal);
  RGBToHSV(color2, &hue2, &sat2, &val2);
  COLORREF mixed = HSVToRGB(meanHue, (weight2 * sat2 + weight1 * meanSat) / total, val2);
  if (lightnessFactor == 1.0) return mixed;
  double h, s, l;
  RGBToHLS(mixed, &h, &s, &l);
  l *= lightnessFactor;
  if (l > 1) l = 1;
  return HLSToRGB(h, l, s);
}
