#pragma once
// Window and dialog geometry is given in twips; the screen works in pixels. This is the
// one place that converts between them.

namespace krv {

inline constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips) {
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

constexpr int PixelsToTwips(int pixels) {
  return pixels * kTwipsPerPixel;
}

}  // namespace krv
