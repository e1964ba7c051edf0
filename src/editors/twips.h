#pragma once
// Screen geometry given in twips (the unit of the stored window sizes and of the dialogs'
// list heights) is converted here, and only here: 15 twips per pixel.

namespace krv {

inline constexpr int kTwipsPerPixel = 15;

// Twips to pixels, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips) {
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                    : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

constexpr int PixelsToTwips(int pixels) {
  return pixels * kTwipsPerPixel;
}

}  // namespace krv
