// Colour arithmetic of the framework's looks: pure functions on COLORREF values (red in the low
// byte). Every channel result is limited to 0..255.
#pragma once
#include <windows.h>

// Each channel times percent / 100.
COLORREF ScaleColor(COLORREF color, int percent);
// Each channel times the factor, rounded; a black channel brightens to (factor - 1) x 255 when
// the factor exceeds 1.
COLORREF ScaleColorByFactor(COLORREF color, double factor);
// The same with one factor per channel (red, green, blue).
COLORREF ScaleColorByFactor(COLORREF color, double factorRed, double factorGreen, double factorBlue);
// Byte k (0 = low) times percentK / 100; a zero byte above 100 % becomes (percent - 100) x 255 / 100.
COLORREF ScaleColorChannels(COLORREF color, int percent0, int percent1, int percent2);
// percent1 % of color1 and the rest of color2.
COLORREF BlendColors(COLORREF color1, COLORREF color2, int percent1);

// Hue, lightness and saturation between 0 and 1.
double HueToRGB(double m1, double m2, double hue);
COLORREF HLSToRGB(double hue, double lightness, double saturation);
void RGBToHLS(COLORREF color, double* hue, double* saturation, double* lightness);
// The same with the hue in degrees (0..360), computed in single precision as the colour pages do.
int HueToRGBDegrees(float m1, float m2, double hue);
COLORREF HLSToRGBDegrees(double hue, double lightness, double saturation);

// Hue in degrees (-1 for black), saturation and value between 0 and 1.
void RGBToHSV(COLORREF color, double* hue, double* saturation, double* value);
COLORREF HSVToRGB(double hue, double saturation, double value);

// color1 and color2 mixed weight1 : weight2 in hue and saturation, at the value of color2; the
// lightness is then multiplied by lightnessFactor (1 leaves it). Both weights 0 give black.
COLORREF MixColors(COLORREF color1, COLORREF color2, double lightnessFactor, int weight1, int weight2);
