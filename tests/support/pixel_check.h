// Checks of read-back pixels: a colour within a tolerance per channel.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gfx_image.h"

namespace pixels {

struct Rgb {
  int r, g, b;
};

inline Rgb At(const plat::Image& img, int x, int y) {
  const uint32_t p = img.argb[size_t(y) * size_t(img.w) + size_t(x)];
  return {int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
}

inline ::testing::AssertionResult Near(Rgb got, Rgb want, int tol = 2) {
  if (std::abs(got.r - want.r) <= tol && std::abs(got.g - want.g) <= tol && std::abs(got.b - want.b) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << got.r << ", " << got.g << ", " << got.b << ") is not (" << want.r
                                       << ", " << want.g << ", " << want.b << ")";
}

}  // namespace pixels
