// The picture decoder as the renderer calls it on a pack entry's bytes
// (ST/renderer_textures.cpp): the size from the header first, then the whole
// decode. A decoded picture must have the size its header gave, within
// kMaxImageSide, and exactly w * h pixels.
#include <cstdio>
#include <cstdlib>

#include "platform/gfx_image.h"
#include "tests/fuzz/fuzz_env.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzenv::Isolate();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int hw = -1, hh = -1;
  const bool info = plat::ImageInfoMemory(data, size, &hw, &hh);
  plat::Image img;
  if (!plat::DecodeMemory(data, size, img)) {
    if (!img.argb.empty() || img.w != 0 || img.h != 0) {
      std::fprintf(stderr, "a refused picture left %dx%d with %zu pixels\n", img.w, img.h, img.argb.size());
      std::abort();
    }
    return 0;
  }
  const bool sane = img.w > 0 && img.h > 0 && img.w <= plat::kMaxImageSide && img.h <= plat::kMaxImageSide &&
                    img.argb.size() == size_t(img.w) * size_t(img.h);
  if (!sane || !info || hw != img.w || hh != img.h) {
    std::fprintf(stderr, "decoded %dx%d with %zu pixels; the header said %s %dx%d\n", img.w, img.h,
                 img.argb.size(), info ? "" : "(unread)", hw, hh);
    std::abort();
  }
  return 0;
}
