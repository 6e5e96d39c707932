#pragma once

#include <QRect>
#include <QSize>

namespace kvt {

// The layout is kept in twips, as the panel's original window was designed. At 96 dots per inch
// 15 twips make one pixel; Qt's high-DPI scaling turns these logical pixels into device pixels.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twips_to_pixels(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;  // to the nearest pixel
}

struct TwipPoint {
  int left;
  int top;
};

struct TwipSize {
  int width;
  int height;
};

struct TwipRect {
  int left;
  int top;
  int width;
  int height;
};

inline QRect to_pixels(TwipRect rect) {
  return QRect(twips_to_pixels(rect.left), twips_to_pixels(rect.top), twips_to_pixels(rect.width),
               twips_to_pixels(rect.height));
}

inline QRect to_pixels(TwipPoint at, TwipSize size) {
  return to_pixels(TwipRect{at.left, at.top, size.width, size.height});
}

inline QSize to_pixels(TwipSize size) {
  return QSize(twips_to_pixels(size.width), twips_to_pixels(size.height));
}

}  // namespace kvt
