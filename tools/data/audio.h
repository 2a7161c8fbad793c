// Sound synthesis helpers and the Ogg Vorbis encoder of the generator: all
// sounds are 22050 Hz stereo, built as float samples in [-1, 1].
#pragma once
#include <vector>

#include "tools/data/canvas.h"

namespace gendata {

constexpr int kRate = 22050;

struct Stereo {
  std::vector<float> l, r;
  explicit Stereo(size_t n = 0) : l(n, 0.0f), r(n, 0.0f) {}
  size_t Size() const { return l.size(); }
};

// Encodes with a fixed stream serial, so the same samples give the same
// bytes.  quality is libvorbis' VBR quality (-0.1 .. 1).
Bytes EncodeOgg(const Stereo& s, float quality);

// Scales the sound so that its peak is `peak` (below full scale, leaving
// room for the codec), and fades the first and last `fadeMs` milliseconds.
void Finish(Stereo& s, float peak, double fadeMs);

}  // namespace gendata
